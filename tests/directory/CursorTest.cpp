#include "directory/Cursor.h"
#include "directory/DirectorySetup.h"
#include "directory/EngineError.h"
#include "directory/RostConnection.h"
#include "directory/Tables.h"

#include "Fixture.h"
#include "TestFolder.h"

#include <QFile>
#include <QtTest>

using namespace rost;
using namespace rost::test;

class CursorTest : public QObject
{
    Q_OBJECT

private:
    TestFolder *m_folder = nullptr;
    RostConnection m_conn;

    void writeDirectory()
    {
        // Rows deliberately out of key order; family 3 has no members; family 2's ranks are
        // stored backwards.
        writeTable(m_folder->path(), familiesTable(),
                   {family(2, QStringLiteral("jones")), family(1, QStringLiteral("Smith   ")),
                    family(3, QStringLiteral("Adams")), family(4, QStringLiteral("Brown"))},
                   QStringLiteral("ROSTFAMILIES.ADT"));
        writeTable(m_folder->path(), individualsTable(),
                   {person(23, 2, 3, QStringLiteral("Cy"), QStringLiteral("Jones")),
                    person(22, 2, 2, QStringLiteral("Bea"), QStringLiteral("Jones")),
                    person(21, 2, 1, QStringLiteral("Al"), QStringLiteral("Jones")),
                    person(11, 1, 1, QStringLiteral("William"), QStringLiteral("Smith")),
                    person(12, 1, 2, QStringLiteral("Matilda"), QStringLiteral("smith")),
                    person(41, 4, 1, QStringLiteral("Bo"), QStringLiteral("Brown"))});
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

    void fileAndIndexNamesIgnoreCase()
    {
        Cursor fam(m_conn, QStringLiteral("RostFamilies.adt"));
        fam.setIndexName(IndexName(QLatin1String("Family Name Order")));
        fam.open();
        QCOMPARE(fam.text(QStringLiteral("family name")), QStringLiteral("Adams"));
        fam.next();
        QCOMPARE(fam.text(QStringLiteral("Family Name")), QStringLiteral("Brown"));
        fam.next(); // name keys compare without regard to case: jones before Smith
        QCOMPARE(fam.text(QStringLiteral("Family Name")), QStringLiteral("jones"));
    }

    void textReadsWithoutTrailingBlanks()
    {
        Cursor fam(m_conn, QStringLiteral("RostFamilies.adt"));
        fam.setIndexName(idx::FamilyIdNumOrder);
        fam.open();
        QCOMPARE(fam.integer(QStringLiteral("Family ID Num")), 1);
        QCOMPARE(fam.text(QStringLiteral("Family Name")), QStringLiteral("Smith"));
        QCOMPARE(fam.text(QStringLiteral("Address1")), QString());
        QVERIFY(fam.blob(QStringLiteral("Family Picture")).isEmpty());
    }

    void naturalOrderWalkAndEnds()
    {
        Cursor fam(m_conn, QStringLiteral("RostFamilies.adt"));
        int scrolls = 0;
        fam.addAfterScroll([&] { ++scrolls; });
        fam.open();
        QCOMPARE(scrolls, 1); // opening on rows is a move
        QCOMPARE(fam.integer(QStringLiteral("Family ID Num")), 2);
        QStringList seen;
        for (fam.first(); !fam.eof(); fam.next())
            seen << fam.text(QStringLiteral("Family Name"));
        QCOMPARE(seen, QStringList({QStringLiteral("jones"), QStringLiteral("Smith"),
                                    QStringLiteral("Adams"), QStringLiteral("Brown")}));
        QCOMPARE(fam.text(QStringLiteral("Family Name")), QStringLiteral("Brown"));
        fam.next(); // at the end it stays on the last row
        QVERIFY(fam.eof());
        QCOMPARE(fam.text(QStringLiteral("Family Name")), QStringLiteral("Brown"));
        fam.first();
        fam.prior();
        QVERIFY(fam.bof());
        QCOMPARE(fam.text(QStringLiteral("Family Name")), QStringLiteral("jones"));
        fam.last();
        QCOMPARE(fam.integer(QStringLiteral("Family ID Num")), 4);
        QCOMPARE(fam.moveBy(-10), 3);
        QCOMPARE(fam.integer(QStringLiteral("Family ID Num")), 2);
    }

    void masterDetailFollowsTheMaster()
    {
        Cursor fam(m_conn, QStringLiteral("RostFamilies.adt"));
        Cursor ind(m_conn, QStringLiteral("RostIndividuals.adt"));
        ind.setIndexName(IndexName(QLatin1String("Family ID Rank Order")));
        ind.setMasterSource(&fam, QStringLiteral("Family ID Num"));
        QStringList namesAtScroll;
        // The detail has followed before the master's own handlers run.
        fam.addAfterScroll([&] { namesAtScroll << ind.text(QStringLiteral("First Name")); });
        ind.open();
        fam.open();
        QCOMPARE(namesAtScroll, QStringList{QStringLiteral("Al")});
        ind.setCountMode(CountMode::RespectWhenCounting);
        QCOMPARE(ind.recordCount(), 3);
        QStringList members;
        for (ind.first(); !ind.eof(); ind.next())
            members << ind.text(QStringLiteral("First Name"));
        QCOMPARE(members,
                 QStringList({QStringLiteral("Al"), QStringLiteral("Bea"), QStringLiteral("Cy")}));
        ind.setCountMode(CountMode::IgnoreWhenCounting);
        QCOMPARE(ind.recordCount(), 6);

        fam.next(); // Smith
        QCOMPARE(ind.text(QStringLiteral("First Name")), QStringLiteral("William"));
        fam.next(); // Adams: no members
        QVERIFY(ind.isEmpty());
        QCOMPARE(ind.text(QStringLiteral("First Name")), QString());
        ind.setCountMode(CountMode::RespectWhenCounting);
        QCOMPARE(ind.recordCount(), 0);
        QVERIFY(ind.locate(QStringLiteral("Indiv ID Num"), 11) == false);
        fam.prior();
        QVERIFY(ind.locate(QStringLiteral("Indiv ID Num"), 12));
        QCOMPARE(ind.text(QStringLiteral("First Name")), QStringLiteral("Matilda"));
    }

    void exactKeyMissLeavesTheCursor()
    {
        // Both files carry an index named FAMILY ID NUM ORDER; each cursor reads its own file's.
        Cursor ind(m_conn, QStringLiteral("RostIndividuals.adt"));
        ind.setIndexName(idx::FamilyIdNumOrder);
        ind.open();
        Cursor fam(m_conn, QStringLiteral("RostFamilies.adt"));
        fam.setIndexName(IndexName(QLatin1String("family id num order")));
        fam.open();
        QVERIFY(fam.findKey({3}));
        QCOMPARE(fam.text(QStringLiteral("Family Name")), QStringLiteral("Adams"));
        int scrolls = 0;
        fam.addAfterScroll([&] { ++scrolls; });
        QVERIFY(!fam.findKey({99}));
        QCOMPARE(scrolls, 0);
        QCOMPARE(fam.text(QStringLiteral("Family Name")), QStringLiteral("Adams"));
        QVERIFY(!fam.locate(QStringLiteral("Family Name"), QStringLiteral("Nobody")));
        QCOMPARE(fam.text(QStringLiteral("Family Name")), QStringLiteral("Adams"));
    }

    void aRowNotYetReadSurvivesWhatFollows()
    {
        // A row's fields are read when first asked for; whatever the cursor did since it arrived
        // on the row, short of leaving it, they read as that row's. Name order: 41 Brown, 21, 22
        // and 23 Jones, 12 and 11 Smith.
        const QStringList fields{
            QStringLiteral("Indiv ID Num"),      QStringLiteral("Family ID Num"),
            QStringLiteral("Family Rank Order"), QStringLiteral("Goes By"),
            QStringLiteral("First Name"),        QStringLiteral("Last Name")};
        using Step = std::function<void(Cursor &)>;
        struct Case
        {
            const char *name;
            Step arrive;
            Step after;
            int indiv;
        };
        const std::vector<Case> cases{
            {"past the end", [](Cursor &c) { c.last(); },
             [](Cursor &c) {
                 c.next();
                 c.next();
             },
             11},
            {"before the start", [](Cursor &c) { c.first(); }, [](Cursor &c) { c.prior(); }, 41},
            {"searches that miss",
             [](Cursor &c) {
                 c.first();
                 c.next();
                 c.next();
             },
             [](Cursor &c) {
                 QVERIFY(!c.findKey({QStringLiteral("Nobody")}));
                 QVERIFY(!c.locate(QStringLiteral("First Name"), QStringLiteral("Nobody")));
                 QVERIFY(!c.gotoRowId(999));
             },
             22},
            {"a page that runs out", [](Cursor &c) { c.findNearest(QStringLiteral("SMITH")); },
             [](Cursor &c) { QCOMPARE(c.moveBy(5), 1); }, 11},
            {"a new order", [](Cursor &c) { c.findNearest(QStringLiteral("J")); },
             [](Cursor &c) { c.setIndexName(idx::FamilyIdNumOrder); }, 21},
            {"a count and a grid's rows", [](Cursor &c) { c.findNearest(QStringLiteral("JONES")); },
             [](Cursor &c) {
                 QCOMPARE(c.recordCount(), 6);
                 QCOMPARE(c.orderedRowIds().size(), size_t(6));
             },
             21},
        };
        Cursor reference(m_conn, QStringLiteral("RostIndividuals.adt"));
        reference.open();
        for (const Case &test : cases) {
            Cursor ind(m_conn, QStringLiteral("RostIndividuals.adt"));
            ind.setIndexName(idx::LastNameAndGoesByOrder);
            ind.open();
            test.arrive(ind);
            test.after(ind);
            QVERIFY2(reference.locate(QStringLiteral("Indiv ID Num"), test.indiv), test.name);
            const QVariantList expected = reference.rowValues(reference.rowId(), fields);
            for (qsizetype i = 0; i < fields.size(); ++i)
                QVERIFY2(ind.text(fields.at(i)) == expected.at(i).toString(),
                         qPrintable(
                             QStringLiteral("%1: %2").arg(QLatin1String(test.name), fields.at(i))));
        }

        // A save through another cursor shows at the next read of the row, not half-way.
        Cursor ind(m_conn, QStringLiteral("RostIndividuals.adt"));
        ind.setIndexName(idx::IndivIdNumOrder);
        ind.open();
        ind.findKey({22});
        Cursor other(m_conn, QStringLiteral("RostIndividuals.adt"));
        other.setIndexName(idx::IndivIdNumOrder);
        other.open();
        other.findKey({22});
        other.setText(QStringLiteral("First Name"), QStringLiteral("Beatrix"));
        other.setText(QStringLiteral("Goes By"), QStringLiteral("Trixie"));
        other.post();
        QCOMPARE(ind.text(QStringLiteral("First Name")), QStringLiteral("Bea"));
        QCOMPARE(ind.text(QStringLiteral("Goes By")), QStringLiteral("Bea"));
        ind.refresh();
        QCOMPARE(ind.text(QStringLiteral("First Name")), QStringLiteral("Beatrix"));
        QCOMPARE(ind.text(QStringLiteral("Goes By")), QStringLiteral("Trixie"));
    }

    void nearestKeyAtAndPastTheEnd()
    {
        Cursor ind(m_conn, QStringLiteral("RostIndividuals.adt"));
        ind.setIndexName(idx::LastNameAndGoesByOrder);
        ind.open();
        QVERIFY(ind.findNearest(QStringLiteral("SMI")));
        QCOMPARE(ind.text(QStringLiteral("First Name")), QStringLiteral("Matilda"));
        QVERIFY(ind.findNearest(QStringLiteral("JONES")));
        QCOMPARE(ind.text(QStringLiteral("First Name")), QStringLiteral("Al"));
        QVERIFY(ind.findNearest(QString()));
        QCOMPARE(ind.text(QStringLiteral("Last Name")), QStringLiteral("Brown"));
        QVERIFY(ind.findNearest(QStringLiteral("SMITH")));
        QVERIFY(!ind.findNearest(QStringLiteral("ZZZ"))); // past the end: the last row
        QCOMPARE(ind.text(QStringLiteral("First Name")), QStringLiteral("William"));
        // Walking a long run of equal first keys still visits every row once.
        ind.findNearest(QStringLiteral("J"));
        QStringList jones;
        while (!ind.eof() && ind.text(QStringLiteral("Last Name")) == QLatin1String("Jones")) {
            jones << ind.text(QStringLiteral("Goes By"));
            ind.next();
        }
        QCOMPARE(jones,
                 QStringList({QStringLiteral("Al"), QStringLiteral("Bea"), QStringLiteral("Cy")}));
    }

    void editThenMovePostsAndFieldsAreCut()
    {
        Cursor fam(m_conn, QStringLiteral("RostFamilies.adt"));
        fam.setIndexName(IndexName(QLatin1String("Family ID Num Order")));
        fam.open();
        fam.edit();
        fam.setText(QStringLiteral("State"), QStringLiteral("Oregon"));
        QCOMPARE(fam.state(), CursorState::Edit);
        QCOMPARE(fam.text(QStringLiteral("State")), QStringLiteral("Oreg"));
        fam.next();
        QCOMPARE(fam.state(), CursorState::Browse);

        Cursor other(m_conn, QStringLiteral("RostFamilies.adt"));
        other.setIndexName(IndexName(QLatin1String("Family ID Num Order")));
        other.open();
        QCOMPARE(other.text(QStringLiteral("State")), QStringLiteral("Oreg"));

        // A post through one cursor shows in another after refresh, which is not a move.
        other.setText(QStringLiteral("City"), QStringLiteral("Salem"));
        other.post();
        fam.prior();
        int scrolls = 0;
        fam.addAfterScroll([&] { ++scrolls; });
        fam.refresh();
        QCOMPARE(scrolls, 0);
        QCOMPARE(fam.text(QStringLiteral("City")), QStringLiteral("Salem"));

        fam.setText(QStringLiteral("City"), QStringLiteral("Eugene"));
        fam.cancel();
        QCOMPARE(fam.text(QStringLiteral("City")), QStringLiteral("Salem"));
        QVERIFY_THROWS_EXCEPTION(EngineError,
                                 fam.setText(QStringLiteral("Family ID Num"), QStringLiteral("x")));
        QVERIFY_THROWS_EXCEPTION(
            EngineError, fam.setText(QStringLiteral("Family ID Num"), QStringLiteral("40000")));
    }

    void filterOnAndOffWithCounting()
    {
        Cursor ind(m_conn, QStringLiteral("RostIndividuals.adt"));
        ind.setIndexName(IndexName(QLatin1String("Family ID Rank Order")));
        ind.open();
        ind.setFilter(QStringLiteral("Family ID Num = 2"));
        ind.setFiltered(true);
        QCOMPARE(ind.text(QStringLiteral("First Name")), QStringLiteral("Al"));
        ind.setCountMode(CountMode::RespectWhenCounting);
        QCOMPARE(ind.recordCount(), 3);
        ind.setCountMode(CountMode::IgnoreWhenCounting);
        QCOMPARE(ind.recordCount(), 6);
        ind.last();
        QCOMPARE(ind.text(QStringLiteral("First Name")), QStringLiteral("Cy"));
        ind.setFiltered(false);
        ind.setCountMode(CountMode::RespectWhenCounting);
        QCOMPARE(ind.recordCount(), 6);
        QVERIFY_THROWS_EXCEPTION(EngineError, ind.setFilter(QStringLiteral("Nonsense")));
    }

    void deleteMovesToTheNextRow()
    {
        Cursor fam(m_conn, QStringLiteral("RostFamilies.adt"));
        fam.setIndexName(IndexName(QLatin1String("Family ID Num Order")));
        fam.open();
        fam.findKey({2});
        fam.deleteRecord();
        QCOMPARE(fam.integer(QStringLiteral("Family ID Num")), 3);
        fam.last();
        fam.deleteRecord();
        QCOMPARE(fam.integer(QStringLiteral("Family ID Num")), 3);
        Cursor ind(m_conn, QStringLiteral("RostIndividuals.adt"));
        ind.open();
        ind.setCountMode(CountMode::RespectWhenCounting);
        QCOMPARE(ind.recordCount(), 6); // members stay
    }

    void disconnectClosesCursorsAndPathIsLocked()
    {
        Cursor fam(m_conn, QStringLiteral("RostFamilies.adt"));
        fam.open();
        QVERIFY_THROWS_EXCEPTION(EngineError, m_conn.setPath(QStringLiteral("/tmp")));
        m_conn.disconnect();
        QVERIFY(!fam.isOpen());
        // The file is free again: it can be replaced while disconnected.
        QVERIFY(QFile::remove(m_folder->file(QStringLiteral("ROSTFAMILIES.ADT"))));
        m_conn.setPath(m_folder->path());
        m_conn.connect();
        QVERIFY_THROWS_EXCEPTION(EngineError, fam.open());
    }

    void brokenTablesAreRefusedWithTheirName_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("expected");
        QTest::newRow("foreign") << QByteArray("PK\x03\x04 not a table") << "not a Rostella table";
        QTest::newRow("empty") << QByteArray() << "not a Rostella table";
    }

