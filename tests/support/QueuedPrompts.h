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
        QString what; // "message", "openFile", "saveFile", "chooseFont", "printerSetup"
        MessageKind kind = MessageKind::Plain;
        QString title;
        QString text;
        QString informative;
        QStringList choices;
        int defaultChoice = -1;
    };
    // A choose() question takes an int: the index of the choice.
    using Answer =
        std::variant<QMessageBox::StandardButton, QString, std::optional<QFont>, bool, int>;

    QueuedPrompts() { Prompts::install(this); }
    ~QueuedPrompts() override { Prompts::install(nullptr); }

    void queue(Answer answer) { m_answers.push_back(std::move(answer)); }
    std::deque<Asked> asked;

    QMessageBox::StandardButton message(QWidget *, MessageKind kind, const QString &title,
                                        const QString &text, QMessageBox::StandardButtons buttons,
                                        QMessageBox::StandardButton defaultButton,
                                        const QString &informative) override;
    int choose(QWidget *, const QString &title, const QString &text, const QStringList &choices,
               int defaultChoice) override;
    QString openFile(QWidget *, const QString &title, const QString &, const QString &) override;
    QString saveFile(QWidget *, const QString &title, const QString &, const QString &) override;
    std::optional<QFont> chooseFont(QWidget *, const QFont &, bool printerFonts) override;
    bool printerSetup(QWidget *, QPrinter *) override;

private:
    template <typename T> T take(const T &fallback);
    std::deque<Answer> m_answers;
};

} // namespace rost
