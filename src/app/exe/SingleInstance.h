#pragma once

#include <QLocalServer>
#include <QObject>

class QLocalSocket;
class QWidget;

namespace rost {

// One program per data folder. The first run on a folder listens under a name made from the
// folder's canonical path and the user; a later run on the same folder asks it to come to the
// front instead of opening the tables a second time.
class SingleInstance : public QObject
{
    Q_OBJECT

public:
    explicit SingleInstance(const QString &dataFolder, QObject *parent = nullptr);

    // Asks the run that holds the folder to come to the front, and returns true when it answered:
    // this run then has nothing more to do. Otherwise this run listens for the later ones and
    // returns false; a name that a crashed run left behind is taken over.
    bool handOverOrListen();

    // The name the runs on dataFolder meet under.
    static QString serverName(const QString &dataFolder);

Q_SIGNALS:
    // A later run on the folder asked this one to come to the front.
    void activationRequested();

private:
    void answer(QLocalSocket *socket);

    QString m_name;
    QLocalServer m_server;
};

// Shows the window in front, restored when minimized, and the dialog it may be waiting on above it.
void bringToFront(QWidget &window);

} // namespace rost
