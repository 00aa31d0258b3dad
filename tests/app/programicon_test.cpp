// The program's icon: one picture per size of the desktop theme, each drawn
// at its own size, with rounded (clear) corners and an opaque middle.

#include "app/programicon.h"

#include <QImage>
#include <gtest/gtest.h>

#include <algorithm>

using namespace orbelle;

TEST(ProgramIcon, HoldsAPictureForEverySizeOfTheTheme) {
    const QList<int> expected{16, 24, 32, 48, 64, 128, 256};
    ASSERT_EQ(programIconSizes(), expected);
    const QIcon icon = programIcon();
    QList<int> sides;
    for (const QSize& size : icon.availableSizes()) {
        EXPECT_EQ(size.width(), size.height());
        sides.append(size.width());
    }
    std::sort(sides.begin(), sides.end());
    EXPECT_EQ(sides, expected);

    for (const int side : expected) {
        SCOPED_TRACE(side);
        // Each picture is its own drawing, not another size scaled on demand.
        const QImage picture(
            QStringLiteral(":/orbelle/desktop/hicolor/%1x%1/apps/orbelle.png").arg(side));
        ASSERT_EQ(picture.size(), QSize(side, side));
        ASSERT_TRUE(picture.hasAlphaChannel());
        for (const QPoint corner :
             {QPoint(0, 0), QPoint(side - 1, 0), QPoint(0, side - 1), QPoint(side - 1, side - 1)}) {
            EXPECT_LT(qAlpha(picture.pixel(corner)), 128) << corner.x() << "," << corner.y();
        }
        EXPECT_EQ(qAlpha(picture.pixel(side / 2, side / 2)), 255);
        EXPECT_EQ(qAlpha(picture.pixel(side / 2, 1)), 255);
    }
}
