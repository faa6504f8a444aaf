#pragma once

#include "platform/ui/FieldBinding.h"

#include <QTextEdit>

namespace rost {

// A multi-line display, borderless unless given a frame. Bound to a field it shows the field's
// text with its own line breaks and takes typing as DataBoundEdit does: no more than the field
// holds, read-only without a current row. Lines typed here are stored broken by CR LF, as the
// directory's own files break them, whatever the stored text used before. Unbound it is a
// read-only display that the window fills itself.
class DataBoundMemo : public QTextEdit
{
    Q_OBJECT
public:
    explicit DataBoundMemo(QWidget *parent = nullptr);
    ~DataBoundMemo() override;

    void bind(Cursor *cursor, const QString &field) { m_binding.bind(cursor, field); }
    // Releases the field and clears the display.
    void unbind();
    bool isBound() const { return m_binding.isBound(); }
    QString field() const { return m_binding.field(); }
    // Fills an unbound display with these lines.
    void setLines(const QStringList &lines);

    void setFramed(bool framed);
    // The natural size: this many characters of the memo's type across (wider fields wrap in a
    // narrower box) and a few lines; 0 keeps the text edit's own.
    void setWidthChars(int chars);
    QSize sizeHint() const override;

private:
    void showText(const QString &text);
    void showValue();
    void typed();
    void refuseOverflow();

    FieldBinding m_binding;
    int m_widthChars = 0;
    bool m_showing = false;
    bool m_typing = false;
    QString m_accepted; // the text as last shown or taken by the row
};

} // namespace rost
