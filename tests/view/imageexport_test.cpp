#include "view/imageexporter.h"

#include "engine/stretch.h"
#include "imageio/imagesettings.h"
#include "store/imagetext.h"
#include "view/dialogdriver.h"
#include "view/mainview.h"
#include "view/patterncanvas.h"

#include <QBuffer>
#include <QCheckBox>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QFileDialog>
#include <QImageReader>
#include <QImageWriter>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <cstring>
#include <memory>

using namespace orbelle;
using test::DialogDriver;
using test::drawPattern;
using test::MessageCollector;
using test::packed;
using test::patternColour;

namespace {

// Pixel (x, y) of the 3000-pixel square from (1500, 1500) shown at side.
std::int32_t expectedAt(int side, int x, int y) {
    return patternColour(1500 + static_cast<int>(static_cast<long long>(x) * 3000 / side),
                         1500 + static_cast<int>(static_cast<long long>(y) * 3000 / side));
}

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void waitFor(const std::function<bool()>& condition) {
    QDeadlineTimer deadline(5000);
    while (!condition() && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
}

class ImageExportTest : public ::testing::Test {
  protected:
    void SetUp() override {
        m_view = std::make_unique<MainView>();
        m_view->setZoomSource([this] { return m_zoom; });
        m_view->setDrawFunction(&drawPattern);
        m_view->resize(400, 400);
        m_view->show();
        ASSERT_TRUE(m_dir.isValid());
    }
    void drawPatternFigure() {
        DrawSettings s = DrawSettings::startup();
        s.zoom = m_zoom;
        m_view->drawFigure(s);
    }
    QString path(const QString& name) const { return m_dir.filePath(name); }

    std::unique_ptr<MainView> m_view;
    int m_zoom = 100;
    QTemporaryDir m_dir;
};

} // namespace

TEST(ResolutionDialog, TitlesStartAndRanges) {
    ResolutionDialog bitmap(ImageKind::Bitmap);
    ResolutionDialog jpeg(ImageKind::Jpeg);
    EXPECT_EQ(bitmap.windowTitle(), QStringLiteral("BITMAP 画像・解像度"));
    EXPECT_EQ(jpeg.windowTitle(), QStringLiteral("JPEG 画像・解像度"));
    EXPECT_EQ(bitmap.sidePixels(), 6000);
    EXPECT_EQ(bitmap.sideEdit()->text(), QStringLiteral("6000"));
    EXPECT_EQ(bitmap.sideEdit()->minimum(), 10);
    EXPECT_EQ(bitmap.sideEdit()->maximum(), 16000);
    EXPECT_FALSE(bitmap.redraw());
    EXPECT_EQ(bitmap.redrawBox()->text(), QStringLiteral("再描画して保存"));
    EXPECT_TRUE(bitmap.problem().isEmpty());
    EXPECT_TRUE(bitmap.okButton()->isEnabled());
}

// One dialog through a sequence of steps: each types a text into the side
// (after selecting all) or sets the box, and is followed by the side, whether
// OK takes it and the note shown (empty: none).
TEST(ResolutionDialog, TheTypedSideStaysAndWhatIsWrongIsTold) {
    const QString tooLargeNote =
        QStringLiteral("6000ピクセルを超える大きさは「再描画して保存」で保存できます。");
    const QString rangeNote = QStringLiteral("縦横のピクセル値は10から16000までです。");
    const struct Step {
        const char* typed; // nullptr: the box is set to tick instead
        bool tick;
        int side;
        const QString& note;
    } steps[] = {
        {"700", false, 700, QString()},
        {"16000", false, 16000, tooLargeNote}, // kept before the box is ticked
        {nullptr, true, 16000, QString()},
        {nullptr, false, 16000, tooLargeNote}, // unticking keeps it too
        {"6000", false, 6000, QString()},
        {"6001", false, 6001, tooLargeNote},
        {"5", false, 6001, rangeNote}, // below the range: the text only
        {"", false, 6001, rangeNote},
        {"10", false, 10, QString()},
        {nullptr, true, 10, QString()},
        {"16001", true, 1600, QString()}, // the last digit is refused
        {"9000", true, 9000, QString()},
        {nullptr, false, 9000, tooLargeNote},
    };
    ResolutionDialog dialog(ImageKind::Bitmap);
    dialog.show();
    QSpinBox* edit = dialog.sideEdit();
    int index = 0;
    for (const Step& step : steps) {
        if (step.typed != nullptr) {
            edit->selectAll();
            QTest::keyClick(edit, Qt::Key_Delete);
            QTest::keyClicks(edit, QString::fromLatin1(step.typed));
        } else {
            dialog.redrawBox()->setChecked(step.tick);
        }
        EXPECT_EQ(dialog.redraw(), step.tick) << "step " << index;
        EXPECT_EQ(dialog.sidePixels(), step.side) << "step " << index;
        EXPECT_EQ(dialog.problem(), step.note) << "step " << index;
        EXPECT_EQ(dialog.okButton()->isEnabled(), step.note.isEmpty()) << "step " << index;
        EXPECT_EQ(dialog.findChild<QLabel*>(QStringLiteral("sideNote"))->isVisible(),
                  !step.note.isEmpty())
            << "step " << index;
        ++index;
    }
}

// The whole command: a letter typed after 700 keeps 700; a name without an
// extension gets ".bmp"; the BMP command with a ".jpg" name writes a JPEG.
TEST_F(ImageExportTest, CommandWritesTheChosenSideAndFormat) {
    drawPatternFigure();
    ImageExporter exporter(*m_view, m_view.get());
    const auto answer = [](const QString& side, const QString& file) {
        return std::make_pair(
            std::make_unique<DialogDriver<ResolutionDialog>>([side](ResolutionDialog* d) {
                d->sideEdit()->selectAll();
                QTest::keyClicks(d->sideEdit(), QStringLiteral("700"));
                d->sideEdit()->selectAll();
                QTest::keyClicks(d->sideEdit(), side);
                d->accept();
            }),
            std::make_unique<DialogDriver<QFileDialog>>([file](QFileDialog* d) {
                EXPECT_EQ(d->defaultSuffix(), QStringLiteral("bmp"));
                EXPECT_EQ(d->acceptMode(), QFileDialog::AcceptSave);
                d->selectFile(file);
                static_cast<QDialog*>(d)->accept(); // QFileDialog's own accept()
            }));
    };
    {
        auto drivers = answer(QStringLiteral("a"), path(QStringLiteral("plain")));
        EXPECT_TRUE(exporter.run(ImageKind::Bitmap));
    }
    QImageReader bmp(path(QStringLiteral("plain.bmp")));
    EXPECT_EQ(bmp.format(), QByteArray("bmp"));
    EXPECT_EQ(bmp.size(), QSize(700, 700));
    {
        auto drivers = answer(QStringLiteral("10"), path(QStringLiteral("named.jpg")));
        EXPECT_TRUE(exporter.run(ImageKind::Bitmap));
    }
    QImageReader jpeg(path(QStringLiteral("named.jpg")));
    EXPECT_EQ(jpeg.format(), QByteArray("jpeg"));
    EXPECT_EQ(jpeg.size(), QSize(10, 10));
}

TEST_F(ImageExportTest, CancellingWritesNothing) {
    drawPatternFigure();
    ImageExporter exporter(*m_view, m_view.get());
    {
        DialogDriver<ResolutionDialog> cancel([](ResolutionDialog* d) { d->reject(); });
        EXPECT_FALSE(exporter.run(ImageKind::Jpeg));
    }
    {
        DialogDriver<ResolutionDialog> ok([](ResolutionDialog* d) { d->accept(); });
        DialogDriver<QFileDialog> cancel([](QFileDialog* d) {
            EXPECT_EQ(d->defaultSuffix(), QStringLiteral("jpg"));
            d->reject();
        });
        EXPECT_FALSE(exporter.run(ImageKind::Jpeg));
    }
    EXPECT_TRUE(QDir(m_dir.path()).isEmpty());
}

TEST_F(ImageExportTest, FormatFollowsTheExtension) {
    drawPatternFigure();
    ImageExporter exporter(*m_view, m_view.get());
    const struct {
        const char* name;
        const char* format;
        bool lossless;
    } cases[] = {{"a.bmp", "bmp", true},
                 {"b.png", "png", true},
                 {"c.jpg", "jpeg", false},
                 {"d.JPEG", "jpeg", false},
                 {"e.tif", "tiff", true}};
    for (const auto& c : cases) {
        if (!QImageWriter::supportedImageFormats().contains(c.format)) {
            continue; // a Qt without this plug-in
        }
        const QString file = path(QString::fromLatin1(c.name));
        ASSERT_TRUE(exporter.exportTo(file, 600, false)) << c.name;
        QImageReader reader(file);
        EXPECT_EQ(reader.format(), QByteArray(c.format)) << c.name;
        const QImage image = reader.read();
        ASSERT_EQ(image.size(), QSize(600, 600)) << c.name;
        if (!c.lossless) {
            continue;
        }
        for (const QPoint p : {QPoint(0, 0), QPoint(599, 599), QPoint(1, 0), QPoint(300, 17),
                               QPoint(123, 456), QPoint(599, 0)}) {
            EXPECT_EQ(packed(image.pixel(p)), expectedAt(600, p.x(), p.y()))
                << c.name << " at " << p.x() << "," << p.y();
        }
    }
}

TEST_F(ImageExportTest, SixThousandIsTheExportImagePixelForPixel) {
    drawPatternFigure();
    ImageExporter exporter(*m_view, m_view.get());
    const QString file = path(QStringLiteral("full.png"));
    ASSERT_TRUE(exporter.exportTo(file, 6000, false));
    QImageReader reader(file);
    reader.setAllocationLimit(1024); // MB; a 6000-pixel picture is over Qt's default
    const QImage written = reader.read().convertToFormat(QImage::Format_RGB888);
    const QImage expected = m_view->exportImage();
    ASSERT_EQ(written.size(), expected.size());
    EXPECT_EQ(written.format(), expected.format());
    int differing = 0;
    for (int y = 0; y < expected.height(); ++y) {
        differing += std::memcmp(written.constScanLine(y), expected.constScanLine(y),
                                 static_cast<std::size_t>(expected.width()) * 3) != 0;
    }
    EXPECT_EQ(differing, 0);
}

TEST_F(ImageExportTest, ZoomLeavesTheFileAloneEnlargeChangesIt) {
    drawPatternFigure();
    ImageExporter exporter(*m_view, m_view.get());
    ASSERT_TRUE(exporter.exportTo(path(QStringLiteral("before.bmp")), 500, false));
    m_view->zoomIn();
    m_view->zoomIn();
    m_view->zoomOut();
    m_view->repaint();
    ASSERT_TRUE(exporter.exportTo(path(QStringLiteral("zoomed.bmp")), 500, false));
    EXPECT_EQ(fileBytes(path(QStringLiteral("before.bmp"))),
              fileBytes(path(QStringLiteral("zoomed.bmp"))));

    m_zoom = 200; // Enlarge, then the drawing it runs
    drawPatternFigure();
    m_view->repaint();
    ASSERT_TRUE(exporter.exportTo(path(QStringLiteral("enlarged.bmp")), 500, false));
    EXPECT_NE(fileBytes(path(QStringLiteral("before.bmp"))),
              fileBytes(path(QStringLiteral("enlarged.bmp"))));
    // Margin 400: the square from (1600, 1600) with side 2800.
    const QImage enlarged(path(QStringLiteral("enlarged.bmp")));
    EXPECT_EQ(packed(enlarged.pixel(0, 0)), patternColour(1600, 1600));
    EXPECT_EQ(packed(enlarged.pixel(499, 499)),
              patternColour(1600 + 499 * 2800 / 500, 1600 + 499 * 2800 / 500));
}

TEST_F(ImageExportTest, FailuresAreReportedAndLeaveNoFile) {
    drawPatternFigure();
    ImageExporter exporter(*m_view, m_view.get());
    const QString missingFolder = path(QStringLiteral("no such folder/x.png"));
    const QString unknownFormat = path(QStringLiteral("picture.xyz"));
    const QString kept = path(QStringLiteral("kept.xyz"));
    {
        QFile file(kept);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("old");
    }
    for (const QString& file : {missingFolder, unknownFormat, kept}) {
        MessageCollector messages;
        EXPECT_FALSE(exporter.exportTo(file, 100, false));
        waitFor([&] { return messages.count() > 0; });
        EXPECT_EQ(messages.count(), 1);
        EXPECT_TRUE(messages.text().contains(QDir::toNativeSeparators(file)))
            << messages.text().toStdString();
    }
    EXPECT_FALSE(QFile::exists(missingFolder));
    EXPECT_FALSE(QFile::exists(unknownFormat));
    EXPECT_EQ(fileBytes(kept), QByteArray("old"));
    const QStringList left = QDir(m_dir.path()).entryList(QDir::Files);
    EXPECT_EQ(left, QStringList{QStringLiteral("kept.xyz")});

    // Sides beyond the mode's range are refused with a message too.
    MessageCollector messages;
    EXPECT_FALSE(exporter.exportTo(path(QStringLiteral("big.png")), 6001, false));
    EXPECT_FALSE(exporter.exportTo(path(QStringLiteral("huge.png")), 16001, true));
    waitFor([&] { return messages.count() >= 2; });
    EXPECT_EQ(messages.count(), 2);
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("huge.png"))));
}

