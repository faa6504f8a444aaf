#pragma once

#include "directory/RowSource.h"

#include "directory/Tables.h"

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <array>
#include <functional>
#include <memory>
#include <vector>

namespace rost {

class RostConnection;
class Statement;

enum class CountMode { RespectWhenCounting, IgnoreWhenCounting };
enum class CursorState { Inactive, Browse, Edit };

// A cursor over one table file: its own position, order (an index of the table, or the table's
// own row order), restriction to a master's current value, and filter. Every step is a keyed
// probe of an index ("the next row after this key"), so its cost does not grow with the table.
//
// Like the data-access layer the windows were designed for, the cursor is set up while closed
// (table, index, master, listeners) and then opened; opening a table that holds rows is a move to
// its first row. Moving while a row is being edited posts the edit first.
//
// As a RowSource its keys are the table's row numbers, in the current order and restriction.
class Cursor : public RowSource
{
public:
    explicit Cursor(RostConnection &connection, const QString &tableFile = {});
    ~Cursor() override;
    Cursor(const Cursor &) = delete;
    Cursor &operator=(const Cursor &) = delete;

    RostConnection &connection() const { return m_connection; }
    QString tableName() const { return m_tableFile; }

    void open();
    void close();
    bool isOpen() const override { return m_open; }
    CursorState state() const;

    // Index names match without regard to case; an empty name selects the table's row order.
    // The current row stays current.
    void setIndexName(IndexName index);
    QString indexName() const { return m_indexName; }
    // Whether the cursor walks in this index's order.
    bool inOrder(IndexName index) const
    {
        return m_indexName.compare(index.name(), Qt::CaseInsensitive) == 0;
    }

    // Master-detail: shows only the rows whose leading key of the current index equals the
    // master's masterField, and follows every move of the master to the first such row.
    void setMasterSource(Cursor *master, const QString &masterField);
    Cursor *master() const { return m_master; }

    // "Field = number" (or 'text'); applies while filtered is on.
    void setFilter(const QString &filter);
    QString filter() const { return m_filterText; }
    void setFiltered(bool on);
    bool filtered() const { return m_filtered; }

    void setCountMode(CountMode mode) { m_countMode = mode; }
    CountMode countMode() const { return m_countMode; }
    int recordCount() const;

    void first();
    void last();
    void next();
    void prior();
    // Moves up to n rows (negative: backwards); returns how many it moved.
    int moveBy(int n);
    bool eof() const { return m_eof; }
    bool bof() const { return m_bof; }
    bool isEmpty() const { return !m_hasRow; }
    bool hasRow() const { return m_hasRow; }

    // Exact key in the current order: the values of the index's first keys. A miss leaves the
    // cursor where it was.
    bool findKey(const QVariantList &key);
    // The first row whose first key is at or after value; past the end, the last row (false).
    bool findNearest(const QVariant &value);
    // The first row, in the current order, whose field equals value. A miss leaves the cursor.
    bool locate(const QString &field, const QVariant &value);
    // The row with this internal row number within the current restriction.
    bool gotoRowId(qint64 rowId) override;
    qint64 rowId() const override { return m_hasRow ? m_rowId : -1; }

    bool hasField(const QString &field) const;
    int fieldWidth(const QString &field) const; // characters; 0 for other kinds
    // Text without trailing blanks; an empty or absent value reads as empty text.
    QString text(const QString &field) const;
    qint64 integer(const QString &field) const;
    bool boolean(const QString &field) const;
    QByteArray blob(const QString &field) const;
    QVariant value(const QString &field) const;

    void edit();
    // The text is cut to the field's width; numbers and flags are converted.
    void setText(const QString &field, const QString &text);
    void setValue(const QString &field, const QVariant &value);
    void post();
    void cancel();
    bool isModified() const { return m_editing && !m_changes.isEmpty(); }
    // The fields changed by the pending edit, in table order, each as "Name: new text".
    QStringList pendingChanges() const;
    void deleteRecord();
    // Re-reads the current row (rows posted through other cursors show); not a move.
    void refresh();

