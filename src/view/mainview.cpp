#include "view/mainview.h"

#include "engine/drawscaled.h"
#include "imageio/picture.h"
#include "view/displaysize.h"
#include "view/drawingthread.h"

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTimer>

#include <algorithm>
#if defined(__GLIBC__)
#include <malloc.h>
#endif
#include <vector>

namespace orbelle {
namespace {

constexpr int kStandardZoom = 100;
// A drawing running longer than this shows its progress and a busy cursor.
constexpr int kSlowDrawingMs = 300;
// A held picture of up to this many device pixels is built whole (8 MiB).
constexpr qint64 kWholeHeldPixels = qint64{1} << 21;
// The engine's working memory for thick pens (some 25 MB) is given back once
// no drawing has run for this long; live drawings follow each other faster.
constexpr int kReleaseIdleMs = 2000;

} // namespace

MainView::MainView(QWidget* parent)
    : QAbstractScrollArea(parent), m_canvas(std::make_unique<Canvas>()),
      m_drawFunction([](const DrawSettings& s, Canvas& c, const DrawProgress& progress) {
          return draw(s, c, progress);
      }),
      m_picture(*m_canvas), m_thread(std::make_unique<DrawingThread>(*m_canvas)) {
    connect(m_thread.get(), &DrawingThread::progressed, this, &MainView::workerProgressed);
    connect(m_thread.get(), &DrawingThread::drawingEnded, this, &MainView::workerFinished);
    m_idle.setSingleShot(true);
    m_idle.setInterval(kReleaseIdleMs);
    connect(&m_idle, &QTimer::timeout, this, &MainView::releaseIdleMemory);
    // A right click shows nothing here, and must not reach the main window
    // either (which would offer its toolbar menu).
    setContextMenuPolicy(Qt::PreventContextMenu);
    viewport()->setContextMenuPolicy(Qt::PreventContextMenu);
    m_shownSquare = currentSquare();
    updateScrollBars();
}

MainView::~MainView() = default;

DrawResult MainView::drawFigure(const DrawSettings& input) {
    // The canvas is drawn afresh: a stopped drawing needs no restoring.
    stopDrawing(false);
    waitForDrawing();
    DrawResult result;
    {
        // Holds the worker off the canvas even if it has not stopped yet.
        const DrawingThread::ReadLock lock(*m_thread);
        result = m_drawFunction(input, *m_canvas, {});
    }
    if (result.status != DrawStatus::Cancelled) {
        m_canvasComplete = true;
    }
    showDrawing(input, result);
    m_idle.start();
    return result;
}

bool MainView::startDrawing(const DrawSettings& input, Showing showing) {
    if (!usesRamp(input.drawColourMode()) &&
        drawingColour(input.drawColourMode(), input.drawColor) ==
            backgroundColour(input.backColourMode(), input.backColor)) {
        return false;
    }
    holdPicture();
    m_idle.stop();
    m_request = m_thread->request(input);
    m_requestInput = input;
    m_job = Job::Drawing;
    m_showing = showing;
    m_restoreAfterStop = true;
    m_canvasComplete = false;
    m_drawingTime.start();
    return true;
}

void MainView::cancelDrawing() { stopDrawing(true); }

void MainView::stopDrawing(bool restore) {
    // A restoration runs to its end unless the canvas is drawn afresh anyway.
    if (m_job == Job::Drawing || (m_job == Job::Restoring && !restore)) {
        m_restoreAfterStop = restore;
        m_thread->cancel();
    }
}

bool MainView::waitForDrawing(int timeoutMs) {
    // A completed drawing may start the next one at once (a live drawing's
    // pending edits): the wait goes on until none runs.
    QDeadlineTimer deadline(timeoutMs);
    while (isDrawing() && !deadline.hasExpired()) {
        QEventLoop loop;
        connect(this, &MainView::drawingIdle, &loop, &QEventLoop::quit);
        QTimer::singleShot(std::max<qint64>(deadline.remainingTime(), 1), &loop, &QEventLoop::quit);
        loop.exec();
    }
    return !isDrawing();
}

void MainView::workerProgressed(quint64 request, qint64 done, qint64 total) {
    if (request != m_request || m_job != Job::Drawing) {
        return;
    }
    if (m_drawingTime.elapsed() < kSlowDrawingMs) {
        return;
    }
    // A slow drawing asked for outright appears as it is drawn; the tiles are
    // rebuilt at the next paint, while the worker waits at a batch boundary.
    // A density drawing holds counts, not colours, until its last pass, and a
    // live drawing shows only complete pictures: the previous one stays.
    if (m_showing == Showing::ProgressWhenSlow &&
        m_requestInput.drawColourMode() != DrawColourMode::Density) {
        m_picture.release();
        m_picture.invalidate();
        viewport()->update();
    }
    viewport()->setCursor(Qt::BusyCursor);
    emit drawingProgress(done, total);
}

void MainView::workerFinished(quint64 request, const DrawResult& result) {
    if (request != m_request) {
        return; // superseded: a newer drawing runs
    }
    const Job job = m_job;
    m_job = Job::None;
    viewport()->unsetCursor();
    if (job == Job::Restoring) {
        // Stopped only when the canvas is drawn afresh next.
        if (result.status != DrawStatus::Cancelled) {
            m_canvasComplete = true;
            releasePicture();
        }
        becameIdle();
        return;
    }
    if (result.status == DrawStatus::Cancelled) {
        if (m_restoreAfterStop) {
            restoreCanvas();
        }
        emit drawingCancelled();
        if (!isDrawing()) {
            becameIdle();
        }
        return;
    }
    m_canvasComplete = true;
    showDrawing(m_requestInput, result);
    becameIdle();
    emit drawingFinished(result);
}

void MainView::becameIdle() {
    m_idle.start();
    emit drawingIdle();
}

void MainView::releaseIdleMemory() {
    if (isDrawing()) {
        return;
    }
    {
        const DrawingThread::ReadLock lock(*m_thread);
        m_canvas->releaseRasterWorkspace();
    }
#if defined(__GLIBC__)
    // Freed blocks below the allocator's mapping threshold stay resident
    // until trimmed.
    malloc_trim(0);
#endif
}

void MainView::restoreCanvas() {
    if (m_lastInput) {
        // The previous drawing again: the same pixels, a fraction of a second
        // for the largest figures. The held picture stays on show meanwhile.
        m_request = m_thread->request(*m_lastInput);
        m_job = Job::Restoring;
        return;
    }
    {
        // The worker has ended its drawing; the lock orders the writes.
        const DrawingThread::ReadLock lock(*m_thread);
        m_canvas->clear(kWhite);
    }
    m_canvasComplete = true;
    releasePicture();
}

void MainView::showDrawing(const DrawSettings& input, const DrawResult& result) {
    if (result.status != DrawStatus::Drawn) {
        if (m_canvasComplete) {
            releasePicture(); // the canvas is as it was
        }
        return;
    }
    m_bounds = result.bounds;
    m_lastDrawColor = result.drawColor;
    m_lastBackColor = result.backColor;
    m_lastInput = input;
    // The repaint the drawing asks for shows this square; recording it now
    // keeps exportImage() right even while the window is hidden.
    m_shownZoom = currentZoom();
    m_shownSquare = sourceSquare(m_bounds, m_shownZoom);
    releasePicture();
}

void MainView::holdPicture() {
    if (m_picture.held()) {
        return;
    }
    if (!m_canvasComplete) {
        // Something writes the canvas: the tiles already built stay on show.
        m_picture.hold(false, viewport()->rect(), pictureOrigin(),
                       Canvas::toPixel(m_lastBackColor));
        return;
    }
    // The tiles are brought up to date from the complete canvas (no drawing
    // runs), so the held picture is the last drawing's: all of them when the
    // picture is small enough to build in a moment, so that scrolling finds
    // them too, else those on screen.
    updatePictureGeometry();
    QRect target = viewport()->rect();
    const qint64 side = m_picture.pixelSide();
    if (side * side <= kWholeHeldPixels) {
        target = QRect(pictureOrigin(), QSize(m_displaySize, m_displaySize));
    }
    const DrawingThread::ReadLock lock(*m_thread);
    m_picture.hold(true, target, pictureOrigin(), Canvas::toPixel(m_lastBackColor));
}

void MainView::releasePicture() {
    m_picture.release();
    m_picture.invalidate();
    viewport()->update();
}

void MainView::updatePictureGeometry() {
    m_shownZoom = currentZoom();
    m_shownSquare = sourceSquare(m_bounds, m_shownZoom);
    // The picture is stretched to device pixels; its geometry stays logical.
    m_picture.setGeometry(m_shownSquare, m_displaySize, viewport()->devicePixelRatioF());
}

void MainView::setZoomSource(std::function<int()> source) {
    m_zoomSource = std::move(source);
    viewport()->update();
}

void MainView::setDrawFunction(DrawFunction function) {
    m_drawFunction = std::move(function);
    m_thread->setDrawFunction(m_drawFunction);
}

void MainView::zoomIn() { changeDisplayStep(+1); }

void MainView::zoomOut() { changeDisplayStep(-1); }

void MainView::changeDisplayStep(int delta) {
    m_centred = false;
    int step = m_displayStep + delta;
    // After fitting to the window the size lies between two steps: zooming
    // in takes the next larger step, zooming out the next smaller one.
    if (delta > 0 && displaySizeForStep(m_displayStep) < m_displaySize) {
        step = m_displayStep + 1;
    } else if (delta < 0 && displaySizeForStep(m_displayStep) < m_displaySize) {
        step = m_displayStep;
    }
    const int size = displaySizeForStep(step);
    if (size >= kMinDisplaySize && size <= kMaxDisplaySize) {
        m_displayStep = step;
        m_displaySize = size;
        updateScrollBars();
    }
    centre();
}

void MainView::fitToWindow() {
    // The viewport's size once no scroll bar takes room from it.
    const QSize room = maximumViewportSize();
    const int size =
        std::clamp(std::min(room.width(), room.height()), kMinDisplaySize, kMaxDisplaySize);
    // The step at or just below the fitted size, for later zooming.
    int step = 0;
    while (displaySizeForStep(step) > size && displaySizeForStep(step - 1) >= kMinDisplaySize) {
        --step;
    }
    while (displaySizeForStep(step + 1) <= size) {
        ++step;
    }
    m_displayStep = step;
    m_displaySize = size;
    m_centred = true;
    updateScrollBars();
    centre();
}

QPoint MainView::pictureOrigin() const {
    QPoint origin(-horizontalScrollBar()->value(), -verticalScrollBar()->value());
    if (m_centred) {
        // A picture narrower (or lower) than the window sits in its middle.
        const QSize client = viewport()->size();
        origin.rx() += std::max(0, (client.width() - m_displaySize) / 2);
        origin.ry() += std::max(0, (client.height() - m_displaySize) / 2);
    }
    return origin;
}

void MainView::centre() {
    // The scroll range of the picture runs over 0 .. displaySize - 1; its
    // middle goes to the middle of the window.
    const QSize client = clientSize();
    if (m_displaySize > client.width()) {
        horizontalScrollBar()->setValue((m_displaySize - 1) / 2 - client.width() / 2);
    }
    if (m_displaySize > client.height()) {
        verticalScrollBar()->setValue((m_displaySize - 1) / 2 - client.height() / 2);
    }
    viewport()->update();
}

int MainView::displaySize() const { return m_displaySize; }

const FigureBounds& MainView::bounds() const { return m_bounds; }

const Canvas& MainView::canvas() const { return *m_canvas; }

int MainView::currentZoom() const { return m_zoomSource ? m_zoomSource() : kStandardZoom; }

SourceSquare MainView::currentSquare() const { return sourceSquare(m_bounds, currentZoom()); }

QImage MainView::exportImage() const {
    QImage image = newPicture(Canvas::kSize);
    if (image.isNull()) {
        return image;
    }
    const DrawingThread::ReadLock lock(*m_thread);
    const Canvas& canvas = *m_canvas; // read only: the next clear may stay partial
    stretchCanvasOnto(image, canvas, m_shownSquare);
    return image.convertToFormat(QImage::Format_RGB888);
}

QImage MainView::exportPicture(int side) const {
    QImage image = newPicture(side);
    if (image.isNull()) {
        return image;
    }
    // Printing may run while a drawing goes on in the background.
    const DrawingThread::ReadLock lock(*m_thread);
    stretchCanvasOnto(image, *m_canvas, m_shownSquare);
    return image;
}

QImage MainView::redrawPicture(int side) const {
    if (side > kMaxRedrawSide) {
        return {};
    }
    QImage image = newPicture(side);
    if (image.isNull()) {
        return image;
    }
    if (!m_lastInput) {
        image.fill(Qt::white);
        return image;
    }
    redrawOnto(image, *m_lastInput, m_shownSquare);
    return image;
}

std::optional<DrawSettings> MainView::shownSettings() const {
    if (!m_lastInput) {
        return std::nullopt;
    }
    DrawSettings settings = *m_lastInput;
    settings.drawColor = m_lastDrawColor;
    settings.backColor = m_lastBackColor;
    settings.zoom = m_shownZoom;
    return settings;
}

std::int32_t MainView::lastDrawColor() const { return m_lastDrawColor; }

std::int32_t MainView::lastBackColor() const { return m_lastBackColor; }

QSize MainView::sizeHint() const { return {820, 820}; }

void MainView::paintEvent(QPaintEvent* event) {
    QPainter painter(viewport());
    if (m_picture.held()) {
        // A drawing writes the canvas: the picture shows what it showed.
        m_picture.paint(painter, event->rect(), pictureOrigin());
        return;
    }
    updatePictureGeometry();
    const DrawingThread::ReadLock lock(*m_thread);
    m_picture.paint(painter, event->rect(), pictureOrigin());
}

void MainView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBars();
}

