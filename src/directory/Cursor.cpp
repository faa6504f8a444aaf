#include "directory/Cursor.h"

#include "directory/EngineError.h"
#include "directory/RostConnection.h"
#include "directory/Statement.h"

#include <QRegularExpression>

#include <sqlite3.h>

#include <algorithm>

namespace rost {

namespace {

QString stripTrailingBlanks(const QString &s)
{
    qsizetype end = s.size();
    while (end > 0 && s.at(end - 1) == QLatin1Char(' '))
        --end;
    return end == s.size() ? s : s.left(end);
}

int widthOf(const QString &declared)
{
    static const QRegularExpression re(QStringLiteral("\\(\\s*(\\d+)\\s*\\)"));
    const auto m = re.match(declared);
    return m.hasMatch() ? m.captured(1).toInt() : 0;
}

bool parseLogical(const QString &text, bool *ok)
{
    const QString t = text.trimmed().toLower();
    *ok = true;
    if (t == QLatin1String("1") || t == QLatin1String("true") || t == QLatin1String("t") ||
        t == QLatin1String("yes") || t == QLatin1String("y"))
        return true;
    if (t.isEmpty() || t == QLatin1String("0") || t == QLatin1String("false") ||
        t == QLatin1String("f") || t == QLatin1String("no") || t == QLatin1String("n"))
        return false;
    *ok = false;
    return false;
}

} // namespace

Cursor::Cursor(RostConnection &connection, const QString &tableFile)
    : m_connection(connection), m_tableFile(tableFile)
{}

Cursor::~Cursor()
{
    close();
    setMasterSource(nullptr, {});
    for (Cursor *d : m_details)
        d->m_master = nullptr;
}

CursorState Cursor::state() const
{
    if (!m_open)
        return CursorState::Inactive;
    return m_editing ? CursorState::Edit : CursorState::Browse;
}

void Cursor::requireOpen() const
{
    if (!m_open)
        throw EngineError(EngineError::NotOpen,
                          QStringLiteral("The table %1 is not open").arg(m_tableFile));
}

void Cursor::open()
{
    if (m_open)
        return;
    m_schema = m_connection.attach(m_tableFile);
    m_connection.registerCursor(this);
    try {
        loadColumns();
        m_open = true;
        prepareOrder();
        if (m_filtered && !m_filterText.isEmpty())
            setFilter(m_filterText);
    } catch (...) {
        m_open = false;
        m_connection.unregisterCursor(this);
        throw;
    }
    if (m_master && masterHasRow())
        m_masterValue = m_master->value(m_masterField);
    Statement &st = firstStatement();
    bindWhere(st);
    const bool found = fetchInto(st);
    m_bof = true;
    m_eof = !found;
    m_rowsChanged = true;
    notify(Event::StateChanged);
    // Opening on rows is a move to the first one; an empty table still tells its details.
    moved();
}

void Cursor::close()
{
    if (!m_open)
        return;
    m_open = false;
    m_editing = false;
    m_changes.clear();
    m_hasRow = false;
    m_eof = m_bof = true;
    m_rowStatement = nullptr;
    m_row.clear();
    invalidateStatements();
    m_connection.unregisterCursor(this);
    notify(Event::Closed);
}

void Cursor::loadColumns()
{
    sqlite3 *db = m_connection.handle();
    Statement tables(db, QStringLiteral("SELECT name FROM %1.sqlite_master WHERE type='table' "
                                        "AND name = ?1 COLLATE NOCASE")
                             .arg(quoteIdent(m_schema)));
    tables.bind(1, m_schema);
    if (!tables.step())
        throw EngineError(
            EngineError::TableNotFound,
            QStringLiteral("The file %1 does not hold the table %2").arg(m_tableFile, m_schema));
    m_table = tables.column(0).toString();
    m_qualified = quoteIdent(m_schema) + QLatin1Char('.') + quoteIdent(m_table);

    Statement info(db, QStringLiteral("SELECT name, type, pk FROM pragma_table_info(?1, ?2)"));
    info.bind(1, m_table);
    info.bind(2, m_schema);
    m_columns.clear();
    m_columnByName.clear();
    m_columnBySpelling.clear();
    m_rowIdName = QStringLiteral("rowid");
    while (info.step()) {
        Column c;
        c.name = info.column(0).toString();
        c.declared = info.column(1).toString().toUpper();
        c.blob = c.declared.contains(QLatin1String("BLOB")) || c.declared.isEmpty();
        c.logical = c.declared.contains(QLatin1String("LOGICAL")) ||
                    c.declared.contains(QLatin1String("BOOL"));
        c.integer = !c.blob && !c.logical &&
                    (c.declared.contains(QLatin1String("INT")) ||
                     c.declared.contains(QLatin1String("SHORT")));
        c.text = !c.blob && !c.logical && !c.integer;
        c.width = c.text ? widthOf(c.declared) : 0;
        if (info.column(2).toInt() == 1 && c.declared.startsWith(QLatin1String("INTEGER")))
            m_rowIdName = c.name;
        m_columnByName.insert(c.name.toLower(), int(m_columns.size()));
        m_columnBySpelling.insert(c.name, int(m_columns.size()));
        m_columns.push_back(c);
    }
}

void Cursor::invalidateStatements()
{
    decodeRow();
    m_statements.clear();
}

Statement &Cursor::cached(const QString &name, const std::function<QString()> &sql) const
{
    auto &pair = m_statements[name];
    auto &slot = pair[0] && pair[0].get() == m_rowStatement ? pair[1] : pair[0];
    if (!slot)
        slot = std::make_shared<Statement>(m_connection.handle(), sql());
    slot->reset();
    return *slot;
}

void Cursor::prepareOrder()
{
    m_orderColumns.clear();
    m_keyCount = 0;
    if (!m_indexName.isEmpty()) {
        sqlite3 *db = m_connection.handle();
        Statement find(db, QStringLiteral("SELECT name FROM %1.sqlite_master WHERE type='index' "
                                          "AND tbl_name = ?1 COLLATE NOCASE AND name = ?2 "
                                          "COLLATE NOCASE")
                               .arg(quoteIdent(m_schema)));
        find.bind(1, m_table);
        find.bind(2, m_indexName);
        if (!find.step())
            throw EngineError(
                EngineError::IndexNotFound,
                QStringLiteral("The table %1 has no index %2").arg(m_tableFile, m_indexName));
        const QString index = find.column(0).toString();
        // The schema is named as the function's argument: index names repeat across the files.
        Statement keys(db,
                       QStringLiteral("SELECT name FROM pragma_index_info(?1, ?2) ORDER BY seqno"));
        keys.bind(1, index);
        keys.bind(2, m_schema);
        while (keys.step()) {
            const QVariant name = keys.column(0);
            if (!name.isValid())
                throw EngineError(EngineError::IndexNotFound,
                                  QStringLiteral("The index %1 of %2 is on an expression")
                                      .arg(index, m_tableFile));
            m_orderColumns << name.toString();
        }
        m_keyCount = int(m_orderColumns.size());
        // The file's index may already close with the row number as tiebreak.
        if (m_orderColumns.isEmpty() ||
            m_orderColumns.last().compare(m_rowIdName, Qt::CaseInsensitive) != 0)
            m_orderColumns << m_rowIdName;
        else
            --m_keyCount;
    } else {
        m_orderColumns << m_rowIdName;
    }
    m_orderValues.clear();
    for (const QString &c : m_orderColumns)
        m_orderValues.push_back(
            c.compare(m_rowIdName, Qt::CaseInsensitive) == 0 ? 0 : columnIndex(c) + 1);
    invalidateStatements();
}

void Cursor::setIndexName(IndexName index)
{
    const QString old = m_indexName;
    m_indexName = index.name();
    if (!m_open)
        return;
    try {
        prepareOrder();
    } catch (...) {
        m_indexName = old;
        prepareOrder();
        throw;
    }
    if (m_master) {
        followMaster();
    } else {
        // The current row stays, so nothing moved; only the rows' order is new.
        m_rowsChanged = false;
        notifyRows(Change::Rows);
    }
}

void Cursor::setMasterSource(Cursor *master, const QString &masterField)
{
    if (m_master)
        std::erase(m_master->m_details, this);
    m_master = master;
    m_masterField = masterField;
    if (m_master)
        m_master->m_details.push_back(this);
    invalidateStatements();
    if (m_open && m_master) {
        followMaster();
    } else if (m_open) {
        m_rowsChanged = false;
        notifyRows(Change::Rows);
    }
}

void Cursor::setFilter(const QString &filter)
{
    m_filterText = filter;
    m_filterField.clear();
    m_filterValue = QVariant();
    invalidateStatements();
    // A filter that is on applies from the next move, which tells the row listeners.
    m_rowsChanged = m_open;
    if (filter.trimmed().isEmpty() || !m_open)
        return;
    static const QRegularExpression re(
        QStringLiteral("^\\s*\"?([^\"=]+?)\"?\\s*=\\s*(?:'((?:[^']|'')*)'|(-?\\d+))\\s*$"));
    const auto m = re.match(filter);
    if (!m.hasMatch())
        throw EngineError(EngineError::BadFilter,
                          QStringLiteral("The filter \"%1\" cannot be read").arg(filter));
    const int col = columnIndex(m.captured(1));
    if (col < 0)
        throw EngineError(
            EngineError::BadFilter,
            QStringLiteral("The filter \"%1\" names no field of %2").arg(filter, m_tableFile));
    m_filterField = m_columns[size_t(col)].name;
    if (m.capturedLength(3) > 0)
        m_filterValue = m.captured(3).toLongLong();
    else
        m_filterValue = m.captured(2).replace(QLatin1String("''"), QLatin1String("'"));
}

void Cursor::setFiltered(bool on)
{
    if (on && m_open && m_filterField.isEmpty() && !m_filterText.isEmpty())
        setFilter(m_filterText);
    m_filtered = on;
    invalidateStatements();
    if (m_open) {
        checkBrowseMode();
        first();
    }
}

int Cursor::columnIndex(const QString &field) const
{
    // Callers name fields by the constants, spelt as the table spells them: found without
    // folding case, which on every read of a field cost more than the read.
    if (const auto it = m_columnBySpelling.constFind(field); it != m_columnBySpelling.cend())
        return it.value();
    return m_columnByName.value(field.toLower(), -1);
}

int Cursor::requireColumn(const QString &field) const
{
    requireOpen();
    const int c = columnIndex(field);
    if (c < 0)
        throw EngineError(
            EngineError::MissingField,
            QStringLiteral("The table %1 has no field \"%2\"").arg(m_tableFile, field));
    return c;
}

bool Cursor::masterHasRow() const
{
    return m_master && m_master->isOpen() && m_master->hasRow();
}

QString Cursor::selectList() const
{
    QStringList parts{quoteIdent(m_rowIdName)};
    for (const Column &c : m_columns)
        parts << (c.blob ? QStringLiteral("NULL") : quoteIdent(c.name));
    return parts.join(QLatin1String(", "));
}

QString Cursor::orderBy(bool descending) const
{
    QStringList parts;
    for (const QString &c : m_orderColumns)
        parts << quoteIdent(c) + (descending ? QLatin1String(" DESC") : QLatin1String(""));
    return parts.join(QLatin1String(", "));
}

// The conditions shared by every statement of the cursor, in a fixed binding order: restriction,
// filter, then (when asked) the keyset comparison with the current key.
QString Cursor::whereClause(bool withKeyset, const QString &op) const
{
    QStringList parts;
    if (m_master) {
        if (m_keyCount == 0)
            throw EngineError(EngineError::IndexNotFound,
                              QStringLiteral("A detail of %1 needs an index led by its link field")
                                  .arg(m_tableFile));
        parts << quoteIdent(m_orderColumns.first()) + QLatin1String(" = ?");
    }
    if (m_filtered && !m_filterField.isEmpty())
        parts << quoteIdent(m_filterField) + QLatin1String(" = ?");
    if (withKeyset) {
        QStringList cols;
        QStringList marks;
        for (const QString &c : m_orderColumns) {
            cols << quoteIdent(c);
            marks << QStringLiteral("?");
        }
        parts << QStringLiteral("(%1) %2 (%3)")
                     .arg(cols.join(QLatin1String(", ")), op, marks.join(QLatin1String(", ")));
    }
    return parts.isEmpty() ? QStringLiteral("1") : parts.join(QLatin1String(" AND "));
}

int Cursor::bindWhere(Statement &st) const
{
    int i = 1;
    if (m_master)
        // A master without a row restricts to nothing: NULL equals no value.
        st.bind(i++, masterHasRow() ? m_masterValue : QVariant());
    if (m_filtered && !m_filterField.isEmpty())
        st.bind(i++, m_filterValue);
    return i;
}

QVariantList Cursor::currentKey() const
{
    QVariantList key;
    for (const int i : m_orderValues)
        key << rowValue(i);
    return key;
}

// The keys go from the row's statement to the next one as SQLite holds them, undecoded.
int Cursor::bindCurrentKey(Statement &st, int index) const
{
    for (const int i : m_orderValues) {
        if (m_rowStatement && !m_decoded[size_t(i)])
            st.bindColumn(index++, *m_rowStatement, i);
        else
            st.bind(index++, m_row.at(i));
    }
    return index;
}

const QVariant &Cursor::rowValue(int index) const
{
    static const QVariant none;
    if (index < 0 || index >= m_row.size())
        return none;
    if (m_rowStatement && !m_decoded[size_t(index)]) {
        m_row[index] = m_rowStatement->column(index);
        m_decoded[size_t(index)] = true;
    }
    return m_row.at(index);
}

void Cursor::decodeRow() const
{
    if (!m_rowStatement)
        return;
    for (int i = 0; i < int(m_row.size()); ++i)
        rowValue(i);
    m_rowStatement = nullptr;
}

// A step that finds no row leaves the current one as it was.
bool Cursor::fetchInto(Statement &st)
{
    if (&st == m_rowStatement)
        decodeRow();
    if (!st.step())
        return false;
    m_rowId = st.columnInt(0);
    m_row.resize(st.columnCount());
    m_decoded.assign(size_t(m_row.size()), false);
    m_rowStatement = &st;
    m_hasRow = true;
    return true;
}

bool Cursor::moveToFoundRow(Statement &st)
{
    // A search that finds nothing leaves the cursor on its row.
    if (!fetchInto(st))
        return false;
    m_bof = m_eof = false;
    moved();
    return true;
}

void Cursor::readRowOrClear(Statement &st)
{
    if (!fetchInto(st)) {
        m_hasRow = false;
        m_rowStatement = nullptr;
        m_row.clear();
        m_rowId = -1;
    }
}

void Cursor::checkBrowseMode()
{
    if (m_editing)
        post();
}

void Cursor::notify(Event event)
{
    const auto listeners = m_listeners;
    for (const auto &[id, listener] : listeners)
        listener(event);
    if (event == Event::Closed) {
        m_rowsChanged = false;
        notifyRows(Change::Closed);
    } else if (m_rowsChanged) {
        m_rowsChanged = false;
        notifyRows(Change::Rows);
    } else if (event == Event::Scrolled) {
        notifyRows(Change::CurrentRow);
    } else if (event == Event::DataChanged) {
        notifyRows(Change::CurrentValues);
    }
}

void Cursor::moved()
{
    for (Cursor *d : m_details)
        if (d->isOpen())
            d->followMaster();
    notify(Event::Scrolled);
}

Statement &Cursor::firstStatement()
{
    return cached(QStringLiteral("first"), [this] {
        return QStringLiteral("SELECT %1 FROM %2 WHERE %3 ORDER BY %4 LIMIT 1")
            .arg(selectList(), m_qualified, whereClause(false, {}), orderBy(false));
    });
}

void Cursor::followMaster()
{
    checkBrowseMode();
    m_rowsChanged = true;
    m_masterValue = masterHasRow() ? m_master->value(m_masterField) : QVariant();
    moveToFirst();
}

void Cursor::first()
{
    requireOpen();
    checkBrowseMode();
    moveToFirst();
}

void Cursor::moveToFirst()
{
    Statement &st = firstStatement();
    bindWhere(st);
    readRowOrClear(st);
    m_bof = true;
    m_eof = !m_hasRow;
    moved();
}

void Cursor::last()
{
    requireOpen();
    checkBrowseMode();
    Statement &st = cached(QStringLiteral("last"), [this] {
        return QStringLiteral("SELECT %1 FROM %2 WHERE %3 ORDER BY %4 LIMIT 1")
            .arg(selectList(), m_qualified, whereClause(false, {}), orderBy(true));
    });
    bindWhere(st);
    readRowOrClear(st);
    m_eof = true;
    m_bof = !m_hasRow;
    moved();
}

// The row after (or before) the current key in the current order.
Statement &Cursor::stepStatement(bool forward) const
{
    return cached(forward ? QStringLiteral("next") : QStringLiteral("prior"), [this, forward] {
        return QStringLiteral("SELECT %1 FROM %2 WHERE %3 ORDER BY %4 LIMIT 1")
            .arg(selectList(), m_qualified,
                 whereClause(true, forward ? QStringLiteral(">") : QStringLiteral("<")),
                 orderBy(!forward));
    });
}

int Cursor::moveBy(int n)
{
    requireOpen();
    checkBrowseMode();
    if (!m_hasRow || n == 0)
        return 0;
    const bool forward = n > 0;
    int moved_ = 0;
    for (int left = std::abs(n); left > 0; --left) {
        Statement &st = stepStatement(forward);
        bindCurrentKey(st, bindWhere(st));
        if (!fetchInto(st))
            break;
        ++moved_;
    }
    if (moved_ < std::abs(n)) {
        if (forward)
            m_eof = true;
        else
            m_bof = true;
    }
    if (moved_ > 0) {
        if (forward)
            m_bof = false;
        else
            m_eof = false;
        moved();
    }
    return moved_;
}

void Cursor::next()
{
    moveBy(1);
}

void Cursor::prior()
{
    moveBy(-1);
}

bool Cursor::findKey(const QVariantList &key)
{
    requireOpen();
    checkBrowseMode();
    const int n = int(std::min<qsizetype>(key.size(), m_keyCount));
    if (n == 0)
        throw EngineError(EngineError::IndexNotFound,
                          QStringLiteral("A key search in %1 needs an index").arg(m_tableFile));
    Statement &st = cached(QStringLiteral("key%1").arg(n), [this, n] {
        QString cond = whereClause(false, {});
        for (int i = 0; i < n; ++i)
            cond +=
                QLatin1String(" AND ") + quoteIdent(m_orderColumns.at(i)) + QLatin1String(" = ?");
        return QStringLiteral("SELECT %1 FROM %2 WHERE %3 ORDER BY %4 LIMIT 1")
            .arg(selectList(), m_qualified, cond, orderBy(false));
    });
    int i = bindWhere(st);
    for (int k = 0; k < n; ++k)
        st.bind(i++, key.at(k));
    return moveToFoundRow(st);
}

bool Cursor::findNearest(const QVariant &value)
{
    requireOpen();
    checkBrowseMode();
    if (m_keyCount == 0)
        throw EngineError(EngineError::IndexNotFound,
                          QStringLiteral("A key search in %1 needs an index").arg(m_tableFile));
    Statement &st = cached(QStringLiteral("nearest"), [this] {
        return QStringLiteral("SELECT %1 FROM %2 WHERE %3 AND %4 >= ? ORDER BY %5 LIMIT 1")
            .arg(selectList(), m_qualified, whereClause(false, {}),
                 quoteIdent(m_orderColumns.first()), orderBy(false));
    });
    int i = bindWhere(st);
    st.bind(i, value);
    if (fetchInto(st)) {
        m_bof = m_eof = false;
        moved();
        return true;
    }
    last();
    return false;
}

bool Cursor::locate(const QString &field, const QVariant &value)
{
    const int col = requireColumn(field);
    checkBrowseMode();
    const QString name = QStringLiteral("locate:") + m_columns[size_t(col)].name;
    Statement &st = cached(name, [this, col] {
        return QStringLiteral("SELECT %1 FROM %2 WHERE %3 AND %4 = ? ORDER BY %5 LIMIT 1")
            .arg(selectList(), m_qualified, whereClause(false, {}),
                 quoteIdent(m_columns[size_t(col)].name), orderBy(false));
    });
    int i = bindWhere(st);
    st.bind(i, value);
    return moveToFoundRow(st);
}

bool Cursor::gotoRowId(qint64 rowId)
{
    requireOpen();
    checkBrowseMode();
    Statement &st = cached(QStringLiteral("rowid"), [this] {
        return QStringLiteral("SELECT %1 FROM %2 WHERE %3 AND %4 = ?")
            .arg(selectList(), m_qualified, whereClause(false, {}), quoteIdent(m_rowIdName));
    });
    int i = bindWhere(st);
    st.bind(i, rowId);
    return moveToFoundRow(st);
}

int Cursor::recordCount() const
{
    requireOpen();
    const bool respect = m_countMode == CountMode::RespectWhenCounting;
    Statement &st =
        cached(respect ? QStringLiteral("countR") : QStringLiteral("countI"), [this, respect] {
            return QStringLiteral("SELECT count(*) FROM %1 WHERE %2")
                .arg(m_qualified, respect ? whereClause(false, {}) : QStringLiteral("1"));
        });
    if (respect)
        bindWhere(st);
    st.step();
    return int(st.columnInt(0));
}

bool Cursor::hasField(const QString &field) const
{
    return columnIndex(field) >= 0;
}

QStringList Cursor::pendingChanges() const
{
    QStringList lines;
    if (!m_editing)
        return lines;
    for (size_t c = 0; c < m_columns.size(); ++c) {
        const auto it = m_changes.constFind(int(c));
        if (it == m_changes.cend())
            continue;
        const Column &column = m_columns[c];
        lines << column.name + QStringLiteral(": ") +
                     (column.blob ? QStringLiteral("a new picture")
                                  : it.value().toString().trimmed());
    }
    return lines;
}

int Cursor::fieldWidth(const QString &field) const
{
    const int c = columnIndex(field);
    return c < 0 ? 0 : m_columns[size_t(c)].width;
}

QVariant Cursor::value(const QString &field) const
{
    const int col = requireColumn(field);
    if (m_editing) {
        auto it = m_changes.constFind(col);
        if (it != m_changes.cend())
            return it.value();
    }
    if (!m_hasRow)
        return {};
    if (m_columns[size_t(col)].blob) {
        Statement &st = cached(QStringLiteral("blob:") + m_columns[size_t(col)].name, [this, col] {
            return QStringLiteral("SELECT %1 FROM %2 WHERE %3 = ?")
                .arg(quoteIdent(m_columns[size_t(col)].name), m_qualified, quoteIdent(m_rowIdName));
        });
        st.bind(1, m_rowId);
        return st.step() ? st.column(0) : QVariant();
    }
    return rowValue(col + 1);
}

QString Cursor::text(const QString &field) const
{
    const QVariant v = value(field);
    if (!v.isValid() || v.typeId() == QMetaType::QByteArray)
        return {};
    return stripTrailingBlanks(v.toString());
}

qint64 Cursor::integer(const QString &field) const
{
    const QVariant v = value(field);
    if (v.typeId() == QMetaType::QString)
        return v.toString().trimmed().toLongLong();
    return v.toLongLong();
}

bool Cursor::boolean(const QString &field) const
{
    const QVariant v = value(field);
    if (v.typeId() == QMetaType::QString) {
        bool ok = false;
        return parseLogical(v.toString(), &ok);
    }
    return v.toLongLong() != 0;
}

QByteArray Cursor::blob(const QString &field) const
{
    const QVariant v = value(field);
    if (v.typeId() == QMetaType::QByteArray)
        return v.toByteArray();
    return v.isValid() ? v.toString().toUtf8() : QByteArray();
}

void Cursor::edit()
{
    requireOpen();
    if (m_editing)
        return;
    if (!m_hasRow)
        throw EngineError(EngineError::NoCurrentRow,
                          QStringLiteral("There is no row to edit in %1").arg(m_tableFile));
    m_editing = true;
    m_changes.clear();
    notify(Event::StateChanged);
}

void Cursor::setText(const QString &field, const QString &text)
{
    const int col = requireColumn(field);
    const Column &c = m_columns[size_t(col)];
    QVariant v;
    if (c.text) {
        v = c.width > 0 ? text.left(c.width) : text;
    } else if (c.logical) {
        bool ok = false;
        v = qlonglong(parseLogical(text, &ok) ? 1 : 0);
        if (!ok)
            throw EngineError(
                EngineError::BadValue,
                QStringLiteral("\"%1\" is not a valid value for %2").arg(text, c.name));
    } else if (c.integer) {
        bool ok = false;
        const qlonglong n = text.trimmed().isEmpty() ? 0 : text.trimmed().toLongLong(&ok);
        const bool isShort = c.declared.contains(QLatin1String("SHORT"));
        if ((!ok && !text.trimmed().isEmpty()) || (isShort && (n < -32768 || n > 32767)))
            throw EngineError(
                EngineError::BadValue,
                QStringLiteral("\"%1\" is not a valid number for %2").arg(text, c.name));
        v = n;
    } else {
        v = text.toUtf8();
    }
    setValue(c.name, v);
}

void Cursor::setValue(const QString &field, const QVariant &value)
{
    const int col = requireColumn(field);
    if (!m_editing)
        edit();
    m_changes.insert(col, value);
    notify(Event::DataChanged);
}

void Cursor::post()
{
    requireOpen();
    if (!m_editing)
        return;
    if (!m_changes.isEmpty()) {
        sqlite3 *db = m_connection.handle();
        QStringList sets;
        QList<int> cols = m_changes.keys();
        std::sort(cols.begin(), cols.end());
        for (int c : cols)
            sets << quoteIdent(m_columns[size_t(c)].name) + QLatin1String(" = ?");
        Statement update(
            db, QStringLiteral("UPDATE %1 SET %2 WHERE %3 = ?")
                    .arg(m_qualified, sets.join(QLatin1String(", ")), quoteIdent(m_rowIdName)));
        int i = 1;
        for (int c : cols)
            update.bind(i++, m_changes.value(c));
        update.bind(i, m_rowId);
        execSql(db, QStringLiteral("BEGIN IMMEDIATE"));
        try {
            update.step();
            execSql(db, QStringLiteral("COMMIT"));
        } catch (...) {
            sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
            throw; // the row stays in edit state with its changes
        }
        Statement reread(db, QStringLiteral("SELECT %1 FROM %2 WHERE %3 = ?")
                                 .arg(selectList(), m_qualified, quoteIdent(m_rowIdName)));
        reread.bind(1, m_rowId);
        fetchInto(reread);
        decodeRow(); // the statement ends here
        // The saved keys may sort the row elsewhere.
        m_rowsChanged = true;
    }
    m_editing = false;
    m_changes.clear();
    notify(Event::StateChanged);
    notify(Event::DataChanged);
}

void Cursor::cancel()
{
    if (!m_editing)
        return;
    m_editing = false;
    m_changes.clear();
    notify(Event::StateChanged);
    notify(Event::DataChanged);
}

void Cursor::positionAfterLoss(const QVariantList &oldKey)
{
    // The row is gone: the next row in order becomes current, else the one before it.
    for (const bool forward : {true, false}) {
        Statement &st = stepStatement(forward);
        int i = bindWhere(st);
        for (const QVariant &v : oldKey)
            st.bind(i++, v);
        if (fetchInto(st)) {
            m_bof = m_eof = false;
            return;
        }
    }
    m_hasRow = false;
    m_rowStatement = nullptr;
    m_row.clear();
    m_rowId = -1;
    m_eof = m_bof = true;
}

void Cursor::deleteRecord()
{
    requireOpen();
    if (!m_hasRow)
        throw EngineError(EngineError::NoCurrentRow,
                          QStringLiteral("There is no row to delete in %1").arg(m_tableFile));
    cancel();
    sqlite3 *db = m_connection.handle();
    const QVariantList oldKey = currentKey();
    Statement del(
        db,
        QStringLiteral("DELETE FROM %1 WHERE %2 = ?").arg(m_qualified, quoteIdent(m_rowIdName)));
    del.bind(1, m_rowId);
    del.step();
    m_rowsChanged = true;
    positionAfterLoss(oldKey);
    moved();
}

void Cursor::refresh()
{
    requireOpen();
    checkBrowseMode();
    // Rows saved through other cursors may have come, gone or moved.
    m_rowsChanged = true;
    if (!m_hasRow) {
        first();
        return;
    }
    const QVariantList oldKey = currentKey();
    Statement &st = cached(QStringLiteral("rowid"), [this] {
        return QStringLiteral("SELECT %1 FROM %2 WHERE %3 AND %4 = ?")
            .arg(selectList(), m_qualified, whereClause(false, {}), quoteIdent(m_rowIdName));
    });
    int i = bindWhere(st);
    st.bind(i, m_rowId);
    if (fetchInto(st)) {
        notify(Event::DataChanged);
        return;
    }
    positionAfterLoss(oldKey);
    moved();
}

int Cursor::addListener(Listener listener)
{
    const int id = m_nextListenerId++;
    m_listeners.emplace_back(id, std::move(listener));
    return id;
}

void Cursor::removeListener(int id)
{
    std::erase_if(m_listeners, [id](const auto &entry) { return entry.first == id; });
}

int Cursor::addAfterScroll(std::function<void()> handler)
{
    return addListener([handler = std::move(handler)](Event e) {
        if (e == Event::Scrolled)
            handler();
    });
}

std::vector<qint64> Cursor::orderedRowIds() const
{
    requireOpen();
    Statement &st = cached(QStringLiteral("rowids"), [this] {
        return QStringLiteral("SELECT %1 FROM %2 WHERE %3 ORDER BY %4")
            .arg(quoteIdent(m_rowIdName), m_qualified, whereClause(false, {}), orderBy(false));
    });
    bindWhere(st);
    std::vector<qint64> ids;
    while (st.step())
        ids.push_back(st.columnInt(0));
    return ids;
}

QVariantList Cursor::rowValues(qint64 rowId, const QStringList &fields) const
{
    requireOpen();
    if (m_hasRow && rowId == m_rowId) {
        // The current row is in memory, with the changes not yet saved.
        QVariantList values;
        for (const QString &f : fields) {
            QVariant v = value(f);
            if (v.typeId() == QMetaType::QString)
                v = stripTrailingBlanks(v.toString());
            values << v;
        }
        return values;
    }
    QStringList cols;
    for (const QString &f : fields)
        cols << quoteIdent(m_columns[size_t(requireColumn(f))].name);
    Statement &st = cached(QStringLiteral("values:") + cols.join(QLatin1Char(',')), [this, cols] {
        return QStringLiteral("SELECT %1 FROM %2 WHERE %3 = ?")
            .arg(cols.join(QLatin1String(", ")), m_qualified, quoteIdent(m_rowIdName));
    });
    st.bind(1, rowId);
    QVariantList values;
    if (st.step()) {
        for (int i = 0; i < int(cols.size()); ++i) {
            QVariant v = st.column(i);
            if (v.typeId() == QMetaType::QString)
                v = stripTrailingBlanks(v.toString());
            values << v;
        }
    }
    return values;
}

} // namespace rost
