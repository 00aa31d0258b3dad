#include "app/commands/exportcommands.h"

#include "app/apptest.h"
#include "app/mainwindow.h"
#include "panes/commandid.h"
#include "view/dialogdriver.h"
#include "view/mainview.h"
#include "view/printpreviewdialog.h"
#include "view/resolutiondialog.h"

#include <QAction>
#include <QFileDialog>
#include <QImageReader>
#include <QPrintDialog>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>

using namespace orbelle;
using orbelle::test::DialogDriver;

namespace {

class ExportCommandsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        orbelle::test::clearSettingsStore();
        ASSERT_TRUE(m_dir.isValid());
        m_window = std::make_unique<MainWindow>(m_dir.path() + QLatin1Char('/'));
        m_window->show();
        m_window->drawFigure();
    }
    QString path(const QString& name) const { return m_dir.filePath(name); }

    QTemporaryDir m_dir;
    std::unique_ptr<MainWindow> m_window;
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
        const QString file = path(QString::fromLatin1(c.name));
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
