#include "imageio/imagewrite.h"

#include "imageio/savefile.h"

#include <QImage>
#include <QImageWriter>
#include <QSaveFile>

#include <cerrno>

namespace orbelle {
namespace {

// Passes an encoder's bytes on to a file and keeps the first failure. The
// encoder is told that every write succeeded: an image plug-in that sees a
// failed write prints lines of its own and reports only "Unknown error".
class FailureKeepingDevice : public QIODevice {
  public:
    explicit FailureKeepingDevice(QFileDevice& file) : m_file(file) {
        QIODevice::open(QIODevice::WriteOnly);
    }

    bool isSequential() const override { return false; }
    qint64 size() const override { return m_file.size(); }
    bool seek(qint64 pos) override {
        return QIODevice::seek(pos) && (m_failure.has_value() || m_file.seek(pos));
    }

    // The reason of the first write that failed; nothing while all succeeded.
    const std::optional<QString>& failure() const { return m_failure; }

  protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 length) override {
        if (!m_failure) {
            errno = 0;
            if (m_file.write(data, length) != length) {
                m_failure = failureReason(errno, m_file.errorString());
            }
        }
        return length;
    }

  private:
    QFileDevice& m_file;
    std::optional<QString> m_failure;
};

} // namespace

std::optional<QString> writeImage(const QImage& image, const QString& path,
                                  const ImageFormat& format) {
    QSaveFile file(path);
    errno = 0;
    if (!file.open(QIODevice::WriteOnly)) {
        return failureReason(errno, file.errorString());
    }
    FailureKeepingDevice device(file);
    QImageWriter writer(&device, format.writerFormat);
    if (format.quality >= 0) {
        writer.setQuality(format.quality);
    }
    const bool encoded = writer.write(image);
    if (device.failure() || !encoded) {
        file.cancelWriting();
        return device.failure() ? *device.failure() : writer.errorString();
    }
    return commitSaveFile(file);
}

} // namespace orbelle
