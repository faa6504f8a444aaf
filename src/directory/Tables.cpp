#include "directory/Tables.h"

namespace rost {

namespace {

using K = FieldKind;

TableDef makeListTable(QLatin1String file, QLatin1String table, QLatin1String rowIdField,
                       QLatin1String itemField)
{
    return TableDef{
        file,
        table,
        {{rowIdField, K::AutoInc}, {fld::IndivIdNum, K::Integer}, {itemField, K::Char, 20}},
        {{idx::IndivIdNumOrder, {fld::IndivIdNum, itemField}}},
        {fld::IndivIdNum, itemField}};
}

} // namespace

const FieldDef *TableDef::field(const QString &name) const
{
    for (const FieldDef &f : fields)
        if (name.compare(f.name, Qt::CaseInsensitive) == 0)
            return &f;
    return nullptr;
}

const TableDef &familiesTable()
{
    static const TableDef def{
        tbl::Families,
        QLatin1String("RostFamilies"),
        {{fld::RostIdNum, K::AutoInc},
         {fld::FamilyIdNum, K::Short},
         {fld::FamilyName, K::Char, 40, true},
         {fld::VorelName, K::Char, 40},
         {fld::Address1, K::Char, 40},
         {fld::Address2, K::Char, 40},
         {fld::City, K::Char, 20},
         {fld::State, K::Char, 4},
         {fld::Zip, K::Char, 10},
         {fld::Country, K::Char, 20},
         {fld::IntlAddress, K::Char, 120},
         {fld::HomePhone, K::Char, 20},
         {fld::FamilyPicture, K::Blob}},
        {{idx::FamilyIdNumOrder, {fld::FamilyIdNum}}, {idx::FamilyNameOrder, {fld::FamilyName}}},
        {fld::FamilyIdNum, fld::FamilyName, fld::VorelName, fld::Address1, fld::Address2, fld::City,
         fld::State, fld::Zip, fld::Country, fld::IntlAddress, fld::HomePhone, fld::FamilyPicture}};
    return def;
}

const TableDef &individualsTable()
{
    static const TableDef def{tbl::Individuals,
                              QLatin1String("RostIndividuals"),
                              {{fld::RostIndIdNum, K::AutoInc},
                               {fld::IndivIdNum, K::Short},
                               {fld::FamilyIdNum, K::Short},
                               {fld::FamilyRankOrder, K::Short},
                               {fld::Title, K::Char, 10},
                               {fld::GoesBy, K::Char, 20, true},
                               {fld::FirstName, K::Char, 20},
                               {fld::MiddleName, K::Char, 20},
                               {fld::LastName, K::Char, 20, true},
                               {fld::Suffix, K::Char, 6},
                               {fld::EMailAddress, K::Char, 40},
                               {fld::FamilyStatus, K::Char, 20},
                               {fld::WorkPhone, K::Char, 20},
                               {fld::Fax, K::Char, 20},
                               {fld::Cell, K::Char, 20},
                               {fld::Pager, K::Char, 20},
                               {fld::OtherPhoneLabel, K::Char, 8},
                               {fld::OtherPhone, K::Char, 20}},
                              {{idx::IndivIdNumOrder, {fld::IndivIdNum}},
                               {idx::FamilyIdNumOrder, {fld::FamilyIdNum}},
                               {idx::LastNameAndGoesByOrder, {fld::LastName, fld::GoesBy}},
                               {idx::LastNameAndFirstNameOrder, {fld::LastName, fld::FirstName}},
                               {idx::FamilyIdRankOrder, {fld::FamilyIdNum, fld::FamilyRankOrder}}},
                              {fld::IndivIdNum, fld::FamilyIdNum, fld::FamilyRankOrder, fld::Title,
                               fld::GoesBy, fld::FirstName, fld::MiddleName, fld::LastName,
                               fld::Suffix, fld::EMailAddress, fld::FamilyStatus, fld::WorkPhone,
                               fld::Fax, fld::Cell, fld::Pager, fld::OtherPhoneLabel,
                               fld::OtherPhone}};
    return def;
}

const TableDef &setupTable()
{
    static const TableDef def{tbl::Setup,
                              QLatin1String("RostSetup"),
                              {{fld::RostSetupIdNum, K::AutoInc},
                               {fld::UseOffices, K::Logical},
                               {fld::UseTalents, K::Logical},
                               {fld::UseActivities, K::Logical},
                               {fld::UseUser1, K::Logical},
                               {fld::UseUser2, K::Logical},
                               {fld::User1Name, K::Char, 40},
                               {fld::User2Name, K::Char, 40}},
                              {},
                              {fld::UseOffices, fld::UseTalents, fld::UseActivities, fld::UseUser1,
                               fld::UseUser2, fld::User1Name, fld::User2Name}};
    return def;
}

const TableDef &officesTable()
{
    static const TableDef def = makeListTable(tbl::Offices, QLatin1String("RostOffices"),
                                              QLatin1String("Rost Offices ID Num"), fld::Office);
    return def;
}

const TableDef &talentsTable()
{
    static const TableDef def = makeListTable(tbl::Talents, QLatin1String("RostTalents"),
                                              QLatin1String("Rost Talent ID Num"), fld::Talent);
    return def;
}

const TableDef &activitiesTable()
{
    static const TableDef def =
        makeListTable(tbl::Activities, QLatin1String("RostActivities"),
                      QLatin1String("Rost Activities ID Num"), fld::Activity);
    return def;
}

const TableDef &user1Table()
{
    static const TableDef def = makeListTable(tbl::User1, QLatin1String("RostUser1"),
                                              QLatin1String("Rost User 1 ID Num"), fld::User1Item);
    return def;
}

const TableDef &user2Table()
{
    static const TableDef def = makeListTable(tbl::User2, QLatin1String("RostUser2"),
                                              QLatin1String("Rost User 2 ID Num"), fld::User2Item);
    return def;
}

const std::vector<const TableDef *> &allTables()
{
    static const std::vector<const TableDef *> all{
        &familiesTable(), &individualsTable(), &setupTable(), &officesTable(),
        &talentsTable(),  &activitiesTable(),  &user1Table(), &user2Table()};
    return all;
}

const TableDef *findTableDef(const QString &fileOrTable)
{
    QString stem = fileOrTable;
    if (stem.endsWith(QLatin1String(".adt"), Qt::CaseInsensitive))
        stem.chop(4);
    for (const TableDef *def : allTables())
        if (stem.compare(def->table, Qt::CaseInsensitive) == 0)
            return def;
    return nullptr;
}

} // namespace rost
