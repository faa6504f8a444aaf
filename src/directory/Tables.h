#pragma once

#include <QString>

#include <vector>

// The directory's table layouts: file, table, field and index names in one place. Field names are
// the ones the tables carry; the program addresses fields by these names only.
namespace rost {

// The directory's numbers for a family and a person: 16-bit signed in the tables, and passed
// between the parts of the program as such.
using FamilyId = qint16;
using IndivId = qint16;

namespace tbl {
inline constexpr QLatin1String Families("RostFamilies.adt");
inline constexpr QLatin1String Individuals("RostIndividuals.adt");
inline constexpr QLatin1String Setup("RostSetup.adt");
inline constexpr QLatin1String Offices("RostOffices.adt");
inline constexpr QLatin1String Talents("RostTalents.adt");
inline constexpr QLatin1String Activities("RostActivities.adt");
inline constexpr QLatin1String User1("RostUser1.adt");
inline constexpr QLatin1String User2("RostUser2.adt");
// The spelling of the presence test at start-up and after an import.
inline constexpr QLatin1String FamiliesPresenceName("RostFamilies.ADT");
} // namespace tbl

namespace fld {
// Families
inline constexpr QLatin1String RostIdNum("Rost ID Num");
inline constexpr QLatin1String FamilyIdNum("Family ID Num");
inline constexpr QLatin1String FamilyName("Family Name");
inline constexpr QLatin1String VorelName("Vorel Name");
inline constexpr QLatin1String Address1("Address1");
inline constexpr QLatin1String Address2("Address2");
inline constexpr QLatin1String City("City");
inline constexpr QLatin1String State("State");
inline constexpr QLatin1String Zip("Zip");
inline constexpr QLatin1String Country("Country");
inline constexpr QLatin1String IntlAddress("IntlAddress");
inline constexpr QLatin1String HomePhone("Home Phone");
inline constexpr QLatin1String FamilyPicture("Family Picture");
// Individuals
inline constexpr QLatin1String RostIndIdNum("Rost Ind ID Num");
inline constexpr QLatin1String IndivIdNum("Indiv ID Num");
inline constexpr QLatin1String FamilyRankOrder("Family Rank Order");
inline constexpr QLatin1String Title("Title");
inline constexpr QLatin1String GoesBy("Goes By");
inline constexpr QLatin1String FirstName("First Name");
inline constexpr QLatin1String MiddleName("Middle Name");
inline constexpr QLatin1String LastName("Last Name");
inline constexpr QLatin1String Suffix("Suffix");
inline constexpr QLatin1String EMailAddress("EMail Address");
inline constexpr QLatin1String FamilyStatus("Family Status");
inline constexpr QLatin1String WorkPhone("Work Phone");
inline constexpr QLatin1String Fax("Fax");
inline constexpr QLatin1String Cell("Cell");
inline constexpr QLatin1String Pager("Pager");
inline constexpr QLatin1String OtherPhoneLabel("Other Phone Label");
inline constexpr QLatin1String OtherPhone("Other Phone");
// Setup
inline constexpr QLatin1String RostSetupIdNum("Rost Setup ID Num");
inline constexpr QLatin1String UseOffices("Use Offices");
inline constexpr QLatin1String UseTalents("Use Talents");
inline constexpr QLatin1String UseActivities("Use Activities");
inline constexpr QLatin1String UseUser1("Use User 1");
inline constexpr QLatin1String UseUser2("Use User 2");
inline constexpr QLatin1String User1Name("User 1 Name");
inline constexpr QLatin1String User2Name("User 2 Name");
// List tables
inline constexpr QLatin1String Office("Office");
inline constexpr QLatin1String Talent("Talent");
inline constexpr QLatin1String Activity("Activity");
inline constexpr QLatin1String User1Item("User 1 Item");
inline constexpr QLatin1String User2Item("User 2 Item");
} // namespace fld

// The name of an index of a table, which a cursor walks in that order. Only the constants below
// name indexes, so that no order is chosen by a stray text; the engine matches them without regard
// to case. The empty name is the table's own row order.
class IndexName
{
public:
    constexpr IndexName() = default;
    constexpr explicit IndexName(QLatin1String name) : m_name(name) {}
    constexpr QLatin1String name() const { return m_name; }
    bool isEmpty() const { return m_name.isEmpty(); }

private:
    QLatin1String m_name;
};

namespace idx {
inline constexpr IndexName FamilyIdNumOrder{QLatin1String("FAMILY ID NUM ORDER")};
inline constexpr IndexName FamilyNameOrder{QLatin1String("FAMILY NAME ORDER")};
inline constexpr IndexName IndivIdNumOrder{QLatin1String("INDIV ID NUM ORDER")};
inline constexpr IndexName LastNameAndGoesByOrder{QLatin1String("LAST NAME AND GOES BY ORDER")};
inline constexpr IndexName LastNameAndFirstNameOrder{
    QLatin1String("LAST NAME AND FIRST NAME ORDER")};
inline constexpr IndexName FamilyIdRankOrder{QLatin1String("FAMILY ID RANK ORDER")};
} // namespace idx

namespace status {
inline constexpr QLatin1String Husband("Husband");
inline constexpr QLatin1String Wife("Wife");
inline constexpr QLatin1String Partner("Partner");
} // namespace status

enum class FieldKind { AutoInc, Short, Integer, Logical, Char, Blob };

struct FieldDef
{
    QLatin1String name;
    FieldKind kind;
    int width = 0;       // characters, for Char fields
    bool noCase = false; // key column of a name index: compares without regard to case
};

struct IndexDef
{
    IndexName name;
    std::vector<QLatin1String> keys; // the documented keys; a tiebreak may follow in the file
};

struct TableDef
{
    QLatin1String file;  // "RostFamilies.adt"
    QLatin1String table; // "RostFamilies": the table inside the file, and its name in SQL
    std::vector<FieldDef> fields;
    std::vector<IndexDef> indexes;
    // Fields the program reads; a file that lacks one of them is refused when it is opened.
    std::vector<QLatin1String> required;

    const FieldDef *field(const QString &name) const;
};

const TableDef &familiesTable();
const TableDef &individualsTable();
const TableDef &setupTable();
const TableDef &officesTable();
const TableDef &talentsTable();
const TableDef &activitiesTable();
const TableDef &user1Table();
const TableDef &user2Table();
const std::vector<const TableDef *> &allTables();

// The known table whose file name or table name matches, without regard to case and with or
// without the ".adt" extension; nullptr when there is none.
const TableDef *findTableDef(const QString &fileOrTable);

} // namespace rost
