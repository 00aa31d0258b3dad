#pragma once
// The main view: owns the canvas, the figure bounds and the colours of the
// last drawing; shows the square of the canvas around the figure stretched to
// displaySize x displaySize in a scroll area.
//
// The 6000 x 6000 export picture is not kept: the view remembers the square
// its last repaint showed and builds the picture from the canvas when export
// or printing asks for it, which gives the same pixels as a copy refreshed at
// every repaint.

#include "engine/canvas.h"
#include "engine/draw.h"
#include "engine/sourcesquare.h"
#include "view/scaledpicture.h"

#include <QAbstractScrollArea>
#include <QElapsedTimer>
#include <QImage>
#include <QTimer>

#include <functional>
#include <memory>
#include <optional>

namespace orbelle {

class DrawingThread;

class MainView : public QAbstractScrollArea {
    Q_OBJECT
  public:
    explicit MainView(QWidget* parent = nullptr);
    ~MainView() override;

    /// Runs the engine on input (drawColor/backColor are the custom colours)
    /// on the calling thread, after stopping any drawing in the background,
    /// and repaints. On SameColours nothing changes; the caller shows the
    /// message. The view benchmark measures drawing and painting this way,
    /// without the hand-over to the worker.
    DrawResult drawFigure(const DrawSettings& input);

    /// How a drawing on the worker shows while it runs.
    enum class Showing {
        CompleteOnly,     // the last complete picture stays until it is complete
        ProgressWhenSlow, // the same, but past 0.3 s the picture shows its progress
    };
    /// Starts drawing input on the worker thread, superseding a running
    /// drawing; drawingFinished or drawingCancelled follows. Returns false
    /// (and starts nothing) for equal drawing and background colours in a
    /// plain mode. A density drawing shows only complete pictures either way.
    bool startDrawing(const DrawSettings& input, Showing showing = Showing::ProgressWhenSlow);
    /// Stops the running drawing; drawingCancelled follows. The canvas, and so
    /// the view, export and printing, then get back the picture they had
    /// before it started: the previous drawing is drawn again on the worker
    /// (isDrawing() stays true until it is done).
    void cancelDrawing();
    /// A drawing, or the drawing again of the previous one after a stop, runs.
    bool isDrawing() const { return m_job != Job::None; }
    /// Processes events until no drawing runs (for tests and scripted use);
    /// false if one still runs after timeoutMs.
    bool waitForDrawing(int timeoutMs = 60000);

    /// Where the view reads the live "拡大" value at every repaint.
    void setZoomSource(std::function<int()> source);

    /// The operation drawFigure and the worker run on the canvas: the
    /// engine's draw unless replaced (tests draw chosen figures this way).
    /// On the worker it reports through the progress function, which also
    /// pauses it for readers and tells it to stop; drawFigure passes none.
    using DrawFunction =
        std::function<DrawResult(const DrawSettings&, Canvas&, const DrawProgress&)>;
    void setDrawFunction(DrawFunction function);

    void zoomIn();  // CommandId::ZoomIn
    void zoomOut(); // CommandId::ZoomOut
    void centre();  // CommandId::CentreView
    /// CommandId::FitToWindow: the largest display size the view shows whole,
    /// without scroll bars, centred in the window until the display size is
    /// zoomed. Zooming in or out goes on from the nearest step.
    void fitToWindow();
    /// Where the picture's top-left corner lies in the viewport.
    QPoint pictureOrigin() const;

    int displaySize() const;
    const FigureBounds& bounds() const;
    const Canvas& canvas() const;

    /// The square the view shows for the current bounds and the live zoom.
    SourceSquare currentSquare() const;
    /// The square the last repaint (or the last drawing) showed.
    const SourceSquare& shownSquare() const { return m_shownSquare; }

    /// 6000 x 6000 RGB888 picture of the square last shown, derived from the
    /// canvas on request (export and printing).
    QImage exportImage() const;

