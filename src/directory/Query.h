#pragma once

#include "directory/RowSource.h"

#include <QString>
#include <QStringList>
#include <QVariant>

#include <vector>

namespace rost {

class RostConnection;

// What one opening of a query may cost; 0 is no limit.
struct QueryLimits
{
    int maxRows = 0;
    int timeoutSeconds = 0;
};

// An SQL SELECT over the directory's tables, named without extension. The result is read whole
// when the query opens (lists are small next to the tables they come from) and walked like a
// cursor. Replacing the statement closes the previous result.
//
// As a RowSource its keys are the rows' positions, 0 for the first.
class Query : public RowSource
{
public:
    explicit Query(RostConnection &connection);
    ~Query() override;
    Query(const Query &) = delete;
    Query &operator=(const Query &) = delete;

    void setSql(const QString &sql);
    QString sql() const { return m_sql; }
    void setLimits(const QueryLimits &limits) { m_limits = limits; }
    // Runs the statement. Throws EngineError when the text holds more than one statement, with
    // RowLimit when the result has more rows than the limit, and with TimeLimit when it runs
    // longer; the query stays closed then.
    void open();
    void close();
    bool isOpen() const override { return m_open; }

    void first();
    void next();
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
    QVariant valueAt(int row, int column) const;

    std::vector<qint64> orderedRowIds() const override;
    // A field the query has no column for reads as no value.
    QVariantList rowValues(qint64 rowId, const QStringList &fields) const override;
    qint64 rowId() const override { return m_pos; }
    bool gotoRowId(qint64 rowId) override;

private:
    const QVariant &cell(const QString &field) const;
    void setPosition(int pos);

    RostConnection &m_connection;
    QString m_sql;
    QueryLimits m_limits;
    bool m_open = false;
    QStringList m_columns;
    std::vector<QVariantList> m_rows;
    int m_pos = -1;
    bool m_eof = true;
    bool m_bof = true;
};

} // namespace rost
