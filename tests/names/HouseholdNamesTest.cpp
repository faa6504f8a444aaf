#include "directory/Cursor.h"
#include "directory/RostConnection.h"
#include "directory/Tables.h"
#include "names/HouseholdNameComposer.h"
#include "names/NamesError.h"

#include "Fixture.h"
#include "TestFolder.h"

#include <QtTest>

using namespace rost;
using namespace rost::test;

namespace {

Row withField(Row row, QLatin1String field, const QVariant &value)
{
    row.insert(field, value);
    return row;
}

QStringList allLines(const HouseholdNames &names)
{
    QStringList lines;
    for (NameLine line : allNameLines())
        lines << names.line(line);
    return lines;
}

} // namespace

class HouseholdNamesTest : public QObject
{
    Q_OBJECT

private:
    TestFolder *m_folder = nullptr;
    RostConnection m_conn;

    void writeDirectory()
    {
        const auto s = [](const char *text) { return QString::fromUtf8(text); };
        writeTable(m_folder->path(), familiesTable(),
                   {family(1, s("Smith")), family(2, s("Doe")), family(3, s("Lee"))});
        // Rows stored out of rank and key order on purpose: the search must follow the index.
        writeTable(
            m_folder->path(), individualsTable(),
            {
                // The worked example.
                person(12, 1, 2, s("Matilda"), s("Smith"), s("Wife"), s("Mattie"), s("Mrs")),
                person(11, 1, 1, s("William"), s("Smith"), s("Husband"), s("Bill"), s("Mr")),
                // The wife ranked after the children.
                person(24, 2, 4, s("Jane"), s("Doe"), s("Wife"), s("Janey"), s("Mrs")),
                person(22, 2, 2, s("Amy"), s("Doe"), s("Minor Child")),
                person(21, 2, 1, s("John"), s("Doe"), s("Husband"), s("Jack"), s("Dr.")),
                person(23, 2, 3, s("Ben"), s("Doe"), s("Minor Child")),
                // A wife without a husband; the next family opens with a husband.
                person(31, 3, 1, s("Ann"), s("Lee"), s("Wife"), s("Annie"), s("Ms")),
                person(32, 3, 2, s("Tim"), s("Lee"), s("Minor Child")),
                person(41, 4, 1, s("Carl"), s("Wu"), s("Husband"), s("Carl"), s("Mr")),
                // Partners with titles, and a lone partner beside a child.
                person(52, 5, 2, s("Sam"), s("Quinn"), s("Partner"), s("Sammy"), s("Mr")),
                person(51, 5, 1, s("Pat"), s("Quinn"), s("Partner"), s("Patty"), s("Dr")),
                person(61, 6, 1, s("Lou"), s("Reed"), s("Partner"), s("Lou"), s("Mx")),
                person(62, 6, 2, s("Kit"), s("Reed"), s("Minor Child")),
                // Husband titled, wife untitled.
                person(71, 7, 1, s("William"), s("Smith"), s("Husband"), s("Bill"), s("Mr")),
                person(72, 7, 2, s("Matilda"), s("Smith"), s("Wife"), s("Mattie")),
                // Different last names.
                person(81, 8, 1, s("William"), s("Smith"), s("Husband"), s("Bill"), s("Mr")),
                person(82, 8, 2, s("Matilda"), s("Jones"), s("Wife"), s("Mattie"), s("Mrs")),
                // "husband" in lower case is not a husband.
                person(91, 9, 1, s("Tom"), s("Ray"), s("husband"), s("Tommy"), s("Mr")),
                person(92, 9, 2, s("Eve"), s("Ray"), s("Wife"), s("Evie"), s("Mrs")),
                // Other statuses.
                person(101, 10, 1, s("First Church"), s("of Eden"), s("Organization"), s("FCE")),
                person(102, 10, 2, s("Gil"), s("Fox"), s("Single Parent"), {}, s("Mr")),
                person(103, 10, 3, s("Hal"), s("Fox"), s("Minor Child")),
                // Empty parts.
                withField(person(111, 11, 1, s("Al"), s("Bo"), s("Husband")), fld::GoesBy, s("  ")),
                withField(person(112, 11, 2, {}, {}, s("Wife"), {}, s("Mrs")), fld::GoesBy,
                          s("  ")),
                // An "&" in a name is composed as it stands.
                person(121, 12, 1, s("A & B"), s("Co"), s("Single Adult")),
            });
    }

private Q_SLOTS:
    void init()
    {
        m_folder = new TestFolder;
        writeDirectory();
        m_conn.setPath(m_folder->path());
        m_conn.connect();
    }

    void cleanup()
    {
        m_conn.disconnect();
        delete m_folder;
        m_folder = nullptr;
    }

