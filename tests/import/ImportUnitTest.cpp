#include "directory/DataFolderLock.h"
#include "import/ImportError.h"
#include "import/ImportJournal.h"
#include "import/ZipImport.h"

#include "ArchiveBuilder.h"
#include "TestFolder.h"
#include "directory/TableWriter.h"
#include "directory/Tables.h"

#include <QDirIterator>
#include <QProcess>
#include <QtTest>

#include <unistd.h>

using namespace rost;
using rost::test::ArchiveBuilder;
using rost::test::readFile;
using rost::test::Tables;
using rost::test::tablesOf;
using rost::test::TestFolder;

namespace {

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        throw std::runtime_error("cannot write a fixture file");
}

// What an import leaves behind that it should not: staging folders and the journal.
QStringList leftovers(const QString &data)
{
    const QFileInfo info(data);
    QStringList found = QDir(info.absolutePath())
                            .entryList({QStringLiteral(".%1-import-*").arg(info.fileName())},
                                       QDir::Dirs | QDir::Hidden);
    found += QDir(data).entryList({QStringLiteral(".rostella-import*")},
                                  QDir::AllEntries | QDir::Hidden);
    return found;
}

QByteArray tableBytes(const QString &folder, const TableDef &def, const QString &file,
                      const char *name)
{
    const QString path = folder + QLatin1Char('/') + file;
    TableWriter writer(path, def);
    const QHash<QString, QVariant> all{{fld::FamilyIdNum, 7},
                                       {fld::FamilyName, QLatin1String(name)},
                                       {fld::IndivIdNum, 3},
                                       {fld::LastName, QLatin1String(name)}};
    QHash<QString, QVariant> row;
    for (auto it = all.cbegin(); it != all.cend(); ++it)
        if (def.field(it.key()))
            row.insert(it.key(), it.value());
    writer.insert(row);
    writer.commit();
    return readFile(path);
}

} // namespace

class ImportUnitTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void failedTableHoldsBackTheOthers();
    void failureAtEveryOperation();
    void crashAtEveryOperation();
    void journalRecovery_data();
    void journalRecovery();
    void aLiveImportsJournalIsLeftAlone();
    void abandonedStagingRemoved();
    void limitsRefuseBeforeWriting_data();
    void limitsRefuseBeforeWriting();
    void nulInNameRefused();

private:
    // A data folder holding the old directory (with a stale journal beside the families) in a
    // fresh root, and the archive of the new one with a loose file.
    QString makeData(const TestFolder &root) const;
    QString makeArchive(const TestFolder &root) const;
    void checkWhole(const QString &data, const char *when) const;

    TestFolder m_sources;
    Tables m_old, m_new;
};

void ImportUnitTest::initTestCase()
{
    const QString old = m_sources.file(QStringLiteral("old"));
    const QString fresh = m_sources.file(QStringLiteral("new"));
    QVERIFY(QDir().mkpath(old) && QDir().mkpath(fresh));
    for (const QString &folder : {old, fresh}) {
        const char *name = folder == old ? "Oldman" : "Newman";
        tableBytes(folder, familiesTable(), tbl::Families, name);
        tableBytes(folder, individualsTable(), tbl::Individuals, name);
        tableBytes(folder, setupTable(), tbl::Setup, name);
    }
    writeFile(old + QStringLiteral("/RostFamilies.adt-journal"), "a stale hot journal");
    m_old = tablesOf(old);
    m_new = tablesOf(fresh);
}

QString ImportUnitTest::makeData(const TestFolder &root) const
{
    const QString data = root.file(QStringLiteral("data"));
    QDir().mkpath(data);
    for (auto it = m_old.cbegin(); it != m_old.cend(); ++it)
        writeFile(data + QLatin1Char('/') + it.key(), it.value());
    writeFile(data + QStringLiteral("/notes.txt"), "old notes");
    return data;
}

