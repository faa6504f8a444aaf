#include "directory/DataFolderLock.h"
#include "directory/DataFolderBusy.h"
#include "directory/IoError.h"

#include "TestFolder.h"

#include <QDir>
#include <QElapsedTimer>
#include <QtTest>

#include <optional>
#include <thread>

using namespace rost;
using namespace std::chrono_literals;
using Mode = DataFolderLock::Mode;

// The lock on a data folder between locks of this one process: flock locks belong to the open
// folder, so each lock here stands for another run of the program.

namespace {

// How this test program is named as a holder.
QString thisProgram()
{
    return QStringLiteral("DataFolderLockTest (process %1)")
        .arg(QCoreApplication::applicationPid());
}

} // namespace

class DataFolderLockTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void readersShareAndAnImportWaitsThenRefuses()
    {
        test::TestFolder folder;
        QVERIFY(DataFolderLock::holders(folder.path()).isEmpty());
        {
            const DataFolderLock first(folder.path(), Mode::Shared, 0ms);
            const DataFolderLock second(folder.path(), Mode::Shared, 0ms);
            // Two locks of one process name it once.
            QCOMPARE(DataFolderLock::holders(folder.path()), QStringList{thisProgram()});

            QElapsedTimer waited;
            waited.start();
            try {
                const DataFolderLock import(folder.path(), Mode::Exclusive, 300ms);
                QFAIL("the import got the folder while it was read");
            } catch (const DataFolderBusy &e) {
                QCOMPARE(e.text(),
                         QStringLiteral("The archive was not installed: the data folder "
                                        "%1 is in use by %2.")
                             .arg(QDir::toNativeSeparators(folder.path()), thisProgram()));
            }
            QVERIFY(waited.elapsed() >= 300);
        }
        // Let go with the objects: the folder is free again.
        QVERIFY(DataFolderLock::holders(folder.path()).isEmpty());
        const DataFolderLock import(folder.path(), Mode::Exclusive, 0ms);
        QVERIFY_THROWS_EXCEPTION(DataFolderBusy,
                                 DataFolderLock(folder.path(), Mode::Exclusive, 0ms));
    }

    void aReaderWaitsForTheImportThenGivesUp()
    {
        test::TestFolder folder;
        std::optional<DataFolderLock> import;
        import.emplace(folder.path(), Mode::Exclusive, 0ms);
        try {
            const DataFolderLock reader(folder.path(), Mode::Shared, 100ms);
            QFAIL("a reader got the folder while it was replaced");
        } catch (const DataFolderBusy &e) {
            QCOMPARE(e.text(), QStringLiteral("The directory in %1 cannot be read now: %2 is "
                                              "installing an archive into it.")
                                   .arg(QDir::toNativeSeparators(folder.path()), thisProgram()));
        }

        // The import ends while a reader waits: the reader goes on soon after.
        QElapsedTimer waited;
        waited.start();
        std::thread ending([&import] {
            std::this_thread::sleep_for(300ms);
            import.reset();
        });
        const DataFolderLock reader(folder.path(), Mode::Shared, 10s);
        const qint64 elapsed = waited.elapsed();
        ending.join();
        QVERIFY(elapsed >= 250);
        QVERIFY2(elapsed < 5000, "the reader did not notice the import had ended");
    }

    void aFolderThatCannotBeOpenedIsNamed()
    {
        test::TestFolder folder;
        const QString missing = folder.file(QStringLiteral("gone"));
        try {
            const DataFolderLock lock(missing, Mode::Shared);
            QFAIL("a missing folder was locked");
        } catch (const IoError &e) {
            QCOMPARE(e.text(), QStringLiteral(
                                   "The data folder %1 cannot be opened: No such file or directory")
                                   .arg(QDir::toNativeSeparators(missing)));
        }
        QVERIFY(DataFolderLock::holders(missing).isEmpty());
    }
};

QTEST_GUILESS_MAIN(DataFolderLockTest)
#include "DataFolderLockTest.moc"
