#include "directory/TableCheck.h"
#include "directory/Cursor.h"
#include "directory/EngineError.h"
#include "directory/RostConnection.h"
#include "directory/Statement.h"
#include "directory/TableWriter.h"
#include "directory/Tables.h"

#include "Fixture.h"
#include "TestFolder.h"

#include <QtTest>

#include <sqlite3.h>

using namespace rost;
using namespace rost::test;

namespace {

struct Case
{
    const TableDef *def = nullptr;
    QString sql; // run on a sound file of two rows; may replace the schema
    TableFault fault = TableFault::None;
    QString field;       // the field or index named
    QStringList message; // words the message must hold
};

// The documented schema with one text replaced, filled with two rows by SQL.
QString alteredSchema(const TableDef &def, const QString &from, const QString &to)
{
    QString sql = TableWriter::createSql(def);
    if (!sql.contains(from))
        throw std::runtime_error("the schema does not hold the text to alter");
    sql.replace(from, to);
    return sql;
}

// The first leaf page of a table or index of a file, as SQLite numbers pages from 1.
qint64 leafOffset(const QString &path, const QString &name)
{
    sqlite3 *db = nullptr;
    sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    qint64 offset = -1;
    {
        Statement page(db, QStringLiteral("SELECT pageno, pgsize FROM dbstat WHERE name = ?1 AND "
                                          "pagetype = 'leaf' ORDER BY pageno DESC LIMIT 1"));
        page.bind(1, name);
        if (page.step())
            offset = (page.column(0).toLongLong() - 1) * page.columnInt(1);
    }
    sqlite3_close(db);
    if (offset < 0)
        throw std::runtime_error("the fixture has no such leaf page");
    return offset;
}

// Overwrites bytes of a file in place, as a failing disk would.
void damage(const QString &path, qint64 offset, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite) || !file.seek(offset) || file.write(bytes) != bytes.size())
        throw std::runtime_error("cannot damage the fixture");
}

} // namespace

Q_DECLARE_METATYPE(Case)

