#include "app/toolbarcustomiser.h"

#include "app/commands/windowcommands.h"
#include "app/customisedialog.h"
#include "app/customisekeyboardtab.h"
#include "app/customisetoolbarstab.h"
#include "app/mainwindow.h"
#include "app/menucommands.h"
#include "app/userimages.h"
#include "app/windowtest.h"
#include "support/polling.h"

#include <QAction>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QImage>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QRegularExpression>
#include <QSettings>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QToolBar>

#include <memory>

using namespace orbelle;

namespace {

constexpr int kStd = Customisation::kStandardToolBarId;
const QString kArrangementKey = QStringLiteral("Workspace/Customisation");

// The toolbar's items: "-" for a separator, else the action's name; the
// options button at the end is left out.
QStringList items(const QToolBar* toolBar) {
    QStringList names;
    for (const QAction* action : toolBar->actions()) {
        if (action->isSeparator()) {
            names << QStringLiteral("-");
        } else if (!action->objectName().isEmpty()) {
            names << action->objectName();
        }
    }
    return names;
}

const QStringList kDefaultStandard = {"cmd11901", "cmd11902", "cmd11903", "-",       "cmd10011",
                                      "cmd10012", "cmd11602", "cmd32840", "-",       "cmd11807",
                                      "cmd11806", "-",        "cmd10030", "cmd10031"};

// A strip of count 16 x 15 images, image k filled with grey level 40 k.
QImage strip(int count, int height = kUserImageHeight) {
    QImage image(kUserImageWidth * count, height, QImage::Format_RGB32);
    for (int k = 0; k < count; ++k) {
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < kUserImageWidth; ++x) {
                image.setPixel(k * kUserImageWidth + x, y, qRgb(40 * k, 40 * k, 40 * k));
            }
        }
    }
    return image;
}

class ToolBarCustomiserTest : public test::WindowTest {
  protected:
    static void close(std::unique_ptr<MainWindow>& window) {
        window->close();
        window.reset();
    }
    static ToolBarCustomiser& customiser(const MainWindow& window) {
        return *window.windowCommands()->toolBars();
    }
};

} // namespace

TEST_F(ToolBarCustomiserTest, ArrangementShortcutsAndUserToolBarsSurviveARestart) {
    auto window = open();
    ToolBarCustomiser& c = customiser(*window);
    EXPECT_EQ(items(window->standardToolBar()), kDefaultStandard);

    std::optional<int> user;
    ASSERT_TRUE(c.change([&](Customisation& a) {
        user = a.addUserToolBar(QStringLiteral("私の道具"));
        return user.has_value();
    }));
    ASSERT_EQ(user, 59432);
    // Draw goes from "標準" to the user toolbar, next to "３Ｄ変換・リセット".
    EXPECT_TRUE(c.change([&](Customisation& a) { return a.moveButton(kStd, 12, *user, 0); }));
    EXPECT_TRUE(c.change([&](Customisation& a) {
        return a.insertButton(*user, 1, CommandId::Reset3D) && a.insertSeparator(*user, 1);
    }));
    EXPECT_TRUE(c.change([&](Customisation& a) {
        return a.setShortcut(CommandId::Draw, QStringLiteral("Ctrl+F3")).applied;
    }));
    QToolBar* userBar = c.toolBar(*user);
    ASSERT_NE(userBar, nullptr);
    EXPECT_EQ(userBar->objectName(), QStringLiteral("userToolBar59432"));
    EXPECT_EQ(userBar->windowTitle(), QStringLiteral("私の道具"));
    EXPECT_TRUE(userBar->isVisible());
    EXPECT_EQ(items(userBar), (QStringList{"cmd10030", "-", "cmd11240"}));
    EXPECT_EQ(window->command(CommandId::Draw)->shortcut(),
              QKeySequence(QStringLiteral("Ctrl+F3")));
    // The user toolbar is listed with "標準" in the view menu.
    const QMenu* panes = nullptr;
    for (const QMenu* menu : window->menuBar()->findChildren<QMenu*>()) {
        if (menu->title() == QStringLiteral("ツール バーとドッキング ウィンドウ(&T)")) {
            panes = menu;
        }
    }
    ASSERT_NE(panes, nullptr);
    const qsizetype standardEntry =
        panes->actions().indexOf(window->standardToolBar()->toggleViewAction());
    ASSERT_GE(standardEntry, 0);
    EXPECT_EQ(panes->actions().value(standardEntry + 1), userBar->toggleViewAction());
    close(window);

    window = open();
    ToolBarCustomiser& again = customiser(*window);
    EXPECT_EQ(items(window->standardToolBar()),
              (QStringList{"cmd11901", "cmd11902", "cmd11903", "-", "cmd10011", "cmd10012",
                           "cmd11602", "cmd32840", "-", "cmd11807", "cmd11806", "-", "cmd10031"}));
    ASSERT_NE(again.toolBar(59432), nullptr);
    EXPECT_EQ(again.toolBar(59432)->windowTitle(), QStringLiteral("私の道具"));
    EXPECT_EQ(items(again.toolBar(59432)), (QStringList{"cmd10030", "-", "cmd11240"}));
    EXPECT_TRUE(again.toolBar(59432)->isVisible());
    EXPECT_EQ(window->command(CommandId::Draw)->shortcut(),
              QKeySequence(QStringLiteral("Ctrl+F3")));

    // Renamed, hidden, then deleted: gone after the next start too.
    EXPECT_TRUE(again.change(
        [](Customisation& a) { return a.renameUserToolBar(59432, QStringLiteral("描画")); }));
    EXPECT_EQ(again.toolBar(59432)->windowTitle(), QStringLiteral("描画"));
    EXPECT_EQ(again.toolBar(59432)->toggleViewAction()->text(), QStringLiteral("描画"));
    EXPECT_TRUE(again.change([](Customisation& a) { return a.removeUserToolBar(59432); }));
    EXPECT_EQ(again.toolBar(59432), nullptr);
    close(window);
    window = open();
    EXPECT_EQ(customiser(*window).toolBar(59432), nullptr);
    EXPECT_EQ(window->findChild<QToolBar*>(QStringLiteral("userToolBar59432")), nullptr);
}

