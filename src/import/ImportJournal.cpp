#include "import/ImportJournal.h"

#include "directory/DataFolderBusy.h"
#include "directory/DataFolderLock.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <filesystem>
#include <system_error>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>
#endif

namespace rost {

namespace {

const QString Heading = QStringLiteral("Rostella import journal");
const QString CommitLine = QStringLiteral("commit");

std::filesystem::path fsPath(const QString &path)
{
#ifdef Q_OS_WIN
    return std::filesystem::path(path.toStdWString());
#else
    return std::filesystem::path(QFile::encodeName(path).toStdString());
#endif
}

// A name the journal may use: one entry of a folder, never a path.
bool bareName(const QString &name)
{
    return !name.isEmpty() && name != QLatin1String(".") && name != QLatin1String("..") &&
           !name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\')) &&
           !name.contains(QChar(0));
}

// A staging folder an import of this data folder makes: beside it, or inside it.
bool stagingOf(const QString &dataFolder, const QString &staging)
{
    const QFileInfo data(dataFolder);
    const QFileInfo stage(staging);
    const QString name = stage.fileName();
    if (stage.absolutePath() == data.absolutePath())
        return name.startsWith(QStringLiteral(".%1-import-").arg(data.fileName()));
    return stage.absolutePath() == data.absoluteFilePath() &&
           name.startsWith(QLatin1String(".rostella-import-"));
}

} // namespace

QString ImportJournal::path(const QString &dataFolder)
{
    return QDir(dataFolder).filePath(QStringLiteral(".rostella-import.journal"));
}

QString ImportJournal::parkedName(std::size_t file)
{
    return QStringLiteral("old-%1").arg(file);
}

QString ImportJournal::asideName(std::size_t file, qsizetype side)
{
    return QStringLiteral("aside-%1-%2").arg(file).arg(side);
}

QByteArray ImportJournal::text(const Content &content)
{
    QStringList lines{Heading, QStringLiteral("staging\t") + content.staging};
    for (const UnitFile &f : content.files) {
        QStringList fields{QStringLiteral("file"), f.target,
                           f.present ? QStringLiteral("1") : QStringLiteral("0")};
        fields += f.sides;
        lines << fields.join(QLatin1Char('\t'));
    }
    lines << CommitLine;
    return (lines.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8();
}

std::optional<ImportJournal::Content> ImportJournal::read(const QString &dataFolder)
{
    QFile file(path(dataFolder));
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    // A journal lists at most one line per member of an archive of limited size.
    const QStringList lines =
        QString::fromUtf8(file.read(qint64(1) << 20)).split(QLatin1Char('\n'));
    if (lines.size() < 4 || lines.first() != Heading || lines.last() != QString() ||
        lines.at(lines.size() - 2) != CommitLine)
        return std::nullopt;
    Content content;
    const QStringList staging = lines.at(1).split(QLatin1Char('\t'));
    if (staging.size() != 2 || staging.first() != QLatin1String("staging") ||
        !stagingOf(QFileInfo(dataFolder).canonicalFilePath(), staging.at(1)))
        return std::nullopt;
    content.staging = staging.at(1);
    for (qsizetype i = 2; i < lines.size() - 2; ++i) {
        QStringList fields = lines.at(i).split(QLatin1Char('\t'));
        if (fields.size() < 3 || fields.first() != QLatin1String("file") ||
            !bareName(fields.at(1)) ||
            (fields.at(2) != QLatin1String("0") && fields.at(2) != QLatin1String("1")))
            return std::nullopt;
        UnitFile f{fields.at(1), fields.at(2) == QLatin1String("1"), fields.mid(3)};
        for (const QString &side : f.sides)
            if (!bareName(side))
                return std::nullopt;
        content.files.push_back(std::move(f));
    }
    return content;
}

bool ImportJournal::canRollForward(const QString &dataFolder, const Content &content)
{
    const QDir data(dataFolder);
    const QDir staging(content.staging);
    for (std::size_t i = 0; i < content.files.size(); ++i) {
        const UnitFile &f = content.files[i];
        if (present(staging.filePath(f.target)))
            continue;
        const bool placed = present(data.filePath(f.target)) &&
                            (!f.present || present(staging.filePath(parkedName(i))));
        if (!placed)
            return false;
    }
    return true;
}

QString ImportJournal::rollForward(const QString &dataFolder, const Content &content,
                                   const Rename &rename)
{
    const QDir data(dataFolder);
    const QDir staging(content.staging);
    for (std::size_t i = 0; i < content.files.size(); ++i) {
        const UnitFile &f = content.files[i];
        const QString staged = staging.filePath(f.target);
        if (!present(staged))
            continue;
        for (qsizetype j = 0; j < f.sides.size(); ++j) {
            const QString side = data.filePath(f.sides[j]);
            if (!present(side))
                continue;
            if (QString problem = rename(side, staging.filePath(asideName(i, j)));
                !problem.isEmpty())
                return QStringLiteral("the journal %1 beside %2 cannot be moved away: %3")
                    .arg(f.sides[j], f.target, problem);
        }
        const QString target = data.filePath(f.target);
        const QString parked = staging.filePath(parkedName(i));
        if (f.present && present(target) && !present(parked)) {
            if (QString problem = rename(target, parked); !problem.isEmpty())
                return QStringLiteral("the old %1 cannot be moved away: %2").arg(f.target, problem);
        }
        if (QString problem = rename(staged, target); !problem.isEmpty())
            return QStringLiteral("%1 cannot be put in place: %2").arg(f.target, problem);
    }
    return {};
}

QString ImportJournal::rollBack(const QString &dataFolder, const Content &content,
                                const Rename &rename)
{
    const QDir data(dataFolder);
    const QDir staging(content.staging);
    QString first;
    const auto note = [&first](const QString &problem) {
        if (first.isEmpty())
            first = problem;
    };
    for (std::size_t i = content.files.size(); i-- > 0;) {
        const UnitFile &f = content.files[i];
        const QString target = data.filePath(f.target);
        const QString staged = staging.filePath(f.target);
        const QString parked = staging.filePath(parkedName(i));
        if (present(target) && !present(staged) && (present(parked) || !f.present))
            note(rename(target, staged));
        if (present(parked))
            note(rename(parked, target));
        for (qsizetype j = 0; j < f.sides.size(); ++j) {
            const QString aside = staging.filePath(asideName(i, j));
            if (present(aside))
                note(rename(aside, data.filePath(f.sides[j])));
        }
    }
    return first.isEmpty() ? QString()
                           : QStringLiteral("the old tables cannot be put back: %1").arg(first);
}

void ImportJournal::recover(const QString &dataFolder)
{
    const QString data = QFileInfo(dataFolder).canonicalFilePath();
    if (data.isEmpty())
        return;
    const QString journal = path(data);
    if (present(journal)) {
        const std::optional<Content> content = read(data);
        bool settled = true;
        if (content && QFileInfo(content->staging).isDir()) {
            const QString problem = canRollForward(data, *content)
                                        ? rollForward(data, *content, &renameFile)
                                        : rollBack(data, *content, &renameFile);
            settled = problem.isEmpty() && syncFolder(data).isEmpty();
            if (settled)
                QDir(content->staging).removeRecursively();
        }
        // An incomplete journal was cut short before the first rename: nothing to undo.
        if (settled)
            QFile::remove(journal);
    }
    ImportStaging::removeLeftovers(data);
}

void ImportJournal::recoverBeforeReading(const QString &dataFolder)
{
    const QString data = QFileInfo(dataFolder).canonicalFilePath();
    if (data.isEmpty())
        return;
    if (!present(path(data))) {
        ImportStaging::removeLeftovers(data);
        return;
    }
    try {
        const DataFolderLock lock(data, DataFolderLock::Mode::Exclusive);
        recover(data);
    } catch (const DataFolderBusy &) {
        // An import holds the folder: the journal is its own, and it finishes it.
    }
}

QString ImportJournal::renameFile(const QString &from, const QString &to)
{
    std::error_code ec;
    std::filesystem::rename(fsPath(from), fsPath(to), ec);
    return ec ? QString::fromLocal8Bit(ec.message()) : QString();
}

QString ImportJournal::syncFolder(const QString &folder)
{
#ifdef Q_OS_UNIX
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY);
    if (fd < 0)
        return QString::fromLocal8Bit(std::strerror(errno));
    const int synced = ::fsync(fd);
    const int error = errno;
    ::close(fd);
    if (synced != 0)
        return QString::fromLocal8Bit(std::strerror(error));
#else
    Q_UNUSED(folder);
#endif
    return {};
}

bool ImportJournal::present(const QString &path)
{
    std::error_code ec;
    return std::filesystem::exists(std::filesystem::symlink_status(fsPath(path), ec));
}

} // namespace rost
