#include "import/ZipImport.h"

#include "directory/TableCheck.h"
#include "directory/Tables.h"
#include "import/ImportError.h"
#include "import/ImportJournal.h"
#include "import/ImportStaging.h"
#include "import/MemberName.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QMultiHash>
#include <QSet>

#include <zip.h>

#include <algorithm>
#include <cerrno>
#include <condition_variable>
#include <cstring>
#include <deque>
#include <functional>
#include <future>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
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

// The checks of the staged table files, taken in the archive's order by one thread beside the
// extraction and, once the extraction is over, by the importing thread too. On two cores the
// largest table's check then has a core to itself instead of sharing it with a thread for every
// small table.
class CheckLane
{
public:
    using Result = std::optional<MemberFailure>;

    CheckLane() : m_thread([this] { serve(); }) {}
    ~CheckLane()
    {
        {
            std::lock_guard lock(m_mutex);
            m_closing = true;
        }
        m_wake.notify_all();
        m_thread.join();
    }
    CheckLane(const CheckLane &) = delete;
    CheckLane &operator=(const CheckLane &) = delete;

    std::future<Result> submit(std::function<Result()> check)
    {
        std::packaged_task<Result()> task(std::move(check));
        std::future<Result> result = task.get_future();
        {
            std::lock_guard lock(m_mutex);
            m_waiting.push_back(std::move(task));
        }
        m_wake.notify_one();
        return result;
    }

    void helpUntilEmpty()
    {
        while (std::optional<std::packaged_task<Result()>> task = take(false))
            (*task)();
    }

private:
    // The next check in order; the lane's own thread waits for one unless the lane is closing.
    std::optional<std::packaged_task<Result()>> take(bool wait)
    {
        std::unique_lock lock(m_mutex);
        if (wait)
            m_wake.wait(lock, [this] { return m_closing || !m_waiting.empty(); });
        if (m_waiting.empty())
            return std::nullopt;
        std::packaged_task<Result()> task = std::move(m_waiting.front());
        m_waiting.pop_front();
        return task;
    }

    void serve()
    {
        while (std::optional<std::packaged_task<Result()>> task = take(true))
            (*task)();
    }

    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::deque<std::packaged_task<Result()>> m_waiting;
    bool m_closing = false;
    std::thread m_thread; // last: it starts serving once everything above is made
};

class MemberExtraction
{
public:
    MemberExtraction(zip_t *zip, ImportStaging &staging, const ImportLimits &limits, qint64 reserve)
        : m_zip(zip), m_staging(staging), m_limits(limits), m_reserve(reserve), m_buffer(ChunkBytes)
    {}

    // Extracts member `index` whole into the staging folder as `target`; on failure nothing of
    // it stays there.
    std::optional<MemberFailure> extract(zip_uint64_t index, const zip_stat_t &stat,
                                         const MemberName &name, const QString &target)
    {
        m_name = &name;
        const qint64 room = std::max<qint64>(0, m_staging.freeBytes() - m_reserve);
        const qint64 limit = std::min(m_limits.maxMemberBytes, room);
        const bool sized = stat.valid & ZIP_STAT_SIZE;
        if (sized && stat.size > static_cast<zip_uint64_t>(limit))
            return tooLarge(stat.size, room, true);
        // Inflation stops one byte past the declared size: that byte proves the header lies.
        const qint64 cap = sized ? static_cast<qint64>(stat.size) + 1 : limit + 1;

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
            if (n >= cap - written)
                return discard(failure(name.stored(), FailureClass::Stream,
                                       QStringLiteral("it holds more bytes than the %1 its header "
                                                      "declares")
                                           .arg(stat.size)));
            if (const int injected = m_staging.operation())
                return discard(
                    ioFailure(injected, QString::fromLocal8Bit(std::strerror(injected))));
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
        if (const int injected = m_staging.operation())
            return discard(ioFailure(injected, QString::fromLocal8Bit(std::strerror(injected))));
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

        return std::nullopt;
    }

    // The full check of a table file extracted as `target`, on the check lane and a connection
    // of its own, so that the next member is extracted meanwhile; a file that fails it is
    // removed.
    std::future<std::optional<MemberFailure>> check(const MemberName &name, const QString &target)
    {
        return m_checks.submit([stagedPath = m_staging.filePath(target),
                                stored = name.stored()]() -> std::optional<MemberFailure> {
            const TableCheck check = checkTableFile(stagedPath);
            if (check.sound())
                return std::nullopt;
            MemberFailure refused = failure(stored, FailureClass::CannotOpen, check.message);
            refused.refusal = check.reason();
            QFile::remove(stagedPath);
            return refused;
        });
    }

