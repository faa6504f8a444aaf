#include "Commands.h"

#include "app/FamilyBrowser.h"

#include <QTextStream>

namespace rost::batch {

namespace {

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

} // namespace

int cmdHousehold(const QStringList &args)
{
    const Options opt(args, {QStringLiteral("data"), QStringLiteral("family")},
                      {QStringLiteral("all")});
    const bool all = opt.has(QStringLiteral("all"));
    if (all == opt.has(QStringLiteral("family")))
        throw Failure{QStringLiteral("Give either --family N or --all."), 2};
    const int familyId = opt.intValue(QStringLiteral("family"), 0);

    FamilyBrowser browser;
    browser.open(opt.required(QStringLiteral("data")));

    QTextStream out(stdout);
    out.setEncoding(QStringConverter::Utf8);
    if (!all) {
        if (familyId != FamilyId(familyId) || !browser.locateFamily(FamilyId(familyId)))
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

} // namespace rost::batch
