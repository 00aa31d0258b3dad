#include "app/commands/exportcommands.h"

#include "app/windowtest.h"
#include "imageio/imageformat.h"
#include "support/polling.h"
#include "view/dialogdriver.h"
#include "view/mainview.h"
#include "view/printpreviewdialog.h"
#include "view/redrawexport.h"
#include "view/resolutiondialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QCursor>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <QFileDialog>
#include <QImageReader>
#include <QPrintDialog>
#include <QSpinBox>
#include <QTemporaryDir>

#include <atomic>

using namespace orbelle;
using orbelle::test::DialogDriver;

namespace {

class ExportCommandsTest : public test::OpenWindowTest {
  protected:
    void SetUp() override {
        OpenWindowTest::SetUp();
        m_window->drawFigure();
    }

    ExportCommands& exports() { return *m_window->findChild<ExportCommands*>(); }

    // Runs "BITMAPで保存" with "再描画して保存" ticked at side, saving as file;
    // returns once the export has started.
    void startRedrawnExport(int side, const QString& file) {
        DialogDriver<ResolutionDialog> resolution([side](ResolutionDialog* d) {
            d->redrawBox()->setChecked(true);
            d->sideEdit()->setValue(side);
            d->accept();
        });
        DialogDriver<QFileDialog> save([file](QFileDialog* d) {
            d->setOption(QFileDialog::DontConfirmOverwrite); // the replacing is what is tested
            d->selectFile(file);
            static_cast<QDialog*>(d)->accept();
        });
        m_window->command(CommandId::ExportBitmap)->trigger();
    }

    // Waits until the worker of every export has ended.
    bool workersEnd() {
        return test::waitFor([&] { return m_window->findChildren<RedrawExport*>().isEmpty(); },
                             60000);
    }
};

} // namespace

// The menu commands run the export with the titles and suffixes of their kind.
TEST_F(ExportCommandsTest, BitmapAndJpegCommandsWriteTheirFiles) {
    const struct {
        CommandId id;
        const char* title;
        const char* name;
        const char* format;
    } cases[] = {{CommandId::ExportBitmap, "BITMAP 画像・解像度", "bitmap", "bmp"},
                 {CommandId::ExportJpeg, "JPEG 画像・解像度", "photo", "jpeg"}};
    for (const auto& c : cases) {
        QString title;
        DialogDriver<ResolutionDialog> resolution([&title](ResolutionDialog* d) {
            title = d->windowTitle();
            d->sideEdit()->selectAll();
            QTest::keyClicks(d->sideEdit(), QStringLiteral("10"));
            d->accept();
        });
        const QString file = scratchFile(QString::fromLatin1(c.name));
        DialogDriver<QFileDialog> save([&file](QFileDialog* d) {
            d->selectFile(file);
            static_cast<QDialog*>(d)->accept();
        });
        m_window->command(c.id)->trigger();
        EXPECT_EQ(title, QString::fromUtf8(c.title));
        const QString written = file + (c.id == CommandId::ExportBitmap ? QStringLiteral(".bmp")
                                                                        : QStringLiteral(".jpg"));
        QImageReader reader(written);
        EXPECT_EQ(reader.format(), QByteArray(c.format)) << c.name;
        EXPECT_EQ(reader.size(), QSize(10, 10)) << c.name;
    }
}

TEST_F(ExportCommandsTest, PreviewShowsThePictureAndPrintCanBeCancelled) {
    QRect page;
    DialogDriver<PrintPreviewDialog> preview([&page](PrintPreviewDialog* d) {
        page = d->page()->geometry();
        d->accept();
    });
    m_window->command(CommandId::PrintPreview)->trigger();
    EXPECT_TRUE(preview.done());
    EXPECT_EQ(page.topLeft(), QPoint(10, 10));
    EXPECT_EQ(page.height(), static_cast<int>(page.width() * 1.414));

    DialogDriver<QPrintDialog> print([](QPrintDialog* d) { d->reject(); });
    m_window->command(CommandId::Print)->trigger();
    EXPECT_TRUE(print.done());
}

// The re-drawn export runs on a worker: the command returns at once with the
// cursor busy and the share in the status bar, and the file follows.
TEST_F(ExportCommandsTest, RedrawnExportWritesItsFileInTheBackground) {
    const QString file = scratchFile(QStringLiteral("redrawn.bmp"));
    startRedrawnExport(700, file);
    EXPECT_TRUE(exports().redrawRunning());
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::BusyCursor);
    EXPECT_TRUE(
        m_window->statusBar()->currentMessage().startsWith(QStringLiteral("再描画しています")));
    ASSERT_TRUE(workersEnd());
    EXPECT_FALSE(exports().redrawRunning());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QImageReader(file).size(), QSize(700, 700));
    EXPECT_EQ(
        m_window->statusBar()->currentMessage(),
        QStringLiteral("画像ファイル「%1」を保存しました").arg(QDir::toNativeSeparators(file)));
}

// Esc stops a re-drawn export at once: the target keeps what it held, no
// temporary file stays, and the next export runs.
TEST_F(ExportCommandsTest, EscStopsARedrawnExportAndKeepsTheOldFile) {
    const QString file = scratchFile(QStringLiteral("kept.bmp"));
    {
        QFile old(file);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("old content");
    }
    startRedrawnExport(9000, file);
    ASSERT_TRUE(exports().redrawRunning());
    QTest::keyClick(m_window.get(), Qt::Key_Escape);
    EXPECT_FALSE(exports().redrawRunning());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(m_window->statusBar()->currentMessage(), QStringLiteral("画像の保存を中止しました"));
    ASSERT_TRUE(workersEnd());
    QFile kept(file);
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), QByteArray("old content"));
    EXPECT_EQ(QDir(QFileInfo(file).path()).entryList(QDir::Files), QStringList{"kept.bmp"});
    // Esc with no export running is left to the window (it stops a drawing).
    EXPECT_FALSE(exports().cancelRedraw());

    startRedrawnExport(40, file);
    ASSERT_TRUE(workersEnd());
    EXPECT_EQ(QImageReader(file).size(), QSize(40, 40));
}

// A cancel that comes while the file is being encoded still drops it: the
// target keeps what it held and no temporary file stays.
TEST(RedrawExportWriting, ACancelWhileTheFileIsWrittenKeepsTheOldFile) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString file = folder.filePath(QStringLiteral("kept.png"));
    {
        QFile old(file);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("old content");
    }
    RedrawExport::Job job;
    job.side = 1200;
    job.path = file;
    job.format = *writableImageFormatFor(file);
    std::atomic<int> outcome{-1};
    {
        RedrawExport redraw(std::move(job));
        // Direct connections: the worker itself cancels once it starts
        // writing, and records how the export ended.
        QObject::connect(
            &redraw, &RedrawExport::writing, &redraw, [&redraw] { EXPECT_TRUE(redraw.cancel()); },
            Qt::DirectConnection);
        QObject::connect(
            &redraw, &RedrawExport::finished, &redraw,
            [&outcome](RedrawExport::Outcome ended, const QString&) {
                outcome = static_cast<int>(ended);
            },
            Qt::DirectConnection);
        redraw.start();
    } // joins the worker
    EXPECT_EQ(outcome.load(), static_cast<int>(RedrawExport::Outcome::Cancelled));
    QFile kept(file);
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), QByteArray("old content"));
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"kept.png"});
}
