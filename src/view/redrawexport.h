#pragma once
// One re-drawn export ("再描画して保存") on a worker thread: the figure drawn
// afresh at the chosen side and written to its file while the window goes
// on painting and reacting. Progress comes as the share of the drawing done,
// then a sign that the file is being written. cancel() stops it until the
// written file is put in place: the target keeps what it held and no file is
// made. The object joins its thread when destroyed.

#include "engine/drawsettings.h"
#include "engine/sourcesquare.h"
#include "imageio/imageformat.h"

#include <QObject>
#include <QString>

#include <atomic>
#include <mutex>
#include <optional>
#include <thread>

namespace orbelle {

class RedrawExport : public QObject {
    Q_OBJECT
  public:
    enum class Outcome { Written, Cancelled, Failed };

    /// What is drawn: settings (nothing: a white picture, as before the first
    /// drawing) over square at side pixels, written to path in format.
    struct Job {
        std::optional<DrawSettings> settings;
        SourceSquare square;
        int side = 0;
        QString path;
        ImageFormat format{};
    };

    explicit RedrawExport(Job job, QObject* parent = nullptr);
    ~RedrawExport() override;

    /// Starts the worker (once).
    void start();

    /// Stops the export unless its file is being written already; returns
    /// true when it stopped it (finished then brings Cancelled).
    bool cancel();

    const QString& path() const { return m_job.path; }

  signals:
    /// The share of the drawing done, in thousandths (at most every 50 ms).
    void progressed(int thousandths);
    /// The picture is drawn; the file is being written.
    void writing();
    /// The export has ended; reason says why it failed.
    void finished(orbelle::RedrawExport::Outcome outcome, const QString& reason);

  private:
    void run();

    Job m_job;
    std::atomic<bool> m_cancelled{false};
    bool m_running = true; // until the file is put in place or the export fails
    std::mutex m_commit;   // the file is put in place, or the export cancelled, under it
    std::thread m_worker;
};

} // namespace orbelle