QString ImportUnitTest::makeArchive(const TestFolder &root) const
{
    const QString archive = root.file(QStringLiteral("RostData.zip"));
    ArchiveBuilder builder(archive);
    for (const QLatin1String name : {tbl::Families, tbl::Individuals, tbl::Setup})
        builder.add(QStringLiteral("export/") + name, m_new.value(QString(name).toCaseFolded()));
    builder.add(QStringLiteral("notes.txt"), "new notes").write();
    return archive;
}

void ImportUnitTest::checkWhole(const QString &data, const char *when) const
{
    const Tables now = tablesOf(data);
    QVERIFY2(now == m_old || now == m_new, when);
    QVERIFY2(leftovers(data).isEmpty(), qPrintable(leftovers(data).join(QLatin1Char(' '))));
}

void ImportUnitTest::failedTableHoldsBackTheOthers()
{
    TestFolder root;
    const QString data = makeData(root);
    const QString archive = root.file(QStringLiteral("RostData.zip"));
    ArchiveBuilder(archive)
        .add(tbl::Families, m_new.value(QString(tbl::Families).toCaseFolded()))
        .add(tbl::Setup, m_new.value(QString(tbl::Setup).toCaseFolded()).left(2048))
        .add(QStringLiteral("RostOffices.adt"), m_new.value(QString(tbl::Setup).toCaseFolded()))
        .add(QStringLiteral("notes.txt"), "new notes")
        .write();
    QStringList warnings;
    const ImportSummary summary = importArchive(
        archive, data, [&](const MemberFailure &f) { warnings << memberWarningText(f); });
    QCOMPARE(tablesOf(data), m_old);
    QCOMPARE(readFile(data + QStringLiteral("/notes.txt")), QByteArray("new notes"));
    QCOMPARE(summary.writtenFiles, QStringList{QStringLiteral("notes.txt")});
    const QString head = QStringLiteral("Can't open %1\rError Code : 0\rReason: ");
    QCOMPARE(warnings,
             (QStringList{head.arg(tbl::Setup) + "the file is damaged\rThe directory keeps its "
                                                 "previous RostSetup table.",
                          head.arg("RostOffices.adt") +
                              "not a directory table\rThe directory still has no RostOffices "
                              "table.",
                          head.arg(tbl::Families) +
                              "another table file of the archive failed\rThe directory keeps "
                              "its previous RostFamilies table."}));
    QVERIFY(leftovers(data).isEmpty());
}

// Each write, fsync and rename of an import fails in turn: the import reports it and the
// directory is whole, old or new, with nothing left behind.
void ImportUnitTest::failureAtEveryOperation()
{
    int newEnds = 0;
    for (int n = 1;; ++n) {
        TestFolder root;
        const QString data = makeData(root);
        ImportLimits limits;
        limits.faults.failAt = n;
        int failed = 0;
        const ImportSummary summary = importArchive(
            makeArchive(root), data, [&](const MemberFailure &) { ++failed; }, limits);
        checkWhole(data, qPrintable(QStringLiteral("failure at operation %1").arg(n)));
        if (tablesOf(data) == m_new)
            ++newEnds;
        else
            QVERIFY2(failed > 0, "a failed replacement is reported");
        if (failed == 0) {
            QVERIFY(n > 10);
            break;
        }
    }
    QVERIFY(newEnds >= 1);
}

// The import stops at each operation as if killed; the next opening of the folder finishes or
// undoes it, and the next import after that installs the archive whole.
void ImportUnitTest::crashAtEveryOperation()
{
    QSet<bool> outcomes;
    for (int n = 1;; ++n) {
        TestFolder root;
        const QString data = makeData(root);
        const QString archive = makeArchive(root);
        ImportLimits limits;
        limits.faults.stopAt = n;
        try {
            importArchive(archive, data, {}, limits);
            QVERIFY(n > 10);
            break;
        } catch (const ImportStopped &) {
        }
        ImportJournal::recover(data);
        const QString when = QStringLiteral("crash at operation %1").arg(n);
        checkWhole(data, qPrintable(when));
        outcomes.insert(tablesOf(data) == m_new);
        importArchive(archive, data, {});
        QVERIFY2(tablesOf(data) == m_new, qPrintable(when));
        QVERIFY(leftovers(data).isEmpty());
    }
    QCOMPARE(outcomes, (QSet<bool>{false, true}));
}

