#include "view/figurefinder.h"

namespace orbelle {

FigureFinder::FigureFinder(QObject* parent) : QObject(parent) {
    qRegisterMetaType<orbelle::SearchResult>("orbelle::SearchResult");
    // The worker's last act is this signal; the search ends on this object's
    // thread, which joins the worker.
    connect(this, &FigureFinder::workerDone, this, &FigureFinder::end, Qt::QueuedConnection);
}

FigureFinder::~FigureFinder() {
    m_cancel = true;
    if (m_worker.joinable()) {
        m_worker.join();
    }
}

bool FigureFinder::start(const FigureSearch& search) {
    if (m_running) {
        return false;
    }
    if (m_worker.joinable()) {
        m_worker.join();
    }
    m_running = true;
    m_cancel = false;
    m_worker = std::thread([this, search, observer = m_observer] {
        int reported = 0;
        const SearchResult result = searchFigure(search, [&](int tryNumber) {
            if (observer) {
                observer(tryNumber);
            }
            if (tryNumber != reported) {
                reported = tryNumber;
                emit tried(tryNumber);
            }
            return !m_cancel.load();
        });
        emit workerDone(result);
    });
    return true;
}

void FigureFinder::cancel() {
    if (m_running) {
        m_cancel = true;
    }
}

void FigureFinder::setTryObserver(std::function<void(int)> observer) {
    m_observer = std::move(observer);
}

void FigureFinder::end(const SearchResult& result) {
    // The worker's last act was to signal this: the join is immediate.
    if (m_worker.joinable()) {
        m_worker.join();
    }
    m_running = false;
    emit finished(result);
}

} // namespace orbelle
