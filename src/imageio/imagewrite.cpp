#include "imageio/imagewrite.h"

#include "imageio/imageorigin.h"
#include "imageio/savefile.h"

#include <QFileDevice>
#include <QImage>
#include <QImageWriter>

#include <cerrno>
#include <functional>
#include <string_view>

namespace orbelle {
namespace {

// Passes an encoder's bytes on to a file and remembers that one failed. The
// encoder is told that every write succeeded: an image plug-in that sees a
// failed write prints lines of its own and reports only "Unknown error".
class FailureKeepingDevice : public QIODevice {
  public:
    /// Writes length bytes at pos; false when the write failed.
    using Sink = std::function<bool(qint64 pos, const char* data, qint64 length)>;

    explicit FailureKeepingDevice(Sink sink) : m_sink(std::move(sink)) {
        QIODevice::open(QIODevice::WriteOnly);
    }

    bool isSequential() const override { return false; }
    qint64 size() const override { return m_size; }

    bool failed() const { return m_failed; }

  protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 length) override {
        if (!m_failed) {
            m_failed = !m_sink(pos(), data, length);
        }
        m_size = std::max(m_size, pos() + length);
        return length;
    }

  private:
    Sink m_sink;
    qint64 m_size = 0;
    bool m_failed = false;
};

// Encodes image into device; false with the encoder's reason when it fails.
bool encodeInto(QIODevice& device, const QImage& image, const ImageFormat& format,
                QString* reason) {
    QImageWriter writer(&device, format.writerFormat);
    if (format.quality >= 0) {
        writer.setQuality(format.quality);
    }
    // Given to the writer, the texts reach the file without changing the
    // image; JPEG keeps its single comment, the settings line.
    if (format.writerFormat == "png") {
        for (const auto& [key, text] : imageOriginTexts(image)) {
            writer.setText(key, text);
        }
    }
    if (!writer.write(image)) {
        *reason = writer.errorString();
        return false;
    }
    return true;
}

} // namespace

StoreStatus writeImageFile(const QImage& image, const QString& path, const ImageFormat& format,
                           TargetKind kind, const std::function<bool(bool committing)>& goOn) {
    FileReplacement file(toLocalPath(path), kind);
    if (StoreStatus opened = file.open(); !opened) {
        return opened;
    }
    bool stopped = false;
    FailureKeepingDevice device([&](qint64 pos, const char* data, qint64 length) {
        if (goOn && !goOn(false)) {
            stopped = true;
            return false;
        }
        return file
            .writeAt(static_cast<std::uint64_t>(pos),
                     std::string_view(data, static_cast<std::size_t>(length)))
            .ok();
    });
    QString reason;
    const bool encoded = encodeInto(device, image, format, &reason);
    if (stopped || (goOn && !goOn(true))) {
        return StoreStatus::failure(StoreError::CannotWrite, toLocalPath(path), ECANCELED);
    }
    if (!encoded && !device.failed()) {
        // The file is dropped with the replacement; the encoder says why.
        return StoreStatus::failure(StoreError::CannotWrite, toLocalPath(path))
            .withDetail(reason.toStdString());
    }
    return file.commit();
}

std::optional<QString> writeImage(const QImage& image, const QString& path,
                                  const ImageFormat& format) {
    const StoreStatus status = writeImageFile(image, path, format);
    if (status.ok()) {
        return std::nullopt;
    }
    return failureReason(status);
}

std::optional<QString> writeImageTo(QFileDevice& file, const QImage& image,
                                    const ImageFormat& format) {
    std::optional<QString> failure;
    FailureKeepingDevice device([&](qint64 pos, const char* data, qint64 length) {
        errno = 0;
        if ((file.pos() != pos && !file.seek(pos)) || file.write(data, length) != length) {
            failure = failureReason(errno, file.errorString());
            return false;
        }
        return true;
    });
    QString reason;
    const bool encoded = encodeInto(device, image, format, &reason);
    if (failure) {
        return failure;
    }
    if (!encoded) {
        return reason;
    }
    errno = 0;
    if (!file.flush()) {
        return failureReason(errno, file.errorString());
    }
    return std::nullopt;
}

} // namespace orbelle
