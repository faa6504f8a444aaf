#include "directory/TableCheck.h"

#include "directory/Statement.h"
#include "directory/Tables.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QMutex>
#include <QStringList>

#include <sqlite3.h>

#include <limits>

namespace rost {

namespace {

struct Stamp
{
    qint64 size;
    qint64 modified;
    bool operator==(const Stamp &) const = default;
};

// A file that passed unchanged (same size and time) is not checked again in this process: the
// integrity check reads the whole file and would otherwise be paid at every reconnect.
QHash<QString, Stamp> &passedFiles()
{
    static QHash<QString, Stamp> passed;
    return passed;
}

QMutex &passedMutex()
{
    static QMutex mutex;
    return mutex;
}

Stamp stampOf(const QFileInfo &info)
{
    return {info.size(), info.lastModified().toMSecsSinceEpoch()};
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

// One query per numeric field, stopping at the first value outside the field's range or not a
// whole number at all; the row is named by its row number.
TableCheck checkRanges(sqlite3 *db, const TableDef &def, const QString &shown)
{
    for (const FieldDef &f : def.fields) {
        qint64 low = 0;
        qint64 high = 1;
        if (f.kind == FieldKind::Short) {
            low = std::numeric_limits<qint16>::min();
            high = std::numeric_limits<qint16>::max();
        } else if (f.kind == FieldKind::Integer) {
            low = std::numeric_limits<qint32>::min();
            high = std::numeric_limits<qint32>::max();
        } else if (f.kind != FieldKind::Logical) {
            continue;
        }
        const QString column = quoteIdent(f.name);
        Statement find(db, QStringLiteral("SELECT rowid, quote(%1) FROM %2 WHERE %1 NOT BETWEEN %3 "
                                          "AND %4 OR typeof(%1) <> 'integer' LIMIT 1")
                               .arg(column, quoteIdent(def.table))
                               .arg(low)
                               .arg(high));
        if (find.step())
            return {TableFault::OutOfRange, f.name,
                    QStringLiteral("Row %1 of the table %2 in the file %3 holds %4 in the field "
                                   "\"%5\", which takes whole numbers from %6 to %7 only")
                        .arg(find.columnInt(0))
                        .arg(def.table, shown, find.column(1).toString().left(40), f.name)
                        .arg(low)
                        .arg(high)};
    }
    return {};
}

TableCheck inspect(const QString &path, const QString &shown)
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
    int rc = sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr);
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
        Statement check(db, QStringLiteral("PRAGMA integrity_check(1)"));
        if (!check.step() || check.column(0).toString() != QLatin1String("ok"))
            return fault(TableFault::Damaged, QStringLiteral("The table file %1 is damaged: %2")
                                                  .arg(shown, check.column(0).toString()));
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
        return checkRanges(db, *def, shown);
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

TableCheck checkTableFile(const QString &path)
{
    const QFileInfo info(path);
    const QString shown = QDir::toNativeSeparators(info.fileName());
    if (!info.isFile())
        return fault(TableFault::Unreadable,
                     QStringLiteral("The table file %1 was not found").arg(shown));
    const QString key = info.absoluteFilePath();
    {
        QMutexLocker lock(&passedMutex());
        auto it = passedFiles().constFind(key);
        if (it != passedFiles().cend() && it.value() == stampOf(info))
            return {};
    }
    const TableCheck problem = inspect(path, shown);
    QMutexLocker lock(&passedMutex());
    if (problem.sound())
        passedFiles().insert(key, stampOf(info));
    else
        passedFiles().remove(key);
    return problem;
}

} // namespace rost
