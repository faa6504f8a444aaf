#pragma once

#include "platform/ui/FieldBinding.h"

#include <QLineEdit>

namespace rost {

// A single-line display of one field of a cursor's current row, borderless unless given a frame
// (setFrame). It follows every move and change of the row. Typing changes the field in the
// cursor's edit buffer; the engine saves it when the cursor next moves, or when the window posts
// pending edits. No more can be typed than the field holds, and without a current row it is
// read-only.
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

    // The natural width: this many characters of the edit's type; 0 keeps the line edit's own.
    void setWidthChars(int chars);
    QSize sizeHint() const override;

private:
    void showValue();
    void typed(const QString &text);

    FieldBinding m_binding;
    int m_widthChars = 0;
    bool m_typing = false;
};

} // namespace rost
