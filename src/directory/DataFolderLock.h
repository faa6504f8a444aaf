#pragma once

#include <QString>
#include <QStringList>

#include <chrono>

namespace rost {

// The lock that keeps readers of a directory and an import into it apart, so that no one ever
// reads a directory while it is being replaced. Everyone who reads or edits the directory holds
// it shared for as long as they do; an import holds it exclusively while it replaces files.
//
// The lock is an flock on the data folder itself, not on a file in it: nothing is added to the
// folder, a folder that may not be written can still be locked, and no archive member can ever
// replace the lock. flock locks belong to an open file description, so two locks taken by one
// process conflict just as two processes' locks do, and a child process started by the program
// does not inherit one.
class DataFolderLock
{
public:
    enum class Mode {
        Shared,
        Exclusive,
    };

    // How long an import waits for readers to let go of the folder before it refuses.
    static constexpr std::chrono::milliseconds ImportWait{5000};
    // How long a reader waits for an import to finish before it gives up.
    static constexpr std::chrono::milliseconds ReadWait{60000};

    // Takes the lock, trying again until wait has passed. Throws DataFolderBusy naming the
    // holders when it is still held then, and IoError when the folder cannot be opened. On a
    // file system that cannot lock at all, the lock is not taken and the caller goes on.
    DataFolderLock(const QString &folder, Mode mode, std::chrono::milliseconds wait);
    // Waits ImportWait for an exclusive lock and ReadWait for a shared one.
    DataFolderLock(const QString &folder, Mode mode);
    ~DataFolderLock();
    DataFolderLock(const DataFolderLock &) = delete;
    DataFolderLock &operator=(const DataFolderLock &) = delete;

    // The processes holding a lock on the folder, as "program (process N)", in the order the
    // system lists them; empty when there are none or the system does not say.
    static QStringList holders(const QString &folder);

private:
    int m_fd = -1;
};

} // namespace rost
