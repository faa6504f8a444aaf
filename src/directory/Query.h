#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>

#include <vector>

namespace rost {

class RostConnection;

// An SQL SELECT over the directory's tables, named without extension. The result is read whole
// when the query opens (lists are small next to the tables they come from) and walked like a
// cursor. Replacing the statement closes the previous result.
class Query
{
public:
    explicit Query(RostConnection &connection);
    ~Query();
    Query(const Query &) = delete;
    Query &operator=(const Query &) = delete;

    void setSql(const QString &sql);
    QString sql() const { return m_sql; }
    void open();
    void close();
    bool isOpen() const { return m_open; }

    void first();
    void next();
    void prior();
    void last();
    bool eof() const { return m_eof; }
    bool bof() const { return m_bof; }
    int recordCount() const { return int(m_rows.size()); }
    int recNo() const { return m_pos; } // 0-based; -1 when empty
    void gotoRow(int row);

    QStringList columnNames() const { return m_columns; }
    int columnIndex(const QString &field) const; // first match without regard to case, or -1
    // Text without trailing blanks; empty when the query has no current row.
    QString text(const QString &field) const;
    qint64 integer(const QString &field) const;
    QVariant value(const QString &field) const;
    QVariant valueAt(int row, int column) const;

private:
    const QVariant &cell(const QString &field) const;

    RostConnection &m_connection;
    QString m_sql;
    bool m_open = false;
    QStringList m_columns;
    std::vector<QVariantList> m_rows;
    int m_pos = -1;
    bool m_eof = true;
    bool m_bof = true;
};

} // namespace rost