    enum class Event {
        Scrolled,    // the current row changed (also on open and on a master's move)
        DataChanged, // the current row's values changed: refresh, post, cancel, setText
        StateChanged,
        Closed,
    };
    using Listener = std::function<void(Event)>;
    int addListener(Listener listener);
    void removeListener(int id);
    // Convenience: called after every move, as the windows' after-scroll handlers are.
    int addAfterScroll(std::function<void()> handler);

    // For grids: every row of the current order and restriction as its row number, and rows
    // fetched by row number, the current one from memory. Neither moves the cursor.
    std::vector<qint64> orderedRowIds() const override;
    QVariantList rowValues(qint64 rowId, const QStringList &fields) const override;

private:
    struct Column
    {
        QString name;
        QString declared;
        int width = 0;
        bool text = false;
        bool blob = false;
        bool logical = false;
        bool integer = false;
    };

    void requireOpen() const;
    void loadColumns();
    void prepareOrder();
    void invalidateStatements();
    int columnIndex(const QString &field) const; // -1 when absent
    int requireColumn(const QString &field) const;
    QString whereClause(bool withKeyset, const QString &op) const;
    int bindWhere(Statement &st) const;
    QString selectList() const;
    QString orderBy(bool descending) const;
    Statement &cached(const QString &name, const std::function<QString()> &sql) const;
    Statement &stepStatement(bool forward) const;
    bool fetchInto(Statement &st);
    void checkBrowseMode();
    void moved();
    void notify(Event event);
    void followMaster();
    bool masterHasRow() const;
    QVariantList currentKey() const;
    int bindCurrentKey(Statement &st, int index) const;
    const QVariant &rowValue(int index) const;
    void decodeRow() const;
    void readRowOrClear(Statement &st);
    bool moveToFoundRow(Statement &st);
    Statement &firstStatement();
    void moveToFirst();
    void positionAfterLoss(const QVariantList &oldKey);

    RostConnection &m_connection;
    QString m_tableFile;
    QString m_schema;
    QString m_table;
    QString m_qualified; // "schema"."table"
    bool m_open = false;

    std::vector<Column> m_columns;
    QHash<QString, int> m_columnByName;     // lower-case name -> index
    QHash<QString, int> m_columnBySpelling; // name as the table spells it -> index
    QString m_rowIdName;                    // the auto-increment column, or rowid

    QString m_indexName;
    QStringList m_orderColumns;     // index keys, then the tiebreak
    std::vector<int> m_orderValues; // where each order column stands in m_row
    int m_keyCount = 0;             // keys of the index proper (without the tiebreak)

    Cursor *m_master = nullptr;
    QString m_masterField;
    QVariant m_masterValue;

    QString m_filterText;
    QString m_filterField;
    QVariant m_filterValue;
    bool m_filtered = false;

    CountMode m_countMode = CountMode::IgnoreWhenCounting;

    bool m_hasRow = false;
    bool m_eof = true;
    bool m_bof = true;
    qint64 m_rowId = -1;
    // The current row: the row number, then the columns (blobs read as null), each decoded from
    // m_rowStatement when first read. A move reads only what its caller needs: the keys it binds
    // for the next move and the fields shown. m_rowStatement is left on the row and decoded whole
    // before it is reset or dropped.
    mutable QVariantList m_row;
    mutable std::vector<bool> m_decoded;
    mutable Statement *m_rowStatement = nullptr;

    bool m_editing = false;
    QHash<int, QVariant> m_changes;
    // Which rows there are, or their order, changed since the row listeners were last told.
    bool m_rowsChanged = false;

    // Each statement with a twin, prepared when first needed: a move runs the twin while the
    // current row is still read from the first.
    mutable QHash<QString, std::array<std::shared_ptr<Statement>, 2>> m_statements;
    std::vector<std::pair<int, Listener>> m_listeners;
    int m_nextListenerId = 1;
    std::vector<Cursor *> m_details;
};

} // namespace rost