    // Once every member is extracted, the importing thread takes its share of the checks.
    void helpCheck()
    {
        m_checks.helpUntilEmpty();
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
    qint64 m_reserve;
    std::vector<char> m_buffer;
    const MemberName *m_name = nullptr;
    CheckLane m_checks;
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
// case, the exact spelling wins, else the first in name order. Listed once per import.
struct FolderEntries
{
    explicit FolderEntries(const QString &dataFolder)
    {
        const QFileInfoList list = QDir(dataFolder)
                                       .entryInfoList(QDir::AllEntries | QDir::Hidden |
                                                          QDir::System | QDir::NoDotAndDotDot,
                                                      QDir::Name);
        for (const QFileInfo &entry : list) {
            const QString key = entry.fileName().toCaseFolded();
            if (!first.contains(key))
                first.insert(key, entry);
            spellings.insert(key, entry.fileName());
        }
    }

    // SQLite's side files of `target` in the folder, in every spelling they have.
    QStringList sides(const QString &target) const
    {
        QStringList found;
        for (const char *suffix : {"-journal", "-wal", "-shm"})
            found += spellings.values((target + QLatin1String(suffix)).toCaseFolded());
        return found;
    }

    QHash<QString, QFileInfo> first;
    QMultiHash<QString, QString> spellings;
};

// The names of the members as the central directory stores them, byte for byte, for the one
// thing libzip does not tell: a name with a NUL in it (libzip shows the NUL as a blank). Found
// by reading the directory the way libzip finds it, and believed only when it agrees with
// libzip on every member; nothing when it does not.
class StoredNames
{
public:
    StoredNames(const QString &archivePath, zip_t *zip) : m_file(archivePath), m_zip(zip) {}

    std::optional<std::vector<QByteArray>> read()
    {
        if (!m_file.open(QIODevice::ReadOnly))
            return std::nullopt;
        const qint64 size = m_file.size();
        const qint64 tailStart = std::max<qint64>(0, size - (22 + 0xFFFF));
        const QByteArray tail = at(tailStart, size - tailStart);
        for (qsizetype end = tail.lastIndexOf("PK\x05\x06"); end >= 0;
             end = end == 0 ? -1 : tail.lastIndexOf("PK\x05\x06", end - 1)) {
            if (auto names = directoryAt(tailStart + end))
                return names;
        }
        return std::nullopt;
    }

private:
    QByteArray at(qint64 offset, qint64 bytes)
    {
        if (offset < 0 || bytes < 0 || offset > m_file.size() || !m_file.seek(offset))
            return {};
        return m_file.read(bytes);
    }

    static quint64 number(const QByteArray &bytes, qsizetype offset, int width)
    {
        quint64 value = 0;
        for (int i = width - 1; i >= 0; --i)
            value = (value << 8) | static_cast<quint8>(bytes.at(offset + i));
        return value;
    }

    std::optional<std::vector<QByteArray>> directoryAt(qint64 eocd)
    {
        const QByteArray end = at(eocd, 22);
        if (end.size() != 22)
            return std::nullopt;
        quint64 count = number(end, 10, 2);
        quint64 bytes = number(end, 12, 4);
        quint64 offset = number(end, 16, 4);
        if (count == 0xFFFF || bytes == 0xFFFFFFFF || offset == 0xFFFFFFFF) {
            const QByteArray locator = at(eocd - 20, 20);
            if (locator.size() != 20 || !locator.startsWith("PK\x06\x07"))
                return std::nullopt;
            const QByteArray end64 = at(static_cast<qint64>(number(locator, 8, 8)), 56);
            if (end64.size() != 56 || !end64.startsWith("PK\x06\x06"))
                return std::nullopt;
            count = number(end64, 32, 8);
            bytes = number(end64, 40, 8);
            offset = number(end64, 48, 8);
        }
        const auto expected = static_cast<quint64>(zip_get_num_entries(m_zip, 0));
        if (count != expected || offset + bytes > static_cast<quint64>(m_file.size()))
            return std::nullopt;
        const QByteArray directory = at(static_cast<qint64>(offset), static_cast<qint64>(bytes));
        std::vector<QByteArray> names;
        qsizetype pos = 0;
        for (quint64 i = 0; i < count; ++i) {
            if (pos + 46 > directory.size() || directory.mid(pos, 4) != "PK\x01\x02")
                return std::nullopt;
            const auto nameBytes = static_cast<qsizetype>(number(directory, pos + 28, 2));
            const auto rest = static_cast<qsizetype>(number(directory, pos + 30, 2) +
                                                     number(directory, pos + 32, 2));
            if (pos + 46 + nameBytes + rest > directory.size())
                return std::nullopt;
            QByteArray name = directory.mid(pos + 46, nameBytes);
            QByteArray shown = name;
            shown.replace('\0', ' ');
            const char *seen = zip_get_name(m_zip, i, ZIP_FL_ENC_RAW);
            if (!seen || shown != QByteArray(seen))
                return std::nullopt;
            names.push_back(std::move(name));
            pos += 46 + nameBytes + rest;
        }
        return names;
    }

    QFile m_file;
    zip_t *m_zip;
};

// What the archive's members declare they unpack to, in all.
qint64 declaredBytes(zip_t *zip, zip_int64_t count)
{
    zip_uint64_t total = 0;
    for (zip_int64_t i = 0; i < count; ++i) {
        zip_stat_t stat;
        zip_stat_init(&stat);
        if (zip_stat_index(zip, static_cast<zip_uint64_t>(i), 0, &stat) == 0 &&
            (stat.valid & ZIP_STAT_SIZE))
            total += std::min<zip_uint64_t>(stat.size, zip_uint64_t(1) << 60);
    }
    return static_cast<qint64>(std::min<zip_uint64_t>(total, zip_uint64_t(1) << 62));
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
    ImportJournal::recover(m_dataFolder);
    ZipHandle zip = openArchive(archivePath);
    const QString shown = QDir::toNativeSeparators(archivePath);

    const zip_int64_t count = zip_get_num_entries(zip.get(), 0);
    if (count > m_limits.maxMembers)
        throw ImportError(QStringLiteral("The archive %1 has %2 members, more than the %3 an "
                                         "import takes")
                              .arg(shown)
                              .arg(count)
                              .arg(m_limits.maxMembers));
    const std::optional<std::vector<QByteArray>> rawNames =
        StoredNames(archivePath, zip.get()).read();
    if (!rawNames)
        throw ImportError(
            QStringLiteral("The directory of the archive %1 cannot be read consistently")
                .arg(shown));
    const qint64 declared = declaredBytes(zip.get(), count);
    if (declared > m_limits.maxTotalBytes)
        throw ImportError(QStringLiteral("The members of the archive %1 unpack to %2 bytes, more "
                                         "than the %3 an import takes")
                              .arg(shown)
                              .arg(declared)
                              .arg(m_limits.maxTotalBytes));
    ImportStaging staging(m_dataFolder, m_limits.faults);
    const qint64 reserve = std::max(m_limits.minReservedBytes, declared / 20);
    const qint64 room = std::max<qint64>(0, staging.freeBytes() - reserve);
    if (declared > room)
        throw ImportError(QStringLiteral("The members of the archive %1 unpack to %2 bytes, but "
                                         "the data folder's disk has room for %3 only")
                              .arg(shown)
                              .arg(declared)
                              .arg(room));
    const FolderEntries existing(m_dataFolder);

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
        bool present = false;
        bool table = false;
        QString kept;
        bool written = false;
        bool refused = false; // by its check
    };
    std::vector<Staged> staged;
    bool tableFailed = false;
    // The checks of staged tables still running, in the archive's order. A failure is told in
    // that order too: the checks before it are waited for first.
    struct Checking
    {
        size_t staged;
        MemberName name;
        bool previous;
        std::future<std::optional<MemberFailure>> result;
    };
    std::deque<Checking> checking;
    auto settleChecks = [&] {
        for (; !checking.empty(); checking.pop_front()) {
            Checking &c = checking.front();
            std::optional<MemberFailure> failed = c.result.get();
            if (!failed)
                continue;
            if (!failed->refusal.isEmpty())
                failed->kept = keptText(c.name, c.previous);
            staged[c.staged].refused = true;
            tableFailed = true;
            report(*failed);
        }
    };
    QSet<QString> seen;
    MemberExtraction extraction(zip.get(), staging, m_limits, reserve);
    const QString journalKey = QFileInfo(ImportJournal::path(m_dataFolder)).fileName();

    for (zip_int64_t i = 0; i < count; ++i) {
        const auto index = static_cast<zip_uint64_t>(i);
        zip_stat_t stat;
        zip_stat_init(&stat);
        if (zip_stat_index(zip.get(), index, 0, &stat) != 0) {
            settleChecks();
            const char *raw = zip_get_name(zip.get(), index, 0);
            tableFailed = tableFailed || MemberName(QString::fromUtf8(raw)).isTableFile();
            report(
                readerFailure(raw ? QString::fromUtf8(raw) : QString(), zip_get_error(zip.get())));
            continue;
        }
        const QByteArray &raw = (*rawNames)[index];
        if (raw.contains('\0')) {
            settleChecks();
            // A writer that stops at the NUL would make a table of it: it counts as one.
            const MemberName cut(QString::fromUtf8(raw.left(raw.indexOf('\0'))));
            tableFailed = tableFailed || cut.isTableFile();
            report(failure(QString::fromUtf8(QByteArray(raw).replace('\0', "\\0")),
                           FailureClass::CannotCreate,
                           QStringLiteral("the name holds a NUL character")));
            continue;
        }
        const MemberName name(QString::fromUtf8(stat.name));
        const QString &stored = name.stored();
        if (name.isFolder() && (stat.valid & ZIP_STAT_SIZE) && stat.size == 0) {
            ++summary.folders;
            continue;
        }
        auto refuse = [&](MemberFailure f) {
            settleChecks();
            tableFailed = tableFailed || name.isTableFile();
            report(f);
        };
        if (const QString refusal = name.refusal(); !refusal.isEmpty()) {
            refuse(failure(stored, FailureClass::CannotCreate, refusal));
            continue;
        }
        if (name.sameFileKey() == journalKey) {
            refuse(failure(stored, FailureClass::CannotCreate,
                           QStringLiteral("the name is kept for the import's own journal")));
            continue;
        }
        if (seen.contains(name.sameFileKey())) {
            refuse(failure(stored, FailureClass::CannotCreate,
                           QStringLiteral("an earlier member of the archive has the name %1")
                               .arg(name.bare())));
            continue;
        }
        seen.insert(name.sameFileKey());
        if ((stat.valid & ZIP_STAT_ENCRYPTION_METHOD) && stat.encryption_method != ZIP_EM_NONE) {
            refuse({stored,
                    FailureClass::ZipReader,
                    ZIP_ER_NOPASSWD,
                    readerText(ZIP_ER_NOPASSWD),
                    QStringLiteral("the member is encrypted, and an import asks no password"),
                    {},
                    {}});
            continue;
        }
        if (isSymlink(zip.get(), index)) {
            refuse(failure(stored, FailureClass::Other,
                           QStringLiteral("the member is a symbolic link, not a file")));
            continue;
        }
        QFileInfo present(QDir(m_dataFolder).filePath(name.bare()));
        if (!present.exists() && !present.isSymLink())
            present = existing.first.value(name.sameFileKey());
        if (present.isDir()) {
            refuse(failure(
                stored, FailureClass::CannotCreate,
                QStringLiteral("the data folder holds a folder named %1").arg(present.fileName())));
            continue;
        }
        const QString target = present.fileName().isEmpty() ? name.bare() : present.fileName();
        if (auto failed = extraction.extract(index, stat, name, target)) {
            if (!failed->refusal.isEmpty())
                failed->kept = keptText(name, present.isFile());
            refuse(*failed);
            continue;
        }
        staged.push_back({stored, target, present.exists() || present.isSymLink(),
                          name.isTableFile(), keptText(name, present.isFile()), false, false});
        if (name.isTableFile())
            checking.push_back(
                {staged.size() - 1, name, present.isFile(), extraction.check(name, target)});
    }
    zip.reset();
    extraction.helpCheck();
    settleChecks();
    std::erase_if(staged, [](const Staged &s) { return s.refused; });

    std::vector<UnitFile> unit;
    for (const Staged &s : staged)
        if (s.table && !tableFailed)
            unit.push_back({s.target, s.present, existing.sides(s.target)});
    if (const QString problem = staging.commitUnit(unit); !problem.isEmpty()) {
        tableFailed = true;
        for (const Staged &s : staged)
            if (s.table)
                report(failure(s.stored, FailureClass::CannotCreate, problem));
    } else if (tableFailed) {
        for (const Staged &s : staged) {
            if (!s.table)
                continue;
            MemberFailure held = failure(s.stored, FailureClass::CannotOpen,
                                         QStringLiteral("another table file of the archive failed, "
                                                        "and the tables change only together"));
            held.refusal = QStringLiteral("another table file of the archive failed");
            held.kept = s.kept;
            report(held);
        }
    }
    for (Staged &s : staged) {
        if (s.table) {
            s.written = !tableFailed;
            continue;
        }
        const QString problem = staging.place(s.target, existing.sides(s.target));
        if (!problem.isEmpty())
            report(failure(s.stored, FailureClass::CannotCreate, problem));
        s.written = problem.isEmpty();
    }
    // Nothing is reported written that a power cut could still take back.
    if (const QString problem = staging.finishUnit(); !problem.isEmpty()) {
        for (Staged &s : staged) {
            if (s.written)
                report(failure(s.stored, FailureClass::CannotCreate, problem));
            s.written = false;
        }
    }
    QStringList checkedTables;
    for (const Staged &s : staged) {
        if (!s.written)
            continue;
        ++summary.written;
        summary.writtenFiles << s.target;
        if (s.table)
            checkedTables << s.target;
    }
    // The tables passed the full check in staging; the note spares the next open reading them.
    if (!checkedTables.isEmpty())
        recordCheckedTables(m_dataFolder, checkedTables);
    return summary;
}

} // namespace rost