void ImportUnitTest::journalRecovery_data()
{
    QTest::addColumn<QByteArray>("journal");
    QTest::addColumn<bool>("forward");
    QTest::newRow("cut short before the commit line")
        << QByteArray("Rostella import journal\nstaging\t%S\nfile\trostsetup.adt\t1\n") << false;
    QTest::newRow("a staging folder that is no import's")
        << QByteArray("Rostella import journal\nstaging\t/tmp\nfile\trostsetup.adt\t1\ncommit\n")
        << false;
    QTest::newRow("a path for a name")
        << QByteArray("Rostella import journal\nstaging\t%S\nfile\t../rostsetup.adt\t1\ncommit\n")
        << false;
    QTest::newRow("complete")
        << QByteArray("Rostella import journal\nstaging\t%S\nfile\trostsetup.adt\t1\ncommit\n")
        << true;
}

// Only a complete journal of our own moves anything; every other one is dropped.
void ImportUnitTest::journalRecovery()
{
    QFETCH(QByteArray, journal);
    QFETCH(bool, forward);
    TestFolder root;
    const QString data = makeData(root);
    const QString staging = root.file(QStringLiteral(".data-import-abc123"));
    QVERIFY(QDir().mkpath(staging));
    writeFile(staging + QStringLiteral("/rostsetup.adt"), "new setup");
    writeFile(ImportJournal::path(data),
              journal.replace("%S", QFileInfo(staging).canonicalFilePath().toUtf8()));
    ImportJournal::recover(data);
    QCOMPARE(readFile(data + QStringLiteral("/rostsetup.adt")),
             forward ? QByteArray("new setup") : m_old.value(QString(tbl::Setup).toCaseFolded()));
    QVERIFY(!QFileInfo::exists(ImportJournal::path(data)));
    QCOMPARE(QFileInfo::exists(staging), !forward);
}

// A reader that starts while an import holds the folder must not treat the import's journal as
// one a crash left; once the folder is free, the same call finishes a crashed one.
void ImportUnitTest::aLiveImportsJournalIsLeftAlone()
{
    TestFolder root;
    const QString data = makeData(root);
    const QString staging = root.file(QStringLiteral(".data-import-live"));
    QVERIFY(QDir().mkpath(staging));
    writeFile(staging + QStringLiteral("/rostsetup.adt"), "new setup");
    writeFile(ImportJournal::path(data), "Rostella import journal\nstaging\t" +
                                             QFileInfo(staging).canonicalFilePath().toUtf8() +
                                             "\nfile\trostsetup.adt\t1\ncommit\n");
    {
        const DataFolderLock importing(data, DataFolderLock::Mode::Exclusive);
        ImportJournal::recoverBeforeReading(data);
        QVERIFY(QFileInfo::exists(ImportJournal::path(data)));
    }
    ImportJournal::recoverBeforeReading(data);
    QVERIFY(!QFileInfo::exists(ImportJournal::path(data)));
    QCOMPARE(readFile(data + QStringLiteral("/rostsetup.adt")), QByteArray("new setup"));
}

void ImportUnitTest::abandonedStagingRemoved()
{
    TestFolder root;
    const QString data = makeData(root);
    QProcess ended;
    ended.start(QStringLiteral("true"), {});
    QVERIFY(ended.waitForStarted());
    const qint64 gone = ended.processId();
    QVERIFY(ended.waitForFinished());
    const QByteArray initStart =
        readFile(QStringLiteral("/proc/1/stat")).split(')').last().split(' ').at(20);
    const QList<std::pair<QString, QByteArray>> folders{
        {QStringLiteral(".data-import-gone"), QByteArray::number(gone) + " 1"},
        {QStringLiteral("data/.rostella-import-gone"), QByteArray::number(gone) + " 1"},
        {QStringLiteral(".data-import-reused"), "1 " + initStart + "9"},
        {QStringLiteral(".data-import-alive"), "1 " + initStart},
        {QStringLiteral(".data-import-unmarked"), {}},
        {QStringLiteral(".other-import-gone"), QByteArray::number(gone) + " 1"}};
    for (const auto &[name, marker] : folders) {
        QVERIFY(QDir().mkpath(root.file(name)));
        writeFile(root.file(name + QStringLiteral("/RostFamilies.adt")), "staged");
        if (!marker.isEmpty())
            writeFile(root.file(name + QStringLiteral("/.rostella-staging")), marker + '\n');
    }
    ImportJournal::recover(data);
    QStringList kept;
    for (const auto &[name, marker] : folders)
        if (QFileInfo::exists(root.file(name)))
            kept << name;
    QCOMPARE(kept, (QStringList{QStringLiteral(".data-import-alive"),
                                QStringLiteral(".data-import-unmarked"),
                                QStringLiteral(".other-import-gone")}));
}

