#include "app/handoverqueue.h"

#include "app/commands/documentcommands.h"
#include "app/windowtest.h"
#include "store/settingsfile.h"
#include "support/polling.h"

#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>

#include <functional>
#include <memory>

using namespace orbelle;

namespace {

/// The paths a queue opened, in order.
struct Opened {
    QStringList paths;
    HandoverQueue queue{[this](const QString& path) { paths << path; }};
};

int visibleMessageBoxes() {
    int count = 0;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        count += qobject_cast<QMessageBox*>(widget) != nullptr && widget->isVisible() ? 1 : 0;
    }
    return count;
}

} // namespace

TEST(HandoverQueue, NothingIsOpenedWhileAModalWidgetIsOpen) {
    const struct {
        const char* what;
        std::function<QWidget*()> make;
    } cases[] = {
        {"dialog", [] { return new QDialog; }},
        {"message box", [] { return new QMessageBox(QMessageBox::Warning, "Orbelle", "?"); }},
        {"file dialog",
         [] {
             auto* dialog = new QFileDialog;
             dialog->setOption(QFileDialog::DontUseNativeDialog);
             return dialog;
         }},
    };
    for (const auto& c : cases) {
        Opened opened;
        const std::unique_ptr<QWidget> modal(c.make());
        modal->setWindowModality(Qt::ApplicationModal);
        modal->show();
        opened.queue.add(QStringLiteral("/a.orbdr"));
        opened.queue.add(QStringLiteral("/b.orbdr"));
        for (int k = 0; k < 5; ++k) {
            EXPECT_FALSE(opened.queue.openNext()) << c.what;
            QApplication::processEvents();
        }
        EXPECT_TRUE(opened.paths.isEmpty()) << c.what;
        modal->hide();
        EXPECT_TRUE(test::waitFor([&] { return opened.paths.size() == 2; })) << c.what;
        EXPECT_EQ(opened.paths, QStringList({"/a.orbdr", "/b.orbdr"})) << c.what;
    }
}

TEST(HandoverQueue, ABurstOpensTheLastSixteenOneMessageBoxAtATime) {
    // Each opening shows a message box, as a file that cannot be read does,
    // and hands over one more file while the box is open.
    QStringList paths;
    int boxesBefore = 0;
    int depth = 0;
    int deepest = 0;
    HandoverQueue* queue = nullptr;
    HandoverQueue burst([&](const QString& path) {
        deepest = std::max(deepest, ++depth);
        boxesBefore += visibleMessageBoxes();
        paths << path;
        if (paths.size() == 1) {
            queue->add(QStringLiteral("/late.orbdr"));
        }
        QMessageBox::warning(nullptr, QStringLiteral("Orbelle"), path);
        --depth;
    });
    queue = &burst;
    const test::MessageCatcher catcher;
    for (int k = 0; k < 100; ++k) {
        burst.add(QStringLiteral("/h/%1.orbdr").arg(k));
    }
    EXPECT_TRUE(test::waitFor([&] { return paths.size() == 17 && depth == 0; }, 20000));
    QStringList expected;
    for (int k = 84; k < 100; ++k) {
        expected << QStringLiteral("/h/%1.orbdr").arg(k);
    }
    expected << QStringLiteral("/late.orbdr");
    EXPECT_EQ(paths, expected);
    EXPECT_EQ(catcher.count(), 17);
    EXPECT_EQ(boxesBefore, 0);
    EXPECT_EQ(deepest, 1);
    EXPECT_TRUE(burst.waiting().isEmpty());
}

class HandoverWindowTest : public test::OpenWindowTest {};

TEST_F(HandoverWindowTest, AFileHandedOverBehindADialogChangesNothingUntilItCloses) {
    DrawSettings settings = DrawSettings::startup();
    settings.zoom = 345;
    const QString path = scratchFile(QStringLiteral("other.orbdr"));
    ASSERT_TRUE(test::writeAll(path, QByteArray::fromStdString(formatSettingsFile(settings))));
    const DrawSettings before = m_window->captureSettings();
    ASSERT_NE(before.zoom, 345);

    HandoverQueue queue(
        [this](const QString& file) { m_window->documentCommands()->openFile(file); });
    QDialog dialog(m_window.get());
    dialog.setModal(true);
    dialog.show();
    queue.add(path);
    EXPECT_FALSE(queue.openNext());
    QApplication::processEvents();
    EXPECT_EQ(m_window->captureSettings(), before);
    EXPECT_EQ(queue.waiting(), QStringList{path});

    dialog.accept();
    EXPECT_TRUE(test::waitFor([&] { return m_window->captureSettings().zoom == 345; }, 20000));
    m_window->waitForDrawing();
    EXPECT_TRUE(queue.waiting().isEmpty());
}
