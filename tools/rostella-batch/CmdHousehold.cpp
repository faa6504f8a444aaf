#include "Command.h"
#include "DataContext.h"

#include "app/FamilyDisplay.h"
#include "directory/Cursor.h"
#include "directory/RostConnection.h"
#include "directory/Tables.h"

#include <QTextStream>

namespace rost::batch {

namespace {

constexpr Option FamilyId{"family", "N", "the family's Family ID Num", IdNumbers};
constexpr Option All{"all", nullptr, "every family in file order, a blank line between two"};

// One family as the main window shows it:
//   Family: <Family ID Num>
//   Name: <Vorel Name>
//   Phone: <Home Phone>
//   Address:
//     <each line of the address block>
//   Tab <k>: <Goes By>
//     Name: <name line>
//     Phones: <phones line>
//     E-Mail: <EMail Address>
// Lines keep their blanks exactly; the name line always ends in blanks.
void printFamily(QTextStream &out, Cursor &tbFam, Cursor &tbInd)
{
    out << "Family: " << tbFam.integer(QLatin1String(fld::FamilyIdNum)) << '\n';
    out << "Name: " << tbFam.text(QLatin1String(fld::VorelName)) << '\n';
    out << "Phone: " << tbFam.text(QLatin1String(fld::HomePhone)) << '\n';
    out << "Address:\n";
    for (const QString &line : FamilyDisplay::addressBlock(FamilyDisplay::displayedAddress(tbFam)))
        out << "  " << line << '\n';
    const std::vector<MemberTab> tabs = FamilyDisplay::memberTabs(tbFam, tbInd);
    for (size_t k = 0; k < tabs.size(); ++k) {
        tbInd.locate(QLatin1String(fld::IndivIdNum), tabs[k].IndivId);
        const MemberLineFields m = FamilyDisplay::memberFields(tbInd);
        out << "Tab " << (k + 1) << ": " << tabs[k].GoesBy << '\n';
        out << "  Name: " << FamilyDisplay::nameLine(m) << '\n';
        out << "  Phones: " << FamilyDisplay::phonesLine(m) << '\n';
        out << "  E-Mail: " << tbInd.text(QLatin1String(fld::EMailAddress)) << '\n';
    }
}

int cmdHousehold(const Arguments &opt, DataContext &data)
{
    const bool all = opt.isSet(All);
    const int familyId = opt.number(FamilyId, 0);

    RostConnection &connection = data.connection();
    // The window's own cursors: families in the table's row order, members in rank order.
    Cursor tbFam(connection, QLatin1String(tbl::Families));
    Cursor tbInd(connection, QLatin1String(tbl::Individuals));
    tbInd.setIndexName(QLatin1String(idx::FamilyIdRankOrder));
    tbInd.setMasterSource(&tbFam, QLatin1String(fld::FamilyIdNum));
    tbInd.open();
    tbFam.open();

    QTextStream out(stdout);
    out.setEncoding(QStringConverter::Utf8);
    if (!all) {
        if (!tbFam.locate(QLatin1String(fld::FamilyIdNum), familyId))
            throw Failure{QStringLiteral("No family %1").arg(familyId), 1};
        printFamily(out, tbFam, tbInd);
        return 0;
    }
    // Every family in file order, a blank line between two.
    tbFam.first();
    while (tbFam.hasRow()) {
        printFamily(out, tbFam, tbInd);
        tbFam.next();
        if (tbFam.eof())
            break;
        out << '\n';
    }
    return 0;
}

} // namespace

Command householdCommand()
{
    return Command::onData("household",
                           "What the main window shows for a family: name, phone, address block, "
                           "and each member's tab.",
                           {oneOf({FamilyId, All})}, cmdHousehold);
}

} // namespace rost::batch
