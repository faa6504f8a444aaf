#include "directory/RostConnection.h"

#include "directory/Cursor.h"
#include "directory/DataFolder.h"
#include "directory/EngineError.h"
#include "directory/Query.h"
#include "directory/Statement.h"
#include "directory/TableCheck.h"
#include "directory/Tables.h"

#include <QDir>
#include <QFileInfo>

#include <sqlite3.h>

#include <algorithm>

namespace rost {

namespace {

// SQLite's count of the memory it holds takes a global lock on every allocation and nothing here
// reads it. It can only be switched off before SQLite's first use, hence at load.
[[maybe_unused]] const bool memoryCountOff =
    sqlite3_config(SQLITE_CONFIG_MEMSTATUS, 0) == SQLITE_OK;

// Settings that keep a file from outside from running code or lying about its contents.
void makeDefensive(sqlite3 *db)
{
    sqlite3_db_config(db, SQLITE_DBCONFIG_DEFENSIVE, 1, nullptr);
    sqlite3_db_config(db, SQLITE_DBCONFIG_TRUSTED_SCHEMA, 0, nullptr);
    sqlite3_db_config(db, SQLITE_DBCONFIG_ENABLE_TRIGGER, 0, nullptr);
    sqlite3_db_config(db, SQLITE_DBCONFIG_ENABLE_VIEW, 0, nullptr);
    // A misspelt column name is an error, never silently a string.
    sqlite3_db_config(db, SQLITE_DBCONFIG_DQS_DML, 0, nullptr);
    sqlite3_db_config(db, SQLITE_DBCONFIG_DQS_DDL, 0, nullptr);
    sqlite3_db_config(db, SQLITE_DBCONFIG_ENABLE_LOAD_EXTENSION, 0, nullptr);
    execSql(db, QStringLiteral("PRAGMA cell_size_check=ON; PRAGMA mmap_size=0;"));
}

} // namespace

RostConnection::~RostConnection()
{
    disconnect();
}

void RostConnection::setPath(const QString &folder)
{
    if (m_db)
        throw EngineError(EngineError::Connected,
                          QStringLiteral("The path of a connection can only be set while it is "
                                         "disconnected"));
    m_path = folder;
}

void RostConnection::connect()
{
    if (m_db)
        return;
    if (!QFileInfo(m_path).isDir())
        throw EngineError(EngineError::NotConnected, DataFolder::missingText(m_path));
    sqlite3 *db = nullptr;
    const int rc =
        // A connection and its cursors live on one thread: SQLite's own locking is pure cost.
        sqlite3_open_v2(":memory:", &db,
                        SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX, nullptr);
    if (rc != SQLITE_OK) {
        sqlite3_close(db);
        throw EngineError(rc, QString::fromUtf8(sqlite3_errstr(rc)));
    }
    sqlite3_limit(db, SQLITE_LIMIT_ATTACHED, 10);
    sqlite3_busy_timeout(db, 2000);
    try {
        makeDefensive(db);
    } catch (...) {
        sqlite3_close(db);
        throw;
    }
    m_db = db;
}

void RostConnection::disconnect()
{
    // Closing a cursor unregisters it, so walk copies.
    const auto cursors = m_cursors;
    for (Cursor *c : cursors)
        c->close();
    const auto queries = m_queries;
    for (Query *q : queries)
        q->close();
    if (m_db) {
        sqlite3_close_v2(m_db);
        m_db = nullptr;
    }
    m_attached.clear();
}

sqlite3 *RostConnection::handle() const
{
    if (!m_db)
        throw EngineError(EngineError::NotConnected,
                          QStringLiteral("The connection to the directory is not open"));
    return m_db;
}

QString RostConnection::findFile(const QString &fileName) const
{
    return findFile(m_path, fileName);
}

QString RostConnection::findFile(const QString &folder, const QString &fileName)
{
    const QDir dir(folder);
    if (QFileInfo::exists(dir.filePath(fileName)))
        return dir.filePath(fileName);
    const QStringList entries = dir.entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString &entry : entries)
        if (entry.compare(fileName, Qt::CaseInsensitive) == 0)
            return dir.filePath(entry);
    return {};
}

void RostConnection::checkAhead(const QString &folder, const QStringList &fileNames)
{
    for (const QString &fileName : fileNames)
        if (const QString path = findFile(folder, fileName); !path.isEmpty())
            checkTableFile(path, CheckDepth::Open);
}

QString RostConnection::attach(const QString &fileName)
{
    sqlite3 *db = handle();
    QString file = fileName;
    if (!file.contains(QLatin1Char('.')))
        file += QLatin1String(".adt");
    QString table = QFileInfo(file).completeBaseName();
    if (const TableDef *def = findTableDef(table))
        table = def->table;
    const QString key = table.toLower();
    if (auto it = m_attached.constFind(key); it != m_attached.cend())
        return it.value();

    const QString path = findFile(file);
    if (path.isEmpty())
        throw EngineError(EngineError::TableNotFound,
                          QStringLiteral("The table file %1 was not found in %2")
                              .arg(file, QDir::toNativeSeparators(m_path)));
    const TableCheck check = checkTableFile(path, CheckDepth::Open);
    if (!check.sound())
        throw EngineError(EngineError::DamagedTable, check.message);

    Statement attachStatement(db, QStringLiteral("ATTACH DATABASE ?1 AS ?2"));
    attachStatement.bind(1, path);
    attachStatement.bind(2, table);
    attachStatement.step();
    m_attached.insert(key, table);
    return table;
}

void RostConnection::registerCursor(Cursor *cursor)
{
    if (std::find(m_cursors.begin(), m_cursors.end(), cursor) == m_cursors.end())
        m_cursors.push_back(cursor);
}

void RostConnection::unregisterCursor(Cursor *cursor)
{
    std::erase(m_cursors, cursor);
}

void RostConnection::registerQuery(Query *query)
{
    if (std::find(m_queries.begin(), m_queries.end(), query) == m_queries.end())
        m_queries.push_back(query);
}

void RostConnection::unregisterQuery(Query *query)
{
    std::erase(m_queries, query);
}

} // namespace rost
