#pragma once

#include <QStringList>
#include <QVariantList>

#include <functional>
#include <utility>
#include <vector>

namespace rost {

// Rows in an order with one current row, as a grid shows them: every row is named by a key that
// stays the row's while the rows last, the values of a row are read by key, a few rows at a
// time, and the current row can be moved to any key. Listeners hear what changed, so a grid can
// keep just the list of keys and read again only what a change concerns.
class RowSource
{
public:
    enum class Change {
        CurrentRow,    // another row became current, or none
        CurrentValues, // the current row's values changed; the rows and their order did not
        Rows,          // which rows there are, or their order, may have changed
        Closed,        // there are no rows until the source opens again
    };
    using Listener = std::function<void(Change)>;

    virtual ~RowSource() = default;

    virtual bool isOpen() const = 0;
    // Every row's key, in the source's order.
    virtual std::vector<qint64> orderedRowIds() const = 0;
    // The row's values of fields, in that order; text without trailing blanks, and the current
    // row with its unsaved changes. Empty when the row is gone.
    virtual QVariantList rowValues(qint64 rowId, const QStringList &fields) const = 0;
    // The current row's key; -1 when there is none.
    virtual qint64 rowId() const = 0;
    // Makes the row current; false when it is gone. A source that saves a pending edit on a move
    // may throw when the save fails.
    virtual bool gotoRowId(qint64 rowId) = 0;

    int addRowListener(Listener listener)
    {
        const int id = m_nextRowListener++;
        m_rowListeners.emplace_back(id, std::move(listener));
        return id;
    }
    void removeRowListener(int id)
    {
        std::erase_if(m_rowListeners, [id](const auto &entry) { return entry.first == id; });
    }

protected:
    RowSource() = default;
    RowSource(const RowSource &) = delete;
    RowSource &operator=(const RowSource &) = delete;

    void notifyRows(Change change)
    {
        // Told from a copy, so a listener may add or remove listeners while it runs.
        const auto listeners = m_rowListeners;
        for (const auto &[id, listener] : listeners)
            listener(change);
    }

private:
    std::vector<std::pair<int, Listener>> m_rowListeners;
    int m_nextRowListener = 1;
};

} // namespace rost
