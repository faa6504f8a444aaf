#pragma once

#include <QObject>

class QLineEdit;
class QString;
class QWidget;

namespace rost {

// The width a window needs for the window system to show its whole title: the title in the
// title-bar font, plus the frame's icon and buttons beside it.
int titleWidth(const QWidget &window);

// Widens every window the application shows to its title's width, so that a narrow dialog's
// title is never cut in its title bar. One watcher for the whole application: install it once.
class TitleWidthGuard : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};

// Shows text in a read-only box from its first character, with the box made at least wide enough
// for the whole text: a description cut at either end would mislead.
void showWholeText(QLineEdit &box, const QString &text);

} // namespace rost
