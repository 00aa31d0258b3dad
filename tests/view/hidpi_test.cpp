// The view on a screen with two device pixels per logical pixel: the picture
// is stretched to the device pixels, not enlarged from the logical ones.

#include "view/mainview.h"

#include "view/patterncanvas.h"

#include <QApplication>
#include <QScrollBar>
#include <gtest/gtest.h>

#include <memory>

using namespace orbelle;
using test::drawPattern;
using test::packed;

namespace {

// The scale factor is read when the application starts.
class ScaledApplication : public ::testing::Environment {
  public:
    void SetUp() override {
        qputenv("QT_SCALE_FACTOR", "2");
        static int argc = 1;
        static char name[] = "orbelle_view_hidpi_tests";
        static char* argv[] = {name, nullptr};
        m_app = std::make_unique<QApplication>(argc, argv);
    }
    void TearDown() override { m_app.reset(); }

  private:
    std::unique_ptr<QApplication> m_app;
};

[[maybe_unused]] const auto* const kEnvironment =
    ::testing::AddGlobalTestEnvironment(new ScaledApplication);

} // namespace

TEST(HighDpiViewTest, ThePictureHasTwiceThePixelsAcross) {
    MainView view;
    view.setDrawFunction(&drawPattern);
    view.resize(400, 400);
    view.show();
    ASSERT_EQ(view.viewport()->devicePixelRatioF(), 2.0);
    ASSERT_EQ(view.drawFigure(DrawSettings::startup()).status, DrawStatus::Drawn);

    const QImage shown = view.viewport()->grab().toImage();
    EXPECT_EQ(shown.width(), view.viewport()->width() * 2);
    EXPECT_EQ(view.displaySize(), 800); // the geometry stays in logical pixels
    EXPECT_EQ(view.horizontalScrollBar()->maximum(), 800 - view.viewport()->width());
    EXPECT_EQ(view.picturePixelSide(), 1600);

    // The square (1500, 1500, 3000) over 1600 device pixels: device column x
    // shows canvas column 1500 + x * 3000 / 1600, so neighbours differ where
    // an enlarged 800-pixel picture would repeat each pixel twice.
    const Canvas& canvas = view.canvas();
    const auto expected = [&canvas](int x, int y) {
        return canvas.colourAt(1500 + x * 3000 / 1600, 1500 + y * 3000 / 1600);
    };
    for (const QPoint p : {QPoint(0, 0), QPoint(1, 0), QPoint(0, 1), QPoint(3, 7), QPoint(511, 512),
                           QPoint(701, 333)}) {
        EXPECT_EQ(packed(shown.pixel(p)), expected(p.x(), p.y())) << p.x() << "," << p.y();
    }
    EXPECT_NE(shown.pixel(0, 0), shown.pixel(1, 0));

    // Scrolled by 100 logical pixels: 200 device pixels.
    view.horizontalScrollBar()->setValue(100);
    const QImage scrolled = view.viewport()->grab().toImage();
    EXPECT_EQ(packed(scrolled.pixel(5, 9)), expected(205, 9));
}