// Targets that cannot be replaced are refused, with the reason in the
// program's words, in both modes; nothing is written anywhere.
TEST_F(ImageExportTest, TargetsThatCannotBeReplacedAreRefusedInBothModes) {
    drawPatternFigure();
    ImageExporter exporter(*m_view, m_view.get());
    const QString device = path(QStringLiteral("device.png"));
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/null"), device));
    const QString folder = path(QStringLiteral("folder.png"));
    ASSERT_TRUE(QDir().mkdir(folder));
    const QString readOnly = path(QStringLiteral("readonly.png"));
    {
        QFile file(readOnly);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("old");
    }
    ASSERT_TRUE(QFile::setPermissions(readOnly, QFileDevice::ReadOwner));
    const struct {
        QString file;
        QString reason;
    } cases[] = {
        {device, QStringLiteral("通常のファイルではありません")},
        {folder, QStringLiteral("フォルダです")},
        {readOnly, QStringLiteral("アクセス権がありません")},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ImageExporter::targetProblem(c.file), c.reason) << c.file.toStdString();
        for (const bool redraw : {false, true}) {
            MessageCollector messages;
            EXPECT_FALSE(exporter.exportTo(c.file, 100, redraw));
            waitFor([&] { return messages.count() > 0; });
            EXPECT_TRUE(messages.text().contains(c.reason)) << messages.text().toStdString();
        }
    }
    EXPECT_EQ(fileBytes(readOnly), QByteArray("old"));
    EXPECT_TRUE(QFileInfo(device).isSymLink());
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System).size(), 2);
}

