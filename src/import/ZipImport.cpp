#include "import/ZipImport.h"

#include "directory/TableCheck.h"
#include "directory/Tables.h"
#include "import/ImportError.h"
#include "import/ImportStaging.h"
#include "import/MemberName.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>

#include <zip.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>
#include <optional>
#include <vector>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace rost {

namespace {

constexpr std::size_t ChunkBytes = 256 * 1024;

// The file-type bits of a Unix mode, as archivers store it in the upper half of the external
// attributes; the platform's own S_IF* macros are not everywhere.
constexpr zip_uint32_t UnixTypeMask = 0170000;
constexpr zip_uint32_t UnixSymlink = 0120000;

struct ZipDiscard
{
    void operator()(zip_t *zip) const { zip_discard(zip); }
};
struct MemberClose
{
    void operator()(zip_file_t *file) const { zip_fclose(file); }
};
using ZipHandle = std::unique_ptr<zip_t, ZipDiscard>;
using MemberHandle = std::unique_ptr<zip_file_t, MemberClose>;

QString readerText(zip_error_t *error)
{
    return QString::fromLocal8Bit(zip_error_strerror(error));
}

QString readerText(int code)
{
    zip_error_t error;
    zip_error_init_with_code(&error, code);
    QString text = readerText(&error);
    zip_error_fini(&error);
    return text;
}

MemberFailure failure(const QString &stored, FailureClass errorClass, const QString &reason)
{
    return {stored, errorClass, 0, {}, reason, {}, {}};
}

MemberFailure readerFailure(const QString &stored, zip_error_t *error)
{
    const int code = zip_error_code_zip(error);
    return {stored,
            FailureClass::ZipReader,
            code,
            readerText(error),
            QStringLiteral("the archive reader failed: %1").arg(readerText(error)),
            {},
            {}};
}

ZipHandle openArchive(const QString &archivePath)
{
    const QFileInfo info(archivePath);
    const QString shown = QDir::toNativeSeparators(archivePath);
    if (!info.exists())
        throw ImportError(QStringLiteral("The archive %1 was not found").arg(shown));
    if (info.isDir())
        throw ImportError(QStringLiteral("%1 is a folder, not a zip archive").arg(shown));
    if (info.size() == 0)
        throw ImportError(
            QStringLiteral("The file %1 is empty: it is not a zip archive").arg(shown));
    int code = ZIP_ER_OK;
    zip_t *zip =
        zip_open(QFile::encodeName(info.absoluteFilePath()).constData(), ZIP_RDONLY, &code);
    if (!zip) {
        if (code == ZIP_ER_NOZIP)
            throw ImportError(QStringLiteral("The file %1 is not a zip archive").arg(shown));
        throw ImportError(
            QStringLiteral("The archive %1 cannot be opened: %2").arg(shown, readerText(code)));
    }
    return ZipHandle(zip);
}

bool isSymlink(zip_t *zip, zip_uint64_t index)
{
    zip_uint8_t system = 0;
    zip_uint32_t attributes = 0;
    if (zip_file_get_external_attributes(zip, index, 0, &system, &attributes) != 0)
        return false;
    return system == ZIP_OPSYS_UNIX && ((attributes >> 16) & UnixTypeMask) == UnixSymlink;
}

class MemberExtraction
{
public:
    MemberExtraction(zip_t *zip, ImportStaging &staging, const ImportLimits &limits)
        : m_zip(zip), m_staging(staging), m_limits(limits), m_buffer(ChunkBytes)
    {}

    // Extracts member `index` whole into the staging folder as `target` and checks it; on
    // failure nothing of it stays there.
    std::optional<MemberFailure> extract(zip_uint64_t index, const zip_stat_t &stat,
                                         const MemberName &name, const QString &target)
    {
        m_name = &name;
        const qint64 room = m_staging.freeBytes(m_limits.reservedBytes);
        const qint64 limit = std::min(m_limits.maxMemberBytes, room);
        const bool sized = stat.valid & ZIP_STAT_SIZE;
        if (sized && stat.size > static_cast<zip_uint64_t>(limit))
            return tooLarge(stat.size, room, true);

        MemberHandle member(zip_fopen_index(m_zip, index, 0));
        if (!member)
            return readerFailure(name.stored(), zip_get_error(m_zip));

        const QString stagedPath = m_staging.filePath(target);
        QFile out(stagedPath);
        if (!out.open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered))
            return failure(name.stored(), FailureClass::CannotCreate,
                           QStringLiteral("the file cannot be created: %1").arg(out.errorString()));
        auto discard = [&out](MemberFailure f) {
            out.close();
            out.remove();
            return f;
        };

