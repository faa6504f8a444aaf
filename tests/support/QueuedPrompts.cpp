#include "QueuedPrompts.h"

namespace rost {

template <typename T> T QueuedPrompts::take(const T &fallback)
{
    if (m_answers.empty())
        return fallback;
    Answer a = m_answers.front();
    m_answers.pop_front();
    if (const T *v = std::get_if<T>(&a))
        return *v;
    return fallback;
}

QMessageBox::StandardButton QueuedPrompts::message(QWidget *, MessageKind kind,
                                                   const QString &title, const QString &text,
                                                   QMessageBox::StandardButtons buttons,
                                                   QMessageBox::StandardButton defaultButton)
{
    asked.push_back({QStringLiteral("message"), kind, title, text, buttons});
    return take<QMessageBox::StandardButton>(
        defaultButton == QMessageBox::NoButton ? QMessageBox::Ok : defaultButton);
}

QString QueuedPrompts::openFile(QWidget *, const QString &title, const QString &, const QString &)
{
    asked.push_back({QStringLiteral("openFile"), MessageKind::Plain, title, {}});
    return take<QString>({});
}

QString QueuedPrompts::saveFile(QWidget *, const QString &title, const QString &suggested,
                                const QString &, bool confirmReplace)
{
    asked.push_back({QStringLiteral("saveFile"), MessageKind::Plain, title, suggested,
                     QMessageBox::NoButton, confirmReplace});
    return take<QString>({});
}

std::optional<QFont> QueuedPrompts::chooseFont(QWidget *, const QFont &, bool printerFonts)
{
    asked.push_back({QStringLiteral("chooseFont"),
                     MessageKind::Plain,
                     {},
                     printerFonts ? QStringLiteral("printer") : QStringLiteral("screen")});
    return take<std::optional<QFont>>(std::nullopt);
}

bool QueuedPrompts::printerSetup(QWidget *, QPrinter *)
{
    asked.push_back({QStringLiteral("printerSetup"), MessageKind::Plain, {}, {}});
    return take<bool>(false);
}

void QueuedPrompts::openDocument(QWidget *, const QString &path)
{
    asked.push_back({QStringLiteral("openDocument"), MessageKind::Plain, {}, path});
}

} // namespace rost
