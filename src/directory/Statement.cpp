#include "directory/Statement.h"

#include "directory/EngineError.h"
#include "directory/TableCheck.h"

#include <sqlite3.h>

#include <utility>

namespace rost {

namespace {

// The files attached to a connection; the connections that check a file open it as their main
// database and have none, so a check never rechecks itself.
QStringList attachedFiles(sqlite3 *db)
{
    QStringList files;
    if (!db)
        return files;
    sqlite3_stmt *list = nullptr;
    if (sqlite3_prepare_v2(db, "PRAGMA database_list", -1, &list, nullptr) != SQLITE_OK)
        return files;
    while (sqlite3_step(list) == SQLITE_ROW) {
        const char *file = reinterpret_cast<const char *>(sqlite3_column_text(list, 2));
        if (sqlite3_column_int(list, 0) > 1 && file && *file)
            files << QString::fromUtf8(file);
    }
    sqlite3_finalize(list);
    return files;
}

} // namespace

void checkSqlite(sqlite3 *db, int rc, const QString &context)
{
    if (rc == SQLITE_OK || rc == SQLITE_ROW || rc == SQLITE_DONE)
        return;
    QString text = QString::fromUtf8(db ? sqlite3_errmsg(db) : sqlite3_errstr(rc));
    if (!context.isEmpty())
        text = context + QLatin1String(": ") + text;
    if ((rc & 0xff) == SQLITE_CORRUPT || (rc & 0xff) == SQLITE_NOTADB) {
        // A table file went bad after its check at open: name it, and make the next open check
        // it whole rather than trust its earlier verdict.
        const TableCheck damaged = recheckTableFiles(attachedFiles(db));
        throw EngineError(EngineError::DamagedTable, damaged.sound() ? text : damaged.message);
    }
    throw EngineError(rc & 0xff, text);
}

void execSql(sqlite3 *db, const QString &sql)
{
    char *message = nullptr;
    const int rc = sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &message);
    if (rc != SQLITE_OK) {
        const QString text = QString::fromUtf8(message ? message : sqlite3_errstr(rc));
        sqlite3_free(message);
        throw EngineError(rc & 0xff, text);
    }
}

QString quoteIdent(const QString &name)
{
    QString inner = name;
    inner.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + inner + QLatin1Char('"');
}

QString quoteLiteral(const QString &text)
{
    QString inner = text;
    inner.replace(QLatin1Char('\''), QLatin1String("''"));
    // SQLite ends a statement's text at a NUL, which would cut the literal short: one inside a
    // text (a hostile table can hold it) is spelt out instead.
    inner.replace(QChar(u'\0'), QLatin1String("' || char(0) || '"));
    return QLatin1Char('\'') + inner + QLatin1Char('\'');
}

Statement::Statement(sqlite3 *db, const QString &sql) : m_db(db)
{
    const QByteArray utf8 = sql.toUtf8();
    const char *tail = nullptr;
    const int rc = sqlite3_prepare_v3(db, utf8.constData(), int(utf8.size()),
                                      SQLITE_PREPARE_PERSISTENT, &m_stmt, &tail);
    if (rc != SQLITE_OK) {
        m_stmt = nullptr;
        checkSqlite(db, rc);
    }
    if (tail)
        m_rest = utf8.sliced(tail - utf8.constData());
}

Statement::~Statement()
{
    if (m_stmt)
        sqlite3_finalize(m_stmt);
}

void Statement::reset()
{
    sqlite3_reset(m_stmt);
    sqlite3_clear_bindings(m_stmt);
}

void Statement::bind(int index, const QVariant &value)
{
    int rc = SQLITE_OK;
    switch (value.typeId()) {
    case QMetaType::UnknownType:
        rc = sqlite3_bind_null(m_stmt, index);
        break;
    case QMetaType::Bool:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
        rc = sqlite3_bind_int64(m_stmt, index, value.toLongLong());
        break;
    case QMetaType::Double:
        rc = sqlite3_bind_double(m_stmt, index, value.toDouble());
        break;
    case QMetaType::QByteArray: {
        const QByteArray bytes = value.toByteArray();
        rc = sqlite3_bind_blob64(m_stmt, index, bytes.constData(), sqlite3_uint64(bytes.size()),
                                 SQLITE_TRANSIENT);
        break;
    }
    default: {
        const QByteArray utf8 = value.toString().toUtf8();
        rc = sqlite3_bind_text64(m_stmt, index, utf8.constData(), sqlite3_uint64(utf8.size()),
                                 SQLITE_TRANSIENT, SQLITE_UTF8);
        break;
    }
    }
    checkSqlite(m_db, rc);
}

void Statement::bindColumn(int index, const Statement &from, int column)
{
    checkSqlite(m_db, sqlite3_bind_value(m_stmt, index, sqlite3_column_value(from.m_stmt, column)));
}

bool Statement::step()
{
    const int rc = sqlite3_step(m_stmt);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    checkSqlite(m_db, rc);
    return false;
}

int Statement::columnCount() const
{
    return sqlite3_column_count(m_stmt);
}

QString Statement::columnName(int column) const
{
    return QString::fromUtf8(sqlite3_column_name(m_stmt, column));
}

QVariant Statement::column(int column) const
{
    switch (sqlite3_column_type(m_stmt, column)) {
    case SQLITE_INTEGER:
        return QVariant(qlonglong(sqlite3_column_int64(m_stmt, column)));
    case SQLITE_FLOAT:
        return QVariant(sqlite3_column_double(m_stmt, column));
    case SQLITE_TEXT: {
        const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(m_stmt, column));
        return QVariant(QString::fromUtf8(text, sqlite3_column_bytes(m_stmt, column)));
    }
    case SQLITE_BLOB: {
        const auto *data = static_cast<const char *>(sqlite3_column_blob(m_stmt, column));
        return QVariant(QByteArray(data, sqlite3_column_bytes(m_stmt, column)));
    }
    default:
        return {};
    }
}

std::string_view Statement::columnUtf8(int column) const
{
    const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(m_stmt, column));
    size_t bytes = size_t(sqlite3_column_bytes(m_stmt, column));
    while (bytes > 0 && text[bytes - 1] == ' ')
        --bytes;
    return {text, bytes};
}

qint64 Statement::columnInt(int column) const
{
    return sqlite3_column_int64(m_stmt, column);
}

bool Statement::columnIsInteger(int column) const
{
    return sqlite3_column_type(m_stmt, column) == SQLITE_INTEGER;
}

} // namespace rost