class TableCheckTest : public QObject
{
    Q_OBJECT

private:
    TestFolder m_folder;
    int m_files = 0;

private Q_SLOTS:
    void refusesWhatTheProgramCannotUse_data()
    {
        QTest::addColumn<Case>("c");
        const TableDef *fam = &familiesTable();
        const TableDef *ind = &individualsTable();
        const auto dropAndCreate = [](const char *index, const char *rest) {
            return QStringLiteral("DROP INDEX \"%1\"; CREATE INDEX \"%1\" ON %2;")
                .arg(QLatin1String(index), QLatin1String(rest));
        };

        QTest::newRow("sound") << Case{fam, {}, TableFault::None, {}, {}};
        QTest::newRow("16-bit bounds")
            << Case{fam,
                    QStringLiteral("UPDATE RostFamilies SET \"Family ID Num\" = -32768 WHERE "
                                   "rowid = 1; UPDATE RostFamilies SET \"Family ID Num\" = "
                                   "32767 WHERE rowid = 2;"),
                    TableFault::None,
                    {},
                    {}};
        QTest::newRow("index with a further tiebreak") << Case{
            ind,
            dropAndCreate("INDIV ID NUM ORDER",
                          "RostIndividuals (\"Indiv ID Num\", \"Last Name\", \"Rost Ind ID Num\")"),
            TableFault::None,
            {},
            {}};

        QTest::newRow("no name index")
            << Case{fam,
                    QStringLiteral("DROP INDEX \"FAMILY NAME ORDER\";"),
                    TableFault::MissingIndex,
                    QStringLiteral("FAMILY NAME ORDER"),
                    {QStringLiteral("lacks the index \"FAMILY NAME ORDER\"")}};
        QTest::newRow("no indexes at all")
            << Case{ind,
                    QStringLiteral("DROP INDEX \"INDIV ID NUM ORDER\"; DROP INDEX \"FAMILY ID NUM "
                                   "ORDER\"; DROP INDEX \"LAST NAME AND GOES BY ORDER\"; DROP "
                                   "INDEX \"LAST NAME AND FIRST NAME ORDER\"; DROP INDEX "
                                   "\"FAMILY ID RANK ORDER\";"),
                    TableFault::MissingIndex,
                    QStringLiteral("INDIV ID NUM ORDER"),
                    {}};
        QTest::newRow("index on other keys")
            << Case{ind,
                    dropAndCreate("LAST NAME AND GOES BY ORDER",
                                  "RostIndividuals (\"Last Name\", \"First Name\")"),
                    TableFault::WrongIndex,
                    QStringLiteral("LAST NAME AND GOES BY ORDER"),
                    {QStringLiteral("does not order by Last Name, Goes By")}};
        QTest::newRow("index keys in the other order")
            << Case{ind,
                    dropAndCreate("FAMILY ID RANK ORDER",
                                  "RostIndividuals (\"Family Rank Order\", \"Family ID Num\")"),
                    TableFault::WrongIndex,
                    QStringLiteral("FAMILY ID RANK ORDER"),
                    {}};
        QTest::newRow("partial index")
            << Case{fam,
                    dropAndCreate("FAMILY ID NUM ORDER",
                                  "RostFamilies (\"Family ID Num\") WHERE \"Family ID Num\" > 1"),
                    TableFault::WrongIndex,
                    QStringLiteral("FAMILY ID NUM ORDER"),
                    {QStringLiteral("leaves rows out")}};
        QTest::newRow("name index compares case") << Case{
            fam,
            dropAndCreate("FAMILY NAME ORDER", "RostFamilies (\"Family Name\" COLLATE BINARY)"),
            TableFault::WrongIndex,
            QStringLiteral("FAMILY NAME ORDER"),
            {}};
        QTest::newRow("descending index")
            << Case{fam,
                    dropAndCreate("FAMILY ID NUM ORDER", "RostFamilies (\"Family ID Num\" DESC)"),
                    TableFault::WrongIndex,
                    QStringLiteral("FAMILY ID NUM ORDER"),
                    {}};
        QTest::newRow("expression index")
            << Case{fam,
                    dropAndCreate("FAMILY ID NUM ORDER", "RostFamilies (\"Family ID Num\" + 0)"),
                    TableFault::WrongIndex,
                    QStringLiteral("FAMILY ID NUM ORDER"),
                    {}};

        QTest::newRow("17-bit family number")
            << Case{fam,
                    QStringLiteral("UPDATE RostFamilies SET \"Family ID Num\" = 65537 WHERE rowid "
                                   "= 2;"),
                    TableFault::OutOfRange,
                    QStringLiteral("Family ID Num"),
                    {QStringLiteral("Row 2 of the table RostFamilies"), QStringLiteral("65537"),
                     QStringLiteral("\"Family ID Num\""), QStringLiteral("-32768 to 32767")}};
        QTest::newRow("below 16 bits")
            << Case{ind,
                    QStringLiteral("UPDATE RostIndividuals SET \"Family Rank Order\" = -32769;"),
                    TableFault::OutOfRange,
                    QStringLiteral("Family Rank Order"),
                    {QStringLiteral("Row 1 of")}};
        QTest::newRow("text in a number")
            << Case{ind,
                    QStringLiteral("UPDATE RostIndividuals SET \"Indiv ID Num\" = 'x1';"),
                    TableFault::OutOfRange,
                    QStringLiteral("Indiv ID Num"),
                    {QStringLiteral("'x1'")}};
        QTest::newRow("fraction in a number")
            << Case{fam,
                    QStringLiteral("UPDATE RostFamilies SET \"Family ID Num\" = 1.5;"),
                    TableFault::OutOfRange,
                    QStringLiteral("Family ID Num"),
                    {}};
        QTest::newRow("list number beyond 32 bits")
            << Case{&officesTable(),
                    QStringLiteral("UPDATE RostOffices SET \"Indiv ID Num\" = 2147483648;"),
                    TableFault::OutOfRange,
                    QStringLiteral("Indiv ID Num"),
                    {}};
        QTest::newRow("logical other than 0 or 1")
            << Case{&setupTable(),
                    QStringLiteral("UPDATE RostSetup SET \"Use Talents\" = 2;"),
                    TableFault::OutOfRange,
                    QStringLiteral("Use Talents"),
                    {}};

        QTest::newRow("wider text")
            << Case{fam,
                    QStringLiteral("DROP TABLE RostFamilies;") +
                        alteredSchema(*fam, QStringLiteral("\"City\" CHAR(20)"),
                                      QStringLiteral("\"City\" CHAR(50)")),
                    TableFault::WrongType,
                    QStringLiteral("City"),
                    {QStringLiteral("\"City\""), QStringLiteral("declared CHAR(50) NOT NULL"),
                     QStringLiteral("not CHAR(20) NOT NULL")}};
        QTest::newRow("32-bit where 16 are read")
            << Case{ind,
                    QStringLiteral("DROP TABLE RostIndividuals;") +
                        alteredSchema(*ind, QStringLiteral("\"Family ID Num\" SHORT"),
                                      QStringLiteral("\"Family ID Num\" INTEGER")),
                    TableFault::WrongType,
                    QStringLiteral("Family ID Num"),
                    {}};
        QTest::newRow("nullable key")
            << Case{fam,
                    QStringLiteral("DROP TABLE RostFamilies;") +
                        alteredSchema(*fam, QStringLiteral("\"Family Name\" CHAR(40) NOT NULL"),
                                      QStringLiteral("\"Family Name\" CHAR(40)")),
                    TableFault::WrongType,
                    QStringLiteral("Family Name"),
                    {}};
        QTest::newRow("no type") << Case{
            fam,
            QStringLiteral("DROP TABLE RostFamilies;") +
                alteredSchema(*fam, QStringLiteral("\"Zip\" CHAR(10)"), QStringLiteral("\"Zip\"")),
            TableFault::WrongType,
            QStringLiteral("Zip"),
            {QStringLiteral("without a type")}};
    }

