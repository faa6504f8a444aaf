#include "platform/ui/GuardedApplication.h"

#include "platform/ui/Prompts.h"

#include <QWidget>

namespace rost {

GuardedApplication::GuardedApplication(int &argc, char **argv) : QApplication(argc, argv) {}

bool GuardedApplication::notify(QObject *receiver, QEvent *event)
{
    bool handled = false;
    QWidget *owner = activeModalWidget();
    if (!owner)
        owner = activeWindow();
    if (!guarded(owner, [&] { handled = QApplication::notify(receiver, event); }))
        return true;
    return handled;
}

} // namespace rost
