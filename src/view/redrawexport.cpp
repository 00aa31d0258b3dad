#include "view/redrawexport.h"

#include "imageio/imagesettings.h"
#include "imageio/imagewrite.h"
#include "imageio/picture.h"
#include "view/writefailure.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QImage>

namespace orbelle {
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
    // The encoding stops at the next piece it writes once cancelled; the
    // file is put in place only when the export is still wanted at the end,
    // decided under the lock that cancel() takes, so that a cancel either
    // drops the file or comes too late and is told so.
    const StoreStatus written = writeImageFile(image, m_job.path, m_job.format,
                                               TargetKind::NamedFile, [this](bool committing) {
                                                   if (!committing) {
                                                       return !m_cancelled.load();
                                                   }
                                                   const std::lock_guard lock(m_commit);
                                                   if (m_cancelled.load()) {
                                                       return false;
                                                   }
                                                   m_running = false;
                                                   return true;
                                               });
    {
        const std::lock_guard lock(m_commit);
        m_running = false;
    }
    if (m_cancelled.load() && !written.ok()) {
        emit finished(Outcome::Cancelled, QString());
        return;
    }
    emit finished(written.ok() ? Outcome::Written : Outcome::Failed,
                  written.ok() ? QString() : writeFailureReason(written));
}

} // namespace orbelle
