#include "ui/app/file_hand_over.h"

#include "core/app/startup.h"

#include <QLocalServer>
#include <QLocalSocket>

namespace {

constexpr int kHandOverWaitMs = 5000;
constexpr qint64 kMaxHandOverBytes = 1024 * 1024;
// Paths one a line, then an empty line; the running copy answers "ok" once it has them.
const QByteArray kAnswer = QByteArrayLiteral("ok\n");

} // namespace

bool handFilesToRunningCopy(const QString& dataFolder, const QStringList& paths)
{
    QLocalSocket socket;
    socket.connectToServer(fileHandOverPath(dataFolder));
    if (!socket.waitForConnected(kHandOverWaitMs))
        return false;
    socket.write((paths.join(u'\n') + QStringLiteral("\n\n")).toUtf8());
    if (!socket.waitForBytesWritten(kHandOverWaitMs))
        return false;
    QByteArray answer;
    while (answer.size() < kAnswer.size() && socket.waitForReadyRead(kHandOverWaitMs))
        answer += socket.readAll();
    return answer.startsWith(kAnswer);
}

FileHandOverServer::FileHandOverServer(QObject* parent) : QObject(parent), m_server(new QLocalServer(this))
{
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_server, &QLocalServer::newConnection, this, &FileHandOverServer::takeConnection);
}

bool FileHandOverServer::listen(const QString& dataFolder)
{
    const QString path = fileHandOverPath(dataFolder);
    QLocalServer::removeServer(path);
    return m_server->listen(path);
}

void FileHandOverServer::takeConnection()
{
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            if (socket->bytesAvailable() > kMaxHandOverBytes) {
                socket->abort();
                return;
            }
            const QByteArray received = socket->peek(socket->bytesAvailable());
            if (!received.endsWith("\n\n"))
                return; // the rest is on its way
            socket->readAll();
            socket->write(kAnswer);
            socket->flush();
            const QStringList paths = QString::fromUtf8(received).split(u'\n', Qt::SkipEmptyParts);
            emit filesArrived(paths);
        });
    }
}
