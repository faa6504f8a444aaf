#pragma once

#include "platform/ui/Prompts.h"

#include <deque>
#include <optional>
#include <variant>

namespace rost {

// Answers the modal questions in place of the user: answers are taken in the order queued (an
// empty queue gives each question's cancel), and every question is recorded. Installed for its
// lifetime.
class QueuedPrompts : public Prompts
{
public:
    struct Asked
    {
        // "message", "openFile", "saveFile", "chooseFont", "printerSetup", "openDocument"
        QString what;
        MessageKind kind = MessageKind::Plain;
        QString title;
        QString text; // openFile: the folder it starts in; saveFile: the path offered;
                      // openDocument: the file opened
        QString informative;
        QStringList choices;
        int defaultChoice = -1;
        QMessageBox::StandardButtons buttons = QMessageBox::NoButton;
        bool confirmReplace = false; // saveFile: asks before replacing a file
    };
    // A choose() question takes an int: the index of the choice.
    using Answer =
        std::variant<QMessageBox::StandardButton, QString, std::optional<QFont>, bool, int>;

    QueuedPrompts() { Prompts::install(this); }
    ~QueuedPrompts() override { Prompts::install(nullptr); }

    // Out of line: GCC 12 inlining the variant's move into a test at -O2 warns of a member it
    // thinks uninitialised, which fails a release build of the tests.
    void queue(Answer answer);
    std::deque<Asked> asked;
    // What printersInstalled() answers; it is not recorded as a question.
    bool printers = false;

    QMessageBox::StandardButton message(QWidget *, MessageKind kind, const QString &title,
                                        const QString &text, QMessageBox::StandardButtons buttons,
                                        QMessageBox::StandardButton defaultButton,
                                        const QString &informative) override;
    int choose(QWidget *, const QString &title, const QString &text, const QStringList &choices,
               int defaultChoice) override;
    QString openFile(QWidget *, const QString &title, const QString &folder,
                     const QString &) override;
    QString saveFile(QWidget *, const QString &title, const QString &suggested, const QString &,
                     bool confirmReplace) override;
    std::optional<QFont> chooseFont(QWidget *, const QFont &, bool printerFonts) override;
    bool printerSetup(QWidget *, QPrinter *) override;
    bool printersInstalled() override { return printers; }
    void openDocument(QWidget *, const QString &path) override;

private:
    template <typename T> T take(const T &fallback);
    Asked &note(const QString &what, MessageKind kind, const QString &title, const QString &text);
    std::deque<Answer> m_answers;
};

} // namespace rost
