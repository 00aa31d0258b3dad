#include "app/commands/historycommands.h"

#include "app/windowtest.h"
#include "engine/draw.h"
#include "panes/drawsettingspane.h"
#include "panes/historypane.h"
#include "panes/transformpane.h"
#include "store/settingsline.h"
#include "view/mainview.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>

#include <initializer_list>

using namespace orbelle;
using orbelle::test::MessageCatcher;
using orbelle::test::readAll;
using orbelle::test::writeAll;

namespace {

// A history line of the start-up record with the enlargement `zoom`.
QByteArray historyLine(int zoom) {
    DrawSettings settings = DrawSettings::startup();
    settings.zoom = zoom;
    return QByteArray::fromStdString(formatLine(LineVariant::History, settings)) + "\r\n";
}

class HistoryCommandsTest : public test::WindowTest {
  protected:
    void openWindow() {
        m_window = open();
        // Draws are counted; each still runs the engine.
        m_window->view()->setDrawFunction(
            [this](const DrawSettings& settings, Canvas& canvas, const DrawProgress& progress) {
                ++m_draws;
                return draw(settings, canvas, progress);
            });
    }

    QString storePath() const { return dataFile(QStringLiteral("csv_history0")); }
    QString tempPath(const QString& name) const { return scratchFile(name); }

    /// The store's lines, without their CR LF ends.
    QList<QByteArray> lines() const {
        QList<QByteArray> result = readAll(storePath()).split('\n');
        if (!result.isEmpty() && result.last().isEmpty()) {
            result.removeLast();
        }
        for (QByteArray& line : result) {
            EXPECT_TRUE(line.endsWith('\r'));
            line.chop(1);
        }
        return result;
    }
    /// Field `index` of a store line.
    QByteArray field(int line, int index) const { return lines().at(line).split(',').at(index); }

    /// Draws with each enlargement in turn (field 45 of a line).
    void drawWithZoom(std::initializer_list<int> zooms) {
        for (const int zoom : zooms) {
            DrawSettings settings = m_window->captureSettings();
            settings.zoom = zoom;
            m_window->transformPane()->apply(settings);
            triggerAndWait(*m_window, CommandId::Draw);
        }
    }
    int zoom() const { return m_window->captureSettings().zoom; }

    QStringList buttonLabels() const {
        QStringList labels;
        for (int i = 0; i < HistoryPane::kButtonCount; ++i) {
            const QPushButton* button = m_window->historyPane()->entryButton(i);
            if (!button->isHidden()) {
                labels << button->text();
            }
        }
        return labels;
    }
    int pressedButton() const {
        for (int i = 0; i < HistoryPane::kButtonCount; ++i) {
            if (m_window->historyPane()->entryButton(i)->isChecked()) {
                return i;
            }
        }
        return -1;
    }

    int m_draws = 0;
};

} // namespace

TEST_F(HistoryCommandsTest, BackAndForwardReplayEntriesWithoutAddingLines) {
    openWindow();
    EXPECT_TRUE(buttonLabels().isEmpty());
    // With an empty history the four commands change nothing and draw nothing.
    for (const CommandId id : {CommandId::HistoryBack, CommandId::HistoryForward,
                               CommandId::HistoryPreviousPage, CommandId::HistoryNextPage}) {
        m_window->command(id)->trigger();
    }
    EXPECT_EQ(m_draws, 0);

    drawWithZoom({101, 102, 103});
    ASSERT_EQ(lines().size(), 3);
    // Oldest first; the enlargement is field 45, the check value field 68.
    EXPECT_EQ(field(0, 45), "101");
    EXPECT_EQ(field(2, 45), "103");
    EXPECT_EQ(lines().at(2).split(',').size(), 69);
    EXPECT_EQ(buttonLabels(), (QStringList{"1", "2", "3"}));
    EXPECT_EQ(pressedButton(), 0);

    triggerAndWait(*m_window, CommandId::HistoryBack);
    EXPECT_EQ(zoom(), 102); // entry 1, the second newest
    EXPECT_EQ(m_draws, 4);
    EXPECT_EQ(lines().size(), 3);
    EXPECT_EQ(pressedButton(), 1);

    triggerAndWait(*m_window, CommandId::HistoryForward);
    EXPECT_EQ(zoom(), 103);
    EXPECT_EQ(lines().size(), 3);
    EXPECT_EQ(pressedButton(), 0);

    // At either end the end entry is drawn again.
    triggerAndWait(*m_window, CommandId::HistoryForward);
    EXPECT_EQ(zoom(), 103);
    for (int k = 0; k < 3; ++k) {
        triggerAndWait(*m_window, CommandId::HistoryBack);
    }
    EXPECT_EQ(zoom(), 101);
    EXPECT_EQ(pressedButton(), 2);
    EXPECT_EQ(m_draws, 9);
    EXPECT_EQ(lines().size(), 3);

    // A new drawing becomes entry 1's successor: entry 0, pressed.
    drawWithZoom({104});
    EXPECT_EQ(lines().size(), 4);
    EXPECT_EQ(pressedButton(), 0);
    EXPECT_EQ(buttonLabels().size(), 4);
}

