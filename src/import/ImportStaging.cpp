#include "import/ImportStaging.h"

#include "directory/AtomicSave.h"
#include "import/ImportError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStorageInfo>

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <utility>
#include <vector>

namespace rost {

namespace {

std::filesystem::path fsPath(const QString &path)
{
#ifdef Q_OS_WIN
    return std::filesystem::path(path.toStdWString());
#else
    return std::filesystem::path(QFile::encodeName(path).toStdString());
#endif
}

// rename(2) semantics: an existing file at `to` is replaced atomically.
QString renameOver(const QString &from, const QString &to)
{
    std::error_code ec;
    std::filesystem::rename(fsPath(from), fsPath(to), ec);
    return ec ? QString::fromLocal8Bit(ec.message()) : QString();
}

bool sameDisk(const QString &a, const QString &b)
{
    const QStorageInfo sa(a);
    const QStorageInfo sb(b);
    return sa.isValid() && sb.isValid() && sa.rootPath() == sb.rootPath() &&
           sa.device() == sb.device();
}

} // namespace

ImportStaging::ImportStaging(const QString &dataFolder)
{
    const QFileInfo data(dataFolder);
    m_dataFolder = data.canonicalFilePath();
    if (m_dataFolder.isEmpty() || !data.isDir())
        throw ImportError(QStringLiteral("The data folder %1 does not exist")
                              .arg(QDir::toNativeSeparators(dataFolder)));

    const QFileInfo canonical(m_dataFolder);
    const QString beside = canonical.absolutePath() + QStringLiteral("/.") + canonical.fileName() +
                           QStringLiteral("-import-XXXXXX");
    auto dir = std::make_unique<QTemporaryDir>(beside);
    if (!dir->isValid() || !sameDisk(dir->path(), m_dataFolder)) {
        dir = std::make_unique<QTemporaryDir>(m_dataFolder +
                                              QStringLiteral("/.rostella-import-XXXXXX"));
        if (!dir->isValid())
            throw ImportError(QStringLiteral("No folder for the import can be made in %1: %2")
                                  .arg(QDir::toNativeSeparators(m_dataFolder), dir->errorString()));
    }
    m_dir = std::move(dir);
}

ImportStaging::~ImportStaging() = default;

qint64 ImportStaging::freeBytes(qint64 reserved) const
{
    QStorageInfo storage(m_dataFolder);
    storage.refresh();
    if (!storage.isValid())
        return 0;
    return std::max<qint64>(0, storage.bytesAvailable() - reserved);
}

QString ImportStaging::commit(const QString &name, const QString &target)
{
    const QDir data(m_dataFolder);
    const QString targetPath = data.filePath(target);

    // Side files are matched without regard to case, as the table files are.
    std::vector<std::pair<QString, QString>> aside; // (place in data folder, place in staging)
    const QFileInfoList entries =
        data.entryInfoList(QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QFileInfo &entry : entries) {
        for (const char *suffix : {"-journal", "-wal", "-shm"}) {
            if (entry.fileName().compare(target + QLatin1String(suffix), Qt::CaseInsensitive))
                continue;
            const QString parked = filePath(QStringLiteral("aside-%1").arg(++m_asideCount));
            const QString problem = renameOver(entry.filePath(), parked);
            if (!problem.isEmpty()) {
                for (const auto &[back, from] : aside)
                    renameOver(from, back);
                return QStringLiteral("the journal %1 beside it cannot be moved away: %2")
                    .arg(entry.fileName(), problem);
            }
            aside.emplace_back(entry.filePath(), parked);
        }
    }

    const QString problem = renameOver(filePath(name), targetPath);
    if (!problem.isEmpty()) {
        for (const auto &[back, from] : aside)
            renameOver(from, back);
        return QStringLiteral("it cannot be put in place as %1: %2").arg(target, problem);
    }
    // The renamed entry must reach the disk to survive a power loss; when the system cannot say it
    // did, the import fails rather than claim a file it may lose (IoError).
    AtomicSave::syncFolder(
        m_dataFolder,
        QStringLiteral("the data folder %1").arg(QDir::toNativeSeparators(m_dataFolder)));
    return {};
}

} // namespace rost
