#include "app/FamilyBrowser.h"
#include "browse/FoundIndividual.h"
#include "directory/DataFolderBusy.h"
#include "directory/DataFolderLock.h"
#include "directory/TableCheck.h"
#include "directory/Tables.h"

#include "Fixture.h"
#include "TestFolder.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTest>

using namespace rost;

namespace {

// Families in a row order that is neither by number nor by name; family 7 has twenty-two
// members written in reverse rank order.
void writeDirectory(const QString &folder)
{
    auto smith = test::family(5, QStringLiteral("Smith"));
    // Blank-only fields read as empty, so they add no line and no goes-by part.
    smith.insert(fld::Address1, QStringLiteral("12 Oak St   "));
    smith.insert(fld::Address2, QStringLiteral("     "));
    smith.insert(fld::City, QStringLiteral("Springfield"));
    smith.insert(fld::Zip, QStringLiteral("12345"));
    smith.insert(fld::HomePhone, QStringLiteral("555-0001"));
    auto intl = test::family(9, QStringLiteral("Abroad"));
    intl.insert(fld::IntlAddress, QStringLiteral("Flat 2\r\nLondon"));
    test::writeTable(folder, familiesTable(),
                     {smith, test::family(0, QStringLiteral("Nobody")),
                      test::family(7, QStringLiteral("Big")), intl,
                      test::family(8, QStringLiteral("Alone"))});
    std::vector<test::Row> people;
    auto ann = test::person(1, 5, 1, QStringLiteral("Ann"), QStringLiteral("Smith"), {},
                            QStringLiteral("Ann  "));
    ann.insert(fld::Pager, QStringLiteral("555-7  "));
    ann.insert(fld::EMailAddress, QStringLiteral("ann@example.org"));
    people.push_back(ann);
    people.push_back(test::person(2, 5, 2, QStringLiteral("Bob"), QStringLiteral("Smith")));
    people.push_back(test::person(900, 0, 1, QStringLiteral("Stray"), QStringLiteral("X")));
    for (int rank = 22; rank >= 1; --rank)
        people.push_back(test::person(100 + rank, 7, rank, QStringLiteral("M%1").arg(rank),
                                      QStringLiteral("Big")));
    test::writeTable(folder, individualsTable(), people);
    test::writeSetup(folder, false, true, false, true, false, QStringLiteral("Choir"));
}

QStringList captions(const MemberTabs &tabs)
{
    QStringList list;
    for (const MemberTab &t : tabs.tabs)
        list << t.goesBy;
    return list;
}

} // namespace

class FamilyBrowserTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void opensOnTheFirstFamilyWithItsSetup();
    void memberTabsOfEveryKindOfFamily_data();
    void memberTabsOfEveryKindOfFamily();
    void everyMemberPastTheTwentiethIsReachable();
    void findsMoveTheFamilies();
    void closedBrowserShowsNothing();
    void checksAheadOnlyWhenNoImportHoldsTheFolder();
};

void FamilyBrowserTest::opensOnTheFirstFamilyWithItsSetup()
{
    test::TestFolder folder;
    writeDirectory(folder.path());
    FamilyBrowser browser;
    browser.open(folder.path());
    QVERIFY(browser.isOpen());
    QVERIFY(browser.setup().UseTalents);
    QVERIFY(browser.setup().UseUser1);
    QVERIFY(!browser.setup().UseOffices);
    QCOMPARE(browser.setup().User1Name, QStringLiteral("Choir"));

    const FamilyView family = browser.familyView();
    QCOMPARE(family.familyId, FamilyId(5));
    QCOMPARE(family.name, QStringLiteral("Smith"));
    QCOMPARE(family.phone, QStringLiteral("555-0001"));
    QCOMPARE(family.address, (QStringList{"12 Oak St", "Springfield   12345"}));
    QVERIFY(!family.intlAddress);

    browser.rebuildMemberTabs(1);
    const MemberView member = browser.memberView();
    QCOMPARE(member.nameLine, QStringLiteral("Ann Smith   "));
    QCOMPARE(member.phonesLine, QStringLiteral("Pager: 555-7   "));
    QCOMPARE(member.eMail, QStringLiteral("ann@example.org"));
    QCOMPARE(browser.currentIndivId(), IndivId(1));
}

void FamilyBrowserTest::memberTabsOfEveryKindOfFamily_data()
{
    QTest::addColumn<int>("familyId");
    QTest::addColumn<int>("position");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<QStringList>("tabs");
    QTest::addColumn<int>("selected");
    QTest::addColumn<int>("current"); // Indiv ID Num of the current member, 0 for none
    QTest::newRow("first tab") << 5 << 1 << true << QStringList{"Ann", "Bob"} << 0 << 1;
    QTest::newRow("second tab") << 5 << 2 << true << QStringList{"Ann", "Bob"} << 1 << 2;
    QTest::newRow("rank past the last member selects the first")
        << 5 << 3 << true << QStringList{"Ann", "Bob"} << 0 << 1;
    QTest::newRow("rank 0 selects the first")
        << 5 << 0 << true << QStringList{"Ann", "Bob"} << 0 << 1;
    // Individuals carry family number 0, so the row is enabled, but that family gets no tabs.
    QTest::newRow("family number 0") << 0 << 1 << true << QStringList{} << -1 << 900;
    QTest::newRow("no members") << 8 << 1 << false << QStringList{} << -1 << 0;
}

