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
inline constexpr char Families[] = "RostFamilies.adt";
inline constexpr char Individuals[] = "RostIndividuals.adt";
inline constexpr char Setup[] = "RostSetup.adt";
inline constexpr char Offices[] = "RostOffices.adt";
inline constexpr char Talents[] = "RostTalents.adt";
inline constexpr char Activities[] = "RostActivities.adt";
inline constexpr char User1[] = "RostUser1.adt";
inline constexpr char User2[] = "RostUser2.adt";
// The spelling of the presence test at start-up and after an import.
inline constexpr char FamiliesPresenceName[] = "RostFamilies.ADT";
} // namespace tbl

namespace fld {
// Families
inline constexpr char RostIdNum[] = "Rost ID Num";
inline constexpr char FamilyIdNum[] = "Family ID Num";
inline constexpr char FamilyName[] = "Family Name";
inline constexpr char VorelName[] = "Vorel Name";
inline constexpr char Address1[] = "Address1";
inline constexpr char Address2[] = "Address2";
inline constexpr char City[] = "City";
inline constexpr char State[] = "State";
inline constexpr char Zip[] = "Zip";
inline constexpr char Country[] = "Country";
inline constexpr char IntlAddress[] = "IntlAddress";
inline constexpr char HomePhone[] = "Home Phone";
inline constexpr char FamilyPicture[] = "Family Picture";
// Individuals
inline constexpr char RostIndIdNum[] = "Rost Ind ID Num";
inline constexpr char IndivIdNum[] = "Indiv ID Num";
inline constexpr char FamilyRankOrder[] = "Family Rank Order";
inline constexpr char Title[] = "Title";
inline constexpr char GoesBy[] = "Goes By";
inline constexpr char FirstName[] = "First Name";
inline constexpr char MiddleName[] = "Middle Name";
inline constexpr char LastName[] = "Last Name";
inline constexpr char Suffix[] = "Suffix";
inline constexpr char EMailAddress[] = "EMail Address";
inline constexpr char FamilyStatus[] = "Family Status";
inline constexpr char WorkPhone[] = "Work Phone";
inline constexpr char Fax[] = "Fax";
inline constexpr char Cell[] = "Cell";
inline constexpr char Pager[] = "Pager";
inline constexpr char OtherPhoneLabel[] = "Other Phone Label";
inline constexpr char OtherPhone[] = "Other Phone";
// Setup
inline constexpr char RostSetupIdNum[] = "Rost Setup ID Num";
inline constexpr char UseOffices[] = "Use Offices";
inline constexpr char UseTalents[] = "Use Talents";
inline constexpr char UseActivities[] = "Use Activities";
inline constexpr char UseUser1[] = "Use User 1";
inline constexpr char UseUser2[] = "Use User 2";
inline constexpr char User1Name[] = "User 1 Name";
inline constexpr char User2Name[] = "User 2 Name";
// List tables
inline constexpr char Office[] = "Office";
inline constexpr char Talent[] = "Talent";
inline constexpr char Activity[] = "Activity";
inline constexpr char User1Item[] = "User 1 Item";
inline constexpr char User2Item[] = "User 2 Item";
} // namespace fld

namespace idx {
inline constexpr char FamilyIdNumOrder[] = "FAMILY ID NUM ORDER";
inline constexpr char FamilyNameOrder[] = "FAMILY NAME ORDER";
inline constexpr char IndivIdNumOrder[] = "INDIV ID NUM ORDER";
inline constexpr char LastNameAndGoesByOrder[] = "LAST NAME AND GOES BY ORDER";
inline constexpr char LastNameAndFirstNameOrder[] = "LAST NAME AND FIRST NAME ORDER";
inline constexpr char FamilyIdRankOrder[] = "FAMILY ID RANK ORDER";
} // namespace idx

namespace status {
inline constexpr char Husband[] = "Husband";
inline constexpr char Wife[] = "Wife";
inline constexpr char Partner[] = "Partner";
} // namespace status

enum class FieldKind { AutoInc, Short, Integer, Logical, Char, Blob };

struct FieldDef
{
    const char *name;
    FieldKind kind;
    int width = 0;       // characters, for Char fields
    bool noCase = false; // key column of a name index: compares without regard to case
};

struct IndexDef
{
    const char *name;
    std::vector<const char *> keys; // the documented keys; a tiebreak may follow in the file
};

struct TableDef
{
    const char *file;  // "RostFamilies.adt"
    const char *table; // "RostFamilies": the table inside the file, and its name in SQL
    std::vector<FieldDef> fields;
    std::vector<IndexDef> indexes;
    // Fields the program reads; a file that lacks one of them is refused when it is opened.
    std::vector<const char *> required;

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