        // The declared size is not believed: inflation stops at the limit, whatever it claims.
        qint64 written = 0;
        for (;;) {
            const zip_int64_t n = zip_fread(member.get(), m_buffer.data(), m_buffer.size());
            if (n < 0)
                return discard(readerFailure(name.stored(), zip_file_get_error(member.get())));
            if (n == 0)
                break;
            if (n > limit - written)
                return discard(tooLarge(static_cast<zip_uint64_t>(limit) + 1, room, false));
            errno = 0;
            if (out.write(m_buffer.data(), n) != n)
                return discard(ioFailure(errno, out.errorString()));
            written += n;
        }
        if (sized && static_cast<zip_uint64_t>(written) != stat.size)
            return discard(failure(name.stored(), FailureClass::Stream,
                                   QStringLiteral("it holds %1 bytes, but its header declares %2")
                                       .arg(written)
                                       .arg(stat.size)));
#ifdef Q_OS_UNIX
        if (::fsync(out.handle()) != 0)
            return discard(ioFailure(errno, QString::fromLocal8Bit(std::strerror(errno))));
#endif
        // The stored time is a courtesy: a file whose content is whole is not refused for it.
        if (stat.valid & ZIP_STAT_MTIME)
            out.setFileTime(QDateTime::fromSecsSinceEpoch(static_cast<qint64>(stat.mtime)),
                            QFileDevice::FileModificationTime);
        out.close();
        if (out.error() != QFileDevice::NoError)
            return discard(ioFailure(errno, out.errorString()));

        if (name.isTableFile()) {
            const TableCheck check = checkTableFile(stagedPath);
            if (!check.sound()) {
                MemberFailure refused =
                    failure(name.stored(), FailureClass::CannotOpen, check.message);
                refused.refusal = check.reason();
                return discard(refused);
            }
        }
        return std::nullopt;
    }

private:
    MemberFailure tooLarge(zip_uint64_t bytes, qint64 room, bool declared) const
    {
        const QString what =
            declared ? QStringLiteral("it declares %1 bytes").arg(bytes)
                     : QStringLiteral("it inflates to more than %1 bytes").arg(bytes - 1);
        if (bytes > static_cast<zip_uint64_t>(m_limits.maxMemberBytes))
            return failure(m_name->stored(), FailureClass::Stream,
                           QStringLiteral("%1, more than the %2 bytes a member may have")
                               .arg(what)
                               .arg(m_limits.maxMemberBytes));
        return {m_name->stored(),
                FailureClass::InputOutput,
                ENOSPC,
                {},
                QStringLiteral("%1, but the data folder's disk has room for %2 only")
                    .arg(what)
                    .arg(room),
                {},
                {}};
    }

    MemberFailure ioFailure(int error, const QString &text) const
    {
        return {m_name->stored(),
                FailureClass::InputOutput,
                error != 0 ? error : EIO,
                {},
                QStringLiteral("the file cannot be written: %1").arg(text),
                {},
                {}};
    }

    zip_t *m_zip;
    ImportStaging &m_staging;
    const ImportLimits &m_limits;
    std::vector<char> m_buffer;
    const MemberName *m_name = nullptr;
};

// What the directory holds in place of a refused table file: the file of that name, untouched.
QString keptText(const MemberName &name, bool previous)
{
    const TableDef *def = findTableDef(name.bare());
    const QString what = def ? QStringLiteral("%1 table").arg(def->table)
                             : QStringLiteral("file %1").arg(name.bare());
    return previous ? QStringLiteral("The directory keeps its previous %1.").arg(what)
                    : QStringLiteral("The directory still has no %1.").arg(what);
}

