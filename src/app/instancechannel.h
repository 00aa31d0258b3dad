#pragma once
// InstanceChannel: how a second copy of the program hands the file named on
// its command line to the copy already running. The running copy (the one
// holding the instance lock) listens on a local socket beside the lock, in
// the lock's private folder, open to this user only. A second copy sends one
// message, the length of the path in UTF-8 (four bytes, most significant
// first) and then the path itself, absolute and resolved against the
// sender's own folder, so any path (one with a line feed too) arrives as it
// was named. It waits for the answer "ok" and ends.

#include <QObject>
#include <QString>
#include <QStringList>

class QLocalServer;
class QLocalSocket;

namespace orbelle {

/// The socket's path for the instance lock at lockPath: the same folder and
/// name, with ".channel" in place of ".lock".
QString instanceChannelPath(const QString& lockPath);

/// The file named on a command line (the program's own name first): the
/// first argument that is not an option, made absolute against the current
/// folder; empty when there is none.
QString commandLineFile(const QStringList& arguments);

/// The longest path a message may carry, in bytes of UTF-8.
inline constexpr quint32 kMaxHandOverPathBytes = 64 * 1024;

/// Sends path (made absolute against the current folder) to the running copy
/// listening at channelPath and waits up to
/// timeoutMs for it to take the path (a copy that is still starting is given
/// that long to begin listening). Empty on success, else the reason.
QString handOverFile(const QString& channelPath, const QString& path, int timeoutMs = 10000);

class InstanceChannel : public QObject {
    Q_OBJECT
  public:
    explicit InstanceChannel(QObject* parent = nullptr);
    ~InstanceChannel() override;

    /// Starts listening at channelPath, replacing a socket a copy that died
    /// left behind (only the holder of the instance lock calls this). Empty
    /// on success, else the reason.
    QString listen(const QString& channelPath);

  signals:
    /// A second copy handed over this absolute path. A message that is not a
    /// whole, absolute UTF-8 path within kMaxHandOverPathBytes is refused.
    void fileReceived(const QString& path);

  private:
    void accept();
    void readFrom(QLocalSocket* socket);
    void answer(QLocalSocket* socket, const QByteArray& text);

    QLocalServer* m_server;
};

} // namespace orbelle
