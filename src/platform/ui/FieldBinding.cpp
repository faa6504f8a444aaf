#include "platform/ui/FieldBinding.h"

#include "directory/Cursor.h"

namespace rost {

void FieldBinding::bind(Cursor *cursor, const QString &field)
{
    if (cursor == m_cursor && field == m_field)
        return;
    unbind();
    m_cursor = cursor;
    m_field = field;
    if (m_cursor) {
        // The cursor calls a copy of its listeners, so one released during a notification (a
        // display unbound by another listener) may still be called: the token says it is gone.
        m_active = std::make_shared<bool>(true);
        m_listener = m_cursor->addListener([this, active = m_active](Cursor::Event e) {
            if (*active && e != Cursor::Event::StateChanged)
                m_show();
        });
    }
    m_show();
}

void FieldBinding::unbind()
{
    if (m_cursor)
        m_cursor->removeListener(m_listener);
    if (m_active)
        *m_active = false;
    m_active.reset();
    m_cursor = nullptr;
    m_field.clear();
    m_listener = -1;
}

bool FieldBinding::hasValue() const
{
    return m_cursor && m_cursor->isOpen() && m_cursor->hasRow() && m_cursor->hasField(m_field);
}

} // namespace rost
