#pragma once

#include "platform/ui/HelpViewer.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QObject>
#include <QStringList>
#include <QTest>
#include <QTextEdit>
#include <QTimer>

#include <functional>

namespace rost::test {

// A window's control by its objectName, the name a screen reader and the tests know it by. A
// missing control ends the test run at once: every test after it would only mislead.
template <typename T> T *child(const QObject &parent, const char *name)
{
    T *found = parent.findChild<T *>(QLatin1String(name));
    if (!found)
        qFatal("no control %s", name);
    return found;
}

// The lines a multi-line display shows.
inline QStringList shownLines(const QTextEdit *memo)
{
    const QString text = memo->toPlainText();
    return text.isEmpty() ? QStringList() : text.split(QLatin1Char('\n'));
}

// The label that names a control (its buddy), or nullptr.
inline QLabel *labelOf(const QWidget *control)
{
    for (QLabel *label : control->parentWidget()->findChildren<QLabel *>())
        if (label->buddy() == control)
            return label;
    return nullptr;
}

// Replaces what a box holds the way a user does: all of it selected and deleted, then the text
// typed, with a Return between two lines.
inline void retype(QWidget *editor, const QString &text)
{
    editor->setFocus();
    if (auto *line = qobject_cast<QLineEdit *>(editor))
        line->selectAll();
    else if (auto *memo = qobject_cast<QTextEdit *>(editor))
        memo->selectAll();
    QTest::keyClick(editor, Qt::Key_Delete);
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (i > 0)
            QTest::keyClick(editor, Qt::Key_Return);
        QTest::keyClicks(editor, lines.at(i));
    }
}

// The topic the help shows after F1 is pressed in control, whose window is made active first as
// the user's would be; the help starts on its contents, so a key that does nothing gives 0.
inline int topicAfterF1(QWidget *control)
{
    HelpViewer::instance(control)->showContents();
    QWidget *window = control->window();
    window->show();
    window->activateWindow();
    // Not qWaitForWindowActive: a window counts as active while its help window has the focus.
    if (!QTest::qWaitFor([window] { return QApplication::activeWindow() == window; }))
        return -2;
    control->setFocus();
    QTest::keyClick(control, Qt::Key_F1);
    return HelpViewer::instance(control)->shownTopic();
}

// Plays the user in the next modal dialog once it is up; a dialog still open after a while is
// closed, so that a fault fails the test instead of hanging it.
template <typename Dialog> void whenShown(std::function<void(Dialog &)> action)
{
    QTimer::singleShot(0, [action = std::move(action)] {
        auto *dialog = qobject_cast<Dialog *>(QApplication::activeModalWidget());
        QVERIFY2(dialog, "the expected dialog is not the one shown");
        action(*dialog);
    });
    QTimer::singleShot(5000, [] {
        if (auto *w = qobject_cast<QDialog *>(QApplication::activeModalWidget()))
            w->reject();
    });
}

} // namespace rost::test
