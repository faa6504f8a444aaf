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

void QueuedPrompts::queue(Answer answer)
{
    m_answers.push_back(std::move(answer));
}

QueuedPrompts::Asked &QueuedPrompts::note(const QString &what, MessageKind kind,
                                          const QString &title, const QString &text)
{
    Asked &a = asked.emplace_back();
    a.what = what;
    a.kind = kind;
    a.title = title;
    a.text = text;
    return a;
}

QMessageBox::StandardButton QueuedPrompts::message(QWidget *, MessageKind kind,
                                                   const QString &title, const QString &text,
                                                   QMessageBox::StandardButtons buttons,
                                                   QMessageBox::StandardButton defaultButton,
                                                   const QString &informative)
{
    Asked &a = note(QStringLiteral("message"), kind, title, text);
    a.informative = informative;
    a.buttons = buttons;
    return take<QMessageBox::StandardButton>(
        defaultButton == QMessageBox::NoButton ? QMessageBox::Ok : defaultButton);
}

int QueuedPrompts::choose(QWidget *, const QString &title, const QString &text,
                          const QStringList &choices, int defaultChoice)
{
    Asked &a = note(QStringLiteral("choose"), MessageKind::Confirmation, title, text);
    a.choices = choices;
    a.defaultChoice = defaultChoice;
    return take<int>(defaultChoice);
}

QString QueuedPrompts::openFile(QWidget *, const QString &title, const QString &folder,
                                const QString &)
{
    note(QStringLiteral("openFile"), MessageKind::Plain, title, folder);
    return take<QString>({});
}

QString QueuedPrompts::saveFile(QWidget *, const QString &title, const QString &suggested,
                                const QString &, bool confirmReplace)
{
    note(QStringLiteral("saveFile"), MessageKind::Plain, title, suggested).confirmReplace =
        confirmReplace;
    return take<QString>({});
}

std::optional<QFont> QueuedPrompts::chooseFont(QWidget *, const QFont &, bool printerFonts)
{
    note(QStringLiteral("chooseFont"), MessageKind::Plain, {},
         printerFonts ? QStringLiteral("printer") : QStringLiteral("screen"));
    return take<std::optional<QFont>>(std::nullopt);
}

bool QueuedPrompts::printerSetup(QWidget *, QPrinter *)
{
    note(QStringLiteral("printerSetup"), MessageKind::Plain, {}, {});
    return take<bool>(false);
}

void QueuedPrompts::openDocument(QWidget *, const QString &path)
{
    note(QStringLiteral("openDocument"), MessageKind::Plain, {}, path);
}

} // namespace rost
