#include "app/instancechannel.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QThread>

#include <algorithm>

namespace orbelle {
namespace {

constexpr qint64 kMaxMessageBytes = 64 * 1024;
const QByteArray kAnswer = QByteArrayLiteral("ok\n");

int remaining(const QDeadlineTimer& deadline) {
    return static_cast<int>(std::clamp<qint64>(deadline.remainingTime(), 0, 60000));
}

} // namespace

QString instanceChannelPath(const QString& lockPath) {
    QString path = lockPath;
    if (path.endsWith(QLatin1String(".lock"))) {
        path.chop(5);
    }
    return path + QStringLiteral(".channel");
}

QString commandLineFile(const QStringList& arguments) {
    bool optionsEnded = false;
    for (qsizetype k = 1; k < arguments.size(); ++k) {
        const QString& argument = arguments.at(k);
        if (!optionsEnded && argument == QLatin1String("--")) {
            optionsEnded = true;
        } else if (optionsEnded || !argument.startsWith(QLatin1Char('-'))) {
            return QFileInfo(argument).absoluteFilePath();
        }
    }
    return {};
}

QString handOverFile(const QString& channelPath, const QString& path, int timeoutMs) {
    const QDeadlineTimer deadline(timeoutMs);
    QLocalSocket socket;
    // The running copy may still be building its window: try again until the
    // deadline.
    for (;;) {
        socket.connectToServer(channelPath);
        if (socket.waitForConnected(remaining(deadline))) {
            break;
        }
        if (deadline.hasExpired()) {
            return socket.errorString();
        }
        QThread::msleep(50);
    }
    socket.write(path.toUtf8() + '\n');
    while (socket.bytesToWrite() > 0) {
        if (!socket.waitForBytesWritten(remaining(deadline))) {
            return socket.errorString();
        }
    }
    QByteArray answer;
    while (!answer.endsWith('\n')) {
        if (!socket.waitForReadyRead(remaining(deadline))) {
            return socket.errorString();
        }
        answer += socket.readAll();
    }
    return answer == kAnswer ? QString() : QStringLiteral("unexpected answer");
}

InstanceChannel::InstanceChannel(QObject* parent)
    : QObject(parent), m_server(new QLocalServer(this)) {
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_server, &QLocalServer::newConnection, this, &InstanceChannel::accept);
}

InstanceChannel::~InstanceChannel() = default;

QString InstanceChannel::listen(const QString& channelPath) {
    // Only the lock holder gets here, so a socket already there is left over.
    QLocalServer::removeServer(channelPath);
    if (!m_server->listen(channelPath)) {
        return m_server->errorString();
    }
    return {};
}

void InstanceChannel::accept() {
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { readFrom(socket); });
        readFrom(socket);
    }
}

void InstanceChannel::readFrom(QLocalSocket* socket) {
    if (!socket->canReadLine()) {
        if (socket->bytesAvailable() > kMaxMessageBytes) {
            socket->abort(); // not a path
        }
        return;
    }
    QByteArray line = socket->readLine();
    if (line.size() > kMaxMessageBytes) {
        socket->abort();
        return;
    }
    line.chop(1);
    const QString path = QString::fromUtf8(line);
    socket->write(kAnswer);
    socket->flush();
    socket->disconnectFromServer();
    if (!path.isEmpty()) {
        emit fileReceived(path);
    }
}

} // namespace orbelle
