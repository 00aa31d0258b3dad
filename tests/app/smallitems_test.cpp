// Details of the main window a person meets: the pane toolbars' pictures and
// the lock-key indicators.

#include "app/mainwindow.h"

#include "app/lockindicators.h"

#include "app/windowtest.h"

#include <QLabel>
#include <QLineEdit>

using namespace orbelle;

namespace {

using SmallItemsTest = test::OpenWindowTest;

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

TEST(LockIndicatorsTest, ShowTheStatesReadAtEachKeyAndActivation) {
    QWidget window;
    auto* bar = new QStatusBar(&window);
    auto* edit = new QLineEdit(&window);
    LockStates states{true, false, false};
    int readings = 0;
    new LockIndicators(bar, [&]() -> std::optional<LockStates> {
        ++readings;
        return states;
    });
    window.show();
    const auto* caps = bar->findChild<QLabel*>(QStringLiteral("indicatorCAP"));
    const auto* num = bar->findChild<QLabel*>(QStringLiteral("indicatorNUM"));
    const auto* scroll = bar->findChild<QLabel*>(QStringLiteral("indicatorSCRL"));
    ASSERT_TRUE(caps && num && scroll);
    EXPECT_TRUE(caps->isVisible());
    EXPECT_TRUE(caps->isEnabled());
    EXPECT_FALSE(num->isEnabled());
    EXPECT_FALSE(scroll->isEnabled());

    // Num Lock pressed in another program: the next key in this one shows it.
    states = LockStates{false, true, false};
    const int before = readings;
    QTest::keyClick(edit, Qt::Key_A);
    EXPECT_GT(readings, before);
    EXPECT_FALSE(caps->isEnabled());
    EXPECT_TRUE(num->isEnabled());

    // Coming back to the program reads them too.
    states = LockStates{false, false, true};
    QEvent activate(QEvent::ApplicationActivate);
    QCoreApplication::sendEvent(qApp, &activate);
    EXPECT_TRUE(scroll->isEnabled());
    EXPECT_FALSE(num->isEnabled());
}

TEST(LockIndicatorsTest, StayHiddenWhenTheStatesCannotBeRead) {
    QWidget window;
    auto* bar = new QStatusBar(&window);
    new LockIndicators(bar, [] { return std::optional<LockStates>(); });
    window.show();
    for (const char* name : {"indicatorCAP", "indicatorNUM", "indicatorSCRL"}) {
        const auto* label = bar->findChild<QLabel*>(QString::fromLatin1(name));
        ASSERT_NE(label, nullptr) << name;
        EXPECT_FALSE(label->isVisible()) << name;
    }
}
