#include "app/commands/favoritescommands.h"

#include "app/windowtest.h"

#include <QDir>
#include <QFile>
#include <QTreeWidget>

#include <vector>

using namespace orbelle;
using orbelle::test::MessageCatcher;
using orbelle::test::readAll;
using orbelle::test::writeAll;

namespace {

// "お気に入り" in code page 932 (お 82A8, 気 8B43, に 82C9, 入 93FC, り 82E8).
const QByteArray kRootLine = QByteArray("1,0,\x82\xa8\x8b\x43\x82\xc9\x93\xfc\x82\xe8,1,1,1\r\n");

class FavoritesCommandsTest : public test::WindowTest {
  protected:
    QString storePath() const { return dataFile(QStringLiteral("csv_okiniiri0")); }
    QString filePath(const char* name) const { return scratchFile(QString::fromUtf8(name)); }
};

} // namespace

TEST_F(FavoritesCommandsTest, DoubleClickOnAFavoriteDrawsItAndRecordsItOnce) {
    auto window = open();
    DrawSettings chosen = window->captureSettings();
    chosen.rotZ = 45;
    chosen.zoom = 250;
    chosen.penWidth = 3;
    window->applySettings(chosen, true);
    window->waitForDrawing();
    chosen = window->captureSettings();

    // The menu command keeps the current record in the root.
    m_prompts->newName = QStringLiteral("星");
    window->command(CommandId::FavoritesAddFile)->trigger();
    FavoritesPane* pane = window->favoritesPane();
    ASSERT_EQ(pane->entries().size(), 2u);
    EXPECT_EQ(pane->entries()[1].parent, 1);
    EXPECT_EQ(pane->entries()[1].settings, chosen);

    DrawSettings other = chosen;
    other.rotZ = 0;
    other.zoom = 100;
    other.penWidth = 1;
    window->applySettings(other, true);
    window->waitForDrawing();
    ASSERT_EQ(window->captureSettings().zoom, 100);

    std::vector<DrawSettings> recorded;
    QObject::connect(window.get(), &MainWindow::drawingRecorded,
                     [&recorded](const DrawSettings& settings) { recorded.push_back(settings); });
    QTreeWidget* tree = pane->tree();
    const QPoint point = tree->visualItemRect(pane->itemOfId(2)).center();
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, point);
    QTest::mouseDClick(tree->viewport(), Qt::LeftButton, {}, point);
    window->waitForDrawing();
    ASSERT_EQ(recorded.size(), 1u);
    EXPECT_EQ(recorded[0], chosen);
    EXPECT_EQ(window->captureSettings(), chosen);

    // A double click on the folder draws nothing.
    const QPoint folder = tree->visualItemRect(pane->itemOfId(1)).center();
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, folder);
    QTest::mouseDClick(tree->viewport(), Qt::LeftButton, {}, folder);
    window->waitForDrawing();
    EXPECT_EQ(recorded.size(), 1u);
}

TEST_F(FavoritesCommandsTest, SaveResetAndLoadTheWholeSet) {
    auto window = open();
    FavoritesPane* pane = window->favoritesPane();
    m_prompts->newName = QStringLiteral("フォルダ");
    window->command(CommandId::FavoritesNewFolder)->trigger();
    m_prompts->newName = QStringLiteral("図形");
    m_prompts->chosenFolder = 2;
    window->command(CommandId::FavoritesAddFile)->trigger();
    ASSERT_EQ(pane->entries().size(), 3u);
    const QByteArray full = readAll(storePath());

    m_prompts->exportPath = filePath("set.orbfv");
    window->command(CommandId::FavoritesSave)->trigger();
    EXPECT_EQ(readAll(filePath("set.orbfv")), full);

    // Reset asks; No keeps everything.
    window->command(CommandId::FavoritesReset)->trigger();
    EXPECT_EQ(m_prompts->confirmCaption, QStringLiteral("お気に入り削除"));
    EXPECT_EQ(m_prompts->confirmText, QStringLiteral("お気に入りをすべて削除しますか？"));
    EXPECT_EQ(readAll(storePath()), full);
    m_prompts->confirmAnswer = true;
    window->command(CommandId::FavoritesReset)->trigger();
    EXPECT_EQ(readAll(storePath()), kRootLine);
    EXPECT_EQ(pane->tree()->topLevelItem(0)->childCount(), 0);

    // Loading replaces: a favorite made meanwhile is gone afterwards.
    m_prompts->chosenFolder = 0;
    m_prompts->newName = QStringLiteral("消える");
    window->command(CommandId::FavoritesAddFile)->trigger();
    m_prompts->importPath = filePath("set.orbfv");
    window->command(CommandId::FavoritesLoad)->trigger();
    EXPECT_EQ(readAll(storePath()), full);
    ASSERT_EQ(pane->entries().size(), 3u);
    EXPECT_EQ(pane->entries()[2].name, "図形");
    EXPECT_TRUE(m_prompts->errors.isEmpty()) << m_prompts->errors.join('|').toStdString();

    // The pane's context menu saves the same way.
    m_prompts->exportPath = filePath("again.orbfv");
    pane->findChild<QAction*>(QStringLiteral("cmd11671"))->trigger();
    EXPECT_EQ(readAll(filePath("again.orbfv")), full);

    // A broken line is dropped and the rest loaded; the status bar says so.
    QByteArray damaged = full;
    damaged.append("4,1,broken,0,0,1,2,3\r\n");
    ASSERT_TRUE(writeAll(filePath("damaged.orbfv"), damaged));
    m_prompts->importPath = filePath("damaged.orbfv");
    window->command(CommandId::FavoritesLoad)->trigger();
    EXPECT_EQ(readAll(storePath()), full);
    EXPECT_TRUE(window->statusBar()->currentMessage().contains(QStringLiteral("1 行")))
        << window->statusBar()->currentMessage().toStdString();
}

