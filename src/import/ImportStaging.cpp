#include "import/ImportStaging.h"

#include "import/ImportError.h"
#include "import/ImportJournal.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMutex>
#include <QSet>
#include <QStorageInfo>

#include <cerrno>
#include <cstring>
#include <utility>

#ifdef Q_OS_UNIX
#include <csignal>
#include <fcntl.h>
#include <sys/types.h>
#include <unistd.h>
#endif

namespace rost {

namespace {

const QString MarkerName = QStringLiteral(".rostella-staging");

// The staging folders this process is using now; a marked folder of this process that is not
// among them was abandoned by an import that did not clean up.
QMutex liveMutex;
QSet<QString> &liveFolders()
{
    static QSet<QString> folders;
    return folders;
}

bool isLive(const QString &path)
{
    const QMutexLocker lock(&liveMutex);
    return liveFolders().contains(path);
}

bool sameDisk(const QString &a, const QString &b)
{
    const QStorageInfo sa(a);
    const QStorageInfo sb(b);
    return sa.isValid() && sb.isValid() && sa.rootPath() == sb.rootPath() &&
           sa.device() == sb.device();
}

// A process's start time in clock ticks since boot, which tells a process from a later one that
// got the same id; empty where the system does not say.
QByteArray startTime(qint64 pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return {};
    const QByteArray line = stat.readAll();
    // The command name in parentheses may hold blanks; the fields after it are plain.
    const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
    return fields.size() > 19 ? fields.at(19) : QByteArray();
}

qint64 ownPid()
{
#ifdef Q_OS_UNIX
    return ::getpid();
#else
    return 0;
#endif
}

bool processGone(qint64 pid, const QByteArray &started)
{
#ifdef Q_OS_UNIX
    if (pid <= 0)
        return false;
    if (QFileInfo::exists(QStringLiteral("/proc/self/stat")))
        return startTime(pid) != started;
    return ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH;
#else
    Q_UNUSED(pid);
    Q_UNUSED(started);
    return false;
#endif
}

// The owner "pid start" of a staging folder: its marker, or, for a process that ended between
// making the folder and writing the marker, the same two numbers in the folder's name.
QList<QByteArray> ownerOf(const QString &folder)
{
    // A process killed while it wrote the marker leaves it empty or cut short: the name says the
    // same.
    QFile marker(QDir(folder).filePath(MarkerName));
    if (marker.open(QIODevice::ReadOnly)) {
        const QList<QByteArray> fields = marker.read(256).trimmed().split(' ');
        if (fields.size() == 2 && !fields.at(1).isEmpty())
            return fields;
    }
    const QList<QByteArray> parts = QFileInfo(folder).fileName().toUtf8().split('-');
    if (parts.size() < 4 || parts.at(parts.size() - 4) != "import")
        return {};
    return {parts.at(parts.size() - 3), parts.at(parts.size() - 2)};
}

bool abandoned(const QString &folder)
{
    const QList<QByteArray> fields = ownerOf(folder);
    if (fields.size() != 2)
        return false;
    bool ok = false;
    const qint64 pid = fields.first().toLongLong(&ok);
    if (!ok)
        return false;
    if (pid == ownPid())
        return !isLive(folder);
    return processGone(pid, fields.at(1));
}

} // namespace

ImportStaging::ImportStaging(const QString &dataFolder, const ImportFaults &faults)
    : m_faults(faults)
{
    const QFileInfo data(dataFolder);
    m_dataFolder = data.canonicalFilePath();
    if (m_dataFolder.isEmpty() || !data.isDir())
        throw ImportError(QStringLiteral("The data folder %1 does not exist")
                              .arg(QDir::toNativeSeparators(dataFolder)));

    const QFileInfo canonical(m_dataFolder);
    const QByteArray owner = QByteArray::number(ownPid()) + ' ' + startTime(ownPid());
    const QString named =
        QStringLiteral("-import-%1-XXXXXX")
            .arg(QString::fromLatin1(owner).replace(QLatin1Char(' '), QLatin1Char('-')));
    const QString beside =
        canonical.absolutePath() + QStringLiteral("/.") + canonical.fileName() + named;
    auto dir = std::make_unique<QTemporaryDir>(beside);
    if (!dir->isValid() || !sameDisk(dir->path(), m_dataFolder)) {
        dir = std::make_unique<QTemporaryDir>(m_dataFolder + QStringLiteral("/.rostella") + named);
        if (!dir->isValid())
            throw ImportError(QStringLiteral("No folder for the import can be made in %1: %2")
                                  .arg(QDir::toNativeSeparators(m_dataFolder), dir->errorString()));
    }
    m_dir = std::move(dir);
    {
        const QMutexLocker lock(&liveMutex);
        liveFolders().insert(m_dir->path());
    }
    QFile marker(filePath(MarkerName));
    if (!marker.open(QIODevice::WriteOnly) || marker.write(owner + '\n') != owner.size() + 1 ||
        !marker.flush())
        throw ImportError(QStringLiteral("No folder for the import can be made in %1: %2")
                              .arg(QDir::toNativeSeparators(m_dataFolder), marker.errorString()));
}

ImportStaging::~ImportStaging()
{
    // Every rename of a unit still open is done; only its journal has yet to go.
    if (m_unitOpen && ImportJournal::syncFolder(m_dataFolder).isEmpty())
        QFile::remove(ImportJournal::path(m_dataFolder));
    const QMutexLocker lock(&liveMutex);
    liveFolders().remove(m_dir->path());
}

qint64 ImportStaging::freeBytes() const
{
    QStorageInfo storage(m_dataFolder);
    storage.refresh();
    return storage.isValid() ? storage.bytesAvailable() : 0;
}

int ImportStaging::operation()
{
    ++m_operations;
    if (m_operations == m_faults.stopAt) {
        // A crash cleans nothing up: the folder, its files and any journal stay.
        m_dir->setAutoRemove(false);
        m_unitOpen = false;
        throw ImportStopped();
    }
    return m_operations == m_faults.failAt ? EIO : 0;
}

QString ImportStaging::rename(const QString &from, const QString &to)
{
    if (const int injected = operation())
        return QString::fromLocal8Bit(std::strerror(injected));
    return ImportJournal::renameFile(from, to);
}

QString ImportStaging::place(const QString &target, const QStringList &sides)
{
    const QDir data(m_dataFolder);
    std::vector<std::pair<QString, QString>> aside; // (place in data folder, place in staging)
    const auto putBack = [&] {
        for (const auto &[back, from] : aside)
            rename(from, back);
    };
    for (const QString &side : sides) {
        const QString parked = filePath(QStringLiteral("aside-%1").arg(++m_asideCount));
        if (const QString problem = rename(data.filePath(side), parked); !problem.isEmpty()) {
            putBack();
            return QStringLiteral("the journal %1 beside it cannot be moved away: %2")
                .arg(side, problem);
        }
        aside.emplace_back(data.filePath(side), parked);
    }
    if (const QString problem = rename(filePath(target), data.filePath(target));
        !problem.isEmpty()) {
        putBack();
        return QStringLiteral("it cannot be put in place as %1: %2").arg(target, problem);
    }
    return {};
}

QString ImportStaging::commitUnit(const std::vector<UnitFile> &files)
{
    if (files.empty())
        return {};
    const QString journalPath = ImportJournal::path(m_dataFolder);
    const QByteArray journal = ImportJournal::text({path(), files});
    QString problem;
    {
        QFile out(journalPath);
        if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered))
            return QStringLiteral("its journal cannot be written: %1").arg(out.errorString());
        int error = operation();
        errno = 0;
        if (error == 0 && out.write(journal) != journal.size())
            error = errno != 0 ? errno : EIO;
#ifdef Q_OS_UNIX
        if (error == 0)
            error = operation();
        if (error == 0 && ::fsync(out.handle()) != 0)
            error = errno;
#endif
        if (error != 0)
            problem = QString::fromLocal8Bit(std::strerror(error));
    }
    if (problem.isEmpty())
        problem = sync();
    if (!problem.isEmpty()) {
        QFile::remove(journalPath);
        return QStringLiteral("its journal cannot be written: %1").arg(problem);
    }

    m_unit = files;
    m_unitOpen = true;
    const ImportJournal::Rename step = [this](const QString &from, const QString &to) {
        return rename(from, to);
    };
    problem = ImportJournal::rollForward(m_dataFolder, {path(), m_unit}, step);
    if (problem.isEmpty())
        return {};
    m_unitOpen = false;
    return problem + rollBack();
}

