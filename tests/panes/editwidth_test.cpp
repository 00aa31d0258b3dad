// The panes' edit boxes show their widest values whole, and the arrows and
// sliders keep their places.

#include "panes/colourpane.h"
#include "panes/drawsettingspane.h"
#include "panes/transformpane.h"

#include "panes/panetest.h"
#include "widgets/spinrow.h"

#include <QLineEdit>
#include <QPoint>
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
    // The row of the edit box "edit<id>".
    const auto row = [&pane](int id) {
        return qobject_cast<const SpinRow*>(test::namedChild(pane, "edit", id)->parentWidget());
    };
    for (int j = 0; j < TransformPane::RowCount; ++j) {
        ASSERT_NE(row(11220 + j), nullptr) << j;
        expectShownWhole(row(11220 + j), QStringLiteral("-999"));
    }
    // The arrows of the Z-scale row stay where the layout puts them: their
    // right edge 106 pixels in at 96 dpi, whatever the edit's width.
    EXPECT_EQ(row(11223)->arrows()->mapTo(&pane, QPoint(0, 0)).x(),
              row(11224)->arrows()->mapTo(&pane, QPoint(0, 0)).x());
}

TEST(EditWidthTest, PenWidthShows100AndTheParameterRowsTheirRange) {
    QTemporaryDir folder;
    ColourPane colours(folder.path());
    const auto* pen = test::namedChild<QLineEdit>(colours, "edit", 11011);
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
