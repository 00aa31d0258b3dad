#include "view/mainview.h"

#include "engine/drawscaled.h"
#include "imageio/picture.h"
#include "view/displaysize.h"
#include "view/drawingthread.h"

#include <QEventLoop>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTimer>

#include <algorithm>
#include <vector>

namespace orbelle {
namespace {

constexpr int kStandardZoom = 100;
// A drawing running longer than this shows its progress and a busy cursor.
constexpr int kSlowDrawingMs = 300;

} // namespace

MainView::MainView(QWidget* parent)
    : QAbstractScrollArea(parent), m_canvas(std::make_unique<Canvas>()),
      m_drawFunction([](const DrawSettings& s, Canvas& c, const DrawProgress& progress) {
          return draw(s, c, progress);
      }),
      m_picture(*m_canvas), m_thread(std::make_unique<DrawingThread>(*m_canvas)) {
    connect(m_thread.get(), &DrawingThread::progressed, this, &MainView::workerProgressed);
    connect(m_thread.get(), &DrawingThread::drawingEnded, this, &MainView::workerFinished);
    // A right click shows nothing here, and must not reach the main window
    // either (which would offer its toolbar menu).
    setContextMenuPolicy(Qt::PreventContextMenu);
    viewport()->setContextMenuPolicy(Qt::PreventContextMenu);
    m_shownSquare = currentSquare();
    updateScrollBars();
}

MainView::~MainView() = default;

DrawResult MainView::drawFigure(const DrawSettings& input) {
    cancelDrawing();
    waitForDrawing();
    DrawResult result;
    {
        // Holds the worker off the canvas even if it has not stopped yet.
        const DrawingThread::ReadLock lock(*m_thread);
        result = m_drawFunction(input, *m_canvas, {});
    }
    showDrawing(input, result);
    return result;
}

bool MainView::startDrawing(const DrawSettings& input) {
    if (!usesRamp(input.drawColourMode()) &&
        drawingColour(input.drawColourMode(), input.drawColor) ==
            backgroundColour(input.backColourMode(), input.backColor)) {
        return false;
    }
    m_request = m_thread->request(input);
    m_requestInput = input;
    m_drawing = true;
    m_drawingTime.start();
    return true;
}

void MainView::cancelDrawing() {
    if (m_drawing) {
        m_thread->cancel();
    }
}

bool MainView::waitForDrawing(int timeoutMs) {
    if (!m_drawing) {
        return true;
    }
    QEventLoop loop;
    connect(this, &MainView::drawingFinished, &loop, &QEventLoop::quit);
    connect(this, &MainView::drawingCancelled, &loop, &QEventLoop::quit);
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    loop.exec();
    return !m_drawing;
}

void MainView::workerProgressed(quint64 request, qint64 done, qint64 total) {
    if (request != m_request || !m_drawing) {
        return;
    }
    // The figure appears as it is drawn; the tiles are rebuilt at the next
    // paint, while the worker waits at a batch boundary. A density drawing
    // holds counts, not colours, until its last pass: the previous picture
    // stays meanwhile.
    if (m_requestInput.drawColourMode() != DrawColourMode::Density) {
        m_picture.invalidate();
        viewport()->update();
    }
    if (m_drawingTime.elapsed() >= kSlowDrawingMs) {
        viewport()->setCursor(Qt::BusyCursor);
        emit drawingProgress(done, total);
    }
}

void MainView::workerFinished(quint64 request, const DrawResult& result) {
    if (request != m_request) {
        return; // superseded: a newer drawing runs
    }
    m_drawing = false;
    viewport()->unsetCursor();
    if (result.status == DrawStatus::Cancelled) {
        m_picture.invalidate();
        viewport()->update();
        emit drawingCancelled();
        return;
    }
    showDrawing(m_requestInput, result);
    emit drawingFinished(result);
}

void MainView::showDrawing(const DrawSettings& input, const DrawResult& result) {
    if (result.status != DrawStatus::Drawn) {
        return;
    }
    m_bounds = result.bounds;
    m_lastDrawColor = result.drawColor;
    m_lastBackColor = result.backColor;
    m_lastInput = input;
    m_picture.invalidate();
    // The repaint the drawing asks for shows this square; recording it now
    // keeps exportImage() right even while the window is hidden.
    m_shownZoom = currentZoom();
    m_shownSquare = sourceSquare(m_bounds, m_shownZoom);
    viewport()->update();
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
    updateScrollBars();
    centre();
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
    m_shownZoom = currentZoom();
    m_shownSquare = sourceSquare(m_bounds, m_shownZoom);
    // The picture is stretched to device pixels; its geometry stays logical.
    m_picture.setGeometry(m_shownSquare, m_displaySize, viewport()->devicePixelRatioF());
    QPainter painter(viewport());
    const QPoint origin(-horizontalScrollBar()->value(), -verticalScrollBar()->value());
    const DrawingThread::ReadLock lock(*m_thread);
    m_picture.paint(painter, event->rect(), origin);
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
