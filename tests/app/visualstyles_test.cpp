// The looks' check boxes and fields: a disabled control shows the window
// colour instead of its field, and in the black look a check box keeps a
// visible edge, dimmer when disabled.

#include "app/visualstyles.h"

#include "app/apptest.h"

#include <QImage>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>

using namespace orbelle;

namespace {

// The program's QApplication is registered by mainwindow_test.cpp.

int contrast(const QColor& a, const QColor& b) { return std::abs(a.lightness() - b.lightness()); }

/// An empty check box of 13 x 13 pixels, drawn by the application's style on
/// the window colour.
QImage emptyCheckBox(bool enabled) {
    QStyleOptionButton option;
    option.rect = QRect(0, 0, 13, 13);
    option.palette = QApplication::palette();
    option.palette.setCurrentColorGroup(enabled ? QPalette::Active : QPalette::Disabled);
    option.state = QStyle::State_Off | (enabled ? QStyle::State_Enabled : QStyle::State_None);
    QImage image(13, 13, QImage::Format_RGB32);
    image.fill(QApplication::palette().color(QPalette::Window));
    QPainter painter(&image);
    QApplication::style()->drawPrimitive(QStyle::PE_IndicatorCheckBox, &option, &painter);
    return image;
}

class VisualStylesTest : public ::testing::Test {
  protected:
    void TearDown() override { applyVisualStyle(kDefaultVisualStyle); }
};

} // namespace

TEST_F(VisualStylesTest, DisabledFieldsShowTheWindowColourInEveryLook) {
    for (const VisualStyle& style : visualStyles()) {
        applyVisualStyle(style.id);
        const QPalette palette = QApplication::palette();
        const QColor window = palette.color(QPalette::Active, QPalette::Window);
        EXPECT_EQ(palette.color(QPalette::Disabled, QPalette::Base), window)
            << style.label.toStdString();
        EXPECT_NE(palette.color(QPalette::Active, QPalette::Base), window)
            << style.label.toStdString();
        // An empty disabled box is filled like the window, an enabled one not.
        EXPECT_EQ(emptyCheckBox(false).pixelColor(6, 7), window) << style.label.toStdString();
        EXPECT_NE(emptyCheckBox(true).pixelColor(6, 7), window) << style.label.toStdString();
    }
}

TEST_F(VisualStylesTest, CheckBoxesKeepTheirEdgeInTheBlackLook) {
    applyVisualStyle(CommandId::StyleOffice2007Black);
    const QColor window = QApplication::palette().color(QPalette::Window);
    ASSERT_LT(window.lightness(), 100);
    const QImage enabled = emptyCheckBox(true);
    const QImage disabled = emptyCheckBox(false);
    // The middle of each of the four edges.
    for (const QPoint p : {QPoint(6, 0), QPoint(6, 12), QPoint(0, 6), QPoint(12, 6)}) {
        const int on = contrast(enabled.pixelColor(p), window);
        const int off = contrast(disabled.pixelColor(p), window);
        EXPECT_GT(on, 100) << p.x() << "," << p.y();
        EXPECT_GT(off, 40) << p.x() << "," << p.y();
        EXPECT_LT(off, on) << p.x() << "," << p.y();
    }
}
