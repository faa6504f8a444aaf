#include "directory/TableCheck.h"

#include "directory/AtomicSave.h"
#include "directory/IoError.h"
#include "directory/Statement.h"
#include "directory/Tables.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QMutex>
#include <QScopeGuard>
#include <QSet>
#include <QStringList>
#include <QWaitCondition>

#include <sqlite3.h>

#include <limits>
#include <optional>
#include <vector>

#include <sys/stat.h>

namespace rost {

namespace {

// What identifies a file's present bytes without reading them: any write, rename or
// replacement changes the change time, which no program can set back.
struct Stamp
{
    quint64 device = 0;
    quint64 inode = 0;
    qint64 size = -1;
    qint64 modified = 0; // nanoseconds
    qint64 changed = 0;  // nanoseconds
    bool operator==(const Stamp &) const = default;
};

std::optional<Stamp> stampOf(const QString &path)
{
    struct stat st
    {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return std::nullopt;
    const auto nanoseconds = [](const timespec &t) {
        return qint64(t.tv_sec) * 1000000000 + qint64(t.tv_nsec);
    };
    return Stamp{quint64(st.st_dev), quint64(st.st_ino), qint64(st.st_size),
                 nanoseconds(st.st_mtim), nanoseconds(st.st_ctim)};
}

struct Passed
{
    Stamp stamp;
    bool whole = false; // passed the full check, not only the quick one
};

// A file that passed unchanged is not checked again in this process: the check reads the whole
// file and would otherwise be paid at every reconnect.
QHash<QString, Passed> &passedFiles()
{
    static QHash<QString, Passed> passed;
    return passed;
}

QMutex &passedMutex()
{
    static QMutex mutex;
    return mutex;
}

// The files being checked in this process: a second check of one of them waits for the first's
// verdict instead of reading the whole file again beside it (a check made ahead of an open, and
// the open itself).
QSet<QString> &filesInCheck()
{
    static QSet<QString> files;
    return files;
}

QWaitCondition &checkEnded()
{
    static QWaitCondition ended;
    return ended;
}

const QByteArray CheckedHeader = "Rostella checked tables 1\n";

// The verdicts noted in a folder, by file name; a note that cannot be read notes nothing.
QHash<QString, Stamp> readChecked(const QString &folder)
{
    QHash<QString, Stamp> checked;
    QFile file(QDir(folder).filePath(CheckedTablesFile));
    if (!file.open(QIODevice::ReadOnly) || file.size() > 64 * 1024 ||
        file.readLine() != CheckedHeader)
        return checked;
    while (!file.atEnd()) {
        const QList<QByteArray> f = file.readLine().trimmed().split('\t');
        if (f.size() != 6)
            return {};
        Stamp stamp{f[1].toULongLong(), f[2].toULongLong(), f[3].toLongLong(), f[4].toLongLong(),
                    f[5].toLongLong()};
        checked.insert(QString::fromUtf8(f[0]), stamp);
    }
    return checked;
}

void writeChecked(const QString &folder, const QHash<QString, Stamp> &checked)
{
    QByteArray text = CheckedHeader;
    for (auto it = checked.cbegin(); it != checked.cend(); ++it) {
        const Stamp &s = it.value();
        text += it.key().toUtf8() + '\t' + QByteArray::number(s.device) + '\t' +
                QByteArray::number(s.inode) + '\t' + QByteArray::number(s.size) + '\t' +
                QByteArray::number(s.modified) + '\t' + QByteArray::number(s.changed) + '\n';
    }
    try {
        AtomicSave::save(QDir(folder).filePath(CheckedTablesFile), text);
    } catch (const IoError &) {
        // Only a note: without it the next open checks the files again.
    }
}

// A folder's note is rewritten whole by one thread at a time, so that two files noted at once are
// both kept.
QMutex &notingMutex()
{
    static QMutex mutex;
    return mutex;
}

// Notes or forgets the verdict of one file in its folder's note.
void noteChecked(const QString &path, const std::optional<Stamp> &stamp)
{
    QMutexLocker lock(&notingMutex());
    const QFileInfo info(path);
    QHash<QString, Stamp> checked = readChecked(info.absolutePath());
    const auto it = checked.constFind(info.fileName());
    if (stamp ? (it != checked.cend() && it.value() == *stamp) : it == checked.cend())
        return;
    if (stamp)
        checked.insert(info.fileName(), *stamp);
    else
        checked.remove(info.fileName());
    writeChecked(info.absolutePath(), checked);
}

TableCheck fault(TableFault kind, const QString &message)
{
    return {kind, {}, message};
}

// The declared type a field must carry, blanks removed, as SQLite reports it back; the column
// default and collation are not reported and not compared.
QString expectedType(const FieldDef &f)
{
    switch (f.kind) {
    case FieldKind::AutoInc:
    case FieldKind::Integer:
        return QStringLiteral("INTEGER");
    case FieldKind::Short:
        return QStringLiteral("SHORT");
    case FieldKind::Logical:
        return QStringLiteral("LOGICAL");
    case FieldKind::Char:
        return QStringLiteral("CHAR(%1)").arg(f.width);
    case FieldKind::Blob:
        return QStringLiteral("BLOB");
    }
    return {};
}

QString shownType(const FieldDef &f)
{
    switch (f.kind) {
    case FieldKind::AutoInc:
        return QStringLiteral("INTEGER PRIMARY KEY");
    case FieldKind::Blob:
        return expectedType(f);
    default:
        return expectedType(f) + QStringLiteral(" NOT NULL");
    }
}

struct Column
{
    QString type;
    bool notNull = false;
    bool primaryKey = false;
};

TableCheck checkColumns(sqlite3 *db, const TableDef &def, const QString &shown)
{
    Statement info(db,
                   QStringLiteral("SELECT name, type, \"notnull\", pk FROM pragma_table_info(?1)"));
    info.bind(1, def.table);
    QHash<QString, Column> present;
    while (info.step())
        present.insert(info.column(0).toString().toLower(),
                       {info.column(1).toString(), info.columnInt(2) != 0, info.columnInt(3) != 0});
    if (present.isEmpty())
        return fault(
            TableFault::NotATable,
            QStringLiteral("The table file %1 does not hold the table %2").arg(shown, def.table));
    for (const QLatin1String required : def.required)
        if (!present.contains(QString(required).toLower()))
            return {
                TableFault::MissingField, required,
                QStringLiteral("The table file %1 lacks the field \"%2\"").arg(shown, required)};
    for (const FieldDef &f : def.fields) {
        const auto it = present.constFind(QString(f.name).toLower());
        if (it == present.cend())
            continue;
        const bool kindOk =
            it->type.toUpper().remove(QLatin1Char(' ')) == expectedType(f) &&
            (f.kind == FieldKind::AutoInc ? it->primaryKey
                                          : f.kind == FieldKind::Blob || it->notNull);
        if (kindOk)
            continue;
        const QString declared =
            it->type.isEmpty() ? QStringLiteral("without a type")
                               : it->type + (it->notNull ? QStringLiteral(" NOT NULL") : QString());
        return {TableFault::WrongType, f.name,
                QStringLiteral("The field \"%1\" of the table file %2 is declared %3, not %4")
                    .arg(f.name, shown, declared, shownType(f))};
    }
    return {};
}

// Each index the program walks must exist under its name, cover every row (no WHERE) and begin
// with the documented keys in their documented collation: the cursor walks whatever the index
// holds, so a partial index or other keys would skip or reorder rows silently.
TableCheck checkIndexes(sqlite3 *db, const TableDef &def, const QString &shown)
{
    Statement list(db, QStringLiteral("SELECT name, partial FROM pragma_index_list(?1)"));
    list.bind(1, def.table);
    QHash<QString, std::pair<QString, bool>> indexes;
    while (list.step())
        indexes.insert(list.column(0).toString().toUpper(),
                       {list.column(0).toString(), list.columnInt(1) != 0});
    for (const IndexDef &index : def.indexes) {
        const QString name = index.name.name();
        const auto it = indexes.constFind(name.toUpper());
        if (it == indexes.cend())
            return {TableFault::MissingIndex, name,
                    QStringLiteral("The table file %1 lacks the index \"%2\"").arg(shown, name)};
        QStringList documented;
        for (const QLatin1String key : index.keys)
            documented << QString(key);
        const auto wrong = [&](const QString &why) {
            return TableCheck{
                TableFault::WrongIndex, name,
                QStringLiteral("The index \"%1\" of the table file %2 %3").arg(name, shown, why)};
        };
        if (it->second)
            return wrong(QStringLiteral("leaves rows out"));
        Statement keys(db, QStringLiteral("SELECT name, coll, \"desc\" FROM pragma_index_xinfo(?1) "
                                          "WHERE key ORDER BY seqno"));
        keys.bind(1, it->first);
        for (const QLatin1String key : index.keys) {
            const FieldDef *field = def.field(key);
            const QString collation =
                field && field->noCase ? QStringLiteral("NOCASE") : QStringLiteral("BINARY");
            if (!keys.step() || keys.column(0).toString().compare(key, Qt::CaseInsensitive) != 0 ||
                keys.column(1).toString().compare(collation, Qt::CaseInsensitive) != 0 ||
                keys.columnInt(2) != 0)
                return wrong(QStringLiteral("does not order by %1")
                                 .arg(documented.join(QStringLiteral(", "))));
        }
    }
    return {};
}

// One scan over the rows for every numeric field at once, stopping at the first row holding a
// value outside its field's range or not a whole number at all; the row is named by its number.
TableCheck checkRanges(sqlite3 *db, const TableDef &def, const QString &shown)
{
    struct Range
    {
        const FieldDef *field;
        qint64 low;
        qint64 high;
    };
    std::vector<Range> ranges;
    QStringList whens;
    QStringList outside;
    for (const FieldDef &f : def.fields) {
        Range r{&f, 0, 1};
        if (f.kind == FieldKind::Short) {
            r.low = std::numeric_limits<qint16>::min();
            r.high = std::numeric_limits<qint16>::max();
        } else if (f.kind == FieldKind::Integer) {
            r.low = std::numeric_limits<qint32>::min();
            r.high = std::numeric_limits<qint32>::max();
        } else if (f.kind != FieldKind::Logical) {
            continue;
        }
        const QString column = quoteIdent(f.name);
        const QString test = QStringLiteral("(%1 NOT BETWEEN %2 AND %3 OR typeof(%1) <> 'integer')")
                                 .arg(column)
                                 .arg(r.low)
                                 .arg(r.high);
        whens << QStringLiteral("WHEN %1 THEN %2").arg(test).arg(ranges.size());
        outside << test;
        ranges.push_back(r);
    }
    if (ranges.empty())
        return {};
    Statement find(db, QStringLiteral("SELECT rowid, CASE %1 END FROM %2 WHERE %3 LIMIT 1")
                           .arg(whens.join(QLatin1Char(' ')), quoteIdent(def.table),
                                outside.join(QStringLiteral(" OR "))));
    if (!find.step())
        return {};
    const Range &r = ranges.at(std::size_t(find.columnInt(1)));
    Statement value(db, QStringLiteral("SELECT quote(%1) FROM %2 WHERE rowid = ?1")
                            .arg(quoteIdent(r.field->name), quoteIdent(def.table)));
    value.bind(1, find.column(0));
    value.step();
    return {TableFault::OutOfRange, r.field->name,
            QStringLiteral("Row %1 of the table %2 in the file %3 holds %4 in the field "
                           "\"%5\", which takes whole numbers from %6 to %7 only")
                .arg(find.columnInt(0))
                .arg(def.table, shown, value.column(0).toString().left(40), r.field->name)
                .arg(r.low)
                .arg(r.high)};
}

// How much of a file's contents a check reads.
enum class Reading {
    Everything, // every page, every index entry against its row, every number's range
    Pages,      // every page and every number's range, without comparing indexes with rows
    Schema,     // the schema only: the file passed one of the others at its present stamp
};

TableCheck inspect(const QString &path, const QString &shown, Reading reading)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return fault(
            TableFault::Unreadable,
            QStringLiteral("The table file %1 cannot be read: %2").arg(shown, file.errorString()));
    const QByteArray header = file.read(16);
    file.close();
    if (header != QByteArray("SQLite format 3\0", 16))
        return fault(TableFault::NotATable,
                     QStringLiteral("The file %1 is not a Rostella table file").arg(shown));

    sqlite3 *db = nullptr;
    int rc = sqlite3_open_v2(path.toUtf8().constData(), &db,
                             SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX, nullptr);
    struct Closer
    {
        sqlite3 *db;
        ~Closer() { sqlite3_close(db); }
    } closer{db};
    if (rc != SQLITE_OK)
        return fault(TableFault::Damaged, QStringLiteral("The table file %1 cannot be opened: %2")
                                              .arg(shown, QString::fromUtf8(sqlite3_errstr(rc))));
    sqlite3_db_config(db, SQLITE_DBCONFIG_DEFENSIVE, 1, nullptr);
    sqlite3_db_config(db, SQLITE_DBCONFIG_TRUSTED_SCHEMA, 0, nullptr);
    sqlite3_db_config(db, SQLITE_DBCONFIG_ENABLE_TRIGGER, 0, nullptr);
    sqlite3_db_config(db, SQLITE_DBCONFIG_ENABLE_VIEW, 0, nullptr);

    try {
        execSql(db, QStringLiteral("PRAGMA cell_size_check=ON; PRAGMA mmap_size=0;"));
        if (reading != Reading::Schema) {
            const QString pragma = reading == Reading::Everything
                                       ? QStringLiteral("integrity_check")
                                       : QStringLiteral("quick_check");
            Statement check(db, QStringLiteral("PRAGMA %1(1)").arg(pragma));
            if (!check.step() || check.column(0).toString() != QLatin1String("ok"))
                return fault(TableFault::Damaged, QStringLiteral("The table file %1 is damaged: %2")
                                                      .arg(shown, check.column(0).toString()));
        }
    } catch (const std::exception &e) {
        return fault(TableFault::Damaged, QStringLiteral("The table file %1 is damaged: %2")
                                              .arg(shown, QString::fromUtf8(e.what())));
    }

    const TableDef *def = findTableDef(QFileInfo(path).completeBaseName());
    if (!def)
        return {};
    try {
        if (const TableCheck columns = checkColumns(db, *def, shown); !columns.sound())
            return columns;
        if (const TableCheck indexes = checkIndexes(db, *def, shown); !indexes.sound())
            return indexes;
        return reading == Reading::Schema ? TableCheck{} : checkRanges(db, *def, shown);
    } catch (const std::exception &e) {
        // The schema itself cannot be read back, though the integrity check passed.
        return fault(TableFault::Damaged, QStringLiteral("The table file %1 cannot be read: %2")
                                              .arg(shown, QString::fromUtf8(e.what())));
    }
}

} // namespace

QString TableCheck::reason() const
{
    switch (fault) {
    case TableFault::None:
        break;
    case TableFault::Unreadable:
        return QStringLiteral("the file cannot be read");
    case TableFault::NotATable:
        return QStringLiteral("not a directory table");
    case TableFault::Damaged:
        return QStringLiteral("the file is damaged");
    case TableFault::MissingField:
        return QStringLiteral("a field is missing: %1").arg(field);
    case TableFault::WrongType:
        return QStringLiteral("a field has the wrong type: %1").arg(field);
    case TableFault::MissingIndex:
        return QStringLiteral("an index is missing: %1").arg(field);
    case TableFault::WrongIndex:
        return QStringLiteral("an index is wrong: %1").arg(field);
    case TableFault::OutOfRange:
        return QStringLiteral("a number is out of range: %1").arg(field);
    }
    return {};
}

TableCheck checkTableFile(const QString &path, CheckDepth depth)
{
    const QFileInfo info(path);
    const QString shown = QDir::toNativeSeparators(info.fileName());
    const std::optional<Stamp> stamp = info.isFile() ? stampOf(path) : std::nullopt;
    if (!stamp)
        return fault(TableFault::Unreadable,
                     QStringLiteral("The table file %1 was not found").arg(shown));
    const QString key = info.absoluteFilePath();
    {
        QMutexLocker lock(&passedMutex());
        while (filesInCheck().contains(key))
            checkEnded().wait(&passedMutex());
        auto it = passedFiles().constFind(key);
        if (it != passedFiles().cend() && it->stamp == *stamp &&
            (it->whole || depth == CheckDepth::Open))
            return {};
        filesInCheck().insert(key);
    }
    const auto ended = qScopeGuard([&key] {
        QMutexLocker lock(&passedMutex());
        filesInCheck().remove(key);
        checkEnded().wakeAll();
    });
    Reading reading = Reading::Everything;
    if (depth == CheckDepth::Open)
        reading = readChecked(info.absolutePath()).value(info.fileName()) == *stamp
                      ? Reading::Schema
                      : Reading::Pages;
    const TableCheck problem = inspect(path, shown, reading);
    {
        QMutexLocker lock(&passedMutex());
        if (problem.sound())
            passedFiles().insert(key, {*stamp, reading == Reading::Everything});
        else
            passedFiles().remove(key);
    }
    if (reading == Reading::Pages && problem.sound())
        noteChecked(path, stamp);
    return problem;
}

void recordCheckedTables(const QString &folder, const QStringList &fileNames)
{
    QMutexLocker lock(&notingMutex());
    QHash<QString, Stamp> checked = readChecked(folder);
    for (const QString &name : fileNames) {
        if (const std::optional<Stamp> stamp = stampOf(QDir(folder).filePath(name)))
            checked.insert(name, *stamp);
        else
            checked.remove(name);
    }
    writeChecked(folder, checked);
}

TableCheck recheckTableFiles(const QStringList &paths)
{
    for (const QString &path : paths) {
        {
            QMutexLocker lock(&passedMutex());
            passedFiles().remove(QFileInfo(path).absoluteFilePath());
        }
        noteChecked(path, std::nullopt);
        if (TableCheck problem = checkTableFile(path, CheckDepth::Full); !problem.sound())
            return problem;
    }
    return {};
}

} // namespace rost
