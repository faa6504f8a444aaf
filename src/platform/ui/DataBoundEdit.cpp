#include "platform/ui/DataBoundEdit.h"

#include "directory/Cursor.h"
#include "platform/ui/Prompts.h"

namespace rost {

namespace {

QString withoutTrailingBlanks(QString text)
{
    while (text.endsWith(QLatin1Char(' ')))
        text.chop(1);
    return text;
}

} // namespace

DataBoundEdit::DataBoundEdit(QWidget *parent)
    : QLineEdit(parent), m_binding([this] { showValue(); })
{
    setFrame(false);
    setReadOnly(true);
    connect(this, &QLineEdit::textEdited, this, &DataBoundEdit::typed);
}

DataBoundEdit::~DataBoundEdit() = default;

void DataBoundEdit::unbind()
{
    m_binding.unbind();
    showValue();
}

void DataBoundEdit::setWidthChars(int chars)
{
    m_widthChars = chars;
    updateGeometry();
}

QSize DataBoundEdit::sizeHint() const
{
    QSize size = QLineEdit::sizeHint();
    if (m_widthChars > 0)
        size.setWidth(fontMetrics().averageCharWidth() * m_widthChars + 12);
    return size;
}

void DataBoundEdit::showValue()
{
    // While the user types, the row echoes the text back without trailing blanks; showing that
    // would eat the blank just typed.
    if (m_typing)
        return;
    const bool has = m_binding.hasValue();
    // Without a row there is nothing to edit; typing would only raise errors.
    setReadOnly(!has);
    // The field keeps this many characters: more would be cut silently when the row is saved.
    const int width = has ? m_binding.cursor()->fieldWidth(m_binding.field()) : 0;
    setMaxLength(width > 0 ? width : 32767);
    const QString value = has ? m_binding.cursor()->text(m_binding.field()) : QString();
    // The row holds text without trailing blanks: a blank typed here earlier is no change, and
    // showing the row's text would eat it when another field of the row changes.
    if (value != withoutTrailingBlanks(text())) {
        setText(value);
        setCursorPosition(0);
    }
}

void DataBoundEdit::typed(const QString &newText)
{
    Cursor *cursor = m_binding.cursor();
    if (!cursor)
        return;
    // A value the field refuses (a bad number throws) shows what the row holds.
    m_typing = true;
    const bool ok = guarded(this, [&] { cursor->setText(m_binding.field(), newText); });
    m_typing = false;
    if (!ok)
        showValue();
}

} // namespace rost
