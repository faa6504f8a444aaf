#pragma once

#include "platform/ui/FieldBinding.h"

#include <QLineEdit>

namespace rost {

// A borderless single-line display of one field of a cursor's current row. It follows every move
// and change of the row. Typing changes the field in the cursor's edit buffer; the engine saves it
// when the cursor next moves, or when the window posts pending edits.
class DataBoundEdit : public QLineEdit
{
    Q_OBJECT
public:
    explicit DataBoundEdit(QWidget *parent = nullptr);
    ~DataBoundEdit() override;

    void bind(Cursor *cursor, const QString &field) { m_binding.bind(cursor, field); }
    void unbind();
    bool isBound() const { return m_binding.isBound(); }
    QString field() const { return m_binding.field(); }

private:
    void showValue();
    void typed(const QString &text);

    FieldBinding m_binding;
    bool m_typing = false;
};

} // namespace rost
