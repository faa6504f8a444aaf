#include "directory/TableWriter.h"

#include "directory/EngineError.h"
#include "directory/Statement.h"

#include <QFile>
#include <QStringList>

#include <sqlite3.h>

namespace rost {

namespace {

QString declaredType(const FieldDef &f)
{
    switch (f.kind) {
    case FieldKind::AutoInc:
        return QStringLiteral("INTEGER PRIMARY KEY AUTOINCREMENT");
    case FieldKind::Short:
        return QStringLiteral("SHORT NOT NULL DEFAULT 0");
    case FieldKind::Integer:
        return QStringLiteral("INTEGER NOT NULL DEFAULT 0");
    case FieldKind::Logical:
        return QStringLiteral("LOGICAL NOT NULL DEFAULT 0");
    case FieldKind::Char:
        return QStringLiteral("CHAR(%1) NOT NULL DEFAULT ''%2")
            .arg(f.width)
            .arg(f.noCase ? QStringLiteral(" COLLATE NOCASE") : QString());
    case FieldKind::Blob:
        return QStringLiteral("BLOB");
    }
    return {};
}

const FieldDef *autoIncField(const TableDef &def)
{
    for (const FieldDef &f : def.fields)
        if (f.kind == FieldKind::AutoInc)
            return &f;
    return nullptr;
}

} // namespace

QString TableWriter::createSql(const TableDef &def)
{
    QStringList columns;
    for (const FieldDef &f : def.fields)
        columns << QStringLiteral("  %1 %2").arg(quoteIdent(f.name), declaredType(f));
    QString sql = QStringLiteral("CREATE TABLE %1 (\n%2);\n")
                      .arg(quoteIdent(def.table), columns.join(QLatin1String(",\n")));
    const FieldDef *rowNumber = autoIncField(def);
    for (const IndexDef &index : def.indexes) {
        QStringList keys;
        for (const QLatin1String k : index.keys)
            keys << quoteIdent(k);
        // The row number closes every key, so a run of equal keys is still walked by the index.
        if (rowNumber)
            keys << quoteIdent(rowNumber->name);
        sql += QStringLiteral("CREATE INDEX %1 ON %2 (%3);\n")
                   .arg(quoteIdent(index.name.name()), quoteIdent(def.table),
                        keys.join(QLatin1String(", ")));
    }
    return sql;
}

TableWriter::TableWriter(const QString &path, const TableDef &def) : m_path(path), m_def(def)
{
    QFile::remove(path);
    const int rc = sqlite3_open_v2(path.toUtf8().constData(), &m_db,
                                   SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    if (rc != SQLITE_OK) {
        const QString text = QString::fromUtf8(sqlite3_errstr(rc));
        sqlite3_close(m_db);
        m_db = nullptr;
        throw EngineError(rc, QStringLiteral("Cannot create %1: %2").arg(path, text));
    }
    execSql(m_db, QStringLiteral("PRAGMA journal_mode=OFF; PRAGMA synchronous=OFF; BEGIN;"));
    execSql(m_db, createSql(def));
    QStringList names;
    QStringList marks;
    for (const FieldDef &f : def.fields) {
        if (f.kind == FieldKind::AutoInc)
            continue;
        names << quoteIdent(f.name);
        marks << QStringLiteral("?");
    }
    m_insert = std::make_unique<Statement>(m_db, QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                                     .arg(quoteIdent(def.table),
                                                          names.join(QLatin1String(", ")),
                                                          marks.join(QLatin1String(", "))));
}

TableWriter::~TableWriter()
{
    m_insert.reset();
    if (m_db)
        sqlite3_close(m_db);
}

void TableWriter::insert(const QHash<QString, QVariant> &row)
{
    QHash<QString, QVariant> byName;
    for (auto it = row.cbegin(); it != row.cend(); ++it) {
        const FieldDef *f = m_def.field(it.key());
        if (!f)
            throw EngineError(EngineError::MissingField,
                              QStringLiteral("%1 has no field %2").arg(m_def.file, it.key()));
        byName.insert(f->name, it.value());
    }
    m_insert->reset();
    int column = 1;
    for (const FieldDef &f : m_def.fields) {
        if (f.kind == FieldKind::AutoInc)
            continue;
        const QVariant value = byName.value(f.name);
        switch (f.kind) {
        case FieldKind::Char:
            m_insert->bind(column, value.toString().left(f.width));
            break;
        case FieldKind::Blob:
            m_insert->bind(column, value.isValid() && !value.toByteArray().isEmpty()
                                       ? QVariant(value.toByteArray())
                                       : QVariant());
            break;
        case FieldKind::Logical:
            m_insert->bind(column, qlonglong(value.toBool() ? 1 : 0));
            break;
        default:
            m_insert->bind(column, value.toLongLong());
            break;
        }
        ++column;
    }
    m_insert->step();
}

void TableWriter::commit()
{
    m_insert.reset();
    execSql(m_db, QStringLiteral("COMMIT; ANALYZE;"));
    sqlite3_close(m_db);
    m_db = nullptr;
}

} // namespace rost
