#include "panes/historypane.h"

#include "panes/guitest.h"
#include "store/historynavigator.h"

#include <QAction>
#include <QMenu>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QToolBar>

#include <vector>

using namespace orbelle;

namespace {

class HistoryPaneTest : public test::GuiTest {
  protected:
    void SetUp() override {
        QObject::connect(&pane, &HistoryPane::entryActivated,
                         [this](int button) { activated.push_back(button); });
        pane.resize(300, 700);
        pane.show();
        QApplication::processEvents();
    }

    QStringList visibleLabels() const {
        QStringList labels;
        for (int i = 0; i < HistoryPane::kButtonCount; ++i) {
            if (!pane.entryButton(i)->isHidden()) {
                labels << pane.entryButton(i)->text();
            }
        }
        return labels;
    }
    std::vector<int> pressedButtons() const {
        std::vector<int> pressed;
        for (int i = 0; i < HistoryPane::kButtonCount; ++i) {
            if (pane.entryButton(i)->isChecked()) {
                pressed.push_back(i);
            }
        }
        return pressed;
    }

    HistoryPane pane;
    HistoryNavigator navigator;
    std::vector<int> activated;
};

QStringList numbers(int from, int to) {
    QStringList list;
    for (int n = from; n <= to; ++n) {
        list << QString::number(n);
    }
    return list;
}

} // namespace

TEST_F(HistoryPaneTest, ButtonsForZeroOneSevenAndOneHundredEntries) {
    pane.refresh(navigator, 0);
    EXPECT_TRUE(visibleLabels().isEmpty());

    pane.refresh(navigator, 1);
    EXPECT_EQ(visibleLabels(), QStringList{"1"});
    EXPECT_EQ(pane.entryButton(0)->geometry(), QRect(2, 2, 51, 25)); // top left
    EXPECT_EQ(pressedButtons(), std::vector<int>{0});                // the newest drawing

    pane.refresh(navigator, 7);
    EXPECT_EQ(visibleLabels(), numbers(1, 7));
    // Five to a row: "6" and "7" open the second row.
    EXPECT_EQ(pane.entryButton(5)->geometry(), QRect(2, 29, 51, 25));
    EXPECT_EQ(pane.entryButton(6)->geometry(), QRect(55, 29, 51, 25));

    pane.refresh(navigator, 100);
    EXPECT_EQ(visibleLabels(), numbers(1, 100));
    // The last button closes the twentieth row: right 265, bottom 540 (exclusive).
    const QRect last = pane.entryButton(99)->geometry();
    EXPECT_EQ(last, QRect(214, 515, 51, 25));
    EXPECT_EQ(last.right() + 1, 265);
    EXPECT_EQ(last.bottom() + 1, 540);
    // Every button sits below the toolbar.
    EXPECT_EQ(pane.scrollArea()->geometry().top(), pane.toolBar()->geometry().bottom() + 1);
}

TEST_F(HistoryPaneTest, OlderPagesShowTheirEntriesAndThePressedLookOnlyOnTheirPage) {
    // 150 entries: page 1 holds 101-150.
    ASSERT_TRUE(navigator.olderPage(150));
    pane.refresh(navigator, 150);
    EXPECT_EQ(visibleLabels(), numbers(101, 150));
    EXPECT_TRUE(pressedButtons().empty()); // entry 0 is on page 0

    // Stepping back to entry 101 shows page 1 with button 1 pressed.
    HistoryNavigator stepped;
    for (int k = 0; k < 101; ++k) {
        stepped.back(150);
    }
    pane.refresh(stepped, 150);
    EXPECT_EQ(pane.entryButton(1)->text(), QStringLiteral("102"));
    EXPECT_EQ(pressedButtons(), std::vector<int>{1});
}

TEST_F(HistoryPaneTest, ADoubleClickActivatesOnceAndASingleClickNever) {
    pane.refresh(navigator, 7);
    QPushButton* button = pane.entryButton(3);
    QTest::mouseClick(button, Qt::LeftButton);
    QTest::mouseClick(pane.entryButton(4), Qt::LeftButton);
    EXPECT_TRUE(activated.empty());

    QTest::mouseDClick(button, Qt::LeftButton);
    EXPECT_EQ(activated, std::vector<int>{3});
    // A click never changes the pressed look; only refresh() does.
    EXPECT_EQ(pressedButtons(), std::vector<int>{0});

    // Keyboard: Enter, Return and Space on the focused button, once each.
    activated.clear();
    pane.entryButton(6)->setFocus();
    QTest::keyClick(pane.entryButton(6), Qt::Key_Return);
    QTest::keyClick(pane.entryButton(6), Qt::Key_Enter);
    QTest::keyClick(pane.entryButton(6), Qt::Key_Space);
    EXPECT_EQ(activated, (std::vector<int>{6, 6, 6}));
    EXPECT_EQ(pressedButtons(), std::vector<int>{0});
}

// The toolbar holds the window's commands (smallitems_test.cpp).
TEST_F(HistoryPaneTest, TheContextMenuRequestsItsCommands) {
    QStringList order;
    QObject::connect(&pane, &HistoryPane::saveRequested, [&] { order << "save"; });
    QObject::connect(&pane, &HistoryPane::loadRequested, [&] { order << "load"; });
    EXPECT_TRUE(pane.toolBar()->actions().isEmpty());
    EXPECT_FALSE(pane.toolBar()->isMovable());
    QStringList items;
    for (QAction* action : pane.contextMenu()->actions()) {
        items << action->text();
        action->trigger();
    }
    EXPECT_EQ(items, (QStringList{"ヒストリーの保存", "ヒストリーの読み込み"}));
    EXPECT_EQ(order, (QStringList{"save", "load"}));
}

TEST_F(HistoryPaneTest, AShortPaneScrollsTheGridAndResizingNeverMovesTheButtons) {
    pane.refresh(navigator, 100);
    const QRect before = pane.entryButton(99)->geometry();
    pane.resize(300, 200);
    QApplication::processEvents();
    QScrollBar* bar = pane.scrollArea()->verticalScrollBar();
    EXPECT_TRUE(bar->isVisible());
    EXPECT_GT(bar->maximum(), 0);
    bar->setValue(bar->maximum());
    QApplication::processEvents();
    // At the end of the scroll range the last row lies inside the viewport.
    const QWidget* viewport = pane.scrollArea()->viewport();
    const QPoint lastInViewport =
        pane.entryButton(99)->mapTo(viewport, QPoint(0, pane.entryButton(99)->height() - 1));
    EXPECT_TRUE(viewport->rect().contains(lastInViewport));
    EXPECT_EQ(pane.entryButton(99)->geometry(), before);

    pane.resize(600, 900);
    QApplication::processEvents();
    EXPECT_FALSE(bar->isVisible());
    EXPECT_EQ(pane.entryButton(99)->geometry(), before);

    // Seven entries fill two rows: a short pane needs no scrolling then.
    pane.resize(300, 200);
    pane.refresh(navigator, 7);
    QApplication::processEvents();
    EXPECT_FALSE(bar->isVisible());
    EXPECT_EQ(pane.entryButton(6)->geometry(), QRect(55, 29, 51, 25));
}