    void nameLineIdentifiers()
    {
        QStringList names;
        for (NameLine line : allNameLines()) {
            names << nameLineName(line);
            QCOMPARE(nameLineFromName(nameLineName(line)), line);
        }
        QCOMPARE(names, QStringList({"FormalName", "FormalTitle", "FormalNameAndSpouse",
                                     "FormalNameAndSpouseTitle", "InformalName", "InformalTitle",
                                     "InformalNameAndSpouse", "InformalNameAndSpouseTitle"}));
        QVERIFY(!nameLineFromName(QStringLiteral("formalname")));
        QVERIFY(!nameLineFromName(QString()));
    }

    void getNames_data()
    {
        QTest::addColumn<int>("indiv");
        QTest::addColumn<bool>("spouseFound");
        // In NameLine order.
        QTest::addColumn<QStringList>("lines");

        QTest::newRow("Smith, William") << 11 << true << QStringList{"William Smith",
                                                                     "Mr William Smith",
                                                                     "William and Matilda Smith",
                                                                     "Mr and Mrs William Smith",
                                                                     "Bill Smith",
                                                                     "Mr Bill Smith",
                                                                     "Bill and Mattie Smith",
                                                                     "Mr and Mrs Bill Smith"};
        QTest::newRow("Smith, Matilda") << 12 << true << QStringList{"Matilda Smith",
                                                                     "Mrs Matilda Smith",
                                                                     "Matilda and William Smith",
                                                                     "Mr and Mrs William Smith",
                                                                     "Mattie Smith",
                                                                     "Mrs Mattie Smith",
                                                                     "Mattie and Bill Smith",
                                                                     "Mr and Mrs Bill Smith"};
        QTest::newRow("husband finds the wife ranked after the children")
            << 21 << true << QStringList{"John Doe",           "Dr. John Doe",
                                         "John and Jane Doe",  "Dr. and Mrs John Doe",
                                         "Jack Doe",           "Dr. Jack Doe",
                                         "Jack and Janey Doe", "Dr. and Mrs Jack Doe"};
        QTest::newRow("wife ranked after the children finds the husband")
            << 24 << true << QStringList{"Jane Doe",           "Mrs Jane Doe",
                                         "Jane and John Doe",  "Dr. and Mrs John Doe",
                                         "Janey Doe",          "Mrs Janey Doe",
                                         "Janey and Jack Doe", "Dr. and Mrs Jack Doe"};
        QTest::newRow("wife without husband, next family opens with one")
            << 31 << false
            << QStringList{"Ann Lee", "Ms Ann Lee", {}, {}, "Annie Lee", "Ms Annie Lee", {}, {}};
        QTest::newRow("partner of rank 1 finds rank 2, no titles")
            << 51 << true << QStringList{"Pat Quinn",
                                         "Dr Pat Quinn",
                                         "Pat and Sam Quinn",
                                         "Pat and Sam Quinn",
                                         "Patty Quinn",
                                         "Dr Patty Quinn",
                                         "Patty and Sammy Quinn",
                                         "Patty and Sammy Quinn"};
        QTest::newRow("partner of rank 2 finds rank 1")
            << 52 << true << QStringList{"Sam Quinn",
                                         "Mr Sam Quinn",
                                         "Sam and Pat Quinn",
                                         "Sam and Pat Quinn",
                                         "Sammy Quinn",
                                         "Mr Sammy Quinn",
                                         "Sammy and Patty Quinn",
                                         "Sammy and Patty Quinn"};
        QTest::newRow("lone partner")
            << 61 << false
            << QStringList{"Lou Reed", "Mx Lou Reed", {}, {}, "Lou Reed", "Mx Lou Reed", {}, {}};
        QTest::newRow("husband titled, wife untitled")
            << 71 << true << QStringList{"William Smith",
                                         "Mr William Smith",
                                         "William and Matilda Smith",
                                         "William and Matilda Smith",
                                         "Bill Smith",
                                         "Mr Bill Smith",
                                         "Bill and Mattie Smith",
                                         "Bill and Mattie Smith"};
        QTest::newRow("wife untitled, husband titled")
            << 72 << true << QStringList{"Matilda Smith",
                                         "Matilda Smith",
                                         "Matilda and William Smith",
                                         "Matilda and William Smith",
                                         "Mattie Smith",
                                         "Mattie Smith",
                                         "Mattie and Bill Smith",
                                         "Mattie and Bill Smith"};
        QTest::newRow("husband of a wife named Jones")
            << 81 << true << QStringList{"William Smith",
                                         "Mr William Smith",
                                         "William and Matilda Smith",
                                         "Mr and Mrs William Smith",
                                         "Bill Smith",
                                         "Mr Bill Smith",
                                         "Bill and Mattie Smith",
                                         "Mr and Mrs Bill Smith"};
        QTest::newRow("wife named Jones") << 82 << true << QStringList{"Matilda Jones",
                                                                       "Mrs Matilda Jones",
                                                                       "Matilda and William Jones",
                                                                       "Mr and Mrs William Jones",
                                                                       "Mattie Jones",
                                                                       "Mrs Mattie Jones",
                                                                       "Mattie and Bill Jones",
                                                                       "Mr and Mrs Bill Jones"};
        QTest::newRow("lower-case husband searches nothing")
            << 91 << false
            << QStringList{"Tom Ray", "Mr Tom Ray", {}, {}, "Tommy Ray", "Mr Tommy Ray", {}, {}};
        QTest::newRow("wife of a lower-case husband finds none")
            << 92 << false
            << QStringList{"Eve Ray", "Mrs Eve Ray", {}, {}, "Evie Ray", "Mrs Evie Ray", {}, {}};
        QTest::newRow("organization")
            << 101 << false << QStringList{"First Church of Eden", "First Church of Eden", {}, {},
                                           "FCE of Eden",          "FCE of Eden",          {}, {}};
        QTest::newRow("single parent")
            << 102 << false
            << QStringList{"Gil Fox", "Mr Gil Fox", {}, {}, "Gil Fox", "Mr Gil Fox", {}, {}};
        QTest::newRow("empty Goes By and Title keep their separators")
            << 111 << true << QStringList{"Al Bo", "Al Bo", "Al and  Bo", "Al and  Bo",
                                          " Bo",   " Bo",   " and  Bo",   " and  Bo"};
        QTest::newRow("empty first and last names")
            << 112 << true
            << QStringList{" ", "Mrs  ", " and Al ", " and Al ", " ", "Mrs  ", " and  ", " and  "};
        QTest::newRow("ampersand in a name")
            << 121 << false
            << QStringList{"A & B Co", "A & B Co", {}, {}, "A & B Co", "A & B Co", {}, {}};
    }

