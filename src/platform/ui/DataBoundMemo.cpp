#include "platform/ui/DataBoundMemo.h"

#include "directory/Cursor.h"
#include "platform/ui/Prompts.h"

#include <QFrame>

namespace rost {

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
    m_showing = true;
    setPlainText(newLines.join(QLatin1Char('\n')));
    m_showing = false;
}

QStringList DataBoundMemo::lines() const
{
    const QString text = toPlainText();
    return text.isEmpty() ? QStringList() : text.split(QLatin1Char('\n'));
}

void DataBoundMemo::showValue()
{
    if (m_typing)
        return;
    const bool has = m_binding.hasValue();
    setReadOnly(!has);
    QString value = has ? m_binding.cursor()->text(m_binding.field()) : QString();
    m_crLineEnds = value.contains(QLatin1Char('\r'));
    value.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    value.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    if (value != toPlainText()) {
        m_showing = true;
        setPlainText(value);
        m_showing = false;
    }
}

void DataBoundMemo::typed()
{
    Cursor *cursor = m_binding.cursor();
    if (m_showing || !cursor || isReadOnly())
        return;
    QString value = toPlainText();
    // Keep the line ends the producer of the directory used.
    if (m_crLineEnds)
        value.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    m_typing = true;
    const bool ok = guarded(this, [&] { cursor->setText(m_binding.field(), value); });
    m_typing = false;
    if (!ok)
        showValue();
}

} // namespace rost