// The data folder's entries by their case-folded name: a member replaces the file whose name
// matches without regard to case, and keeps that file's spelling. Where several differ only in
// case, the exact spelling wins, else the first in name order.
QHash<QString, QFileInfo> existingEntries(const QString &dataFolder)
{
    QHash<QString, QFileInfo> entries;
    const QFileInfoList list =
        QDir(dataFolder)
            .entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                           QDir::Name);
    for (const QFileInfo &entry : list)
        if (!entries.contains(entry.fileName().toCaseFolded()))
            entries.insert(entry.fileName().toCaseFolded(), entry);
    return entries;
}

} // namespace

ZipImport::ZipImport(const QString &dataFolder, const ImportLimits &limits)
    : m_dataFolder(dataFolder), m_limits(limits)
{}

ImportSummary ZipImport::importArchive(const QString &archivePath,
                                       const ImportObserver &observer) const
{
    if (!QFileInfo(m_dataFolder).isDir())
        throw ImportError(QStringLiteral("The data folder %1 does not exist")
                              .arg(QDir::toNativeSeparators(m_dataFolder)));
    ZipHandle zip = openArchive(archivePath);
    ImportStaging staging(m_dataFolder);
    const QHash<QString, QFileInfo> existing = existingEntries(m_dataFolder);

    ImportSummary summary;
    auto report = [&](const MemberFailure &f) {
        ++summary.failed;
        if (observer)
            observer(f);
    };

    struct Staged
    {
        QString stored;
        QString target;
    };
    std::vector<Staged> staged;
    QSet<QString> seen;
    MemberExtraction extraction(zip.get(), staging, m_limits);

    const zip_int64_t count = zip_get_num_entries(zip.get(), 0);
    for (zip_int64_t i = 0; i < count; ++i) {
        const auto index = static_cast<zip_uint64_t>(i);
        zip_stat_t stat;
        zip_stat_init(&stat);
        if (zip_stat_index(zip.get(), index, 0, &stat) != 0) {
            const char *raw = zip_get_name(zip.get(), index, 0);
            report(
                readerFailure(raw ? QString::fromUtf8(raw) : QString(), zip_get_error(zip.get())));
            continue;
        }
        const MemberName name(QString::fromUtf8(stat.name));
        const QString &stored = name.stored();
        if (name.isFolder() && (stat.valid & ZIP_STAT_SIZE) && stat.size == 0) {
            ++summary.folders;
            continue;
        }
        if (const QString refusal = name.refusal(); !refusal.isEmpty()) {
            report(failure(stored, FailureClass::CannotCreate, refusal));
            continue;
        }
        if (seen.contains(name.sameFileKey())) {
            report(failure(stored, FailureClass::CannotCreate,
                           QStringLiteral("an earlier member of the archive has the name %1")
                               .arg(name.bare())));
            continue;
        }
        seen.insert(name.sameFileKey());
        if ((stat.valid & ZIP_STAT_ENCRYPTION_METHOD) && stat.encryption_method != ZIP_EM_NONE) {
            report({stored,
                    FailureClass::ZipReader,
                    ZIP_ER_NOPASSWD,
                    readerText(ZIP_ER_NOPASSWD),
                    QStringLiteral("the member is encrypted, and an import asks no password"),
                    {},
                    {}});
            continue;
        }
        if (isSymlink(zip.get(), index)) {
            report(failure(stored, FailureClass::Other,
                           QStringLiteral("the member is a symbolic link, not a file")));
            continue;
        }
        QFileInfo present(QDir(m_dataFolder).filePath(name.bare()));
        if (!present.exists() && !present.isSymLink())
            present = existing.value(name.sameFileKey());
        if (present.isDir()) {
            report(failure(
                stored, FailureClass::CannotCreate,
                QStringLiteral("the data folder holds a folder named %1").arg(present.fileName())));
            continue;
        }
        const QString target = present.fileName().isEmpty() ? name.bare() : present.fileName();
        if (auto failed = extraction.extract(index, stat, name, target)) {
            if (!failed->refusal.isEmpty())
                failed->kept = keptText(name, present.isFile());
            report(*failed);
            continue;
        }
        staged.push_back({stored, target});
    }
    zip.reset();

    for (const Staged &s : staged) {
        const QString problem = staging.commit(s.target, s.target);
        if (!problem.isEmpty()) {
            report(failure(s.stored, FailureClass::CannotCreate, problem));
            continue;
        }
        ++summary.written;
        summary.writtenFiles << s.target;
    }
    return summary;
}

} // namespace rost
