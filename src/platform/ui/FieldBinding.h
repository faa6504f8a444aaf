#pragma once

#include <QString>

#include <functional>
#include <memory>

namespace rost {

class Cursor;

// Ties a display to one field of a cursor: calls `show` whenever the current row or its values
// change (and when the cursor closes, so the display empties). The cursor must outlive the
// binding, or the binding must be released first (unbind).
class FieldBinding
{
public:
    explicit FieldBinding(std::function<void()> show) : m_show(std::move(show)) {}
    ~FieldBinding() { unbind(); }
    FieldBinding(const FieldBinding &) = delete;
    FieldBinding &operator=(const FieldBinding &) = delete;

    void bind(Cursor *cursor, const QString &field);
    void unbind();
    bool isBound() const { return m_cursor != nullptr; }
    Cursor *cursor() const { return m_cursor; }
    QString field() const { return m_field; }
    // True when the cursor is open, stands on a row and the table has the field.
    bool hasValue() const;

private:
    std::function<void()> m_show;
    Cursor *m_cursor = nullptr;
    QString m_field;
    int m_listener = -1;
    std::shared_ptr<bool> m_active;
};

} // namespace rost
