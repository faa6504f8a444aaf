#include "directory/Query.h"
#include "directory/EngineError.h"
#include "directory/RostConnection.h"
#include "directory/Tables.h"

#include "Fixture.h"
#include "TestFolder.h"

#include <QtTest>

using namespace rost;
using namespace rost::test;

class QueryTest : public QObject
{
    Q_OBJECT

private:
    TestFolder m_folder;
    RostConnection m_conn;

private Q_SLOTS:
    void initTestCase()
    {
        writeTable(m_folder.path(), familiesTable(),
                   {family(1, QStringLiteral("Smith")), family(2, QStringLiteral("O'Neil"))});
        Row home = family(3, QStringLiteral("Brown"));
        home.insert(QStringLiteral("Home Phone"), QStringLiteral("555-0100"));
        writeTable(m_folder.path(), familiesTable(),
                   {family(1, QStringLiteral("Smith")), family(2, QStringLiteral("O'Neil")), home});
        writeTable(m_folder.path(), individualsTable(),
                   {person(11, 1, 1, QStringLiteral("William"), QStringLiteral("Smith")),
                    person(21, 2, 1, QStringLiteral("Pat"), QStringLiteral("O'Neil")),
                    person(31, 3, 1, QStringLiteral("Ann"), QStringLiteral("Brown"))});
        writeTable(m_folder.path(), officesTable(),
                   {{{QStringLiteral("Indiv ID Num"), 11},
                     {QStringLiteral("Office"), QStringLiteral("Usher")}},
                    {{QStringLiteral("Indiv ID Num"), 31},
                     {QStringLiteral("Office"), QStringLiteral("Elder  ")}},
                    {{QStringLiteral("Indiv ID Num"), 21},
                     {QStringLiteral("Office"), QStringLiteral("O'Neil Fund")}},
                    {{QStringLiteral("Indiv ID Num"), 31},
                     {QStringLiteral("Office"), QStringLiteral("Usher")}},
                    {{QStringLiteral("Indiv ID Num"), 31},
                     {QStringLiteral("Office"), QStringLiteral("Usher")}}},
                   QStringLiteral("rostoffices.ADT"));
        m_conn.setPath(m_folder.path());
        m_conn.connect();
    }

    void distinctItemsInOrder()
    {
        Query q(m_conn);
        q.setSql(QStringLiteral("Select Distinct Office from RostOffices Order by Office"));
        q.open();
        QStringList items;
        for (q.first(); !q.eof(); q.next())
            items << q.text(QStringLiteral("Office"));
        QCOMPARE(items, QStringList({QStringLiteral("Elder"), QStringLiteral("O'Neil Fund"),
                                     QStringLiteral("Usher")}));
    }

    void peopleJoinWithQuotedQualifiedNamesAndDoubledQuotes()
    {
        const QString prefix = QStringLiteral(
            "Select \"Last Name\", \"First Name\", RostIndividuals.\"Indiv ID Num\", \"EMail "
            "Address\", RostFamilies.\"Family ID NUm\", \"Home Phone\", RostFamilies.\"Family ID "
            "Num\", Office from RostIndividuals, RostFamilies, RostOffices where "
            "(RostIndividuals.\"Indiv ID Num\" = RostOffices.\"Indiv ID Num\") and "
            "(RostIndividuals.\"Family ID Num\" = RostFamilies.\"Family ID Num\") and "
            "(RostOffices.Office = ");
        Query q(m_conn);
        q.setSql(prefix + QStringLiteral("'Usher') Order by \"Last Name\", \"First Name\""));
        q.open();
        QCOMPARE(q.recordCount(), 3); // the person holding the item twice is listed twice
        QCOMPARE(q.text(QStringLiteral("Last Name")), QStringLiteral("Brown"));
        QCOMPARE(q.text(QStringLiteral("home phone")), QStringLiteral("555-0100"));
        QCOMPARE(q.integer(QStringLiteral("Family ID Num")), 3);
        q.gotoRow(q.recordCount() - 1);
        QCOMPARE(q.text(QStringLiteral("First Name")), QStringLiteral("William"));

        q.setSql(prefix + QStringLiteral("'O''Neil Fund') Order by \"Last Name\", \"First Name\""));
        QVERIFY(!q.isOpen()); // replacing the statement closes the old result
        q.open();
        QCOMPARE(q.recordCount(), 1);
        QCOMPARE(q.text(QStringLiteral("Last Name")), QStringLiteral("O'Neil"));

        q.setSql(prefix + QStringLiteral("'Ushe') Order by \"Last Name\", \"First Name\""));
        q.open();
        QCOMPARE(q.recordCount(), 0);
        QVERIFY(q.eof());
        QCOMPARE(q.text(QStringLiteral("Last Name")), QString());
    }

    void errorsCarryTheEngineText()
    {
        Query q(m_conn);
        q.setSql(QStringLiteral("Select \"No Such Column\" from RostFamilies"));
        QVERIFY_THROWS_EXCEPTION(EngineError, q.open());
        q.setSql(QStringLiteral("Delete from RostFamilies"));
        QVERIFY_THROWS_EXCEPTION(EngineError, q.open());
    }
};

QTEST_GUILESS_MAIN(QueryTest)
#include "QueryTest.moc"