TEST_F(HistoryCommandsTest, EntryButtonsLoadOnADoubleClickOnly) {
    openWindow();
    drawWithZoom({101, 102, 103});
    const int draws = m_draws;
    HistoryPane* pane = m_window->historyPane();

    QTest::mouseClick(pane->entryButton(2), Qt::LeftButton);
    QTest::mouseClick(pane->entryButton(1), Qt::LeftButton);
    EXPECT_EQ(m_draws, draws);
    EXPECT_EQ(zoom(), 103);

    QTest::mouseDClick(pane->entryButton(2), Qt::LeftButton);
    m_window->waitForDrawing();
    EXPECT_EQ(m_draws, draws + 1);
    EXPECT_EQ(zoom(), 101);
    EXPECT_EQ(pressedButton(), 2);
    EXPECT_EQ(lines().size(), 3);

    // Enter on a focused button loads its entry.
    pane->entryButton(1)->setFocus();
    QTest::keyClick(pane->entryButton(1), Qt::Key_Return);
    m_window->waitForDrawing();
    EXPECT_EQ(m_draws, draws + 2);
    EXPECT_EQ(zoom(), 102);
    EXPECT_EQ(pressedButton(), 1);
}

TEST_F(HistoryCommandsTest, CtrlZUndoesInAnEditBoxAndStepsBackElsewhere) {
    openWindow();
    drawWithZoom({101, 102});
    auto* edit = m_window->settingsPane()->findChild<QLineEdit*>(QStringLiteral("edit10300"));
    ASSERT_NE(edit, nullptr);
    edit->setFocus();
    ASSERT_TRUE(edit->hasFocus());
    const QString before = edit->text();
    edit->selectAll();
    QTest::keyClicks(edit, QStringLiteral("1"));
    EXPECT_EQ(edit->text(), QStringLiteral("1"));
    QTest::keyClick(edit, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(edit->text(), before); // the box's own undo
    EXPECT_EQ(zoom(), 102);          // the history did not move

    // From an entry button (or anywhere else) Ctrl+Z steps the history.
    QPushButton* button = m_window->historyPane()->entryButton(0);
    button->setFocus();
    QTest::keyClick(button, Qt::Key_Z, Qt::ControlModifier);
    m_window->waitForDrawing();
    EXPECT_EQ(zoom(), 101);
    QTest::keyClick(button, Qt::Key_D, Qt::ControlModifier);
    m_window->waitForDrawing();
    EXPECT_EQ(zoom(), 102);
    EXPECT_EQ(lines().size(), 2);
}

TEST_F(HistoryCommandsTest, StartUpDropsBrokenLinesAndPagingShowsOlderEntries) {
    // 150 entries, the 2nd oldest lacking a field.
    QByteArray store;
    for (int k = 0; k < 151; ++k) {
        QByteArray line = historyLine(k);
        if (k == 1) {
            line = line.left(line.lastIndexOf(',')) + "\r\n";
        }
        store += line;
    }
    ASSERT_TRUE(writeAll(storePath(), store));
    openWindow();
    ASSERT_EQ(lines().size(), 150);
    EXPECT_EQ(field(0, 45), "0");
    EXPECT_EQ(field(1, 45), "2");
    EXPECT_EQ(buttonLabels().size(), 100);

    triggerAndWait(*m_window, CommandId::HistoryPreviousPage);
    QStringList older;
    for (int n = 101; n <= 150; ++n) {
        older << QString::number(n);
    }
    EXPECT_EQ(buttonLabels(), older);
    EXPECT_EQ(pressedButton(), -1);
    m_window->command(CommandId::HistoryPreviousPage)->trigger(); // no third page
    m_window->waitForDrawing();
    EXPECT_EQ(buttonLabels(), older);
    EXPECT_EQ(m_draws, 0);

    // Button "150" is the oldest entry, zoom 0.
    QTest::mouseDClick(m_window->historyPane()->entryButton(49), Qt::LeftButton);
    EXPECT_EQ(zoom(), 0);
    EXPECT_EQ(pressedButton(), 49);
    triggerAndWait(*m_window, CommandId::HistoryNextPage);
    EXPECT_EQ(buttonLabels().size(), 100);
    EXPECT_EQ(pressedButton(), -1);
}

TEST_F(HistoryCommandsTest, ResetAsksAndEmptiesOnlyOnYes) {
    openWindow();
    drawWithZoom({101, 102});
    const QByteArray before = readAll(storePath());
    {
        MessageCatcher no(QMessageBox::No);
        m_window->command(CommandId::HistoryReset)->trigger();
        EXPECT_EQ(no.count(), 1);
        EXPECT_EQ(no.title(), QStringLiteral("ヒストリー削除"));
        EXPECT_EQ(no.text(), QStringLiteral("ヒストリーをすべて削除しますか？"));
        EXPECT_EQ(no.icon(), QMessageBox::Warning);
        EXPECT_EQ(no.buttons(), QMessageBox::Yes | QMessageBox::No);
    }
    EXPECT_EQ(readAll(storePath()), before);
    {
        MessageCatcher yes(QMessageBox::Yes);
        m_window->command(CommandId::HistoryReset)->trigger();
        EXPECT_EQ(yes.count(), 1);
    }
    EXPECT_TRUE(QFile::exists(storePath()));
    EXPECT_EQ(QFile(storePath()).size(), 0);
    EXPECT_TRUE(buttonLabels().isEmpty());
    const int draws = m_draws;
    triggerAndWait(*m_window, CommandId::HistoryBack);
    EXPECT_EQ(m_draws, draws);
}

TEST_F(HistoryCommandsTest, ExportAndImportThroughTheFileDialogs) {
    // The history shows page 1 when the import makes it smaller.
    QByteArray store;
    for (int k = 0; k < 120; ++k) {
        store += historyLine(k);
    }
    ASSERT_TRUE(writeAll(storePath(), store));
    openWindow();
    const FileDialogRequest& asked = m_request;
    QString& answer = m_answer;

    answer = tempPath(QStringLiteral("saved.orbhs"));
    m_window->command(CommandId::HistorySave)->trigger();
    EXPECT_EQ(asked.filter, QStringLiteral("ヒストリー ファイル (*.orbhs)"));
    EXPECT_EQ(asked.defaultSuffix, QStringLiteral("orbhs"));
    EXPECT_EQ(asked.proposed, QStringLiteral("無題"));
    EXPECT_EQ(readAll(answer), store);

    triggerAndWait(*m_window, CommandId::HistoryPreviousPage);
    ASSERT_EQ(buttonLabels().size(), 20);

    // 5 good lines and 2 broken ones (a changed value, a missing field).
    QByteArray imported;
    for (int zoom : {301, 302, 303}) {
        imported += historyLine(zoom);
    }
    QByteArray changed = historyLine(304);
    changed.replace(",304,", ",305,");
    imported += changed;
    imported += historyLine(306) + "1,2,3\n";
    imported += historyLine(307);
    ASSERT_TRUE(writeAll(tempPath(QStringLiteral("in.orbhs")), imported));
    answer = tempPath(QStringLiteral("in.orbhs"));
    m_window->command(CommandId::HistoryLoad)->trigger();
    EXPECT_EQ(asked.filter, QStringLiteral("ヒストリー ファイル (*.orbhs)"));
    ASSERT_EQ(lines().size(), 5);
    QList<QByteArray> zooms;
    for (int k = 0; k < 5; ++k) {
        zooms << field(k, 45);
    }
    EXPECT_EQ(zooms, (QList<QByteArray>{"301", "302", "303", "306", "307"}));
    // Page 1 no longer exists: page 0 with entry 0 pressed.
    EXPECT_EQ(buttonLabels(), (QStringList{"1", "2", "3", "4", "5"}));
    EXPECT_EQ(pressedButton(), 0);
    EXPECT_EQ(m_draws, 0); // an import draws nothing

    // A file without a single history line would empty the history: refused.
    ASSERT_TRUE(writeAll(tempPath(QStringLiteral("notes.orbhs")), "just some text\nand more\n"));
    answer = tempPath(QStringLiteral("notes.orbhs"));
    Messages shown = messagesOf(*m_window, CommandId::HistoryLoad);
    EXPECT_EQ(shown.count, 1);
    EXPECT_TRUE(shown.text.contains(answer));
    EXPECT_EQ(lines().size(), 5);

    // Failures name the file and the reason; nothing changes.
    answer = tempPath(QStringLiteral("missing/out.orbhs"));
    shown = messagesOf(*m_window, CommandId::HistorySave);
    EXPECT_EQ(shown.count, 1);
    EXPECT_TRUE(shown.text.contains(QStringLiteral("missing/")));
    EXPECT_TRUE(shown.text.contains(QStringLiteral("ファイルまたはフォルダがありません")));
    answer = tempPath(QStringLiteral("absent.orbhs"));
    shown = messagesOf(*m_window, CommandId::HistoryLoad);
    EXPECT_EQ(shown.count, 1);
    EXPECT_TRUE(shown.text.contains(answer));
    EXPECT_TRUE(shown.text.contains(QStringLiteral("ファイルまたはフォルダがありません")));
    EXPECT_EQ(lines().size(), 5);
    // Cancelled dialogs do nothing.
    answer.clear();
    m_window->command(CommandId::HistoryLoad)->trigger();
    m_window->command(CommandId::HistorySave)->trigger();
    EXPECT_EQ(lines().size(), 5);
}

TEST_F(HistoryCommandsTest, AStoreThatCannotBeUsedIsReportedAndTheProgramGoesOn) {
    // A folder where the store file should be: it can be neither read nor
    // written.
    ASSERT_TRUE(QDir().mkpath(storePath()));
    {
        // At start-up the status bar says so; no box holds the window up.
        MessageCatcher catcher;
        openWindow();
        EXPECT_EQ(catcher.count(), 0);
        EXPECT_TRUE(m_window->statusBar()->currentMessage().contains(storePath()));
    }
    {
        MessageCatcher catcher;
        drawWithZoom({150});
        EXPECT_EQ(catcher.count(), 1);
        EXPECT_TRUE(catcher.text().contains(storePath()));
        // The next drawing tells it in the status bar only.
        m_window->statusBar()->clearMessage();
        drawWithZoom({151});
        EXPECT_EQ(catcher.count(), 1);
        EXPECT_TRUE(m_window->statusBar()->currentMessage().contains(storePath()));
    }
    EXPECT_EQ(m_draws, 2); // the drawings themselves were made
    EXPECT_EQ(zoom(), 151);
    EXPECT_TRUE(buttonLabels().isEmpty());
    {
        MessageCatcher catcher;
        triggerAndWait(*m_window, CommandId::HistoryBack);
        EXPECT_EQ(catcher.count(), 1);
    }
    EXPECT_EQ(m_draws, 2);
    EXPECT_TRUE(m_window->isVisible());
}
