#include "browse/ui/RecordFieldEdit.h"

namespace rost {

RecordFieldEdit::RecordFieldEdit(const QString &field, int widthChars, QWidget *parent)
    : QLineEdit(parent), m_field(field), m_widthChars(widthChars)
{
    setObjectName(field);
    connect(this, &QLineEdit::textEdited, this,
            [this](const QString &text) { Q_EMIT typed(m_field, text); });
}

void RecordFieldEdit::showValue(const QString &text)
{
    // The table reads back without trailing blanks: a blank just typed is not a change.
    QString shown = this->text();
    while (shown.endsWith(QLatin1Char(' ')))
        shown.chop(1);
    if (text != shown)
        setText(text);
}

QSize RecordFieldEdit::sizeHint() const
{
    QSize size = QLineEdit::sizeHint();
    size.setWidth(fontMetrics().averageCharWidth() * m_widthChars + 12);
    return size;
}

} // namespace rost
