#include "Fixture.h"

#include "directory/DataFolder.h"
#include "directory/TableWriter.h"

namespace rost::test {

void writeTable(const QString &folder, const TableDef &def, const std::vector<Row> &rows,
                const QString &fileName)
{
    TableWriter writer(DataFolder::join(folder, fileName.isEmpty() ? def.file : fileName), def);
    for (const Row &row : rows)
        writer.insert(row);
    writer.commit();
}

Row family(int id, const QString &familyName, const QString &vorelName)
{
    return {{fld::FamilyIdNum, id},
            {fld::FamilyName, familyName},
            {fld::VorelName, vorelName.isEmpty() ? familyName : vorelName}};
}

Row person(int indiv, int family, int rank, const QString &first, const QString &last,
           const QString &status, const QString &goesBy, const QString &title)
{
    return {{fld::IndivIdNum, indiv},
            {fld::FamilyIdNum, family},
            {fld::FamilyRankOrder, rank},
            {fld::FirstName, first},
            {fld::LastName, last},
            {fld::FamilyStatus, status},
            {fld::GoesBy, goesBy.isEmpty() ? first : goesBy},
            {fld::Title, title}};
}

void writeSetup(const QString &folder, bool offices, bool talents, bool activities, bool user1,
                bool user2, const QString &user1Name, const QString &user2Name)
{
    writeTable(folder, setupTable(),
               {{{fld::UseOffices, offices},
                 {fld::UseTalents, talents},
                 {fld::UseActivities, activities},
                 {fld::UseUser1, user1},
                 {fld::UseUser2, user2},
                 {fld::User1Name, user1Name},
                 {fld::User2Name, user2Name}}});
}

} // namespace rost::test
