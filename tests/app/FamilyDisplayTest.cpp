#include "app/FamilyDisplay.h"
#include "directory/Cursor.h"
#include "directory/RostConnection.h"
#include "directory/Tables.h"

#include "Fixture.h"
#include "TestFolder.h"

#include <QTest>

using namespace rost;

class FamilyDisplayTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void addressBlock_data();
    void addressBlock();
    void nameLine_data();
    void nameLine();
    void phonesLine_data();
    void phonesLine();
    void fromCursorRows();
    void memberTabs();
};

void FamilyDisplayTest::addressBlock_data()
{
    QTest::addColumn<QStringList>("fields"); // Address1 Address2 City State Zip Country Intl
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("full") << QStringList{"12 Oak St", "Apt 4", "Springfield", "IL", "62701",
                                         "USA",       ""}
                          << QStringList{"12 Oak St", "Apt 4", "Springfield IL  62701", "USA"};
    QTest::newRow("empty state keeps both gaps")
        << QStringList{"", "", "Springfield", "", "12345", "", ""}
        << QStringList{"Springfield   12345"};
    QTest::newRow("no city: state and zip dropped")
        << QStringList{"1 Main", "", "", "IL", "62701", "", ""} << QStringList{"1 Main"};
    QTest::newRow("city alone ends in blanks")
        << QStringList{"", "", "Paris", "", "", "", ""} << QStringList{"Paris   "};
    QTest::newRow("only address2")
        << QStringList{"", "PO Box 9", "", "", "", "", ""} << QStringList{"PO Box 9"};
    QTest::newRow("nothing") << QStringList{"", "", "", "", "", "", ""} << QStringList{};
    QTest::newRow("intl replaces everything")
        << QStringList{"12 Oak St", "Apt 4", "Springfield",         "IL",
                       "62701",     "USA",   "Flat 2\r\nLondon NW1"}
        << QStringList{"Flat 2", "London NW1"};
    QTest::newRow("intl with lone LF and trailing break")
        << QStringList{"", "", "", "", "", "", "A\nB\n"} << QStringList{"A", "B"};
    QTest::newRow("intl keeps an inner empty line")
        << QStringList{"", "", "", "", "", "", "A\r\rB"} << QStringList{"A", "", "B"};
}

void FamilyDisplayTest::addressBlock()
{
    QFETCH(QStringList, fields);
    QFETCH(QStringList, expected);
    const DisplayedAddress a{fields[0], fields[1], fields[2], fields[3],
                             fields[4], fields[5], fields[6]};
    QCOMPARE(FamilyDisplay::addressBlock(a), expected);
}

void FamilyDisplayTest::nameLine_data()
{
    // Title First Middle Last Suffix GoesBy
    QTest::addColumn<QStringList>("fields");
    QTest::addColumn<QString>("expected");
    QTest::newRow("example") << QStringList{"Dr", "William", "", "Smith", "Jr", "Bill"}
                             << QStringLiteral("Dr William Smith Jr  (Goes by Bill) ");
    QTest::newRow("goes by equals first")
        << QStringList{"", "Ann", "Marie", "Lee", "", "Ann"} << QStringLiteral("Ann Marie Lee   ");
    QTest::newRow("goes by empty")
        << QStringList{"", "Ann", "", "Lee", "", ""} << QStringLiteral("Ann Lee   (Goes by ) ");
    QTest::newRow("goes by differs only in case") << QStringList{"", "ann", "", "Lee", "", "Ann"}
                                                  << QStringLiteral("ann Lee   (Goes by Ann) ");
    QTest::newRow("empty member") << QStringList{"", "", "", "", "", ""} << QStringLiteral("    ");
    QTest::newRow("no first name") << QStringList{"Mrs", "", "", "Jones", "", "Peg"}
                                   << QStringLiteral("Mrs  Jones   (Goes by Peg) ");
}

void FamilyDisplayTest::nameLine()
{
    QFETCH(QStringList, fields);
    QFETCH(QString, expected);
    MemberLineFields m;
    m.Title = fields[0];
    m.FirstName = fields[1];
    m.MiddleName = fields[2];
    m.LastName = fields[3];
    m.Suffix = fields[4];
    m.GoesBy = fields[5];
    QCOMPARE(FamilyDisplay::nameLine(m), expected);
}

void FamilyDisplayTest::phonesLine_data()
{
    // Work Fax Cell Pager Label Other
    QTest::addColumn<QStringList>("fields");
    QTest::addColumn<QString>("expected");
    QTest::newRow("example") << QStringList{"", "", "555-0100", "", "Home2", "555-0199"}
                             << QStringLiteral("Cell: 555-0100   Home2: 555-0199");
    QTest::newRow("all empty") << QStringList{"", "", "", "", "", ""} << QString();
    QTest::newRow("pager only") << QStringList{"", "", "", "555-7", "", ""}
                                << QStringLiteral("Pager: 555-7   ");
    QTest::newRow("all, in order") << QStringList{"1", "2", "3", "4", "Lake", "5"}
                                   << QStringLiteral("Work: 1   Fax: 2   Cell: 3   Pager: 4   "
                                                     "Lake: 5");
    QTest::newRow("label without number adds nothing")
        << QStringList{"1", "", "", "", "Lake", ""} << QStringLiteral("Work: 1   ");
    QTest::newRow("number without label")
        << QStringList{"", "", "", "", "", "9"} << QStringLiteral(": 9");
}