    // A page the quick check of an ordinary open reads (a leaf whose type byte is lost), and an
    // index key it does not compare with its row: a file entering the data folder is checked
    // whole and refused for either.
    void damageFoundByEachDepth_data()
    {
        QTest::addColumn<bool>("inIndex");
        QTest::newRow("page header") << false;
        QTest::newRow("index key") << true;
    }

    void damageFoundByEachDepth()
    {
        QFETCH(bool, inIndex);
        const QString dir = m_folder.file(QString::number(++m_files));
        QVERIFY(QDir().mkpath(dir));
        writeTable(dir, familiesTable(),
                   {family(1, QStringLiteral("Adams")), family(2, QStringLiteral("Baker")),
                    family(3, QStringLiteral("Clark"))});
        const QString path = dir + QLatin1Char('/') + familiesTable().file;
        if (inIndex) {
            // Still in order, so only the comparison with the row sees it.
            const qint64 page = leafOffset(path, idx::FamilyNameOrder.name());
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadOnly));
            const qint64 at = file.readAll().indexOf("Baker", page);
            QVERIFY(at > page);
            damage(path, at, "Bakes");
        } else {
            damage(path, leafOffset(path, familiesTable().table), QByteArray(1, '\0'));
        }
        QCOMPARE(checkTableFile(path, CheckDepth::Open).fault,
                 inIndex ? TableFault::None : TableFault::Damaged);
        const TableCheck full = checkTableFile(path, CheckDepth::Full);
        QCOMPARE(full.fault, TableFault::Damaged);
        QVERIFY2(full.message.contains(familiesTable().file), qPrintable(full.message));
    }

    // A verdict noted for a file is carried by the next open only while the file is unchanged.
    void notedVerdictHoldsWhileTheFileIsUnchanged()
    {
        const QString dir = m_folder.file(QString::number(++m_files));
        QVERIFY(QDir().mkpath(dir));
        writeTable(dir, familiesTable(), {family(1, QStringLiteral("Adams"))});
        const QString path = dir + QLatin1Char('/') + familiesTable().file;
        const qint64 leaf = leafOffset(path, familiesTable().table);
        damage(path, leaf, QByteArray(1, '\0'));
        recordCheckedTables(dir, {familiesTable().file}); // as if it had passed when it came in
        QVERIFY(checkTableFile(path, CheckDepth::Open).sound());
        damage(path, leaf, QByteArray(1, '\0'));
        QCOMPARE(checkTableFile(path, CheckDepth::Open).fault, TableFault::Damaged);
    }

    // A file damaged after the open passed it: the read that meets the damage names the file,
    // and the next open reads it again instead of trusting the earlier verdict.
    void damageMetByTheEngine()
    {
        const QString dir = m_folder.file(QString::number(++m_files));
        QVERIFY(QDir().mkpath(dir));
        std::vector<Row> families;
        for (int id = 1; id <= 400; ++id)
            families.push_back(
                family(id, QStringLiteral("Family %1").arg(id, 3, 10, QLatin1Char('0'))));
        writeTable(dir, familiesTable(), families);
        const QString path = dir + QLatin1Char('/') + familiesTable().file;
        recordCheckedTables(dir, {familiesTable().file});
        RostConnection connection;
        connection.setPath(dir);
        connection.connect();
        Cursor cursor(connection, familiesTable().file);
        cursor.setIndexName(idx::FamilyIdNumOrder);
        cursor.open();
        QCOMPARE(cursor.integer(QString(fld::FamilyIdNum)), 1);
        damage(path, leafOffset(path, familiesTable().table), QByteArray(1, '\0'));
        try {
            cursor.last();
            QFAIL("the damaged page was read without an error");
        } catch (const EngineError &e) {
            QCOMPARE(e.code(), int(EngineError::DamagedTable));
            QVERIFY2(e.text().contains(familiesTable().file), qPrintable(e.text()));
        }
        QFile note(dir + QLatin1Char('/') + CheckedTablesFile);
        QVERIFY(note.open(QIODevice::ReadOnly));
        QVERIFY(!note.readAll().contains(QByteArray(familiesTable().file.data())));
    }

    // Files checked ahead of an open, on other threads and all at once: each sound one is
    // noted, none is lost to another's note, and a damaged one is still refused by the attach.
    void checksMadeAheadKeepEveryVerdict()
    {
        const QString dir = m_folder.file(QString::number(++m_files));
        QVERIFY(QDir().mkpath(dir));
        writeTable(dir, familiesTable(), {family(1, QStringLiteral("Adams"))});
        writeTable(dir, individualsTable(),
                   {person(1, 1, 1, QStringLiteral("Ann"), QStringLiteral("Adams"))},
                   QStringLiteral("rostindividuals.ADT"));
        writeSetup(dir, true, true, true, false, false);
        writeTable(dir, officesTable(), {});
        writeTable(dir, talentsTable(), {});
        const QString families = dir + QLatin1Char('/') + familiesTable().file;
        damage(families, leafOffset(families, familiesTable().table), QByteArray(1, '\0'));

        const QStringList sound = {tbl::Individuals, tbl::Setup, tbl::Offices, tbl::Talents};
        QThreadPool pool;
        pool.setMaxThreadCount(int(sound.size()) + 1);
        for (const QString &file : sound + QStringList{tbl::Families, tbl::User1})
            pool.start([dir, file] { RostConnection::checkAhead(dir, {file, tbl::Families}); });
        pool.waitForDone();

        QFile note(dir + QLatin1Char('/') + CheckedTablesFile);
        QVERIFY(note.open(QIODevice::ReadOnly));
        const QByteArray noted = note.readAll();
        for (const QString &file : sound) {
            const QString onDisk = RostConnection::findFile(dir, file);
            QVERIFY2(noted.contains(QFileInfo(onDisk).fileName().toUtf8() + '\t'),
                     qPrintable(file));
        }
        QVERIFY(!noted.contains(QByteArray(familiesTable().file.data())));

        RostConnection connection;
        connection.setPath(dir);
        connection.connect();
        connection.attach(tbl::Individuals);
        try {
            connection.attach(tbl::Families);
            QFAIL("a damaged file checked ahead was attached");
        } catch (const EngineError &e) {
            QCOMPARE(e.code(), int(EngineError::DamagedTable));
            QVERIFY2(e.text().contains(familiesTable().file), qPrintable(e.text()));
        }
    }

    void refusesWhatTheProgramCannotUse()
    {
        QFETCH(Case, c);
        // A fresh name each time: the check remembers files that passed by size and time.
        const QString dir = m_folder.file(QString::number(++m_files));
        QVERIFY(QDir().mkpath(dir));
        const QString path = dir + QLatin1Char('/') + c.def->file;
        if (c.def == &setupTable()) {
            writeSetup(dir, true, false, false, false, false);
        } else if (c.def->table == familiesTable().table) {
            writeTable(dir, *c.def,
                       {family(1, QStringLiteral("Ames")), family(2, QStringLiteral("Bell"))});
        } else if (c.def->table == individualsTable().table) {
            writeTable(dir, *c.def,
                       {person(1, 1, 1, QStringLiteral("Ann"), QStringLiteral("Ames")),
                        person(2, 2, 1, QStringLiteral("Bo"), QStringLiteral("Bell"))});
        } else {
            writeTable(
                dir, *c.def,
                {{{QString(fld::IndivIdNum), 1}, {QString(fld::Office), QStringLiteral("Usher")}}});
        }
        if (!c.sql.isEmpty())
            runSqlOn(path, c.sql);

        const TableCheck check = checkTableFile(path);
        QCOMPARE(check.fault, c.fault);
        QCOMPARE(check.field, c.field);
        QCOMPARE(check.message.isEmpty(), c.fault == TableFault::None);
        if (c.fault != TableFault::None) {
            QVERIFY2(check.message.contains(c.def->file), qPrintable(check.message));
            QVERIFY(check.reason().endsWith(c.field));
        }
        for (const QString &words : c.message)
            QVERIFY2(check.message.contains(words), qPrintable(check.message));
    }
};

QTEST_GUILESS_MAIN(TableCheckTest)
#include "TableCheckTest.moc"
