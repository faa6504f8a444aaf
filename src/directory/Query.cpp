#include "directory/Query.h"

#include "directory/EngineError.h"
#include "directory/RostConnection.h"
#include "directory/Statement.h"

#include <QDeadlineTimer>
#include <QRegularExpression>

#include <sqlite3.h>

namespace rost {

namespace {

// True when text holds no statement: only blanks, semicolons and comments. Preparing runs nothing.
bool holdsNoStatement(sqlite3 *db, const QByteArray &text)
{
    const char *at = text.constData();
    const char *const end = at + text.size();
    while (at < end) {
        sqlite3_stmt *stmt = nullptr;
        const char *tail = nullptr;
        const int rc = sqlite3_prepare_v2(db, at, int(end - at), &stmt, &tail);
        if (stmt) {
            sqlite3_finalize(stmt);
            return false;
        }
        if (rc != SQLITE_OK)
            return false;
        if (!tail || tail == at)
            return true;
        at = tail;
    }
    return true;
}

// Interrupts the connection's statements once the deadline passes, for as long as it lives.
class TimeLimit
{
public:
    TimeLimit(sqlite3 *db, int seconds) : m_db(db), m_deadline(std::chrono::seconds(seconds))
    {
        if (seconds > 0)
            sqlite3_progress_handler(m_db, 1000, &TimeLimit::check, this);
    }
    ~TimeLimit() { sqlite3_progress_handler(m_db, 0, nullptr, nullptr); }
    TimeLimit(const TimeLimit &) = delete;
    TimeLimit &operator=(const TimeLimit &) = delete;

    bool passed() const { return m_deadline.hasExpired(); }

private:
    static int check(void *self) { return static_cast<TimeLimit *>(self)->passed() ? 1 : 0; }

