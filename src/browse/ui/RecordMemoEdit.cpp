#include "browse/ui/RecordMemoEdit.h"

namespace rost {

namespace {

// Wide memos are shown narrower and wrapped rather than as one line across the screen.
constexpr int MaxShownChars = 60;
constexpr int ShownLines = 3;

} // namespace

RecordMemoEdit::RecordMemoEdit(const QString &field, int widthChars, QWidget *parent)
    : QPlainTextEdit(parent), m_field(field), m_widthChars(std::min(widthChars, MaxShownChars))
{
    setObjectName(field);
    setTabChangesFocus(true);
    connect(this, &QPlainTextEdit::textChanged, this, [this] {
        if (!m_showing)
            Q_EMIT typed(m_field, storedText());
    });
}

void RecordMemoEdit::showValue(const QString &stored)
{
    QString shown = stored;
    shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    // The table reads back without trailing blanks: a blank just typed is not a change.
    QString current = toPlainText();
    while (current.endsWith(QLatin1Char(' ')))
        current.chop(1);
    if (shown == current)
        return;
    m_showing = true;
    setPlainText(shown);
    moveCursor(QTextCursor::End);
    m_showing = false;
}

QString RecordMemoEdit::storedText() const
{
    QString text = toPlainText();
    text.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    return text;
}

QSize RecordMemoEdit::sizeHint() const
{
    const int margins = 2 * frameWidth() + 2 * int(document()->documentMargin());
    return {fontMetrics().averageCharWidth() * m_widthChars + margins,
            fontMetrics().lineSpacing() * ShownLines + margins};
}

} // namespace rost
