#include "directory/DataFolderLock.h"

#include "directory/DataFolderBusy.h"
#include "directory/IoError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <thread>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace rost {

namespace {

using Clock = std::chrono::steady_clock;

// Between two tries: short enough that a reader goes on soon after an import ends.
constexpr std::chrono::milliseconds Retry{20};

QString shown(const QString &folder)
{
    return QDir::toNativeSeparators(folder);
}

// The program a process runs: the last part of its first argument, or the kernel's short name
// when the arguments cannot be read.
QString programName(const QString &pid)
{
    QFile cmdline(QStringLiteral("/proc/%1/cmdline").arg(pid));
    if (cmdline.open(QIODevice::ReadOnly)) {
        const QByteArray first = cmdline.readAll().split('\0').value(0);
        if (!first.isEmpty())
            return QFileInfo(QFile::decodeName(first)).fileName();
    }
    QFile comm(QStringLiteral("/proc/%1/comm").arg(pid));
    if (comm.open(QIODevice::ReadOnly))
        return QString::fromLocal8Bit(comm.readAll().trimmed());
    return {};
}

QString joinedHolders(const QString &folder)
{
    const QStringList names = DataFolderLock::holders(folder);
    if (names.isEmpty())
        return QStringLiteral("another program");
    if (names.size() == 1)
        return names.first();
    return names.mid(0, names.size() - 1).join(QStringLiteral(", ")) + QStringLiteral(" and ") +
           names.last();
}

QString busyText(const QString &folder, DataFolderLock::Mode mode)
{
    if (mode == DataFolderLock::Mode::Exclusive)
        return QStringLiteral("The archive was not installed: the data folder %1 is in use by %2.")
            .arg(shown(folder), joinedHolders(folder));
    return QStringLiteral("The directory in %1 cannot be read now: %2 is installing an archive "
                          "into it.")
        .arg(shown(folder), joinedHolders(folder));
}

} // namespace

DataFolderLock::DataFolderLock(const QString &folder, Mode mode)
    : DataFolderLock(folder, mode, mode == Mode::Exclusive ? ImportWait : ReadWait)
{}

DataFolderLock::DataFolderLock(const QString &folder, Mode mode, std::chrono::milliseconds wait)
{
    m_fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (m_fd < 0) {
        const int error = errno;
        throw IoError(QStringLiteral("The data folder %1 cannot be opened: %2")
                          .arg(shown(folder), QString::fromLocal8Bit(std::strerror(error))));
    }
    const int operation = (mode == Mode::Exclusive ? LOCK_EX : LOCK_SH) | LOCK_NB;
    const Clock::time_point deadline = Clock::now() + wait;
    for (;;) {
        if (::flock(m_fd, operation) == 0)
            return;
        const int error = errno;
        if (error == EINTR)
            continue;
        if (error != EWOULDBLOCK) {
            // A file system without locks (some network ones): the folder cannot be guarded, and
            // refusing would leave the directory unusable there.
            ::close(m_fd);
            m_fd = -1;
            return;
        }
        const Clock::time_point now = Clock::now();
        if (now >= deadline) {
            const QString text = busyText(folder, mode);
            ::close(m_fd);
            m_fd = -1;
            throw DataFolderBusy(text);
        }
        std::this_thread::sleep_for(std::min<Clock::duration>(Retry, deadline - now));
    }
}

DataFolderLock::~DataFolderLock()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

QStringList DataFolderLock::holders(const QString &folder)
{
    struct stat info;
    if (::stat(QFile::encodeName(folder).constData(), &info) != 0)
        return {};
    QFile locks(QStringLiteral("/proc/locks"));
    if (!locks.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    // Lines such as "3: FLOCK  ADVISORY  READ  1234 08:01:5678 0 EOF"; a waiter's line has "->"
    // after the number and holds nothing. The device is the file system's, which on some file
    // systems differs from the one stat gives, so the inode alone decides when no line has both.
    const QString inode = QString::number(info.st_ino);
    const QString device = QStringLiteral("%1:%2")
                               .arg(major(info.st_dev), 2, 16, QLatin1Char('0'))
                               .arg(minor(info.st_dev), 2, 16, QLatin1Char('0'));
    QStringList onInode;
    QStringList onFile;
    for (const QByteArray &line : locks.readAll().split('\n')) {
        const QStringList fields =
            QString::fromLatin1(line).split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (fields.size() < 6 || fields.at(1) != QLatin1String("FLOCK"))
            continue;
        const QStringList id = fields.at(5).split(QLatin1Char(':'));
        const QString &pid = fields.at(4);
        if (id.size() != 3 || id.at(2) != inode || pid.toLongLong() <= 0)
            continue;
        const QString name = programName(pid);
        const QString holder = QStringLiteral("%1 (process %2)")
                                   .arg(name.isEmpty() ? QStringLiteral("a program") : name, pid);
        if (onInode.contains(holder))
            continue;
        onInode << holder;
        if (id.at(0) + QLatin1Char(':') + id.at(1) == device)
            onFile << holder;
    }
    return onFile.isEmpty() ? onInode : onFile;
}

} // namespace rost
