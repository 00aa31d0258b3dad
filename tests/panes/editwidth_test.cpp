// The panes' edit boxes show their widest values whole, and the arrows and
// sliders keep their places.

#include "panes/colourpane.h"
#include "panes/drawsettingspane.h"
#include "panes/transformpane.h"

#include "support/guiapplication.h"
#include "widgets/spinrow.h"

#include <QLineEdit>
#include <QStyle>
#include <QTemporaryDir>

using namespace orbelle;

namespace {

/// The pixels the text of a line edit has: its width less the frame and the
/// two-pixel inner margins.
int textRoom(const QLineEdit* edit) {
    const int frame = edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, edit);
    return edit->width() - 2 * frame - 4;
}

/// Checks the row's edit box for text and that it still touches its arrows.
void expectShownWhole(const SpinRow* row, const QString& text) {
    const QLineEdit* edit = row->edit();
    EXPECT_LE(edit->fontMetrics().horizontalAdvance(text), textRoom(edit))
        << edit->objectName().toStdString() << " " << text.toStdString();
    EXPECT_EQ(edit->geometry().right() + 1, row->arrows()->geometry().left())
        << edit->objectName().toStdString();
}

} // namespace

TEST(EditWidthTest, TransformRowsShowMinus999) {
    TransformPane pane;
    for (int j = 0; j < TransformPane::RowCount; ++j) {
        const auto* edit = pane.findChild<QLineEdit*>(QStringLiteral("edit%1").arg(11220 + j));
        ASSERT_NE(edit, nullptr) << j;
        const auto* row = qobject_cast<const SpinRow*>(edit->parentWidget());
        ASSERT_NE(row, nullptr);
        expectShownWhole(row, QStringLiteral("-999"));
    }
    // The arrows of the Z-scale row stay where the layout puts them: their
    // right edge 106 pixels in at 96 dpi, whatever the edit's width.
    const auto* scale = pane.findChild<QLineEdit*>(QStringLiteral("edit11223"));
    const QWidget* arrows = qobject_cast<const SpinRow*>(scale->parentWidget())->arrows();
    const QWidget* zoomArrows =
        qobject_cast<const SpinRow*>(
            pane.findChild<QLineEdit*>(QStringLiteral("edit11224"))->parentWidget())
            ->arrows();
    EXPECT_EQ(arrows->mapTo(&pane, QPoint(0, 0)).x(), zoomArrows->mapTo(&pane, QPoint(0, 0)).x());
}

TEST(EditWidthTest, PenWidthShows100AndTheParameterRowsTheirRange) {
    QTemporaryDir folder;
    ColourPane colours(folder.path());
    const auto* pen = colours.findChild<QLineEdit*>(QStringLiteral("edit11011"));
    ASSERT_NE(pen, nullptr);
    expectShownWhole(qobject_cast<const SpinRow*>(pen->parentWidget()), QStringLiteral("100"));

    DrawSettingsPane settings;
    for (const SpinRow* row : settings.findChildren<SpinRow*>()) {
        if (!row->isVisibleTo(&settings)) {
            continue;
        }
        expectShownWhole(row, QString::number(row->maximum()));
        expectShownWhole(row, QString::number(row->minimum()));
    }
}

TEST(EditWidthTest, ALargerFontWidensTheBox) {
    SpinRow row;
    row.setRange(-999, 999);
    row.place(QRect(69, 40, 27, 16), QRect(96, 40, 10, 16), QRect(118, 37, 154, 20));
    const int before = row.edit()->width();
    QFont large = row.edit()->font();
    large.setPointSize(large.pointSize() * 2);
    row.edit()->setFont(large);
    EXPECT_GT(row.edit()->width(), before);
    expectShownWhole(&row, QStringLiteral("-999"));
    EXPECT_EQ(row.arrows()->mapToParent(QPoint(0, 0)).x() + row.x(), 96);
}