QString ImportStaging::finishUnit()
{
    const QString problem = sync();
    if (!m_unitOpen)
        return problem.isEmpty()
                   ? QString()
                   : QStringLiteral("the data folder cannot be synced: %1").arg(problem);
    m_unitOpen = false;
    if (!problem.isEmpty())
        return QStringLiteral("the data folder cannot be synced: %1").arg(problem) + rollBack();
    QFile::remove(ImportJournal::path(m_dataFolder));
    return {};
}

// Puts the old tables back after a failed replacement and ends the journal; where even that
// fails, the journal stays, and the replacement is finished when the folder is next opened.
QString ImportStaging::rollBack()
{
    const ImportJournal::Rename step = [this](const QString &from, const QString &to) {
        return rename(from, to);
    };
    QString problem = ImportJournal::rollBack(m_dataFolder, {path(), m_unit}, step);
    if (problem.isEmpty())
        problem = sync();
    if (!problem.isEmpty())
        return QStringLiteral("; %1, and the import is finished when the data folder is next "
                              "opened")
            .arg(problem);
    QFile::remove(ImportJournal::path(m_dataFolder));
    return {};
}

QString ImportStaging::sync()
{
    if (const int injected = operation())
        return QString::fromLocal8Bit(std::strerror(injected));
    return ImportJournal::syncFolder(m_dataFolder);
}

void ImportStaging::removeLeftovers(const QString &dataFolder)
{
    const QFileInfo data(QFileInfo(dataFolder).canonicalFilePath());
    if (data.filePath().isEmpty())
        return;
    const std::optional<ImportJournal::Content> pending = ImportJournal::read(data.filePath());
    const auto sweep = [&pending](const QDir &folder, const QString &pattern) {
        const QFileInfoList found =
            folder.entryInfoList({pattern}, QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot);
        for (const QFileInfo &entry : found) {
            const QString path = entry.absoluteFilePath();
            if (entry.isSymLink() || (pending && pending->staging == path) || !abandoned(path))
                continue;
            QDir(path).removeRecursively();
        }
    };
    sweep(QDir(data.absolutePath()), QStringLiteral(".%1-import-*").arg(data.fileName()));
    sweep(QDir(data.filePath()), QStringLiteral(".rostella-import-*"));
}

} // namespace rost