TEST_F(FavoritesCommandsTest, FailedSavesAndLoadsAreReportedWithPathAndReason) {
    auto window = open();
    m_prompts->newName = QStringLiteral("残る");
    window->command(CommandId::FavoritesAddFile)->trigger();
    const QByteArray kept = readAll(storePath());

    m_prompts->exportPath = filePath("missing-folder/set.orbfv");
    window->command(CommandId::FavoritesSave)->trigger();
    ASSERT_EQ(m_prompts->errors.size(), 1);
    EXPECT_TRUE(m_prompts->errors[0].startsWith(QStringLiteral("お気に入りの保存\n")));
    EXPECT_TRUE(m_prompts->errors[0].contains(QStringLiteral("missing-folder")));

    m_prompts->importPath = filePath("nothing-here.orbfv");
    window->command(CommandId::FavoritesLoad)->trigger();
    ASSERT_EQ(m_prompts->errors.size(), 2);
    EXPECT_TRUE(m_prompts->errors[1].contains(QStringLiteral("nothing-here.orbfv")));
    EXPECT_EQ(readAll(storePath()), kept);

    // A file that holds no favorites at all would empty the store: refused.
    ASSERT_TRUE(writeAll(filePath("notes.orbfv"), "just some text\nand more\n"));
    m_prompts->importPath = filePath("notes.orbfv");
    window->command(CommandId::FavoritesLoad)->trigger();
    ASSERT_EQ(m_prompts->errors.size(), 3);
    EXPECT_TRUE(m_prompts->errors[2].contains(QStringLiteral("notes.orbfv")));
    EXPECT_EQ(readAll(storePath()), kept);

    // Cancelled choosers change nothing and say nothing.
    m_prompts->cancel = true;
    window->command(CommandId::FavoritesSave)->trigger();
    window->command(CommandId::FavoritesLoad)->trigger();
    EXPECT_EQ(m_prompts->errors.size(), 3);
}

TEST_F(FavoritesCommandsTest, ACollapsedFolderStaysCollapsedAfterARestart) {
    {
        auto window = open();
        m_prompts->newName = QStringLiteral("F");
        window->command(CommandId::FavoritesNewFolder)->trigger();
        m_prompts->newName = QStringLiteral("A");
        m_prompts->chosenFolder = 2;
        window->command(CommandId::FavoritesAddFile)->trigger();
        FavoritesPane* pane = window->favoritesPane();
        ASSERT_TRUE(pane->itemOfId(2)->isExpanded());
        pane->itemOfId(2)->setExpanded(false);
        window->close();
    }
    auto window = open();
    FavoritesPane* pane = window->favoritesPane();
    ASSERT_NE(pane->itemOfId(2), nullptr);
    EXPECT_FALSE(pane->itemOfId(2)->isExpanded());
    EXPECT_TRUE(pane->itemOfId(1)->isExpanded());
}

TEST_F(FavoritesCommandsTest, AStoreThatCannotBeOpenedIsNamedAndTheProgramGoesOn) {
    ASSERT_TRUE(QDir().mkdir(storePath())); // a folder in the store's place
    MessageCatcher catcher;
    // The program's own message boxes, not the scripted prompts: the message
    // comes before any test could replace them.
    auto window = std::make_unique<MainWindow>(dataDir());
    window->show();
    EXPECT_TRUE(QTest::qWaitFor([&] { return catcher.count() > 0; }, 3000));
    ASSERT_EQ(catcher.count(), 1);
    EXPECT_EQ(catcher.title(), QStringLiteral("お気に入り"));
    EXPECT_TRUE(catcher.text().contains(storePath())) << catcher.text().toStdString();
    EXPECT_EQ(window->favoritesPane()->tree()->topLevelItemCount(), 0);
    window->command(CommandId::Draw)->trigger(); // drawing still works
    EXPECT_TRUE(window->isVisible());
}

TEST_F(FavoritesCommandsTest, ATreeThatCannotBeReadAgainIsToldInTheStatusBar) {
    auto window = open();
    m_prompts->newName = QStringLiteral("星");
    window->command(CommandId::FavoritesAddFile)->trigger();
    FavoritesPane* pane = window->favoritesPane();
    ASSERT_EQ(pane->entries().size(), 2u);
    EXPECT_EQ(statusText(*window), QStringLiteral("レディ"));

    // The store turns into a folder before the tree is filled again.
    ASSERT_TRUE(QFile::remove(storePath()));
    ASSERT_TRUE(QDir().mkdir(storePath()));
    MessageCatcher catcher;
    EXPECT_FALSE(pane->refill().ok());
    EXPECT_EQ(pane->tree()->topLevelItemCount(), 0);
    const QString status = statusText(*window);
    EXPECT_TRUE(status.startsWith(QStringLiteral("お気に入りを表示できません: ")))
        << status.toStdString();
    EXPECT_TRUE(status.contains(storePath())) << status.toStdString();
    EXPECT_FALSE(status.contains(QLatin1Char('\n')));
    EXPECT_EQ(catcher.count(), 0); // no box in the way
    EXPECT_TRUE(m_prompts->errors.isEmpty());
}