    sqlite3 *m_db;
    QDeadlineTimer m_deadline;
};

} // namespace

Query::Query(RostConnection &connection) : m_connection(connection) {}

Query::~Query()
{
    close();
}

void Query::setSql(const QString &sql)
{
    close();
    m_sql = sql;
}

void Query::open()
{
    close();
    sqlite3 *db = m_connection.handle();
    // Attach every table file the statement names; a word that names no file is left to SQL.
    static const QRegularExpression word(QStringLiteral("\\b([A-Za-z_][A-Za-z0-9_]*)\\b"));
    for (auto it = word.globalMatch(m_sql); it.hasNext();) {
        const QString name = it.next().captured(1);
        if (!m_connection.findFile(name + QLatin1String(".adt")).isEmpty())
            m_connection.attach(name + QLatin1String(".adt"));
    }
    const QString trimmed = m_sql.trimmed();
    if (!trimmed.startsWith(QLatin1String("select"), Qt::CaseInsensitive))
        throw EngineError(EngineError::BadValue,
                          QStringLiteral("Only SELECT statements can be run: %1").arg(trimmed));
    Statement st(db, m_sql);
    if (!holdsNoStatement(db, st.rest()))
        throw EngineError(EngineError::BadValue,
                          QStringLiteral("Only one statement can be run, and text follows it: %1")
                              .arg(QString::fromUtf8(st.rest()).trimmed()));
    std::vector<QVariantList> rows;
    const TimeLimit limit(db, m_limits.timeoutSeconds);
    try {
        while (st.step()) {
            if (m_limits.maxRows > 0 && rows.size() == size_t(m_limits.maxRows))
                throw EngineError(EngineError::RowLimit,
                                  QStringLiteral("The query returns more than %1 rows, the most "
                                                 "it may return")
                                      .arg(m_limits.maxRows));
            QVariantList row;
            row.reserve(st.columnCount());
            for (int i = 0; i < st.columnCount(); ++i)
                row << st.column(i);
            rows.push_back(std::move(row));
        }
    } catch (const EngineError &e) {
        if (e.code() != SQLITE_INTERRUPT || !limit.passed())
            throw;
        throw EngineError(EngineError::TimeLimit,
                          QStringLiteral("The query ran longer than %1 seconds, the most it may "
                                         "run, and was stopped")
                              .arg(m_limits.timeoutSeconds));
    }
    for (int i = 0; i < st.columnCount(); ++i)
        m_columns << st.columnName(i);
    m_rows = std::move(rows);
    m_open = true;
    m_connection.registerQuery(this);
    m_pos = m_rows.empty() ? -1 : 0;
    m_bof = true;
    m_eof = m_rows.empty();
    notifyRows(Change::Rows);
}

void Query::close()
{
    const bool wasOpen = m_open;
    if (m_open)
        m_connection.unregisterQuery(this);
    m_open = false;
    m_columns.clear();
    m_rows.clear();
    m_pos = -1;
    m_eof = m_bof = true;
    if (wasOpen)
        notifyRows(Change::Closed);
}

void Query::setPosition(int pos)
{
    if (pos == m_pos)
        return;
    m_pos = pos;
    notifyRows(Change::CurrentRow);
}

void Query::first()
{
    m_bof = true;
    m_eof = m_rows.empty();
    setPosition(m_rows.empty() ? -1 : 0);
}

void Query::next()
{
    if (m_pos + 1 < int(m_rows.size())) {
        m_bof = false;
        setPosition(m_pos + 1);
    } else {
        m_eof = true;
    }
}

void Query::gotoRow(int row)
{
    if (row < 0 || row >= int(m_rows.size()))
        return;
    m_bof = m_eof = false;
    setPosition(row);
}

std::vector<qint64> Query::orderedRowIds() const
{
    std::vector<qint64> ids(m_rows.size());
    for (size_t i = 0; i < ids.size(); ++i)
        ids[i] = qint64(i);
    return ids;
}

QVariantList Query::rowValues(qint64 rowId, const QStringList &fields) const
{
    if (rowId < 0 || rowId >= qint64(m_rows.size()))
        return {};
    QVariantList values;
    values.reserve(fields.size());
    for (const QString &f : fields)
        values << valueAt(int(rowId), columnIndex(f));
    return values;
}

bool Query::gotoRowId(qint64 rowId)
{
    if (rowId < 0 || rowId >= qint64(m_rows.size()))
        return false;
    gotoRow(int(rowId));
    return true;
}

int Query::columnIndex(const QString &field) const
{
    for (int i = 0; i < int(m_columns.size()); ++i)
        if (m_columns.at(i).compare(field, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

const QVariant &Query::cell(const QString &field) const
{
    static const QVariant none;
    const int c = columnIndex(field);
    if (c < 0) {
        if (!m_open)
            throw EngineError(EngineError::NotOpen, QStringLiteral("The query is not open"));
        throw EngineError(EngineError::MissingField,
                          QStringLiteral("The query has no column \"%1\"").arg(field));
    }
    if (m_pos < 0 || m_pos >= int(m_rows.size()))
        return none;
    return m_rows[size_t(m_pos)].at(c);
}

QString Query::text(const QString &field) const
{
    const QVariant &v = cell(field);
    if (!v.isValid() || v.typeId() == QMetaType::QByteArray)
        return {};
    QString s = v.toString();
    while (s.endsWith(QLatin1Char(' ')))
        s.chop(1);
    return s;
}

qint64 Query::integer(const QString &field) const
{
    return cell(field).toLongLong();
}

QVariant Query::valueAt(int row, int column) const
{
    if (row < 0 || row >= int(m_rows.size()) || column < 0 || column >= int(m_columns.size()))
        return {};
    QVariant v = m_rows[size_t(row)].at(column);
    if (v.typeId() == QMetaType::QString) {
        QString s = v.toString();
        while (s.endsWith(QLatin1Char(' ')))
            s.chop(1);
        v = s;
    }
    return v;
}

} // namespace rost
