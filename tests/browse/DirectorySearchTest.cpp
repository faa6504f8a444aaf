#include "browse/DirectorySearch.h"
#include "directory/RostConnection.h"
#include "directory/Tables.h"

#include "Fixture.h"
#include "TestFolder.h"

#include <QtTest>

using namespace rost;

namespace {

test::Row with(test::Row row, std::initializer_list<std::pair<QLatin1String, QVariant>> fields)
{
    for (const auto &[name, value] : fields)
        row.insert(name, value);
    return row;
}

constexpr int Millers = 230;

void writeDirectory(const QString &folder)
{
    test::writeTable(
        folder, familiesTable(),
        {with(test::family(1, QStringLiteral("Núñez"), QStringLiteral("José & Ana Núñez")),
              {{fld::Address1, QStringLiteral("12 Oak Street")},
               {fld::City, QStringLiteral("Springfield")},
               {fld::Zip, QStringLiteral("62704")},
               {fld::HomePhone, QStringLiteral("(217) 555-0142")}}),
         with(test::family(2, QStringLiteral("Weiß"), QStringLiteral("Familie Weiß")),
              {{fld::Address1, QStringLiteral("Hauptstraße 5")},
               {fld::City, QStringLiteral("Berlin")}}),
         with(test::family(3, QStringLiteral("Jones"), QStringLiteral("The Joneses")),
              {{fld::Address1, QStringLiteral("9 Elm Road")},
               {fld::City, QStringLiteral("Peoria")},
               {fld::HomePhone, QStringLiteral("309.555.0199")}}),
         test::family(4, QStringLiteral("Miller"), QStringLiteral("The Millers"))});
    std::vector<test::Row> people{
        with(test::person(11, 1, 1, QStringLiteral("José"), QStringLiteral("Núñez")),
             {{fld::Cell, QStringLiteral("555 0100")},
              {fld::EMailAddress, QStringLiteral("pepe@example.org")}}),
        test::person(12, 1, 2, QStringLiteral("Ana"), QStringLiteral("Núñez"), {},
                     QStringLiteral("Anita")),
        test::person(21, 2, 1, QStringLiteral("Hans"), QStringLiteral("Weiß")),
        with(test::person(31, 3, 1, QStringLiteral("Robert"), QStringLiteral("Jones"), {},
                          QStringLiteral("Bob")),
             {{fld::WorkPhone, QStringLiteral("(309) 555-0123")}}),
        test::person(32, 3, 2, QStringLiteral("Katie"), QStringLiteral("Jones")),
        test::person(33, 3, 3, QStringLiteral("Katherine"), QStringLiteral("Jonesboro")),
        // A person whose family is not in the directory is still found, without a city.
        test::person(90, 9, 1, QStringLiteral("Oscar"), QStringLiteral("Oakley"))};
    for (int i = 0; i < Millers; ++i)
        people.push_back(test::person(100 + i, 4, i + 1,
                                      QStringLiteral("M%1").arg(i, 3, 10, QLatin1Char('0')),
                                      QStringLiteral("Miller")));
    test::writeTable(folder, individualsTable(), people);
}

// One row as "person 11 | Springfield | first name" or "household 3 | Peoria | street".
QString row(const SearchHit &hit)
{
    return (hit.kind == SearchHit::Kind::Person
                ? QStringLiteral("person %1").arg(hit.indivId)
                : QStringLiteral("household %1").arg(hit.familyId)) +
           QStringLiteral(" | ") + hit.city + QStringLiteral(" | ") + hit.matched;
}

} // namespace

class DirectorySearchTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void folding_data();
    void folding();
    void matches_data();
    void matches();
    void nothingTypedAndNothingFound();
    void rowsPastTheCapAreCounted();
    void aRowCarriesWhatTheWindowNeeds();

private:
    test::TestFolder m_folder;
    DirectorySearch m_search;
};

void DirectorySearchTest::initTestCase()
{
    writeDirectory(m_folder.path());
    RostConnection connection;
    connection.setPath(m_folder.path());
    connection.connect();
    m_search = DirectorySearch::build(connection, [](const SearchName &name) {
        return name.first + QLatin1Char(' ') + name.last;
    });
}

void DirectorySearchTest::folding_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("folded");
    QTest::newRow("ascii") << "McDonald"
                           << "mcdonald";
    QTest::newRow("acute and tilde") << "Núñez"
                                     << "nunez";
    QTest::newRow("sharp s, full folding") << "Straße"
                                           << "strasse";
    QTest::newRow("upper-case accents") << "ÉLODIE"
                                        << "elodie";
    QTest::newRow("ligature") << "ﬁne"
                              << "fine";
    QTest::newRow("dotted capital I") << "İzmir"
                                      << "izmir";
}

void DirectorySearchTest::folding()
{
    QFETCH(QString, text);
    QFETCH(QString, folded);
    QCOMPARE(DirectorySearch::fold(text), folded);
}