QSize MainView::clientSize() const {
    // Worked out from the room without bars rather than read from the
    // viewport, which keeps its old size until the bars shown or hidden by a
    // new display size have been laid out.
    const QSize room = maximumViewportSize();
    const int barWidth = verticalScrollBar()->sizeHint().width();
    const int barHeight = horizontalScrollBar()->sizeHint().height();
    bool across = m_displaySize > room.width();
    bool down = m_displaySize > room.height();
    if (across && !down) {
        down = m_displaySize > room.height() - barHeight;
    }
    if (down && !across) {
        across = m_displaySize > room.width() - barWidth;
    }
    return {room.width() - (down ? barWidth : 0), room.height() - (across ? barHeight : 0)};
}

void MainView::updateScrollBars() {
    // The extent is displaySize in both directions; a page is a tenth of it
    // and a line a tenth of a page.
    const int page = std::max(1, m_displaySize / 10);
    const int line = std::max(1, page / 10);
    const QSize client = clientSize();
    QScrollBar* bars[] = {horizontalScrollBar(), verticalScrollBar()};
    const int visible[] = {client.width(), client.height()};
    for (int k = 0; k < 2; ++k) {
        bars[k]->setRange(0, std::max(0, m_displaySize - visible[k]));
        bars[k]->setPageStep(page);
        bars[k]->setSingleStep(line);
    }
}

} // namespace orbelle
