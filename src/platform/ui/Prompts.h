#pragma once

#include <QFont>
#include <QMessageBox>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class QPrinter;
class QWidget;

namespace rost {

enum class MessageKind { Information, Warning, Error, Confirmation, Plain };

// Every modal question the program asks goes through here: message boxes, file, font and printer
// dialogs; so does what the desktop is asked or told (is a printer installed, open this file). The
// program shows the real dialogs; a test installs QueuedPrompts and answers them.
class Prompts
{
public:
    virtual ~Prompts() = default;

    static Prompts &instance();
    // Installs p (not owned) in place of the real dialogs; nullptr restores them.
    static void install(Prompts *p);

    // Texts break lines with a lone CR, shown here as line breaks. The informative text, when
    // given, stands under the text in the box's smaller type.
    virtual QMessageBox::StandardButton
    message(QWidget *parent, MessageKind kind, const QString &title, const QString &text,
            QMessageBox::StandardButtons buttons = QMessageBox::Ok,
            QMessageBox::StandardButton defaultButton = QMessageBox::NoButton,
            const QString &informative = {});
    // A question answered by one of choices, the captions of its buttons from left to right.
    // Returns the index of the one chosen; closing the box chooses defaultChoice.
    virtual int choose(QWidget *parent, const QString &title, const QString &text,
                       const QStringList &choices, int defaultChoice);
    // Empty when cancelled.
    virtual QString openFile(QWidget *parent, const QString &title, const QString &folder,
                             const QString &filter);
    // suggested is a whole path: the folder the dialog starts in and the name it offers. With
    // confirmReplace, choosing a file that exists asks before it is replaced.
    virtual QString saveFile(QWidget *parent, const QString &title, const QString &suggested,
                             const QString &filter, bool confirmReplace);
    // nullopt when cancelled. printerFonts lists the printer's fonts instead of the screen's.
    // The face name comes back as given unless the user picked another face, even when the
    // system draws that face with a substitute.
    virtual std::optional<QFont> chooseFont(QWidget *parent, const QFont &initial,
                                            bool printerFonts);
    // The printer setup dialog on printer; false when cancelled.
    virtual bool printerSetup(QWidget *parent, QPrinter *printer);
    // Whether the system has a printer at all; without one, print jobs go to PDF files.
    virtual bool printersInstalled();
    // Opens a file the program wrote in the desktop's program for it; the failure is shown.
    virtual void openDocument(QWidget *parent, const QString &path);
};

// "Rostella" and the version: the title of the error display and of the program's messages.
QString applicationTitle();

// The application's error display: a message box titled with the application title, with the
// error icon and an OK button. A full stop is appended when the text's last character sorts after
// ".", so a text ending in a letter or digit gets one.
QString errorDisplayText(const QString &text);
void showError(QWidget *parent, const QString &text);
// Warnings about values the program replaced and went on with, in one message box with the warning
// icon, one line each; nothing is shown when there are none.
void showWarnings(QWidget *parent, const QStringList &warnings);
// Asks before a typed change that was not saved is dropped, naming each changed field with its
// new text. True when the member agrees.
bool confirmDiscard(QWidget *parent, const QStringList &changes);
// Runs action; an exception ends it and is shown by the error display. Returns false then.
bool guarded(QWidget *parent, const std::function<void()> &action);

} // namespace rost