TEST_F(ToolBarCustomiserTest, DamagedStoredArrangementGivesTheDefaultsAndKeepsTheRest) {
    for (const QString& damaged :
         {QStringLiteral("{\"version\":1,\"toolBars\":[{\"id\":5"),
          QStringLiteral("{\"version\":0,\"toolBars\":[{\"id\":59392,\"name\":\"s\",\"buttons\":"
                         "[10030]}],\"shortcuts\":{\"10030\":\"F12\"}}")}) {
        {
            QSettings settings;
            settings.setValue(kArrangementKey, damaged);
            settings.setValue(QStringLiteral("Workspace/ApplicationLook"), 216);
        }
        auto window = open();
        EXPECT_EQ(items(window->standardToolBar()), kDefaultStandard);
        EXPECT_EQ(window->command(CommandId::Draw)->shortcut(), QKeySequence(Qt::Key_F3));
        EXPECT_EQ(window->windowCommands()->visualStyle(), CommandId::StyleOffice2007Black);
        // The entry stays as it was until the person changes something.
        EXPECT_EQ(QSettings().value(kArrangementKey).toString(), damaged);
        close(window);
    }
}

TEST_F(ToolBarCustomiserTest, ADropOnAToolBarAddsTheCommandAtThatPlace) {
    auto window = open();
    QToolBar* toolBar = window->standardToolBar();
    // Just left of the centre of the second button: before it.
    QWidget* second = toolBar->widgetForAction(toolBar->actions().at(1));
    const QPoint at = second->geometry().center() - QPoint(2, 0);
    QMimeData data;
    data.setData(kCommandMimeType, QByteArray::number(commandNumber(CommandId::Reset3D)));
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(toolBar, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(toolBar, &drop);
    EXPECT_TRUE(drop.isAccepted());
    ASSERT_TRUE(
        test::waitFor([&] { return items(toolBar).size() == kDefaultStandard.size() + 1; }, 5000));
    EXPECT_EQ(items(toolBar).mid(0, 3), (QStringList{"cmd11901", "cmd11240", "cmd11902"}));

    // A dragged button dropped at the end moves there.
    QMimeData button;
    button.setData(kToolBarButtonMimeType, QByteArrayLiteral("59392 0"));
    const auto x = [toolBar](int k) {
        return toolBar->widgetForAction(toolBar->actions().at(k))->geometry().x();
    };
    ASSERT_TRUE(
        test::waitFor([&] { return x(14) > x(13) && x(13) > x(0); }, 5000)); // laid out again
    const QPoint end =
        toolBar->widgetForAction(toolBar->actions().at(14))->geometry().center() + QPoint(4, 0);
    QDragEnterEvent moveEnter(end, Qt::MoveAction, &button, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(toolBar, &moveEnter);
    EXPECT_TRUE(moveEnter.isAccepted());
    QDropEvent move(end, Qt::MoveAction, &button, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(toolBar, &move);
    ASSERT_TRUE(
        test::waitFor([&] { return items(toolBar).last() == QStringLiteral("cmd11901"); }, 5000));
    EXPECT_EQ(items(toolBar).first(), QStringLiteral("cmd11240"));

    // Something else is not taken.
    QMimeData text;
    text.setText(QStringLiteral("cmd10030"));
    QDragEnterEvent other(at, Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(toolBar, &other);
    EXPECT_FALSE(other.isAccepted());
}

TEST_F(ToolBarCustomiserTest, DialogListsTheMenusAndResetsTheStandardToolBar) {
    auto window = open();
    window->command(CommandId::CustomiseToolBar)->trigger();
    CustomiseDialog* dialog = customiser(*window).dialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_TRUE(customiser(*window).isCustomising());
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("カスタマイズ"));
    ASSERT_EQ(dialog->tabs()->count(), 3);
    EXPECT_EQ(dialog->tabs()->tabText(0), QStringLiteral("コマンド"));
    EXPECT_EQ(dialog->tabs()->tabText(1), QStringLiteral("ツール バー"));
    EXPECT_EQ(dialog->tabs()->tabText(2), QStringLiteral("キーボード"));

    // Every command of every menu is offered, grouped by menu.
    const auto categories = menuCommands(*window->menuBar(), customiser(*window).commands());
    QStringList titles;
    int listed = 0;
    for (const auto& category : categories) {
        titles << category.title;
        listed += int(category.commands.size());
    }
    EXPECT_EQ(titles,
              (QStringList{"ファイル", "描画", "お気に入り", "ヒストリー", "表示", "ヘルプ"}));
    // All commands but the Windows 7 look, which no menu offers.
    const auto commands =
        window->findChildren<QAction*>(QRegularExpression("^cmd\\d+$"), Qt::FindDirectChildrenOnly);
    EXPECT_EQ(listed, int(commands.size()) - 1);
    EXPECT_EQ(categories.first().commands.first(), CommandId::FileOpen);
    auto* list = dialog->findChild<QListWidget*>(QStringLiteral("commandList"));
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->item(0)->text(), QStringLiteral("開く..."));
    EXPECT_EQ(list->item(list->count() - 1)->data(Qt::UserRole).toInt(), 0); // the separator
    dialog->findChild<QListWidget*>(QStringLiteral("categoryList"))->setCurrentRow(1);
    EXPECT_EQ(list->item(0)->text(), QStringLiteral("描画"));
    EXPECT_FALSE(list->item(0)->icon().isNull());

    // "リセット" on "ツール バー" brings the ten buttons of "標準" back.
    ToolBarCustomiser& c = customiser(*window);
    c.change([](Customisation& a) { return a.removeButton(kStd, 0) && a.removeButton(kStd, 0); });
    window->standardToolBar()->hide();
    EXPECT_EQ(items(window->standardToolBar()).size(), kDefaultStandard.size() - 2);
    auto* toolBars = dialog->findChild<QListWidget*>(QStringLiteral("toolBarList"));
    ASSERT_NE(toolBars, nullptr);
    EXPECT_EQ(toolBars->item(0)->text(), QStringLiteral("標準"));
    EXPECT_EQ(toolBars->item(0)->checkState(), Qt::Unchecked);
    toolBars->setCurrentRow(0);
    QPushButton* reset = nullptr;
    QPushButton* remove = nullptr;
    for (QPushButton* button : dialog->findChildren<QPushButton*>()) {
        if (button->text() == QStringLiteral("リセット(&R)")) {
            reset = button;
        } else if (button->text() == QStringLiteral("削除(&D)")) {
            remove = button;
        }
    }
    ASSERT_NE(reset, nullptr);
    ASSERT_NE(remove, nullptr);
    EXPECT_FALSE(remove->isEnabled()); // "標準" is not deleted
    reset->click();
    EXPECT_EQ(items(window->standardToolBar()), kDefaultStandard);
    EXPECT_TRUE(window->standardToolBar()->isVisible());
    EXPECT_EQ(toolBars->item(0)->checkState(), Qt::Checked);

    // A user toolbar made in the dialog can be renamed and deleted there.
    ASSERT_TRUE(dialog->toolBarsTab()->createToolBar(QStringLiteral("追加")));
    ASSERT_EQ(toolBars->count(), 2);
    toolBars->setCurrentRow(1);
    EXPECT_TRUE(remove->isEnabled());
    EXPECT_FALSE(reset->isEnabled());
    EXPECT_TRUE(dialog->toolBarsTab()->renameToolBar(59432, QStringLiteral("改名")));
    EXPECT_EQ(toolBars->item(1)->text(), QStringLiteral("改名"));
    {
        orbelle::test::MessageCatcher catcher;
        EXPECT_FALSE(dialog->toolBarsTab()->createToolBar(QStringLiteral("標準")));
        EXPECT_EQ(catcher.count(), 1);
        EXPECT_EQ(catcher.text(), QStringLiteral("その名前のツール バーは既にあります。"));
    }
    toolBars->item(1)->setCheckState(Qt::Unchecked);
    EXPECT_FALSE(customiser(*window).toolBar(59432)->isVisible());
    dialog->close();
    EXPECT_FALSE(customiser(*window).isCustomising());
}

TEST_F(ToolBarCustomiserTest, TakenShortcutIsReportedWithItsCommand) {
    auto window = open();
    customiser(*window).openDialog();
    CustomiseDialog* dialog = customiser(*window).dialog();
    dialog->keyboardTab()->selectCommand(CommandId::Draw);
    EXPECT_FALSE(dialog->keyboardTab()->assignShortcut(QKeySequence(QStringLiteral("Ctrl+Z"))));
    EXPECT_TRUE(dialog->keyboardTab()->message().contains(QStringLiteral("「一つ前に戻す」")))
        << dialog->keyboardTab()->message().toStdString();
    EXPECT_EQ(window->command(CommandId::Draw)->shortcut(), QKeySequence(Qt::Key_F3));

    // Cleared, given to another command, and all back by "すべてリセット".
    dialog->keyboardTab()->selectCommand(CommandId::HistoryBack);
    EXPECT_TRUE(dialog->keyboardTab()->assignShortcut({}));
    EXPECT_TRUE(window->command(CommandId::HistoryBack)->shortcut().isEmpty());
    dialog->keyboardTab()->selectCommand(CommandId::Draw);
    EXPECT_TRUE(dialog->keyboardTab()->assignShortcut(QKeySequence(QStringLiteral("Ctrl+Z"))));
    EXPECT_EQ(window->command(CommandId::Draw)->shortcut(), QKeySequence(QStringLiteral("Ctrl+Z")));
    for (QPushButton* button : dialog->findChildren<QPushButton*>()) {
        if (button->text() == QStringLiteral("すべてリセット(&S)")) {
            button->click();
        }
    }
    EXPECT_EQ(window->command(CommandId::Draw)->shortcut(), QKeySequence(Qt::Key_F3));
    EXPECT_EQ(window->command(CommandId::HistoryBack)->shortcut(),
              QKeySequence(QStringLiteral("Ctrl+Z")));
}

TEST_F(ToolBarCustomiserTest, UserImagesComeFromTheDataFolderOnly) {
    // A strip in the folder the program starts from is never read.
    QTemporaryDir current;
    ASSERT_TRUE(current.isValid());
    const QString before = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(current.path()));
    ASSERT_TRUE(strip(4).save(QStringLiteral("UserImages.bmp"), "BMP"));
    EXPECT_TRUE(loadUserImages(dataDir()).isEmpty());
    {
        auto window = open();
        EXPECT_TRUE(customiser(*window).userImages().isEmpty());
    }

    ASSERT_TRUE(strip(3).save(dataDir() + QStringLiteral("UserImages.bmp"), "BMP"));
    const QList<QImage> images = loadUserImages(dataDir());
    ASSERT_EQ(images.size(), 3);
    EXPECT_EQ(images.at(2).size(), QSize(16, 15));
    EXPECT_EQ(images.at(2).pixel(5, 5), qRgb(80, 80, 80));
    EXPECT_EQ(images.at(1).pixel(15, 14), qRgb(40, 40, 40));

    // A user toolbar button shows the chosen image and still runs its command.
    {
        auto window = open();
        ToolBarCustomiser& c = customiser(*window);
        ASSERT_EQ(c.userImages().size(), 3);
        ASSERT_TRUE(c.change([](Customisation& a) {
            const auto id = a.addUserToolBar(QStringLiteral("絵"));
            return id && a.insertButton(*id, 0, CommandId::ResetLayout) &&
                   a.setButtonImage(*id, CommandId::ResetLayout, 2);
        }));
        QAction* shown = c.toolBar(59432)->actions().first();
        EXPECT_NE(shown, window->command(CommandId::ResetLayout));
        EXPECT_EQ(shown->icon().pixmap(16, 15).toImage().pixel(5, 5), qRgb(80, 80, 80));
        int resets = 0;
        QObject::connect(window->command(CommandId::ResetLayout), &QAction::triggered,
                         [&resets] { ++resets; });
        shown->trigger();
        EXPECT_EQ(resets, 1);
    }
    ASSERT_TRUE(QDir::setCurrent(before));

    // Oversized, undecodable or not 15 pixels high: none.
    const QString path = dataDir() + QStringLiteral("UserImages.bmp");
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(819201, 'B'));
    }
    EXPECT_TRUE(loadUserImages(dataDir()).isEmpty());
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("BM this is no picture");
    }
    EXPECT_TRUE(loadUserImages(dataDir()).isEmpty());
    ASSERT_TRUE(strip(2, 16).save(path, "BMP"));
    EXPECT_TRUE(loadUserImages(dataDir()).isEmpty());
    ASSERT_TRUE(QFile::remove(path));
    EXPECT_TRUE(loadUserImages(dataDir()).isEmpty());
}
