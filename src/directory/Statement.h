#pragma once

#include <QString>
#include <QVariant>

#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

namespace rost {

// A prepared SQLite statement owned for its lifetime. Failures throw EngineError.
class Statement
{
public:
    Statement(sqlite3 *db, const QString &sql);
    ~Statement();
    Statement(const Statement &) = delete;
    Statement &operator=(const Statement &) = delete;

    void reset();
    void bind(int index, const QVariant &value); // 1-based
    // Binds a column of another statement's current row as it stands, without decoding it.
    void bindColumn(int index, const Statement &from, int column);
    bool step(); // true while a row is available
    int columnCount() const;
    QString columnName(int column) const;
    QVariant column(int column) const; // qlonglong, double, QString, QByteArray or invalid
    qint64 columnInt(int column) const;
    bool columnIsInteger(int column) const;
    // A text column without its trailing blanks, as UTF-8 where SQLite holds it (valid until the
    // next step or reset), for reading many rows without passing through a QVariant; a value of
    // another kind reads as SQLite's text of it.
    std::string_view columnUtf8(int column) const;
    // The text after the first statement (UTF-8), which was not prepared.
    const QByteArray &rest() const { return m_rest; }

private:
    sqlite3 *m_db = nullptr;
    sqlite3_stmt *m_stmt = nullptr;
    QByteArray m_rest;
};

// Throws EngineError carrying the connection's last error when rc is not OK.
void checkSqlite(sqlite3 *db, int rc, const QString &context = {});
// Executes statements that return no rows.
void execSql(sqlite3 *db, const QString &sql);
// "name" with inner quotes doubled.
QString quoteIdent(const QString &name);
// 'text' with inner quotes doubled.
QString quoteLiteral(const QString &text);

} // namespace rost
