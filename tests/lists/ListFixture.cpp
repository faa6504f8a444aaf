#include "ListFixture.h"

#include "lists/ListKindTables.h"

namespace rost::test {

Row household(int id, const QString &name, const QString &address1, const QString &address2,
              const QString &city, const QString &state, const QString &zip, const QString &phone)
{
    Row r = family(id, name);
    r.insert(fld::Address1, address1);
    r.insert(fld::Address2, address2);
    r.insert(fld::City, city);
    r.insert(fld::State, state);
    r.insert(fld::Zip, zip);
    r.insert(fld::HomePhone, phone);
    return r;
}

Row entry(const TableDef &list, int indiv, const QString &item)
{
    return {{fld::IndivIdNum, indiv}, {QLatin1String(list.fields.back().name), item}};
}

void writeListDirectory(const QString &folder, bool offices, bool talents, bool activities,
                        bool user1, bool user2, const QString &user1Name, const QString &user2Name)
{
    const auto s = [](const char *text) { return QString::fromUtf8(text); };
    writeTable(folder, familiesTable(),
               {household(1, s("Smith"), s("1 Main St"), {}, s("Springfield"), s("IL"), s("62701"),
                          s("555-0101")),
                household(2, s("O'Neil"), {}, {}, {}, {}, {}),
                household(3, s("Brown"), s("PO Box 9"), s("Suite 4"), s("Salem"), s("OR"),
                          s("97301"), s("555-0303"))});
    Row william = person(11, 1, 1, s("William"), s("Smith"), s("Husband"), s("Bill"), s("Mr"));
    william.insert(fld::EMailAddress, s("bill@example.org"));
    writeTable(folder, individualsTable(),
               {person(31, 3, 1, s("Carol"), s("Brown"), s("Single Adult"), s("Carrie"), s("Ms")),
                person(12, 1, 2, s("Matilda"), s("Smith"), s("Wife"), s("Mattie"), s("Mrs")),
                william, person(21, 2, 1, s("Sean"), s("O'Neil"), s("Single Adult"))});
    writeTable(folder, officesTable(),
               {entry(officesTable(), 11, s("Usher")), entry(officesTable(), 11, s("Elder")),
                entry(officesTable(), 12, s("Usher")), entry(officesTable(), 31, s("Elder")),
                entry(officesTable(), 21, s("O'Neil's Aide"))});
    writeTable(folder, talentsTable(), {});
    writeTable(folder, activitiesTable(),
               {entry(activitiesTable(), 31, s("Choir")), entry(activitiesTable(), 31, s("Choir")),
                entry(activitiesTable(), 11, s("Choir"))});
    writeTable(folder, user1Table(), {entry(user1Table(), 12, s("Greeter"))});
    writeTable(folder, user2Table(), {entry(user2Table(), 21, s("Talents"))});
    writeSetup(folder, offices, talents, activities, user1, user2, user1Name, user2Name);
}

OpenListDirectory::OpenListDirectory()
{
    writeListDirectory(folder.path());
    conn.setPath(folder.path());
    conn.connect();
    setup = readSetupOf(conn);
}

} // namespace rost::test
