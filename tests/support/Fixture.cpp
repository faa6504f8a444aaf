#include "Fixture.h"

#include "directory/DataFolder.h"
#include "directory/TableWriter.h"

namespace rost::test {

void writeTable(const QString &folder, const TableDef &def, const std::vector<Row> &rows,
                const QString &fileName)
{
    TableWriter writer(
        DataFolder::join(folder, fileName.isEmpty() ? QLatin1String(def.file) : fileName), def);
    for (const Row &row : rows)
        writer.insert(row);
    writer.commit();
}

Row family(int id, const QString &familyName, const QString &vorelName)
{
    return {{QLatin1String(fld::FamilyIdNum), id},
            {QLatin1String(fld::FamilyName), familyName},
            {QLatin1String(fld::VorelName), vorelName.isEmpty() ? familyName : vorelName}};
}

Row person(int indiv, int family, int rank, const QString &first, const QString &last,
           const QString &status, const QString &goesBy, const QString &title)
{
    return {{QLatin1String(fld::IndivIdNum), indiv},
            {QLatin1String(fld::FamilyIdNum), family},
            {QLatin1String(fld::FamilyRankOrder), rank},
            {QLatin1String(fld::FirstName), first},
            {QLatin1String(fld::LastName), last},
            {QLatin1String(fld::FamilyStatus), status},
            {QLatin1String(fld::GoesBy), goesBy.isEmpty() ? first : goesBy},
            {QLatin1String(fld::Title), title}};
}

void writeSetup(const QString &folder, bool offices, bool talents, bool activities, bool user1,
                bool user2, const QString &user1Name, const QString &user2Name)
{
    writeTable(folder, setupTable(),
               {{{QLatin1String(fld::UseOffices), offices},
                 {QLatin1String(fld::UseTalents), talents},
                 {QLatin1String(fld::UseActivities), activities},
                 {QLatin1String(fld::UseUser1), user1},
                 {QLatin1String(fld::UseUser2), user2},
                 {QLatin1String(fld::User1Name), user1Name},
                 {QLatin1String(fld::User2Name), user2Name}}});
}

} // namespace rost::test
