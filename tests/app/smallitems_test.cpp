// Details of the main window a person meets: the pane toolbars' pictures and
// the lock-key indicators.

#include "app/mainwindow.h"

#include "app/apptest.h"

#include <QAction>
#include <QTemporaryDir>

#include <memory>

using namespace orbelle;

namespace {

// The program's QApplication is registered by mainwindow_test.cpp.

class SmallItemsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        orbelle::test::clearSettingsStore();
        ASSERT_TRUE(m_dataDir.isValid());
        m_window = std::make_unique<MainWindow>(m_dataDir.path() + QLatin1Char('/'));
    }

    QTemporaryDir m_dataDir;
    std::unique_ptr<MainWindow> m_window;
};

} // namespace

TEST_F(SmallItemsTest, PaneToolBarsShowTheMainToolBarsPictures) {
    const auto picture = [](const QAction* action) {
        return action->icon().pixmap(QSize(16, 16)).toImage();
    };
    for (const int number : {11901, 11902, 11903, 10011, 10012, 11602}) {
        const auto* tool = m_window->findChild<QAction*>(QStringLiteral("tool%1").arg(number));
        ASSERT_NE(tool, nullptr) << number;
        const QAction* command = m_window->command(CommandId{number});
        EXPECT_EQ(picture(tool), picture(command)) << number;
    }
}

TEST_F(SmallItemsTest, LockIndicatorsThatCannotBeReadAreHidden) {
    m_window->show();
    for (const char* name : {"indicatorCAP", "indicatorNUM", "indicatorSCRL"}) {
        const QWidget* label = m_window->findChild<QWidget*>(QString::fromLatin1(name));
        ASSERT_NE(label, nullptr) << name;
        EXPECT_FALSE(label->isVisible()) << name;
    }
}
