#include "store/historynavigator.h"

#include <gtest/gtest.h>

using namespace orbelle;

TEST(HistoryNavigator, EmptyStoreChangesNothing) {
    HistoryNavigator nav;
    EXPECT_FALSE(nav.back(0));
    EXPECT_FALSE(nav.forward(0));
    EXPECT_FALSE(nav.olderPage(0));
    EXPECT_FALSE(nav.newerPage());
    EXPECT_FALSE(nav.activate(0, 0));
    EXPECT_EQ(nav.current(), 0);
    EXPECT_EQ(nav.page(), 0);
    EXPECT_EQ(nav.buttonCount(0), 0);
    EXPECT_FALSE(nav.pressedButton(0));
}

TEST(HistoryNavigator, BackAndForwardAfterThreeDrawings) {
    HistoryNavigator nav;
    nav.drawingAppended();
    EXPECT_EQ(nav.back(3), 1); // the second newest
    EXPECT_EQ(nav.forward(3), 0);
    EXPECT_EQ(nav.forward(3), 0); // at the newest it loads the newest again
    EXPECT_EQ(nav.back(3), 1);
    EXPECT_EQ(nav.back(3), 2);
    EXPECT_EQ(nav.back(3), 2); // at the oldest it stays
    EXPECT_EQ(nav.pressedButton(3), 2);
    nav.drawingAppended();
    EXPECT_EQ(nav.current(), 0);
}

TEST(HistoryNavigator, StepsCrossPages) {
    HistoryNavigator nav;
    for (int k = 0; k < 99; ++k) {
        ASSERT_TRUE(nav.back(250));
    }
    EXPECT_EQ(nav.page(), 0);
    EXPECT_EQ(nav.back(250), 100);
    EXPECT_EQ(nav.page(), 1);
    EXPECT_EQ(nav.pressedButton(250), 0);
    EXPECT_EQ(nav.forward(250), 99);
    EXPECT_EQ(nav.page(), 0);
    EXPECT_EQ(nav.pressedButton(250), 99);
}

TEST(HistoryNavigator, OneHundredFiftyEntriesGiveTwoPages) {
    HistoryNavigator nav;
    EXPECT_EQ(nav.buttonCount(150), 100);
    EXPECT_TRUE(nav.olderPage(150));
    EXPECT_EQ(nav.page(), 1);
    EXPECT_EQ(nav.buttonCount(150), 50); // labelled 101 to 150
    EXPECT_FALSE(nav.olderPage(150));
    EXPECT_EQ(nav.page(), 1);
    // The current entry 0 is not on page 1.
    EXPECT_FALSE(nav.pressedButton(150));
    EXPECT_TRUE(nav.newerPage());
    EXPECT_FALSE(nav.newerPage());
    EXPECT_EQ(nav.pressedButton(150), 0);
}

TEST(HistoryNavigator, TwoHundredEntriesStopAtPageOne) {
    HistoryNavigator nav;
    EXPECT_TRUE(nav.olderPage(200));
    EXPECT_EQ(nav.buttonCount(200), 100); // entries 101 to 200
    EXPECT_FALSE(nav.olderPage(200));
    EXPECT_EQ(nav.page(), 1);
    EXPECT_TRUE(nav.olderPage(201)); // one entry more opens page 2
    EXPECT_EQ(nav.buttonCount(201), 1);
}

TEST(HistoryNavigator, ButtonsLoadOnlyExistingEntriesAndKeepThePage) {
    HistoryNavigator nav;
    ASSERT_TRUE(nav.olderPage(150));
    EXPECT_EQ(nav.activate(7, 150), 107);
    EXPECT_EQ(nav.page(), 1);
    EXPECT_EQ(nav.current(), 107);
    EXPECT_EQ(nav.pressedButton(150), 7);
    EXPECT_FALSE(nav.activate(50, 150)); // entry 150 does not exist
    EXPECT_FALSE(nav.activate(100, 1000));
    EXPECT_EQ(nav.current(), 107);
}

TEST(HistoryNavigator, ResetOrImportBeyondThePageGoesBackToTheStart) {
    HistoryNavigator nav;
    ASSERT_TRUE(nav.olderPage(300));
    ASSERT_TRUE(nav.olderPage(300));
    ASSERT_EQ(nav.activate(50, 300), 250);
    nav.storeChanged(5);
    EXPECT_EQ(nav.page(), 0);
    EXPECT_EQ(nav.current(), 0);
    EXPECT_EQ(nav.pressedButton(5), 0);

    // The page still has entries, the current one is gone: position 0.
    HistoryNavigator second;
    ASSERT_TRUE(second.olderPage(200));
    ASSERT_EQ(second.activate(80, 200), 180);
    second.storeChanged(120);
    EXPECT_EQ(second.page(), 1);
    EXPECT_EQ(second.current(), 0);
    EXPECT_EQ(second.buttonCount(120), 20);

    // After a reset nothing is offered.
    second.storeChanged(0);
    EXPECT_EQ(second.page(), 0);
    EXPECT_EQ(second.buttonCount(0), 0);
    EXPECT_FALSE(second.back(0));
}
