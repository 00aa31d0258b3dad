#pragma once
// The fixture of the tests that drive a main window: a fresh settings store,
// a temporary data folder and a scratch folder, and windows opened on them
// whose file dialogs and favorites prompts answer from a script instead of
// showing.

#include "app/apptest.h"
#include "app/commands/filedialogs.h"
#include "app/mainwindow.h"
#include "panes/commandid.h"
#include "panes/favoritespane.h"
#include "panes/scriptedprompts.h"

#include <QAction>
#include <QSize>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace orbelle::test {

class WindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        clearSettingsStore();
        ASSERT_TRUE(m_dataDir.isValid());
        ASSERT_TRUE(m_files.isValid());
    }

    /// A main window on the data folder, of `size` when one is given, shown,
    /// active and once through the event loop. Each open installs a new
    /// script of favorites prompts (m_prompts).
    std::unique_ptr<MainWindow> open(const QSize& size = {}) {
        auto window = std::make_unique<MainWindow>(dataDir());
        window->fileDialogs().saveFile = [this](QWidget*, const FileDialogRequest& request) {
            ++m_saveAsked;
            m_request = request;
            return m_answer;
        };
        window->fileDialogs().openFile = [this](QWidget*, const FileDialogRequest& request) {
            ++m_openAsked;
            m_request = request;
            return m_answer;
        };
        auto prompts = std::make_unique<ScriptedPrompts>();
        m_prompts = prompts.get();
        window->favoritesPane()->setPrompts(std::move(prompts));
        if (size.isValid()) {
            window->resize(size);
        }
        window->show();
        window->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
        QApplication::processEvents();
        return window;
    }

    /// The data folder, with a trailing separator.
    QString dataDir() const { return m_dataDir.path() + QLatin1Char('/'); }
    /// A file of the data folder.
    QString dataFile(const QString& name) const { return dataDir() + name; }
    /// A file of the scratch folder.
    QString scratchFile(const QString& name) const { return m_files.filePath(name); }
    /// Triggers a command and waits for the drawing it may have started.
    static void triggerAndWait(MainWindow& window, CommandId id) {
        window.command(id)->trigger();
        window.waitForDrawing();
    }
    static QString statusText(const MainWindow& window) {
        return window.statusBar()->currentMessage();
    }

    QTemporaryDir m_dataDir;
    QTemporaryDir m_files;
    // The file dialogs: the name they answer (empty: cancelled), what they
    // were asked last and how often.
    QString m_answer;
    FileDialogRequest m_request;
    int m_saveAsked = 0;
    int m_openAsked = 0;
    ScriptedPrompts* m_prompts = nullptr;
    /// The window of a test that keeps one; closed before the folders go.
    std::unique_ptr<MainWindow> m_window;
};

/// A WindowTest whose window, m_window, is open from the start.
class OpenWindowTest : public WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        m_window = open();
    }
};

} // namespace orbelle::test
