#pragma once
// InstanceChannel: how a second copy of the program hands the file named on
// its command line to the copy already running. The running copy (the one
// holding the instance lock) listens on a local socket beside the lock, in
// the per-user runtime folder, open to this user only; a second copy sends
// one absolute path ended by a line feed, waits for the answer "ok" and ends.

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

/// Sends path to the running copy listening at channelPath and waits up to
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
    /// A second copy handed over this absolute path.
    void fileReceived(const QString& path);

  private:
    void accept();
    void readFrom(QLocalSocket* socket);

    QLocalServer* m_server;
};

} // namespace orbelle