    void getNames()
    {
        QFETCH(int, indiv);
        QFETCH(bool, spouseFound);
        QFETCH(QStringList, lines);
        HouseholdNameComposer composer(m_conn);
        const HouseholdNames names = composer.GetNames(static_cast<qint16>(indiv));
        QCOMPARE(names.IndivIdNum, indiv);
        QCOMPARE(names.SpouseFound, spouseFound);
        QCOMPARE(allLines(names), lines);
        if (!spouseFound)
            QCOMPARE(names.Spouse, SpouseParts());
    }

    void getNamesReadsEMailOnlyWhenAsked()
    {
        writeTable(m_folder->path(), individualsTable(),
                   {withField(person(5, 1, 1, QStringLiteral("Al"), QStringLiteral("Bo")),
                              fld::EMailAddress, QStringLiteral("al@example.org"))});
        m_conn.disconnect();
        m_conn.connect();
        HouseholdNameComposer composer(m_conn);
        QCOMPARE(composer.GetNames(5).EMailAddress, QString());
        const HouseholdNames names = composer.GetNames(5, true);
        QCOMPARE(names.EMailAddress, QStringLiteral("al@example.org"));
        QCOMPARE(names.FamilyIdNum, 1);
    }

    void missingIndividualIsReportedNotGuessed()
    {
        HouseholdNameComposer composer(m_conn);
        for (int indiv : {0, 999, -1}) {
            try {
                composer.GetNames(static_cast<qint16>(indiv));
                QFAIL("composed the names of an individual the table does not hold");
            } catch (const NamesError &e) {
                QCOMPARE(e.text(), QStringLiteral("No individual %1").arg(indiv));
            }
            QVERIFY(!composer.findIndividual(static_cast<qint16>(indiv)));
        }
    }

    void listLinesFallBackWithoutSpouse_data()
    {
        QTest::addColumn<int>("indiv");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("Smith, William") << 11 << QStringList{"William Smith",
                                                             "Mr William Smith",
                                                             "William and Matilda Smith",
                                                             "Mr and Mrs William Smith",
                                                             "Bill Smith",
                                                             "Mr Bill Smith",
                                                             "Bill and Mattie Smith",
                                                             "Mr and Mrs Bill Smith"};
        QTest::newRow("wife without husband")
            << 31 << QStringList{"Ann Lee",   "Ms Ann Lee",   "Ann Lee",   "Ms Ann Lee",
                                 "Annie Lee", "Ms Annie Lee", "Annie Lee", "Ms Annie Lee"};
        QTest::newRow("organization")
            << 101
            << QStringList{"First Church of Eden", "First Church of Eden", "First Church of Eden",
                           "First Church of Eden", "FCE of Eden",          "FCE of Eden",
                           "FCE of Eden",          "FCE of Eden"};
    }

