#pragma once

#include "platform/ui/FieldBinding.h"

#include <QTextEdit>

namespace rost {

// A borderless multi-line display. Bound to a field it shows the field's text with its own line
// breaks and takes typing as DataBoundEdit does; unbound it is a read-only display that the
// window fills itself.
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
    QStringList lines() const;

private:
    void showValue();
    void typed();

    FieldBinding m_binding;
    bool m_showing = false;
    bool m_typing = false;
    bool m_crLineEnds = false; // the stored text breaks lines with CR LF
};

} // namespace rost
