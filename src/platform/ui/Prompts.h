#pragma once

#include <QFont>
#include <QMessageBox>
#include <QString>

#include <functional>
#include <optional>

class QPrinter;
class QWidget;

namespace rost {

enum class MessageKind { Information, Warning, Error, Confirmation, Plain };

// Every modal question the program asks goes through here: message boxes, file, font and printer
// dialogs. The program shows the real dialogs; a test installs QueuedPrompts and answers them.
class Prompts
{
public:
    virtual ~Prompts() = default;

    static Prompts &instance();
    // Installs p (not owned) in place of the real dialogs; nullptr restores them.
    static void install(Prompts *p);

    // Texts break lines with a lone CR, shown here as line breaks.
    virtual QMessageBox::StandardButton
    message(QWidget *parent, MessageKind kind, const QString &title, const QString &text,
            QMessageBox::StandardButtons buttons = QMessageBox::Ok,
            QMessageBox::StandardButton defaultButton = QMessageBox::NoButton);
    // Empty when cancelled.
    virtual QString openFile(QWidget *parent, const QString &title, const QString &folder,
                             const QString &filter);
    virtual QString saveFile(QWidget *parent, const QString &title, const QString &suggested,
                             const QString &filter);
    // nullopt when cancelled. printerFonts lists the printer's fonts instead of the screen's.
    virtual std::optional<QFont> chooseFont(QWidget *parent, const QFont &initial,
                                            bool printerFonts);
    // The printer setup dialog on printer; false when cancelled.
    virtual bool printerSetup(QWidget *parent, QPrinter *printer);
};

// "Rostella" and the version: the title of the error display and of the program's messages.
QString applicationTitle();

// The application's error display: a message box titled with the application title, with the
// error icon and an OK button. A full stop is appended when the text's last character sorts after
// ".", so a text ending in a letter or digit gets one.
QString errorDisplayText(const QString &text);
void showError(QWidget *parent, const QString &text);
// Runs action; an exception ends it and is shown by the error display. Returns false then.
bool guarded(QWidget *parent, const std::function<void()> &action);

} // namespace rost
