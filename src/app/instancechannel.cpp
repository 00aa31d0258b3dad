#include "app/instancechannel.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStringDecoder>
#include <QThread>
#include <QtEndian>

#include <algorithm>

namespace orbelle {
namespace {

constexpr qint64 kLengthBytes = 4;
const QByteArray kAnswer = QByteArrayLiteral("ok\n");
const QByteArray kRefusal = QByteArrayLiteral("refused\n");

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
    const QByteArray bytes = QFileInfo(path).absoluteFilePath().toUtf8();
    if (bytes.size() > qsizetype(kMaxHandOverPathBytes)) {
        return QStringLiteral("path too long");
    }
    uchar length[kLengthBytes];
    qToBigEndian(quint32(bytes.size()), length);
    socket.write(reinterpret_cast<const char*>(length), kLengthBytes);
    socket.write(bytes);
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
    if (answer == kRefusal) {
        return QStringLiteral("the path was refused");
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
    if (socket->state() != QLocalSocket::ConnectedState ||
        socket->bytesAvailable() < kLengthBytes) {
        return;
    }
    uchar length[kLengthBytes];
    socket->peek(reinterpret_cast<char*>(length), kLengthBytes);
    const quint32 size = qFromBigEndian<quint32>(length);
    if (size == 0 || size > kMaxHandOverPathBytes) {
        answer(socket, kRefusal);
        return;
    }
    if (socket->bytesAvailable() < kLengthBytes + qint64(size)) {
        return; // the rest is on its way
    }
    socket->skip(kLengthBytes);
    const QByteArray bytes = socket->read(size);
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString path = decoder.decode(bytes);
    if (decoder.hasError() || path.contains(QChar(0)) || !QDir::isAbsolutePath(path)) {
        answer(socket, kRefusal);
        return;
    }
    answer(socket, kAnswer);
    emit fileReceived(path);
}

void InstanceChannel::answer(QLocalSocket* socket, const QByteArray& text) {
    socket->write(text);
    socket->flush();
    socket->disconnectFromServer();
}

} // namespace orbelle
