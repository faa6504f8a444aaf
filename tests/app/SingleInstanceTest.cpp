#include "app/exe/SingleInstance.h"
#include "directory/DataFolderLock.h"
#include "sample/SampleDirectory.h"

#include "TestFolder.h"

#include <QProcess>
#include <QtTest>

#include <atomic>
#include <thread>

using namespace rost;
using namespace rost::test;

namespace {

// A later run's hand-over from a thread of its own: it waits for the answer that the test's event
// loop gives. -1 until it has returned.
class LaterRun
{
public:
    explicit LaterRun(const QString &folder)
        : m_thread([this, folder] { m_handedOver = SingleInstance(folder).handOverOrListen(); })
    {}
    ~LaterRun() { m_thread.join(); }
    LaterRun(const LaterRun &) = delete;
    LaterRun &operator=(const LaterRun &) = delete;

    int result() const { return m_handedOver; }

private:
    std::atomic<int> m_handedOver{-1};
    std::thread m_thread;
};

} // namespace

class SingleInstanceTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The folder is known by its canonical path, however it is spelt; another folder has a
    // program of its own.
    void aLaterRunOnTheFolderHandsOver()
    {
        TestFolder folder;
        QVERIFY(QDir().mkpath(folder.file(QStringLiteral("data"))));
        QVERIFY(
            QFile::link(folder.file(QStringLiteral("data")), folder.file(QStringLiteral("link"))));
        SingleInstance first(folder.file(QStringLiteral("data")));
        QSignalSpy asked(&first, &SingleInstance::activationRequested);
        QVERIFY(!first.handOverOrListen());

        for (const char *spelling : {"data", "data/../data/.", "link"}) {
            LaterRun later(folder.file(QLatin1String(spelling)));
            QTRY_VERIFY2(later.result() != -1, spelling);
            QVERIFY2(later.result() == 1, spelling);
        }
        QCOMPARE(asked.count(), 3);

        SingleInstance other(folder.path());
        QVERIFY(!other.handOverOrListen());
        QCOMPARE(asked.count(), 3);
    }

    // A run that crashed leaves its socket behind: the next run takes the name over and the one
    // after it hands over to that run.
    void aNameLeftBehindIsTakenOver()
    {
        TestFolder folder;
        QFile left(QDir::temp().filePath(SingleInstance::serverName(folder.path())));
        QVERIFY(left.open(QIODevice::WriteOnly));
        left.close();
        SingleInstance next(folder.path());
        QSignalSpy asked(&next, &SingleInstance::activationRequested);
        QVERIFY(!next.handOverOrListen());
        LaterRun later(folder.path());
        QTRY_COMPARE(later.result(), 1);
        QCOMPARE(asked.count(), 1);
    }

    // Two real programs on one directory: the second hands over and ends, and only the first ever
    // holds the tables.
    void theSecondProgramEndsAndTheTablesStayOpenedOnce()
    {
        TestFolder folder;
        SampleOptions sample;
        sample.families = 3;
        writeSampleDirectory(folder.path(), sample);
        const QStringList arguments{QStringLiteral("--data"), folder.path()};

        QProcess first;
        first.setProcessChannelMode(QProcess::ForwardedChannels);
        first.start(QStringLiteral(ROSTELLA_PROGRAM), arguments);
        QVERIFY(first.waitForStarted());
        const QString firstHolder = QStringLiteral("rostella (process %1)").arg(first.processId());
        QTRY_COMPARE_WITH_TIMEOUT(DataFolderLock::holders(folder.path()), QStringList{firstHolder},
                                  20000);

        QProcess second;
        second.setProcessChannelMode(QProcess::ForwardedChannels);
        second.start(QStringLiteral(ROSTELLA_PROGRAM), arguments);
        QVERIFY(second.waitForFinished(20000));
        QCOMPARE(second.exitStatus(), QProcess::NormalExit);
        QCOMPARE(second.exitCode(), 0);
        QCOMPARE(first.state(), QProcess::Running);
        QCOMPARE(DataFolderLock::holders(folder.path()), QStringList{firstHolder});

        first.kill();
        QVERIFY(first.waitForFinished());
        QLocalServer::removeServer(SingleInstance::serverName(folder.path()));
    }
};

QTEST_GUILESS_MAIN(SingleInstanceTest)
#include "SingleInstanceTest.moc"