TEST_F(ImageExportTest, PngAndJpegCarryTheSettingsLine) {
    // Before the first drawing there is nothing to carry.
    EXPECT_FALSE(m_view->shownSettings().has_value());
    m_zoom = 250;
    DrawSettings s = DrawSettings::startup();
    s.params[1] += 3;
    s.drawColorMode = 2;
    s.drawColor = packRgb(10, 20, 30);
    s.zoom = 250;
    m_view->drawFigure(s);
    // The record carries the colours the drawing reported (the pattern
    // drawing reports black on white) and the zoom of the repaint.
    s.drawColor = kBlack;
    s.backColor = kWhite;
    const auto shown = m_view->shownSettings();
    ASSERT_TRUE(shown.has_value());
    EXPECT_EQ(*shown, s);

    ImageExporter exporter(*m_view, m_view.get());
    for (const char* name : {"carry.png", "carry.jpg"}) {
        const QString file = path(QString::fromLatin1(name));
        ASSERT_TRUE(exporter.exportTo(file, 200, false));
        QImageReader reader(file);
        EXPECT_EQ(reader.text(QStringLiteral("Orbelle")).toStdString(), imageSettingsText(s))
            << name;
        const auto back = settingsFromImageFile(file);
        ASSERT_TRUE(back.has_value()) << name;
        EXPECT_EQ(*back, s) << name;
    }
    ASSERT_TRUE(exporter.exportTo(path(QStringLiteral("carry.bmp")), 200, false));
    EXPECT_FALSE(settingsFromImageFile(path(QStringLiteral("carry.bmp"))).has_value());
    // The PNG also names the program and the formula, "ダイヤモンド" of "宝石".
    QImageReader png(path(QStringLiteral("carry.png")));
    EXPECT_EQ(png.text(QStringLiteral("Software")),
              QStringLiteral("Orbelle " ORBELLE_EXPECTED_VERSION));
    EXPECT_EQ(png.text(QStringLiteral("Description")),
              QStringLiteral("宝石 / ダイヤモンド (category 0, item 0)"));
    EXPECT_EQ(QImageReader(path(QStringLiteral("carry.jpg"))).textKeys(),
              QStringList({QStringLiteral("Orbelle")}));

    // JPEG at quality 95, as the command-line tool writes it.
    QByteArray expected;
    QBuffer buffer(&expected);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setQuality(95);
    QString message;
    ASSERT_TRUE(writer.write(exporter.picture(200, false, &message)));
    EXPECT_EQ(fileBytes(path(QStringLiteral("carry.jpg"))), expected);
}

