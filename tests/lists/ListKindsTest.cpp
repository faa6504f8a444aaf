#include "lists/ListKinds.h"
#include "directory/EngineError.h"
#include "directory/RostConnection.h"
#include "directory/Statement.h"
#include "lists/ListKindTables.h"
#include "lists/ListMaker.h"

#include "ListFixture.h"
#include "TestFolder.h"

#include <QtTest>

#include <sqlite3.h>

using namespace rost;
using namespace rost::test;

Q_DECLARE_METATYPE(rost::ListKind)

namespace {

DirectorySetup allKinds(const QString &user1 = QStringLiteral("Welcome Team"),
                        const QString &user2 = QStringLiteral("Choir"))
{
    DirectorySetup s;
    s.UseOffices = s.UseTalents = s.UseActivities = s.UseUser1 = s.UseUser2 = true;
    s.User1Name = user1;
    s.User2Name = user2;
    return s;
}

QStringList people(Query &q)
{
    QStringList out;
    for (q.first(); !q.eof(); q.next())
        out << q.text(QStringLiteral("First Name")) + QLatin1Char(' ') +
                   q.text(QStringLiteral("Last Name"));
    return out;
}

} // namespace

class ListKindsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void statements_data()
    {
        QTest::addColumn<ListKind>("kind");
        QTest::addColumn<QString>("items");
        QTest::addColumn<QString>("prefix");
        QTest::addColumn<QString>("columnTitle");
        QTest::newRow("offices")
            << ListKind::Offices << "Select Distinct Office from RostOffices Order by Office"
            << "Select \"Last Name\", \"First Name\", RostIndividuals.\"Indiv ID Num\", \"EMail "
               "Address\", RostFamilies.\"Family ID NUm\", \"Home Phone\", RostFamilies.\"Family "
               "ID Num\", Office from RostIndividuals, RostFamilies, RostOffices where "
               "(RostIndividuals.\"Indiv ID Num\" = RostOffices.\"Indiv ID Num\") and "
               "(RostIndividuals.\"Family ID Num\" = RostFamilies.\"Family ID Num\") and "
               "(RostOffices.Office = "
            << "Offices";
        QTest::newRow("talents")
            << ListKind::Talents << "Select Distinct Talent from RostTalents Order by Talent"
            << "Select \"Last Name\", \"First Name\", RostIndividuals.\"Indiv ID Num\", \"EMail "
               "Address\", RostFamilies.\"Family ID NUm\", \"Home Phone\", RostFamilies.\"Family "
               "ID Num\", Talent from RostIndividuals, RostFamilies, RostTalents where "
               "(RostIndividuals.\"Indiv ID Num\" = RostTalents.\"Indiv ID Num\") and "
               "(RostIndividuals.\"Family ID Num\" = RostFamilies.\"Family ID Num\") and "
               "(RostTalents.Talent = "
            << "Talents";
        QTest::newRow("activities")
            << ListKind::Activities
            << "Select Distinct Activity from RostActivities Order by Activity"
            << "Select \"Last Name\", \"First Name\", RostIndividuals.\"Indiv ID Num\", \"EMail "
               "Address\", RostFamilies.\"Family ID NUm\", \"Home Phone\", RostFamilies.\"Family "
               "ID Num\", Activity from RostIndividuals, RostFamilies, RostActivities where "
               "(RostIndividuals.\"Indiv ID Num\" = RostActivities.\"Indiv ID Num\") and "
               "(RostIndividuals.\"Family ID Num\" = RostFamilies.\"Family ID Num\") and "
               "(RostActivities.Activity = "
            << "Activities";
        QTest::newRow("user 1")
            << ListKind::User1
            << "Select Distinct \"User 1 Item\" from RostUser1 Order by \"User 1 Item\""
            << "Select \"Last Name\", \"First Name\", RostIndividuals.\"Indiv ID Num\", \"EMail "
               "Address\", RostFamilies.\"Family ID NUm\", \"Home Phone\", RostFamilies.\"Family "
               "ID Num\", \"User 1 Item\" from RostIndividuals, RostFamilies, RostUser1 where "
               "(RostIndividuals.\"Indiv ID Num\" = RostUser1.\"Indiv ID Num\") and "
               "(RostIndividuals.\"Family ID Num\" = RostFamilies.\"Family ID Num\") and "
               "(RostUser1.\"User 1 Item\" = "
            << "Welcome Team";
        QTest::newRow("user 2")
            << ListKind::User2
            << "Select Distinct \"User 2 Item\" from RostUser2 Order by \"User 2 Item\""
            << "Select \"Last Name\", \"First Name\", RostIndividuals.\"Indiv ID Num\", \"EMail "
               "Address\", RostFamilies.\"Family ID NUm\", \"Home Phone\", RostFamilies.\"Family "
               "ID Num\", \"User 2 Item\" from RostIndividuals, RostFamilies, RostUser2 where "
               "(RostIndividuals.\"Indiv ID Num\" = RostUser2.\"Indiv ID Num\") and "
               "(RostIndividuals.\"Family ID Num\" = RostFamilies.\"Family ID Num\") and "
               "(RostUser2.\"User 2 Item\" = "
            << "Choir";
    }

    void statements()
    {
        QFETCH(ListKind, kind);
        QFETCH(QString, items);
        QFETCH(QString, prefix);
        QFETCH(QString, columnTitle);
        QCOMPARE(itemStatement(kind), items);
        QCOMPARE(peoplePrefix(kind), prefix);
        QCOMPARE(peopleStatement(kind, QStringLiteral("O'Neil")),
                 prefix + QStringLiteral("'O''Neil') Order by \"Last Name\", \"First Name\""));
        QCOMPARE(kindColumnTitle(kind, allKinds()), columnTitle);
    }

    void literalsAndUserListTitleWidth()
    {
        QCOMPARE(quoteLiteral(QString()), QStringLiteral("''"));
        QCOMPARE(quoteLiteral(QStringLiteral("'; drop table x; --")),
                 QStringLiteral("'''; drop table x; --'"));
        // A NUL would end the statement's text there: the literal still reads back whole.
        const QString withNul = QStringLiteral("a') --") + QChar(u'\0') + QStringLiteral("b'");
        sqlite3 *db = nullptr;
        QCOMPARE(sqlite3_open(":memory:", &db), SQLITE_OK);
        {
            Statement select(db, QStringLiteral("SELECT ") + quoteLiteral(withNul));
            QVERIFY(select.step());
            QCOMPARE(select.column(0).toString(), withNul);
        }
        sqlite3_close(db);
        const DirectorySetup longName = allKinds(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ"));
        QCOMPARE(kindColumnTitle(ListKind::User1, longName),
                 QStringLiteral("ABCDEFGHIJKLMNOPQRST"));
    }

    void offeredKindsFollowTheFlags()
    {
        DirectorySetup s;
        s.UseTalents = s.UseUser2 = true;
        s.User1Name = QStringLiteral("Unused");
        s.User2Name = QStringLiteral("Choir");
        QCOMPARE(offeredCaptions(offeredKinds(s)),
                 (QStringList{QStringLiteral("Talents"), QStringLiteral("Choir")}));
        QCOMPARE(offeredCaptions(offeredKinds(allKinds())),
                 (QStringList{QStringLiteral("Church Offices"), QStringLiteral("Talents"),
                              QStringLiteral("Activities"), QStringLiteral("Welcome Team"),
                              QStringLiteral("Choir")}));
        QVERIFY(offeredKinds(DirectorySetup{}).empty());
        // Exact and case-sensitive; a user list named like a built-in kind matches both.
        QVERIFY(kindsMatching(offeredKinds(s), QStringLiteral("talents")).empty());
        const auto both = kindsMatching(offeredKinds(allKinds({}, QStringLiteral("Talents"))),
                                        QStringLiteral("Talents"));
        QCOMPARE(both.size(), std::size_t(2));
        QCOMPARE(both.back(), ListKind::User2);
    }

    void itemsAndPeopleFromTheTables()
    {
        TestFolder folder;
        writeListDirectory(folder.path());
        RostConnection conn;
        conn.setPath(folder.path());
        conn.connect();
        ListMaker maker(conn, allKinds());
        maker.openKindTables();
        QVERIFY(!maker.hasPeople());

        QVERIFY(maker.chooseKind(QStringLiteral("Church Offices")));
        QCOMPARE(maker.items(),
                 (QStringList{QStringLiteral("Elder"), QStringLiteral("O'Neil's Aide"),
                              QStringLiteral("Usher")}));
        // An empty table gives no entries; a text that names no kind changes nothing.
        QVERIFY(maker.chooseKind(QStringLiteral("Talents")));
        QVERIFY(maker.items().isEmpty());
        QVERIFY(!maker.chooseKind(QStringLiteral("Church Office")));
        QVERIFY(maker.items().isEmpty());

        QVERIFY(maker.chooseItem(QStringLiteral("Church Offices"), QStringLiteral("Usher")));
        QVERIFY(maker.hasPeople());
        QCOMPARE(people(maker.tbSQL()),
                 (QStringList{QStringLiteral("Matilda Smith"), QStringLiteral("William Smith")}));
        // The family number reads by name, and the phone is the family's.
        maker.tbSQL().first();
        QCOMPARE(maker.tbSQL().integer(QStringLiteral("Family ID Num")), 1);
        QCOMPARE(maker.tbSQL().text(QStringLiteral("Home Phone")), QStringLiteral("555-0101"));

        // Typing: each keystroke runs the statement; a partial item lists nobody.
        QVERIFY(maker.chooseItem(QStringLiteral("Church Offices"), QStringLiteral("Ush")));
        QVERIFY(maker.hasPeople());
        QCOMPARE(maker.tbSQL().recordCount(), 0);

        // A quote inside the item is doubled, not taken as the end of the text.
        QVERIFY(
            maker.chooseItem(QStringLiteral("Church Offices"), QStringLiteral("O'Neil's Aide")));
        QCOMPARE(people(maker.tbSQL()), QStringList{QStringLiteral("Sean O'Neil")});

        // The people statement is not distinct: an item held twice lists its holder twice.
        QVERIFY(maker.chooseItem(QStringLiteral("Activities"), QStringLiteral("Choir")));
        QCOMPARE(people(maker.tbSQL()),
                 (QStringList{QStringLiteral("Carol Brown"), QStringLiteral("Carol Brown"),
                              QStringLiteral("William Smith")}));
    }

    void userListNamedLikeABuiltInKindWinsLast()
    {
        TestFolder folder;
        writeListDirectory(folder.path(), true, true, true, true, true, QStringLiteral("Greeters"),
                           QStringLiteral("Talents"));
        RostConnection conn;
        conn.setPath(folder.path());
        conn.connect();
        ListMaker maker(conn, allKinds(QStringLiteral("Greeters"), QStringLiteral("Talents")));
        maker.openKindTables();
        QVERIFY(maker.chooseKind(QStringLiteral("Talents")));
        QCOMPARE(maker.items(), QStringList{QStringLiteral("Talents")});
        QVERIFY(maker.tbSQLList().sql().contains(QLatin1String("RostUser2")));
        QVERIFY(maker.chooseItem(QStringLiteral("Talents"), QStringLiteral("Talents")));
        QCOMPARE(people(maker.tbSQL()), QStringList{QStringLiteral("Sean O'Neil")});
    }

    void missingListTableIsRefusedWhenOpening()
    {
        TestFolder folder;
        writeListDirectory(folder.path());
        QVERIFY(QFile::remove(folder.file(QStringLiteral("RostTalents.adt"))));
        RostConnection conn;
        conn.setPath(folder.path());
        conn.connect();
        ListMaker maker(conn, allKinds());
        QVERIFY_THROWS_EXCEPTION(EngineError, maker.openKindTables());
        DirectorySetup noTalents = allKinds();
        noTalents.UseTalents = false;
        ListMaker without(conn, noTalents);
        without.openKindTables();
    }

    void heldItemsOfOnePerson()
    {
        TestFolder folder;
        writeListDirectory(folder.path());
        RostConnection conn;
        conn.setPath(folder.path());
        conn.connect();
        const auto text = [](const std::vector<HeldItem> &held) {
            QStringList out;
            for (const HeldItem &h : held)
                out << h.caption + QLatin1Char('\t') + h.item;
            return out;
        };
        // Items ascending within a kind, kinds in their fixed order.
        QCOMPARE(text(heldItems(conn, allKinds(), 11)),
                 (QStringList{QStringLiteral("Church Offices\tElder"),
                              QStringLiteral("Church Offices\tUsher"),
                              QStringLiteral("Activities\tChoir")}));
        QCOMPARE(text(heldItems(conn, allKinds(), 31)),
                 (QStringList{QStringLiteral("Church Offices\tElder"),
                              QStringLiteral("Activities\tChoir"),
                              QStringLiteral("Activities\tChoir")}));
        DirectorySetup onlyUser2;
        onlyUser2.UseUser2 = true;
        onlyUser2.User2Name = QStringLiteral("Choir");
        QCOMPARE(text(heldItems(conn, onlyUser2, 21)),
                 QStringList{QStringLiteral("Choir\tTalents")});
        QVERIFY(heldItems(conn, onlyUser2, 11).empty());
        QVERIFY_THROWS_EXCEPTION(EngineError, heldItems(conn, allKinds(), 99));
    }
};

QTEST_GUILESS_MAIN(ListKindsTest)
#include "ListKindsTest.moc"
