#pragma once

#include <QApplication>

namespace rost {

// The program's application object. Every event, and so every command a member can start from
// any window, is delivered through guarded(): an error that a command does not answer itself is
// shown by the error display over the window in front, and the program goes on. Without it an
// exception would leave the event loop and end the program. It is the last resort: Qt's own code
// does not expect exceptions, and a throw through it may leave a few bytes behind, so commands
// still guard their own work.
class GuardedApplication : public QApplication
{
public:
    GuardedApplication(int &argc, char **argv);

    bool notify(QObject *receiver, QEvent *event) override;
};

} // namespace rost