// The start-up figure at 3000 pixels, drawn afresh and scaled from the canvas:
// the same figure in the same place, but the re-drawing has detail finer than
// a canvas pixel.
TEST(ImageRedraw, SharperThanTheScaledCanvasInTheSamePlace) {
    MainView view;
    view.drawFigure(DrawSettings::startup());
    const SourceSquare square = view.shownSquare();
    ASSERT_LT(square.side, 3000);
    constexpr int kSide = 3000;
    const QImage scaled = view.exportPicture(kSide);
    const QImage redrawn = view.redrawPicture(kSide);
    ASSERT_EQ(redrawn.size(), QSize(kSide, kSide));
    const QRgb back = qRgb(255, 255, 255);

    // Downscaled to 60 x 60 blocks of 50 pixels: the inked share of every
    // block agrees.
    constexpr int kBlock = 50;
    double worst = 0;
    int inkedBlocks = 0;
    for (int by = 0; by < kSide; by += kBlock) {
        for (int bx = 0; bx < kSide; bx += kBlock) {
            int a = 0;
            int b = 0;
            for (int y = by; y < by + kBlock; ++y) {
                const auto* sa = reinterpret_cast<const QRgb*>(scaled.constScanLine(y));
                const auto* sb = reinterpret_cast<const QRgb*>(redrawn.constScanLine(y));
                for (int x = bx; x < bx + kBlock; ++x) {
                    a += (sa[x] | 0xFF000000u) != back;
                    b += (sb[x] | 0xFF000000u) != back;
                }
            }
            worst = std::max(worst, std::abs(a - b) / double(kBlock * kBlock));
            inkedBlocks += a > 0;
        }
    }
    EXPECT_GT(inkedBlocks, 100);
    EXPECT_LT(worst, 0.25);

    // Edges: in the scaled picture every change from one column to the next
    // falls where the source column changes; the re-drawing also has edges
    // between columns that show the same canvas column, about as often as
    // such column pairs occur.
    const auto edgesInsideBlocks = [&](const QImage& image, int* total) {
        int inside = 0;
        *total = 0;
        for (int y = 0; y < kSide; y += 7) {
            const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
            for (int x = 1; x < kSide; ++x) {
                if (line[x] != line[x - 1]) {
                    ++*total;
                    inside += stretchSource(square.left, square.side, kSide, x) ==
                              stretchSource(square.left, square.side, kSide, x - 1);
                }
            }
        }
        return inside;
    };
    int repeatedColumns = 0;
    for (int x = 1; x < kSide; ++x) {
        repeatedColumns += stretchSource(square.left, square.side, kSide, x) ==
                           stretchSource(square.left, square.side, kSide, x - 1);
    }
    const double share = repeatedColumns / double(kSide - 1);
    ASSERT_GT(share, 0.05);
    int scaledEdges = 0;
    int redrawnEdges = 0;
    EXPECT_EQ(edgesInsideBlocks(scaled, &scaledEdges), 0);
    const int inside = edgesInsideBlocks(redrawn, &redrawnEdges);
    EXPECT_GT(scaledEdges, 1000);
    EXPECT_GT(inside, redrawnEdges * share / 2);
}

TEST(ImageRedraw, BeforeTheFirstDrawingThePictureIsWhite) {
    MainView view;
    const QImage picture = view.redrawPicture(40);
    ASSERT_EQ(picture.size(), QSize(40, 40));
    EXPECT_EQ(picture.pixel(0, 0), qRgb(255, 255, 255));
    EXPECT_EQ(picture.pixel(39, 20), qRgb(255, 255, 255));
    EXPECT_TRUE(view.redrawPicture(kMaxRedrawSide + 1).isNull());
}
