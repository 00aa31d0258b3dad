#include "app/windowplacement.h"

#include "app/apptest.h"
#include "app/mainwindow.h"

#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <QTemporaryDir>
#include <QWidget>

using namespace orbelle;

namespace {

// A primary screen of 1920 × 1080 with a 40-pixel panel at the bottom, and a
// second one of 1280 × 1024 to its right.
const QRect kPrimary(0, 0, 1920, 1040);
const QRect kSecond(1920, 0, 1280, 1024);
const QList<QRect> kScreens{kPrimary, kSecond};

// 1600 × 1000 bounded to 95 % of 1920 × 1040 (1824 × 988) is 1600 × 988,
// centred: (1920 - 1600) / 2 = 160, (1040 - 988) / 2 = 26.
const QRect kDefault(160, 26, 1600, 988);

} // namespace

TEST(WindowPlacement, DefaultIsBoundedAndCentredOnThePrimaryScreen) {
    EXPECT_EQ(placeWindow(QRect(), kScreens), kDefault);
    EXPECT_EQ(defaultWindowRect(kPrimary), kDefault);
    // 95 % of 800 × 600 is 760 × 570, centred leaves 20 and 15.
    EXPECT_EQ(defaultWindowRect(QRect(0, 0, 800, 600)), QRect(20, 15, 760, 570));
    EXPECT_EQ(defaultWindowRect(QRect(1920, 0, 2560, 1440)), QRect(2400, 220, 1600, 1000));
}

TEST(WindowPlacement, AWindowThatFitsStaysWhereItWas) {
    EXPECT_EQ(placeWindow(QRect(100, 100, 800, 600), kScreens), QRect(100, 100, 800, 600));
    EXPECT_EQ(placeWindow(QRect(2000, 50, 1000, 700), kScreens), QRect(2000, 50, 1000, 700));
    // Partly off the right edge of the primary screen and onto the second.
    EXPECT_EQ(placeWindow(QRect(1850, 100, 800, 600), kScreens), QRect(1850, 100, 800, 600));
    // Exactly 100 pixels of the title area on the only screen.
    EXPECT_EQ(placeWindow(QRect(1820, 100, 800, 600), {kPrimary}), QRect(1820, 100, 800, 600));
    // A window smaller than 100 × 50 needs all of its top seen.
    EXPECT_EQ(placeWindow(QRect(10, 10, 80, 40), kScreens), QRect(10, 10, 80, 40));
    EXPECT_EQ(placeWindow(QRect(0, 0, 1920, 1040), kScreens), kPrimary);
}

TEST(WindowPlacement, AHugeWindowIsBoundedByItsScreen) {
    EXPECT_EQ(placeWindow(QRect(0, 0, 32767, 32767), kScreens), kPrimary);
    EXPECT_EQ(placeWindow(QRect(300, 200, 2147483000, 2147483000), kScreens), kPrimary);
    EXPECT_EQ(placeWindow(QRect(2500, 100, 5000, 5000), kScreens), kSecond);
    // Too wide only: the height and the top stay, the left moves onto the screen.
    EXPECT_EQ(placeWindow(QRect(500, 100, 3000, 600), {kPrimary}), QRect(0, 100, 1920, 600));
}

TEST(WindowPlacement, AWindowWhoseTitleCannotBeSeenGetsTheDefault) {
    EXPECT_EQ(placeWindow(QRect(-5000, -5000, 800, 600), kScreens), kDefault);
    EXPECT_EQ(placeWindow(QRect(5000, 3000, 800, 600), kScreens), kDefault);
    // Only 70 pixels across on the only screen.
    EXPECT_EQ(placeWindow(QRect(1850, 100, 800, 600), {kPrimary}), kDefault);
    // Title area above the top edge: 20 pixel rows seen.
    EXPECT_EQ(placeWindow(QRect(100, -30, 800, 600), kScreens), kDefault);
    // Below the shorter second screen, though beside the primary's bottom.
    EXPECT_EQ(placeWindow(QRect(2000, 1030, 800, 600), kScreens), kDefault);
}

TEST(WindowPlacement, WithoutScreensTheStoredOrDefaultSizeIsUsed) {
    EXPECT_EQ(placeWindow(QRect(10, 20, 300, 200), {}), QRect(10, 20, 300, 200));
    EXPECT_EQ(placeWindow(QRect(), {}), QRect(0, 0, 1600, 1000));
}

TEST(WindowPlacement, TheMainWindowCorrectsADamagedStoredGeometry) {
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    QTemporaryDir temp;
    const QString dir = temp.path() + QLatin1Char('/');
    const QRect requests[] = {QRect(0, 0, 32767, 32767), QRect(40000, 40000, 900, 700)};
    for (const QRect& request : requests) {
        QWidget probe;
        probe.setGeometry(request);
        orbelle::test::clearSettingsStore();
        QSettings().setValue(QStringLiteral("Workspace/Geometry"), probe.saveGeometry());
        MainWindow window(dir);
        const QRect got = window.geometry();
        EXPECT_LE(got.width(), screen.width());
        EXPECT_LE(got.height(), screen.height());
        EXPECT_TRUE(screen.intersects(got));
    }
    orbelle::test::clearSettingsStore();
}