void ImportUnitTest::limitsRefuseBeforeWriting_data()
{
    QTest::addColumn<int>("members");
    QTest::addColumn<quint32>("declared");
    QTest::addColumn<QString>("message");
    QTest::newRow("more than 1,000 members")
        << 1001 << 0u << "has 1001 members, more than the 1000";
    QTest::newRow("members declaring more than 1 GiB")
        << 3 << 0x7FFFFFFFu << "unpack to 2147483649 bytes, more than the 1073741824";
}

void ImportUnitTest::limitsRefuseBeforeWriting()
{
    QFETCH(int, members);
    QFETCH(quint32, declared);
    QFETCH(QString, message);
    TestFolder root;
    const QString data = makeData(root);
    const QString archive = root.file(QStringLiteral("RostData.zip"));
    ArchiveBuilder builder(archive);
    for (int i = 0; i < members; ++i)
        builder.add(QStringLiteral("m%1.txt").arg(i), "x");
    builder.write();
    if (declared != 0)
        ArchiveBuilder::setDeclaredSize(archive, "m0.txt", declared);
    QElapsedTimer timer;
    timer.start();
    QVERIFY_THROWS_EXCEPTION(ImportError, importArchive(archive, data, {}));
    try {
        importArchive(archive, data, {});
    } catch (const ImportError &e) {
        QVERIFY2(e.text().contains(message), qPrintable(e.text()));
    }
    QVERIFY(timer.elapsed() < 5000);
    QCOMPARE(tablesOf(data), m_old);
    QVERIFY(!QFileInfo::exists(data + QStringLiteral("/m1.txt")));
    QVERIFY(leftovers(data).isEmpty());
}

void ImportUnitTest::nulInNameRefused()
{
    TestFolder root;
    const QString data = makeData(root);
    const QString archive = root.file(QStringLiteral("RostData.zip"));
    ArchiveBuilder(archive)
        .add(QStringLiteral("abXcd.txt"), "cut")
        .add(QStringLiteral("RostSetXp.adt"), m_new.value(QString(tbl::Setup).toCaseFolded()))
        .add(QStringLiteral("notes.txt"), "new notes")
        .write();
    writeFile(archive, readFile(archive)
                           .replace("abXcd", QByteArray("ab\0cd", 5))
                           .replace("RostSetXp", QByteArray("RostSe\0up", 9)));
    QStringList failures;
    const ImportSummary summary = importArchive(archive, data, [&](const MemberFailure &f) {
        failures << QStringLiteral("%1 %2").arg(static_cast<int>(f.errorClass)).arg(f.storedName);
    });
    QCOMPARE(failures,
             (QStringList{QStringLiteral("3 ab\\0cd.txt"), QStringLiteral("3 RostSe\\0up.adt")}));
    QCOMPARE(summary.writtenFiles, QStringList{QStringLiteral("notes.txt")});
    QCOMPARE(QDir(data).entryList(QDir::Files),
             (QStringList{QStringLiteral("notes.txt"), QStringLiteral("rostfamilies.adt"),
                          QStringLiteral("rostfamilies.adt-journal"),
                          QStringLiteral("rostindividuals.adt"), QStringLiteral("rostsetup.adt")}));
}

QTEST_GUILESS_MAIN(ImportUnitTest)
#include "ImportUnitTest.moc"
