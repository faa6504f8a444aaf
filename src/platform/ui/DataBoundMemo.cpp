#include "platform/ui/DataBoundMemo.h"

#include "directory/Cursor.h"
#include "platform/ui/Prompts.h"

#include <QFrame>

#include <algorithm>

namespace rost {

namespace {

// Wide memos are shown narrower and wrapped rather than as one line across the screen.
constexpr int MaxShownChars = 60;
constexpr int ShownLines = 3;

QString storedForm(QString shown)
{
    shown.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    return shown;
}

QString withoutTrailingBlanks(QString text)
{
    while (text.endsWith(QLatin1Char(' ')))
        text.chop(1);
    return text;
}

} // namespace

DataBoundMemo::DataBoundMemo(QWidget *parent)
    : QTextEdit(parent), m_binding([this] { showValue(); })
{
    setFrameShape(QFrame::NoFrame);
    setAcceptRichText(false);
    setReadOnly(true);
    connect(this, &QTextEdit::textChanged, this, &DataBoundMemo::typed);
}

DataBoundMemo::~DataBoundMemo() = default;

void DataBoundMemo::unbind()
{
    m_binding.unbind();
    showValue();
}

void DataBoundMemo::setLines(const QStringList &newLines)
{
    showText(newLines.join(QLatin1Char('\n')));
}

void DataBoundMemo::setFramed(bool framed)
{
    setFrameShape(framed ? QFrame::StyledPanel : QFrame::NoFrame);
}

void DataBoundMemo::setWidthChars(int chars)
{
    m_widthChars = chars;
    updateGeometry();
}

QSize DataBoundMemo::sizeHint() const
{
    if (m_widthChars <= 0)
        return QTextEdit::sizeHint();
    const int margins = 2 * frameWidth() + 2 * int(document()->documentMargin());
    return {fontMetrics().averageCharWidth() * std::min(m_widthChars, MaxShownChars) + margins,
            fontMetrics().lineSpacing() * ShownLines + margins};
}

void DataBoundMemo::showText(const QString &text)
{
    m_accepted = text;
    m_showing = true;
    setPlainText(text);
    m_showing = false;
}

void DataBoundMemo::showValue()
{
    if (m_typing)
        return;
    const bool has = m_binding.hasValue();
    setReadOnly(!has);
    QString value = has ? m_binding.cursor()->text(m_binding.field()) : QString();
    value.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    value.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    // The row holds text without trailing blanks: a blank typed at the end is no change.
    if (value != withoutTrailingBlanks(toPlainText()))
        showText(value);
}

void DataBoundMemo::typed()
{
    Cursor *cursor = m_binding.cursor();
    if (m_showing || !cursor || isReadOnly())
        return;
    const QString value = storedForm(toPlainText());
    const int width = cursor->fieldWidth(m_binding.field());
    if (width > 0 && value.size() > width) {
        refuseOverflow();
        return;
    }
    m_accepted = toPlainText();
    m_typing = true;
    const bool ok = guarded(this, [&] { cursor->setText(m_binding.field(), value); });
    m_typing = false;
    if (!ok)
        showValue();
}

void DataBoundMemo::refuseOverflow()
{
    // What does not fit would be cut when the row is saved: like a line edit at its maximum
    // length, the memo takes none of it and leaves the caret where the typing began.
    const qsizetype grownBy = toPlainText().size() - m_accepted.size();
    const int caret =
        int(std::clamp<qsizetype>(textCursor().position() - grownBy, 0, m_accepted.size()));
    showText(m_accepted);
    QTextCursor at = textCursor();
    at.setPosition(caret);
    setTextCursor(at);
}

} // namespace rost