void FamilyDisplayTest::phonesLine()
{
    QFETCH(QStringList, fields);
    QFETCH(QString, expected);
    MemberLineFields m;
    m.WorkPhone = fields[0];
    m.Fax = fields[1];
    m.Cell = fields[2];
    m.Pager = fields[3];
    m.OtherPhoneLabel = fields[4];
    m.OtherPhone = fields[5];
    QCOMPARE(FamilyDisplay::phonesLine(m), expected);
}

void FamilyDisplayTest::fromCursorRows()
{
    // Blank-only fields read as empty, so they add no line and no goes-by part.
    test::TestFolder folder;
    auto fam = test::family(5, QStringLiteral("Smith"));
    fam.insert(QLatin1String(fld::Address1), QStringLiteral("12 Oak St   "));
    fam.insert(QLatin1String(fld::Address2), QStringLiteral("     "));
    fam.insert(QLatin1String(fld::City), QStringLiteral("Springfield"));
    fam.insert(QLatin1String(fld::Zip), QStringLiteral("12345"));
    test::writeTable(folder.path(), familiesTable(), {fam});
    auto ind = test::person(1, 5, 1, QStringLiteral("Ann"), QStringLiteral("Smith"), {},
                            QStringLiteral("Ann  "));
    ind.insert(QLatin1String(fld::Pager), QStringLiteral("555-7  "));
    test::writeTable(folder.path(), individualsTable(), {ind});

    RostConnection connection;
    connection.setPath(folder.path());
    connection.connect();
    Cursor tbFam(connection, QLatin1String(tbl::Families));
    Cursor tbInd(connection, QLatin1String(tbl::Individuals));
    tbFam.open();
    tbInd.open();
    QCOMPARE(FamilyDisplay::addressBlock(FamilyDisplay::displayedAddress(tbFam)),
             (QStringList{"12 Oak St", "Springfield   12345"}));
    const MemberLineFields m = FamilyDisplay::memberFields(tbInd);
    QCOMPARE(FamilyDisplay::nameLine(m), QStringLiteral("Ann Smith   "));
    QCOMPARE(FamilyDisplay::phonesLine(m), QStringLiteral("Pager: 555-7   "));
}

void FamilyDisplayTest::memberTabs()
{
    test::TestFolder folder;
    test::writeTable(folder.path(), familiesTable(),
                     {test::family(0, QStringLiteral("Nobody")),
                      test::family(7, QStringLiteral("Big")),
                      test::family(8, QStringLiteral("Pair"))});
    std::vector<test::Row> people;
    people.push_back(test::person(900, 0, 1, QStringLiteral("Stray"), QStringLiteral("X")));
    // Twenty-two members of family 7, written in reverse rank order.
    for (int rank = 22; rank >= 1; --rank)
        people.push_back(test::person(100 + rank, 7, rank, QStringLiteral("M%1").arg(rank),
                                      QStringLiteral("Big")));
    people.push_back(test::person(202, 8, 2, QStringLiteral("Second"), QStringLiteral("Pair")));
    people.push_back(test::person(201, 8, 1, QStringLiteral("First"), QStringLiteral("Pair")));
    test::writeTable(folder.path(), individualsTable(), people);

    RostConnection connection;
    connection.setPath(folder.path());
    connection.connect();
    Cursor tbFam(connection, QLatin1String(tbl::Families));
    Cursor tbInd(connection, QLatin1String(tbl::Individuals));
    tbInd.setIndexName(QLatin1String(idx::FamilyIdRankOrder));
    tbInd.setMasterSource(&tbFam, QLatin1String(fld::FamilyIdNum));
    tbInd.open();
    tbFam.open();

    // Family number 0 has no tabs although an individual carries that number.
    QVERIFY(tbInd.hasRow());
    QVERIFY(FamilyDisplay::memberTabs(tbFam, tbInd).empty());

    tbFam.next();
    const auto big = FamilyDisplay::memberTabs(tbFam, tbInd);
    QCOMPARE(int(big.size()), MaxMemberTabs);
    QCOMPARE(big.front().IndivId, 101);
    QCOMPARE(big.front().GoesBy, QStringLiteral("M1"));
    QCOMPARE(big.back().IndivId, 120);

    tbFam.next();
    const auto pair = FamilyDisplay::memberTabs(tbFam, tbInd);
    QCOMPARE(int(pair.size()), 2);
    QCOMPARE(pair[0].GoesBy, QStringLiteral("First"));
    QCOMPARE(pair[1].GoesBy, QStringLiteral("Second"));
}

QTEST_GUILESS_MAIN(FamilyDisplayTest)
#include "FamilyDisplayTest.moc"
