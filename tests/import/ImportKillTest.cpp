#include "TestFolder.h"

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QRandomGenerator>
#include <QThread>
#include <QtTest>

using rost::test::readFile;
using rost::test::Tables;
using rost::test::tablesOf;
using rost::test::TestFolder;

namespace {

void copyTables(const QString &from, const QString &to)
{
    QDir().mkpath(to);
    const QStringList names = QDir(from).entryList(QDir::Files);
    for (const QString &name : names)
        QFile::copy(from + QLatin1Char('/') + name, to + QLatin1Char('/') + name);
}

int batch(const QStringList &args)
{
    QProcess p;
    p.start(QStringLiteral(ROST_BATCH), args);
    if (!p.waitForFinished(120000))
        return -1;
    return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
}

} // namespace

// rostella-batch import killed at random moments: the next command that opens the folder finds
// the old directory or the new one, whole, and no staging folder beside it.
class ImportKillTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void killedAtRandom();
};

void ImportKillTest::killedAtRandom()
{
    // Sanitizer builds run fewer, slower kills.
    const int runs = qEnvironmentVariableIsSet("ROST_KILL_RUNS")
                         ? qEnvironmentVariableIntValue("ROST_KILL_RUNS")
                         : 20;
    TestFolder root;
    const QString old = root.file(QStringLiteral("old"));
    const QString fresh = root.file(QStringLiteral("new"));
    const QString zipped = root.file(QStringLiteral("zip"));
    QCOMPARE(batch({QStringLiteral("sample"), QStringLiteral("--out"), old,
                    QStringLiteral("--seed"), QStringLiteral("1")}),
             0);
    QCOMPARE(batch({QStringLiteral("sample"), QStringLiteral("--out"), zipped,
                    QStringLiteral("--seed"), QStringLiteral("2"), QStringLiteral("--zip")}),
             0);
    const QString archive = zipped + QStringLiteral("/RostData.zip");
    copyTables(old, fresh);
    QElapsedTimer clean;
    clean.start();
    QCOMPARE(batch({QStringLiteral("import"), QStringLiteral("--data"), fresh, archive}), 0);
    const qint64 span = std::max<qint64>(clean.elapsed(), 5);
    const Tables before = tablesOf(old);
    const Tables after = tablesOf(fresh);
    QVERIFY(before != after);

    QRandomGenerator random(12);
    int mixed = 0;
    int interrupted = 0;
    for (int run = 0; run < runs; ++run) {
        const QString data = root.file(QStringLiteral("data%1").arg(run));
        copyTables(old, data);
        QProcess import;
        import.start(QStringLiteral(ROST_BATCH),
                     {QStringLiteral("import"), QStringLiteral("--data"), data, archive});
        QVERIFY(import.waitForStarted());
        QThread::msleep(static_cast<unsigned long>(random.bounded(span)));
        import.kill();
        QVERIFY(import.waitForFinished());
        if (import.exitStatus() == QProcess::CrashExit)
            ++interrupted;
        QCOMPARE(batch({QStringLiteral("household"), QStringLiteral("--data"), data,
                        QStringLiteral("--all")}),
                 0);
        const Tables now = tablesOf(data);
        if (now != before && now != after)
            ++mixed;
        const QStringList left = QDir(root.path())
                                     .entryList({QStringLiteral(".data%1-import-*").arg(run)},
                                                QDir::Dirs | QDir::Hidden) +
                                 QDir(data).entryList({QStringLiteral(".rostella-import*")},
                                                      QDir::AllEntries | QDir::Hidden);
        QVERIFY2(left.isEmpty(), qPrintable(left.join(QLatin1Char(' '))));
    }
    qInfo("%d runs, %d killed during the import, %d mixed directories", runs, interrupted, mixed);
    QCOMPARE(mixed, 0);
}

QTEST_GUILESS_MAIN(ImportKillTest)
#include "ImportKillTest.moc"
