// The main window on small and large screens: the view keeps its room, a pane
// shown again keeps its size, and the picture fits the window on request.

#include "app/mainwindow.h"

#include "app/windowtest.h"
#include "view/mainview.h"

#include <QDockWidget>

#include <functional>

using namespace orbelle;
using Pane = MainWindow::Pane;

namespace {

/// Handles events until done() holds or a deadline passes; returns done().
bool settle(const std::function<bool()>& done) { return QTest::qWaitFor(done, 5000); }

using WindowLayoutTest = test::WindowTest;

} // namespace

TEST_F(WindowLayoutTest, TheViewKeepsHalfOfASmallWindow) {
    auto window = open(QSize(1000, 700));
    // The window may be bounded by a smaller screen; half of it is the rule.
    const int half = window->width() / 2;
    EXPECT_TRUE(settle([&] { return window->view()->width() >= half; }))
        << window->view()->width() << " of " << window->width();
    // The panes yielded but are all still there, side by side with the view.
    for (const Pane pane : {Pane::Favorites, Pane::DrawSettings, Pane::ColourStroke,
                            Pane::Transform, Pane::History}) {
        EXPECT_TRUE(window->dock(pane)->isVisible());
        EXPECT_GE(window->dock(pane)->width(), 130);
    }
    EXPECT_GT(window->dock(Pane::DrawSettings)->x(), window->view()->geometry().right());

    // Narrower still: the panes stop at 130 pixels, the view at 300.
    window->resize(640, 600);
    EXPECT_TRUE(settle([&] { return window->view()->width() >= 300; })) << window->view()->width();
    window->resize(500, 600);
    settle([&] { return window->width() >= 500 && window->view()->width() >= 300; });
    EXPECT_GE(window->view()->width(), 300);
}

TEST_F(WindowLayoutTest, ALargeWindowKeepsTheDefaultPaneWidths) {
    auto window = open(QSize(1600, 1000));
    settle([&] { return window->dock(Pane::DrawSettings)->width() > 0; });
    // Three columns of 283 pixels leave the view more than 600 pixels.
    for (const Pane pane : {Pane::History, Pane::ColourStroke, Pane::DrawSettings}) {
        EXPECT_NEAR(window->dock(pane)->width(), 283, 1);
    }
    EXPECT_GT(window->view()->width(), 600);
}

TEST_F(WindowLayoutTest, PanesStackedInAColumnShareItsHeight) {
    auto window = open(QSize(1600, 1000));
    settle([&] { return window->dock(Pane::History)->height() > 0; });
    // History over favorites, colour and stroke over the 3D pane: within a
    // column the two panes are about as tall as each other (a separator and
    // rounding apart), so neither shows only its title and toolbar.
    for (const auto& [upper, lower] : {std::pair{Pane::History, Pane::Favorites},
                                       std::pair{Pane::ColourStroke, Pane::Transform}}) {
        const int top = window->dock(upper)->height();
        const int bottom = window->dock(lower)->height();
        EXPECT_GT(top, 300);
        EXPECT_NEAR(top, bottom, 20) << static_cast<int>(upper);
        EXPECT_LT(window->dock(upper)->y(), window->dock(lower)->y());
    }
}

TEST_F(WindowLayoutTest, APaneShownAgainComesBackWithItsSize) {
    auto window = open(QSize(1600, 1000));
    QDockWidget* pane = window->dock(Pane::DrawSettings);
    ASSERT_TRUE(settle([&] { return pane->width() > 200; }));
    // The person widens the pane, closes it and shows it again from the menu.
    window->resizeDocks({pane}, {340}, Qt::Horizontal);
    ASSERT_TRUE(settle([&] { return pane->width() == 340; })) << pane->width();
    const QSize before = pane->size();

    pane->toggleViewAction()->trigger();
    ASSERT_TRUE(settle([&] { return !pane->isVisible(); }));
    pane->toggleViewAction()->trigger();
    EXPECT_TRUE(settle([&] { return pane->isVisible() && pane->width() == before.width(); }))
        << pane->width();
    EXPECT_NEAR(pane->height(), before.height(), 2);
}

TEST_F(WindowLayoutTest, FitToWindowShowsThePictureWhole) {
    auto window = open(QSize(1600, 1000));
    MainView* view = window->view();
    QAction* fit = window->command(CommandId::FitToWindow);
    ASSERT_NE(fit, nullptr);
    EXPECT_EQ(fit->text(), QStringLiteral("ウィンドウに合わせる"));
    EXPECT_TRUE(fit->shortcut().isEmpty());
    EXPECT_FALSE(fit->icon().isNull());
    EXPECT_EQ(view->displaySize(), 800); // the default stays
    settle([&] { return view->width() > 600; });

    fit->trigger();
    const QSize room = view->maximumViewportSize();
    EXPECT_EQ(view->displaySize(), std::min(room.width(), room.height()));
    EXPECT_TRUE(settle([&] {
        return view->viewport()->width() >= view->displaySize() &&
               view->viewport()->height() >= view->displaySize();
    }));
}

TEST_F(WindowLayoutTest, NoTwoCommandsShareAShortcut) {
    auto window = open(QSize(1000, 700));
    QHash<QString, QString> owners;
    for (const QAction* action : window->findChildren<QAction*>()) {
        const QString key = action->shortcut().toString();
        if (key.isEmpty() || !action->objectName().startsWith(QLatin1String("cmd"))) {
            continue;
        }
        EXPECT_FALSE(owners.contains(key))
            << key.toStdString() << " " << action->objectName().toStdString();
        owners.insert(key, action->objectName());
    }
}

TEST_F(WindowLayoutTest, APaneClosedInAnEarlierSessionComesBackWithItsSize) {
    QSize before;
    {
        auto window = open(QSize(1600, 1000));
        QDockWidget* pane = window->dock(Pane::DrawSettings);
        ASSERT_TRUE(settle([&] { return pane->width() > 200; }));
        window->resizeDocks({pane}, {330}, Qt::Horizontal);
        ASSERT_TRUE(settle([&] { return pane->width() == 330; })) << pane->width();
        before = pane->size();
        pane->toggleViewAction()->trigger();
        ASSERT_TRUE(settle([&] { return !pane->isVisible(); }));
        window->close();
    }
    auto window = open(QSize(1600, 1000));
    QDockWidget* pane = window->dock(Pane::DrawSettings);
    EXPECT_FALSE(pane->isVisible());
    pane->toggleViewAction()->trigger();
    EXPECT_TRUE(settle([&] { return pane->isVisible() && pane->width() == before.width(); }))
        << pane->width();
    EXPECT_NEAR(pane->height(), before.height(), 2);
}
