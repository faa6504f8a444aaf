#include "app/FamilyDisplay.h"

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

QTEST_GUILESS_MAIN(FamilyDisplayTest)
#include "FamilyDisplayTest.moc"