void DirectorySearchTest::matches_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("rows");
    QTest::newRow("accent typed without it")
        << "nunez"
        << QStringList{"person 12 | Springfield | last name", "person 11 | Springfield | last name",
                       "household 1 | Springfield | family name"};
    QTest::newRow("case and accents, first name before the household's name")
        << "JOSE"
        << QStringList{"person 12 | Springfield | household name",
                       "person 11 | Springfield | first name",
                       "household 1 | Springfield | household name"};
    QTest::newRow("sharp s typed as ss, in a street")
        << "hauptstrasse"
        << QStringList{"person 21 | Berlin | street", "household 2 | Berlin | street"};
    QTest::newRow("words in any order, each in another field")
        << "katie jones" << QStringList{"person 32 | Peoria | first name, last name"};
    QTest::newRow("same, turned round")
        << "jones katie" << QStringList{"person 32 | Peoria | last name, first name"};
    QTest::newRow("whole words before first letters")
        << "jones kat"
        << QStringList{"person 32 | Peoria | last name, first name",
                       "person 33 | Peoria | last name, first name"};
    QTest::newRow("household by its Vorel Name only")
        << "joneses"
        << QStringList{"person 31 | Peoria | household name", "person 32 | Peoria | household name",
                       "person 33 | Peoria | household name",
                       "household 3 | Peoria | household name"};
    QTest::newRow("person by the street of the household")
        << "elm road bob" << QStringList{"person 31 | Peoria | street, goes by"};
    QTest::newRow("digits alone find a phone written with brackets and a dash")
        << "5550142"
        << QStringList{"person 12 | Springfield | phone (217) 555-0142",
                       "person 11 | Springfield | phone (217) 555-0142",
                       "household 1 | Springfield | phone (217) 555-0142"};
    QTest::newRow("a phone typed in parts, against one written with dots")
        << "(309) 555 0199"
        << QStringList{"person 31 | Peoria | phone 309.555.0199",
                       "person 32 | Peoria | phone 309.555.0199",
                       "person 33 | Peoria | phone 309.555.0199",
                       "household 3 | Peoria | phone 309.555.0199"};
    QTest::newRow("a person's own phone, a whole number first")
        << "555-0100" << QStringList{"person 11 | Springfield | phone 555 0100"};
    QTest::newRow("the middle of a phone number")
        << "0123" << QStringList{"person 31 | Peoria | phone (309) 555-0123"};
    QTest::newRow("two digits are a word's start, not a phone")
        << "12"
        << QStringList{"person 12 | Springfield | street", "person 11 | Springfield | street",
                       "household 1 | Springfield | street"};
    QTest::newRow("zip, then by goes-by name")
        << "627 jose"
        << QStringList{"person 12 | Springfield | zip, household name",
                       "person 11 | Springfield | zip, first name",
                       "household 1 | Springfield | zip, household name"};
    QTest::newRow("e-mail") << "pepe" << QStringList{"person 11 | Springfield | e-mail"};
    QTest::newRow("family not in the directory")
        << "oscar" << QStringList{"person 90 |  | first name"};
    QTest::newRow("a word must begin a word") << "ones" << QStringList{};
}

void DirectorySearchTest::matches()
{
    QFETCH(QString, text);
    QFETCH(QStringList, rows);
    const SearchResult result = m_search.search(text);
    QVERIFY(result.asked);
    QStringList found;
    for (const SearchHit &hit : result.hits)
        found << row(hit);
    QCOMPARE(found, rows);
    QCOMPARE(result.more, 0);
}

void DirectorySearchTest::nothingTypedAndNothingFound()
{
    for (const QString &text : {QString(), QStringLiteral("   "), QStringLiteral("- / .")})
        QVERIFY2(!m_search.search(text).asked, qPrintable(text));
    const SearchResult none = m_search.search(QStringLiteral("zebra"));
    QVERIFY(none.asked);
    QVERIFY(none.hits.empty());
    // Every word must match: one that matches nobody leaves no row.
    QVERIFY(m_search.search(QStringLiteral("katie zebra")).hits.empty());
}

void DirectorySearchTest::rowsPastTheCapAreCounted()
{
    const SearchResult all = m_search.search(QStringLiteral("miller"));
    QCOMPARE(int(all.hits.size()), DirectorySearch::ShownRows);
    QCOMPARE(all.more, Millers + 1 - DirectorySearch::ShownRows);
    QCOMPARE(row(all.hits.front()), QStringLiteral("person 100 |  | last name"));
    const SearchResult few = m_search.search(QStringLiteral("mill"), 3);
    QCOMPARE(int(few.hits.size()), 3);
    QCOMPARE(few.more, Millers + 1 - 3);
}

void DirectorySearchTest::aRowCarriesWhatTheWindowNeeds()
{
    const SearchResult result = m_search.search(QStringLiteral("katherine"));
    QCOMPARE(result.hits.size(), size_t(1));
    const SearchHit &hit = result.hits.front();
    QCOMPARE(hit.name, QStringLiteral("Katherine Jonesboro"));
    QCOMPARE(hit.found().FoundFamID, FamilyId(3));
    QCOMPARE(hit.found().FoundNameID, IndivId(33));
    QCOMPARE(hit.found().FoundRank, qint16(3));
}

QTEST_GUILESS_MAIN(DirectorySearchTest)
#include "DirectorySearchTest.moc"