    void brokenTablesAreRefusedWithTheirName()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, expected);
        QFile f(m_folder->file(QStringLiteral("RostOffices.adt")));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(content);
        f.close();
        Cursor offices(m_conn, QStringLiteral("RostOffices.adt"));
        try {
            offices.open();
            QFAIL("a broken table was opened");
        } catch (const EngineError &e) {
            QVERIFY2(e.text().contains(QLatin1String("RostOffices.adt")), qPrintable(e.text()));
            QVERIFY2(e.text().contains(expected), qPrintable(e.text()));
        }
        // The families stay usable.
        Cursor fam(m_conn, QStringLiteral("RostFamilies.adt"));
        fam.open();
        QVERIFY(fam.hasRow());
    }

    void corruptPagesAndMissingFieldsAreRefused()
    {
        // A table without a field the program reads.
        writeTable(m_folder->path(), officesTable(), {});
        {
            QFile f(m_folder->file(QStringLiteral("RostOffices.adt")));
            QVERIFY(f.open(QIODevice::ReadWrite));
            QByteArray bytes = f.readAll();
            const qsizetype at = bytes.indexOf("\"Office\" CHAR");
            QVERIFY(at > 0);
            bytes.replace(at, 8, "\"Offixe\"");
            f.seek(0);
            f.write(bytes);
        }
        Cursor offices(m_conn, QStringLiteral("RostOffices.adt"));
        try {
            offices.open();
            QFAIL("a table without its field was opened");
        } catch (const EngineError &e) {
            QVERIFY2(e.text().contains(QLatin1String("Office")), qPrintable(e.text()));
        }

        // A table whose pages are overwritten.
        std::vector<Row> rows;
        for (int i = 0; i < 400; ++i)
            rows.push_back({{QStringLiteral("Indiv ID Num"), i},
                            {QStringLiteral("Talent"), QStringLiteral("Talent %1").arg(i)}});
        writeTable(m_folder->path(), talentsTable(), rows);
        {
            QFile f(m_folder->file(QStringLiteral("RostTalents.adt")));
            QVERIFY(f.open(QIODevice::ReadWrite));
            QByteArray garbage;
            for (int i = 0; i < 32768; ++i)
                garbage += char(i & 0xff);
            f.seek(4096);
            f.write(garbage);
        }
        Cursor talents(m_conn, QStringLiteral("RostTalents.adt"));
        QVERIFY_THROWS_EXCEPTION(EngineError, talents.open());
    }

    void setupReadingRules()
    {
        DirectorySetup setup;
        setup.User1Name = QStringLiteral("Earlier");
        writeSetup(m_folder->path(), false, true, false, false, true, QStringLiteral("Ignored"),
                   QStringLiteral("A name of twenty-five chr"));
        Cursor tbSetup(m_conn, QStringLiteral("RostSetup.adt"));
        tbSetup.open();
        readDirectorySetup(tbSetup, setup);
        QVERIFY(!setup.UseOffices && setup.UseTalents && !setup.UseActivities);
        QVERIFY(!setup.UseUser1 && setup.UseUser2);
        QCOMPARE(setup.User1Name, QStringLiteral("Earlier"));
        QCOMPARE(setup.User2Name, QStringLiteral("A name of twenty-fiv"));
        QVERIFY(setup.anyListInUse());
    }

    // The flags of a directory opened earlier must not survive into one whose setup table is
    // empty: they would offer lists whose tables may not exist.
    void emptySetupTableTurnsEveryListOff()
    {
        writeTable(m_folder->path(), setupTable(), {});
        DirectorySetup setup{
            true, true, true, true, true, QStringLiteral("Choir"), QStringLiteral("Ushers")};
        Cursor tbSetup(m_conn, QStringLiteral("RostSetup.adt"));
        tbSetup.open();
        readDirectorySetup(tbSetup, setup);
        QVERIFY(!setup.anyListInUse());
    }

    void orderedRowIdsForGrids()
    {
        Cursor fam(m_conn, QStringLiteral("RostFamilies.adt"));
        fam.setIndexName(idx::FamilyNameOrder);
        fam.open();
        const auto ids = fam.orderedRowIds();
        QCOMPARE(ids.size(), size_t(4));
        QStringList names;
        for (qint64 id : ids)
            names << fam.rowValues(id, {QStringLiteral("Family Name")}).value(0).toString();
        QCOMPARE(names, QStringList({QStringLiteral("Adams"), QStringLiteral("Brown"),
                                     QStringLiteral("jones"), QStringLiteral("Smith")}));
        QVERIFY(fam.gotoRowId(ids[2]));
        QCOMPARE(fam.text(QStringLiteral("Family Name")), QStringLiteral("jones"));
    }
};

QTEST_GUILESS_MAIN(CursorTest)
#include "CursorTest.moc"