void FamilyBrowserTest::memberTabsOfEveryKindOfFamily()
{
    QFETCH(int, familyId);
    QFETCH(int, position);
    QFETCH(bool, enabled);
    QFETCH(QStringList, tabs);
    QFETCH(int, selected);
    QFETCH(int, current);
    test::TestFolder folder;
    writeDirectory(folder.path());
    FamilyBrowser browser;
    browser.open(folder.path());
    QVERIFY(browser.locateFamily(FamilyId(familyId)));
    const MemberTabs &built = browser.rebuildMemberTabs(position);
    QCOMPARE(built.enabled, enabled);
    QCOMPARE(captions(built), tabs);
    QCOMPARE(built.selected, selected);
    QCOMPARE(int(browser.currentIndivId()), current);
}

void FamilyBrowserTest::everyMemberPastTheTwentiethIsReachable()
{
    test::TestFolder folder;
    writeDirectory(folder.path());
    FamilyBrowser browser;
    browser.open(folder.path());
    QVERIFY(browser.locateFamily(7));
    const MemberTabs &tabs = browser.rebuildMemberTabs(22);
    QCOMPARE(int(tabs.tabs.size()), 22);
    QCOMPARE(tabs.tabs.front().goesBy, QStringLiteral("M1"));
    QCOMPARE(tabs.tabs.back().goesBy, QStringLiteral("M22"));
    QCOMPARE(tabs.selected, 21);
    QCOMPARE(browser.currentIndivId(), IndivId(122));
    QVERIFY(browser.selectMemberTab(20));
    QCOMPARE(browser.memberView().nameLine, QStringLiteral("M21 Big   "));
    QVERIFY(!browser.selectMemberTab(22));
}

void FamilyBrowserTest::findsMoveTheFamilies()
{
    test::TestFolder folder;
    writeDirectory(folder.path());
    FamilyBrowser browser;
    browser.open(folder.path());

    // A family find leaves the families in name order: Big, then Nobody, then Smith.
    QVERIFY(browser.goToFamily(7));
    QCOMPARE(browser.familyView().name, QStringLiteral("Big"));
    browser.families().next();
    QCOMPARE(browser.familyView().name, QStringLiteral("Nobody"));
    QVERIFY(!browser.goToFamily(77));
    QCOMPARE(browser.familyView().name, QStringLiteral("Nobody"));

    QVERIFY(browser.goToFamilyOf(FoundIndividual{9, 0, 1}));
    QCOMPARE(browser.familyView().address, (QStringList{"Flat 2", "London"}));
    QVERIFY(browser.familyView().intlAddress);
    const FoundIndividual lost{42, 5, 3};
    QVERIFY(!browser.goToFamilyOf(lost));
    QCOMPARE(browser.familyView().familyId, FamilyId(9));
    QCOMPARE(lost.locateFailedText(),
             QStringLiteral("Locate failed.\rFamID  = 42\rNameID = 5\rRank   = 3"));
}

void FamilyBrowserTest::closedBrowserShowsNothing()
{
    test::TestFolder folder;
    writeDirectory(folder.path());
    FamilyBrowser browser;
    browser.open(folder.path());
    browser.close();
    QVERIFY(!browser.isOpen());
    QVERIFY(!browser.connection().isConnected());
    QCOMPARE(browser.familyView().name, QString());
    QCOMPARE(browser.memberView().nameLine, QString());
    QCOMPARE(browser.currentIndivId(), IndivId(0));
    QVERIFY(!browser.rebuildMemberTabs(1).enabled);
}

// The checks made at start, beside the window being built, read nothing while an import holds the
// folder, and do not wait for it; once it is free they leave verdicts the open then finds.
void FamilyBrowserTest::checksAheadOnlyWhenNoImportHoldsTheFolder()
{
    test::TestFolder folder;
    writeDirectory(folder.path());
    const QString note = QDir(folder.path()).filePath(CheckedTablesFile);
    {
        const DataFolderLock import(folder.path(), DataFolderLock::Mode::Exclusive);
        QElapsedTimer waited;
        waited.start();
        QVERIFY_THROWS_EXCEPTION(DataFolderBusy, FamilyBrowser::checkTablesAhead(folder.path()));
        QVERIFY(waited.elapsed() < DataFolderLock::ReadWait.count() / 10);
        QVERIFY(!QFileInfo::exists(note));
    }
    FamilyBrowser::checkTablesAhead(folder.path());
    QFile noted(note);
    QVERIFY(noted.open(QIODevice::ReadOnly));
    const QByteArray text = noted.readAll();
    for (const QLatin1String table : {tbl::Individuals, tbl::Families, tbl::Setup})
        QVERIFY2(text.contains(QByteArray(table.data(), table.size()) + '\t'), table.data());
    FamilyBrowser browser;
    browser.open(folder.path());
    QCOMPARE(browser.familyView().name, QStringLiteral("Smith"));
}

QTEST_GUILESS_MAIN(FamilyBrowserTest)
#include "FamilyBrowserTest.moc"
