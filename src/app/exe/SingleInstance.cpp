#include "app/exe/SingleInstance.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QFileInfo>
#include <QLocalSocket>
#include <QWidget>

#include <unistd.h>

namespace rost {

namespace {

const QByteArray Request = QByteArrayLiteral("activate\n");
const QByteArray Answer = QByteArrayLiteral("activated\n");
// The running program answers from its event loop; a modal dialog keeps that loop turning, so
// only a program that hangs misses this.
constexpr int AnswerWaitMs = 3000;
constexpr int ConnectWaitMs = 1000;

} // namespace

SingleInstance::SingleInstance(const QString &dataFolder, QObject *parent)
    : QObject(parent), m_name(serverName(dataFolder))
{
    connect(&m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket *socket = m_server.nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] { answer(socket); });
        }
    });
}

QString SingleInstance::serverName(const QString &dataFolder)
{
    const QString canonical = QFileInfo(dataFolder).canonicalFilePath();
    const QByteArray key = QByteArray::number(::getuid()) + '\0' +
                           (canonical.isEmpty() ? dataFolder : canonical).toUtf8();
    // Short enough for a socket path wherever the temporary folder is.
    return QStringLiteral("rostella-") +
           QString::fromLatin1(
               QCryptographicHash::hash(key, QCryptographicHash::Sha256).toHex().left(32));
}

bool SingleInstance::handOverOrListen()
{
    QLocalSocket socket;
    socket.connectToServer(m_name);
    if (socket.waitForConnected(ConnectWaitMs)) {
        socket.write(Request);
        socket.waitForBytesWritten(AnswerWaitMs);
        while (!socket.canReadLine() && socket.waitForReadyRead(AnswerWaitMs)) {
        }
        if (socket.canReadLine() && socket.readLine() == Answer)
            return true;
    } else {
        // No one listens: what is there is a socket a crashed run left behind.
        QLocalServer::removeServer(m_name);
    }
    m_server.setSocketOptions(QLocalServer::UserAccessOption);
    // A run that cannot listen still works; only the later runs on its folder open their own.
    m_server.listen(m_name);
    return false;
}

void SingleInstance::answer(QLocalSocket *socket)
{
    if (!socket->canReadLine())
        return;
    if (socket->readLine() != Request) {
        socket->disconnectFromServer();
        return;
    }
    Q_EMIT activationRequested();
    socket->write(Answer);
    socket->flush();
}

void bringToFront(QWidget &window)
{
    window.setWindowState((window.windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    window.show();
    window.raise();
    window.activateWindow();
    if (QWidget *dialog = QApplication::activeModalWidget()) {
        dialog->raise();
        dialog->activateWindow();
    }
}

} // namespace rost
