#include "view/redrawexport.h"

#include "imageio/imagesettings.h"
#include "imageio/imagewrite.h"
#include "imageio/picture.h"
#include "imageio/savefile.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QSaveFile>

#include <cerrno>

namespace orbelle {
namespace {

// A save file that takes no more bytes once the export is cancelled, so an
// encoder still at work writes nothing more to the disk.
class StoppableSaveFile : public QSaveFile {
  public:
    StoppableSaveFile(const QString& path, const std::atomic<bool>& stopped)
        : QSaveFile(path), m_stopped(stopped) {}

  protected:
    qint64 writeData(const char* data, qint64 length) override {
        if (m_stopped.load()) {
            return -1;
        }
        return QSaveFile::writeData(data, length);
    }

  private:
    const std::atomic<bool>& m_stopped;
};

} // namespace

RedrawExport::RedrawExport(Job job, QObject* parent) : QObject(parent), m_job(std::move(job)) {
    qRegisterMetaType<orbelle::RedrawExport::Outcome>("orbelle::RedrawExport::Outcome");
}

RedrawExport::~RedrawExport() {
    m_cancelled = true;
    if (m_worker.joinable()) {
        m_worker.join();
    }
}

void RedrawExport::start() {
    if (!m_worker.joinable()) {
        m_worker = std::thread([this] { run(); });
    }
}

bool RedrawExport::cancel() {
    const std::lock_guard lock(m_commit);
    if (m_cancelled.load()) {
        return true;
    }
    if (!m_worker.joinable()) {
        m_cancelled = true;
        return true;
    }
    // The worker clears its mark of running (under the lock) once the file
    // is in place or the export has failed: too late then.
    if (!m_running) {
        return false;
    }
    m_cancelled = true;
    return true;
}

void RedrawExport::run() {
    const auto end = [this](Outcome outcome, const QString& reason = {}) {
        {
            const std::lock_guard lock(m_commit);
            m_running = false;
        }
        emit finished(m_cancelled.load() ? Outcome::Cancelled : outcome, reason);
    };
    QImage image = newPicture(m_job.side);
    if (image.isNull()) {
        end(Outcome::Failed,
            QCoreApplication::translate("RedrawExport",
                                        "%1 × %1 ピクセルの画像のためのメモリーが足りません。")
                .arg(m_job.side));
        return;
    }
    if (m_job.settings) {
        QElapsedTimer sinceReport;
        sinceReport.start();
        redrawOnto(image, *m_job.settings, m_job.square,
                   [&](std::int64_t done, std::int64_t total) {
                       if (sinceReport.elapsed() >= 50 && total > 0) {
                           sinceReport.restart();
                           emit progressed(static_cast<int>(done * 1000 / total));
                       }
                       return !m_cancelled.load();
                   });
        setImageSettings(image, *m_job.settings);
    } else {
        image.fill(Qt::white);
    }
    if (m_cancelled.load()) {
        end(Outcome::Cancelled);
        return;
    }
    emit writing();
    StoppableSaveFile file(m_job.path, m_cancelled);
    errno = 0;
    if (!file.open(QIODevice::WriteOnly)) {
        end(Outcome::Failed, failureReason(errno, file.errorString()));
        return;
    }
    const std::optional<QString> reason = writeImageTo(file, image, m_job.format);
    std::optional<QString> failure;
    {
        // Put in place only while not cancelled; a cancel waits for it.
        const std::lock_guard lock(m_commit);
        if (m_cancelled.load() || reason) {
            file.cancelWriting();
            failure = reason;
        } else {
            failure = commitSaveFile(file);
        }
        m_running = false;
    }
    emit finished(m_cancelled.load() ? Outcome::Cancelled
                  : failure          ? Outcome::Failed
                                     : Outcome::Written,
                  failure.value_or(QString()));
}

} // namespace orbelle