    /// The square last shown stretched straight to side x side (RGB32), the
    /// pixels exportImage() scaled to that side would give, without the
    /// 6000 x 6000 step. A null image when side < 1 or memory runs out.
    QImage exportPicture(int side) const;

    /// The last drawing drawn afresh at side x side (RGB32) over the square
    /// last shown, dots scaled with it; white before the first drawing. A null
    /// image when side is outside 1..kMaxRedrawSide or memory runs out.
    QImage redrawPicture(int side) const;

    /// The record of the picture shown: the last drawing's settings with the
    /// colours it used and the enlargement of the last repaint. Nothing before
    /// the first drawing.
    std::optional<DrawSettings> shownSettings() const;

    /// The colours of the last drawing: black and white before the first.
    std::int32_t lastDrawColor() const;
    std::int32_t lastBackColor() const;

    /// Tiles of the shown picture built so far (lets tests see the cache work).
    std::int64_t tilesBuilt() const { return m_picture.tilesBuilt(); }
    /// Device pixels across the picture the last repaint showed.
    int picturePixelSide() const { return m_picture.pixelSide(); }

    QSize sizeHint() const override;

  signals:
    /// The drawing started by startDrawing is complete and shown.
    void drawingFinished(const orbelle::DrawResult& result);
    /// It stopped early; the previous picture is being restored.
    void drawingCancelled();
    /// No drawing runs any more (after a drawing, a stop or a restoration).
    void drawingIdle();
    /// Its progress in dots, at most every 50 ms, once it has run 0.3 s.
    void drawingProgress(qint64 done, qint64 total);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    /// The viewport's size once the scroll bars the display size needs are
    /// in place.
    QSize clientSize() const;
    void updateScrollBars();
    int currentZoom() const;
    void changeDisplayStep(int delta);
    void workerProgressed(quint64 request, qint64 done, qint64 total);
    void workerFinished(quint64 request, const DrawResult& result);
    void showDrawing(const DrawSettings& input, const DrawResult& result);
    /// Stops the worker; with restore the previous picture is drawn again.
    void stopDrawing(bool restore);
    /// Puts back the picture of the last complete drawing after a stop.
    void restoreCanvas();
    /// The square and size the picture shows for the current bounds and zoom.
    void updatePictureGeometry();
    /// The view shows the picture on screen, not the canvas, until the
    /// drawing that starts is complete.
    void holdPicture();
    void releasePicture();

    /// No drawing has run for a while: the engine's working memory goes back.
    void releaseIdleMemory();
    /// A drawing ended and none follows.
    void becameIdle();

    std::unique_ptr<Canvas> m_canvas;
    FigureBounds m_bounds;
    std::function<int()> m_zoomSource;
    DrawFunction m_drawFunction;
    int m_displayStep = 0;
    int m_displaySize = 800;
    SourceSquare m_shownSquare;
    int m_shownZoom = 100;
    std::optional<DrawSettings> m_lastInput; // what the last drawing drew
    ScaledPicture m_picture;
    std::int32_t m_lastDrawColor = kBlack;
    std::int32_t m_lastBackColor = kWhite;
    // Declared after the canvas: stopped and joined before it goes.
    std::unique_ptr<DrawingThread> m_thread;
    quint64 m_request = 0;       // the request whose result counts
    DrawSettings m_requestInput; // what that request draws
    enum class Job { None, Drawing, Restoring };
    Job m_job = Job::None;
    Showing m_showing = Showing::ProgressWhenSlow;
    bool m_restoreAfterStop = true;
    // The canvas holds the picture of m_lastInput (white before the first).
    bool m_canvasComplete = true;
    // Fitted to the window: the picture is centred in the room it leaves.
    bool m_centred = false;
    QElapsedTimer m_drawingTime;
    QTimer m_idle; // runs from the end of the last drawing
};

} // namespace orbelle
