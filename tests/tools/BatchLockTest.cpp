#include "directory/DataFolderLock.h"

#include "TestFolder.h"

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QtTest>

#include <optional>

using namespace rost;
using namespace std::chrono_literals;
using Mode = DataFolderLock::Mode;

// Imports and readers of one data folder in separate runs of the built rostella-batch: a reader
// never sees two directories at once, and an import never replaces a directory being read. This
// test's own locks stand for a run of the program.

namespace {

using Run = rost::test::ProgramRun;

void start(QProcess &process, const QStringList &args)
{
    process.start(QStringLiteral(ROST_BATCH), args);
}

Run finish(QProcess &process)
{
    return rost::test::finishRun(process, 120000);
}

Run batch(const QStringList &args)
{
    QProcess process;
    start(process, args);
    return finish(process);
}

QStringList household(const QString &data)
{
    return {QStringLiteral("household"), QStringLiteral("--data"), data, QStringLiteral("--all")};
}

QStringList import(const QString &data, const QString &archive)
{
    return {QStringLiteral("import"), QStringLiteral("--data"), data, archive};
}

} // namespace

class BatchLockTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void anImportWaitsForReadersThenRefuses();
    void aReaderWaitsForAnImport();
    void readersDoNotWaitForEachOther();
    void concurrentImportsAndReadsNeverMix();

private:
    // Writes the sample of a seed as an archive, and what household --all prints once it is in.
    void makeDirectory(const QString &seed, QString &archive, QByteArray &shown);
    // A data folder holding the directory of archive A.
    QString freshDataFolder(const QString &name);

    test::TestFolder m_tmp;
    QString m_archiveA;
    QString m_archiveB;
    QByteArray m_shownA;
    QByteArray m_shownB;
};

void BatchLockTest::makeDirectory(const QString &seed, QString &archive, QByteArray &shown)
{
    const QString folder = m_tmp.file(QStringLiteral("sample") + seed);
    const Run sample = batch({QStringLiteral("sample"), QStringLiteral("--out"), folder,
                              QStringLiteral("--families"), QStringLiteral("300"),
                              QStringLiteral("--seed"), seed, QStringLiteral("--zip")});
    QCOMPARE(sample.exitCode, 0);
    archive = folder + QStringLiteral("/RostData.zip");
    const QString data = m_tmp.file(QStringLiteral("alone") + seed);
    QVERIFY(QDir().mkpath(data));
    QCOMPARE(batch(import(data, archive)).exitCode, 0);
    const Run all = batch(household(data));
    QCOMPARE(all.exitCode, 0);
    shown = all.out;
}

QString BatchLockTest::freshDataFolder(const QString &name)
{
    const QString data = m_tmp.file(name);
    if (!QDir().mkpath(data) || batch(import(data, m_archiveA)).exitCode != 0)
        return {};
    return data;
}

void BatchLockTest::initTestCase()
{
    makeDirectory(QStringLiteral("1"), m_archiveA, m_shownA);
    makeDirectory(QStringLiteral("2"), m_archiveB, m_shownB);
    QVERIFY(!m_shownA.isEmpty());
    QVERIFY2(m_shownA != m_shownB, "the two directories should show differently");
}

void BatchLockTest::anImportWaitsForReadersThenRefuses()
{
    const QString data = freshDataFolder(QStringLiteral("readers"));
    QVERIFY(!data.isEmpty());
    {
        const DataFolderLock reader(data, Mode::Shared, 0ms);
        QElapsedTimer waited;
        waited.start();
        const Run r = batch(import(data, m_archiveB));
        QVERIFY(waited.elapsed() >= DataFolderLock::ImportWait.count());
        QCOMPARE(r.exitCode, 1);
        QCOMPARE(r.out, QByteArray());
        QCOMPARE(QString::fromUtf8(r.err),
                 QStringLiteral("rostella-batch import: The archive was not installed: the data "
                                "folder %1 is in use by BatchLockTest (process %2).\n")
                     .arg(QDir::toNativeSeparators(data))
                     .arg(QCoreApplication::applicationPid()));
    }
    QCOMPARE(batch(household(data)).out, m_shownA);
}

void BatchLockTest::aReaderWaitsForAnImport()
{
    const QString data = freshDataFolder(QStringLiteral("import"));
    QVERIFY(!data.isEmpty());
    std::optional<DataFolderLock> importing;
    importing.emplace(data, Mode::Exclusive, 0ms);
    QProcess reader;
    start(reader, household(data));
    QVERIFY(reader.waitForStarted());
    QVERIFY2(!reader.waitForFinished(1500), "the reader did not wait for the import");
    importing.reset();
    const Run r = finish(reader);
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(r.out, m_shownA);
}

void BatchLockTest::readersDoNotWaitForEachOther()
{
    const QString data = freshDataFolder(QStringLiteral("shared"));
    QVERIFY(!data.isEmpty());
    const DataFolderLock reader(data, Mode::Shared, 0ms);
    QElapsedTimer waited;
    waited.start();
    QProcess first;
    QProcess second;
    start(first, household(data));
    start(second, household(data));
    const Run a = finish(first);
    const Run b = finish(second);
    QCOMPARE(a.exitCode, 0);
    QCOMPARE(b.exitCode, 0);
    QCOMPARE(a.out, m_shownA);
    QCOMPARE(b.out, m_shownA);
    // Far less than a reader waits for an import.
    QVERIFY(waited.elapsed() < DataFolderLock::ReadWait.count() / 2);
}

// Each run installs the other directory while a reader reads. The reader starts after the import
// by a time that grows run by run, so that some runs open the tables just as the import replaces
// them: the reader must show one of the two directories whole, and the import must go in.
void BatchLockTest::concurrentImportsAndReadsNeverMix()
{
    const QString data = freshDataFolder(QStringLiteral("mixed"));
    QVERIFY(!data.isEmpty());
    const int asked = qEnvironmentVariableIntValue("ROST_LOCK_RUNS");
    const int runs = asked > 0 ? asked : 40;
    int sawOld = 0;
    int sawNew = 0;
    QStringList faults;
    for (int i = 0; i < runs; ++i) {
        const bool toB = i % 2 == 0;
        QProcess importer;
        QProcess reader;
        start(importer, import(data, toB ? m_archiveB : m_archiveA));
        QThread::msleep(static_cast<unsigned long>(i * 40 / runs));
        start(reader, household(data));
        // The reader first: its output fills the pipe, and a reader blocked on writing it would
        // keep the folder from the import.
        const Run read = finish(reader);
        const Run imported = finish(importer);
        const QByteArray &before = toB ? m_shownA : m_shownB;
        const QByteArray &after = toB ? m_shownB : m_shownA;
        if (imported.exitCode != 0)
            faults << QStringLiteral("run %1: the import failed: %2")
                          .arg(i)
                          .arg(QString::fromUtf8(imported.err));
        if (read.exitCode != 0)
            faults << QStringLiteral("run %1: the reader failed: %2")
                          .arg(i)
                          .arg(QString::fromUtf8(read.err));
        else if (read.out == before)
            ++sawOld;
        else if (read.out == after)
            ++sawNew;
        else
            faults << QStringLiteral("run %1: the reader showed a mix of two directories").arg(i);
    }
    qInfo("%d runs: %d reads before the import, %d after, %lld faults", runs, sawOld, sawNew,
          static_cast<long long>(faults.size()));
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
    QCOMPARE(batch(household(data)).out, runs % 2 == 1 ? m_shownB : m_shownA);
}

QTEST_GUILESS_MAIN(BatchLockTest)
#include "BatchLockTest.moc"
