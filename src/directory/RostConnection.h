#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

#include <vector>

struct sqlite3;

namespace rost {

class Cursor;
class Query;

// One connection to the table files of a folder. The table files are attached to a single SQLite
// connection on first use, each under its table name, so that SQL names tables without extension.
// Disconnecting closes every cursor and query over the connection and frees their files.
class RostConnection
{
public:
    RostConnection() = default;
    ~RostConnection();
    RostConnection(const RostConnection &) = delete;
    RostConnection &operator=(const RostConnection &) = delete;

    // The folder may only be changed while disconnected (EngineError otherwise).
    void setPath(const QString &folder);
    QString path() const { return m_path; }

    void connect();
    void disconnect();
    bool isConnected() const { return m_db != nullptr; }

    // The file in the folder whose name matches fileName without regard to case; empty when none.
    QString findFile(const QString &fileName) const;
    static QString findFile(const QString &folder, const QString &fileName);

    // Checks these table files of the folder as an attach would, on the calling thread, and
    // keeps their verdicts for the attaches that follow in this process, which then need not
    // check them again. Files that are missing or refused are left to the attach to report.
    static void checkAhead(const QString &folder, const QStringList &fileNames);

    // Attaches the table file (checking it once) and returns the schema name it is attached as.
    // Throws EngineError naming the file when it is missing or refused.
    QString attach(const QString &fileName);

    sqlite3 *handle() const;

    // Used by cursors and queries to be closed on disconnect.
    void registerCursor(Cursor *cursor);
    void unregisterCursor(Cursor *cursor);
    void registerQuery(Query *query);
    void unregisterQuery(Query *query);

private:
    QString m_path;
    sqlite3 *m_db = nullptr;
    QHash<QString, QString> m_attached; // lower-case table name -> schema name
    std::vector<Cursor *> m_cursors;
    std::vector<Query *> m_queries;
};

} // namespace rost
