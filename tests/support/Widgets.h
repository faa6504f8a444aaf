#pragma once

#include <QLabel>
#include <QObject>
#include <QStringList>
#include <QTextEdit>

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

} // namespace rost::test
