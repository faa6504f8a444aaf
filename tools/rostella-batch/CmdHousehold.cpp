#include "Command.h"
#include "DataContext.h"

#include "app/FamilyBrowser.h"

#include <QTextStream>

namespace rost::batch {

namespace {

constexpr Option FamilyNumber{"family", "N", "the family's Family ID Num", IdNumbers};
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
void printFamily(QTextStream &out, FamilyBrowser &browser)
{
    const FamilyView family = browser.familyView();
    out << "Family: " << family.familyId << '\n';
    out << "Name: " << family.name << '\n';
    out << "Phone: " << family.phone << '\n';
    out << "Address:\n";
    for (const QString &line : family.address)
        out << "  " << line << '\n';
    const MemberTabs &tabs = browser.rebuildMemberTabs(1);
    for (int k = 0; k < int(tabs.tabs.size()); ++k) {
        browser.selectMemberTab(k);
        const MemberView member = browser.memberView();
        out << "Tab " << (k + 1) << ": " << tabs.tabs[size_t(k)].goesBy << '\n';
        out << "  Name: " << member.nameLine << '\n';
        out << "  Phones: " << member.phonesLine << '\n';
        out << "  E-Mail: " << member.eMail << '\n';
    }
}

int cmdHousehold(const Arguments &opt, DataContext &data)
{
    const bool all = opt.isSet(All);
    const int familyId = opt.number(FamilyNumber, 0);

    // The window's own browsing: families in the table's row order, members in rank order.
    FamilyBrowser browser;
    browser.open(data.folder());

    QTextStream out(stdout);
    out.setEncoding(QStringConverter::Utf8);
    if (!all) {
        if (!browser.locateFamily(FamilyId(familyId)))
            throw Failure{QStringLiteral("No family %1").arg(familyId), 1};
        printFamily(out, browser);
        return 0;
    }
    // Every family in file order, a blank line between two.
    Cursor &families = browser.families();
    families.first();
    while (families.hasRow()) {
        printFamily(out, browser);
        families.next();
        if (families.eof())
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
                           {oneOf({FamilyNumber, All})}, cmdHousehold);
}

} // namespace rost::batch