    void listLinesFallBackWithoutSpouse()
    {
        QFETCH(int, indiv);
        QFETCH(QStringList, lines);
        HouseholdNameComposer composer(m_conn);
        const auto row = composer.findIndividual(static_cast<qint16>(indiv));
        QVERIFY(row);
        QStringList got;
        for (NameLine line : allNameLines())
            got << composer.listLine(line, *row);
        QCOMPARE(got, lines);
    }

    void listRowsOneAfterAnother()
    {
        // As the list envelopes do: each row located afresh after the previous row's search.
        HouseholdNameComposer composer(m_conn);
        QStringList got;
        for (int indiv : {11, 12, 31, 24, 21, 52}) {
            const auto row = composer.findIndividual(static_cast<qint16>(indiv));
            QVERIFY2(row, qPrintable(QString::number(indiv)));
            QCOMPARE(row->IndivIdNum, indiv);
            got << composer.listLine(NameLine::InformalNameAndSpouseTitle, *row);
        }
        QCOMPARE(got, QStringList({"Mr and Mrs Bill Smith", "Mr and Mrs Bill Smith", "Ms Annie Lee",
                                   "Dr. and Mrs Jack Doe", "Dr. and Mrs Jack Doe",
                                   "Sammy and Patty Quinn"}));
    }

    void failedSpouseSearchKeepsLastLinesButNeverUsesThem()
    {
        HouseholdNameComposer composer(m_conn);
        const auto smith = composer.findIndividual(11);
        const auto lee = composer.findIndividual(31);
        QVERIFY(smith && lee);
        QVERIFY(composer.GetSpouseName(*smith));
        QVERIFY(!composer.GetSpouseName(*lee));
        QCOMPARE(composer.spouseLines()[lineIndex(NameLine::FormalNameAndSpouse)],
                 QStringLiteral("William and Matilda Smith"));
        QCOMPARE(composer.listLine(NameLine::FormalNameAndSpouse, *lee), QStringLiteral("Ann Lee"));
    }

    void mainWindowCursorsDoNotMove()
    {
        Cursor fam(m_conn, tbl::Families);
        Cursor ind(m_conn, tbl::Individuals);
        ind.setIndexName(idx::FamilyIdRankOrder);
        ind.setMasterSource(&fam, fld::FamilyIdNum);
        fam.open();
        ind.open();
        fam.next();
        ind.next();
        QCOMPARE(ind.integer(fld::IndivIdNum), 22);
        int moves = 0;
        fam.addAfterScroll([&moves] { ++moves; });
        ind.addAfterScroll([&moves] { ++moves; });

        HouseholdNameComposer composer(m_conn);
        composer.GetNames(11);
        composer.GetNames(24);
        QCOMPARE(composer.familyAddress(3).found, true);
        QCOMPARE(moves, 0);
        QCOMPARE(fam.integer(fld::FamilyIdNum), 2);
        QCOMPARE(ind.integer(fld::IndivIdNum), 22);
        QVERIFY(!ind.filtered());
    }

    void familyAddress()
    {
        writeTable(m_folder->path(), familiesTable(),
                   {withField(withField(family(7, QStringLiteral("Seven")), fld::Address1,
                                        QStringLiteral("7 Elm St   ")),
                              fld::HomePhone, QStringLiteral("555-0107")),
                    withField(family(8, QStringLiteral("Eight")), fld::City,
                              QStringLiteral("Springfield"))});
        m_conn.disconnect();
        m_conn.connect();
        HouseholdNameComposer composer(m_conn);
        const FamilyAddress seven = composer.familyAddress(7);
        QVERIFY(seven.found);
        QCOMPARE(seven.Address1, QStringLiteral("7 Elm St"));
        QCOMPARE(seven.HomePhone, QStringLiteral("555-0107"));
        QCOMPARE(seven.cityLine(), QStringLiteral(",  "));

        // A family that is not there gives nothing of the family the cursor stood on.
        const FamilyAddress missing = composer.familyAddress(9);
        QVERIFY(!missing.found);
        QCOMPARE(missing.Address1, QString());
        QCOMPARE(missing.HomePhone, QString());
        QCOMPARE(missing.cityLine(), QString());

        // Outside FAMILY ID NUM ORDER the lookup is a locate, with the same result.
        Cursor names(m_conn, tbl::Families);
        names.setIndexName(idx::FamilyNameOrder);
        names.open();
        QCOMPARE(readFamilyAddress(names, 8).cityLine(), QStringLiteral("Springfield,  "));
        QVERIFY(!readFamilyAddress(names, 9).found);
    }
};

QTEST_GUILESS_MAIN(HouseholdNamesTest)
#include "HouseholdNamesTest.moc"
