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
                                                   QMessageBox::StandardButtons,
                                                   QMessageBox::StandardButton defaultButton,
                                                   const QString &informative)
{
    asked.push_back({QStringLiteral("message"), kind, title, text, informative, {}, -1});
    return take<QMessageBox::StandardButton>(
        defaultButton == QMessageBox::NoButton ? QMessageBox::Ok : defaultButton);
}

int QueuedPrompts::choose(QWidget *, const QString &title, const QString &text,
                          const QStringList &choices, int defaultChoice)
{
    asked.push_back({QStringLiteral("choose"),
                     MessageKind::Confirmation,
                     title,
                     text,
                     {},
                     choices,
                     defaultChoice});
    return take<int>(defaultChoice);
}

QString QueuedPrompts::openFile(QWidget *, const QString &title, const QString &, const QString &)
{
    asked.push_back({QStringLiteral("openFile"), MessageKind::Plain, title, {}, {}, {}, -1});
    return take<QString>({});
}

QString QueuedPrompts::saveFile(QWidget *, const QString &title, const QString &, const QString &)
{
    asked.push_back({QStringLiteral("saveFile"), MessageKind::Plain, title, {}, {}, {}, -1});
    return take<QString>({});
}

std::optional<QFont> QueuedPrompts::chooseFont(QWidget *, const QFont &, bool printerFonts)
{
    asked.push_back({QStringLiteral("chooseFont"),
                     MessageKind::Plain,
                     {},
                     printerFonts ? QStringLiteral("printer") : QStringLiteral("screen"),
                     {},
                     {},
                     -1});
    return take<std::optional<QFont>>(std::nullopt);
}

bool QueuedPrompts::printerSetup(QWidget *, QPrinter *)
{
    asked.push_back({QStringLiteral("printerSetup"), MessageKind::Plain, {}, {}, {}, {}, -1});
    return take<bool>(false);
}

} // namespace rost
