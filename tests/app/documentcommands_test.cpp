#include "app/commands/documentcommands.h"

#include "app/windowtest.h"
#include "panes/transformpane.h"
#include "store/settingsfile.h"
#include "store/settingsline.h"
#include "view/mainview.h"

#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QImage>
#include <QImageWriter>
#include <QMimeData>
#include <QUrl>

#include <filesystem>

#include <sys/stat.h>

using namespace orbelle;
using orbelle::test::MessageCatcher;
using orbelle::test::readAll;
using orbelle::test::writeAll;

namespace {

/// Writes a small image in the format of path's extension, carrying text
/// under the key "Orbelle" unless text is null.
void writeImage(const QString& path, const QString& text) {
    QImage image(16, 16, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    if (!text.isNull()) {
        image.setText(QStringLiteral("Orbelle"), text);
    }
    QImageWriter writer(path);
    ASSERT_TRUE(writer.write(image)) << writer.errorString().toStdString();
}

/// The settings file line of a record without its line end.
QString settingsLine(const DrawSettings& settings) {
    return QString::fromStdString(formatSettingsFile(settings)).trimmed();
}

class DocumentCommandsTest : public test::OpenWindowTest {
  protected:
    QString path(const char* name) const { return scratchFile(QString::fromLatin1(name)); }
    DocumentCommands* document() const { return m_window->documentCommands(); }
    int historyLines() const {
        return static_cast<int>(readAll(dataDir() + QStringLiteral("csv_history0")).count('\n'));
    }
    void setZoom(int zoom) {
        DrawSettings settings = m_window->captureSettings();
        settings.zoom = zoom;
        m_window->transformPane()->apply(settings);
    }
    /// Opens `file` through the command and its dialog.
    void openThroughDialog(const QString& file) {
        m_answer = file;
        triggerAndWait(*m_window, CommandId::FileOpen);
    }
};

} // namespace

TEST_F(DocumentCommandsTest, CtrlSTwiceAsksForAPathOnlyOnce) {
    EXPECT_EQ(m_window->windowTitle(), QStringLiteral("無題 - Orbelle"));
    m_answer = path("first.orbdr");
    setZoom(250);
    QTest::keyClick(m_window.get(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(m_saveAsked, 1);
    EXPECT_EQ(m_request.filter, QStringLiteral("Orbelle ファイル (*.orbdr)"));
    EXPECT_EQ(m_request.defaultSuffix, QStringLiteral("orbdr"));
    EXPECT_TRUE(m_request.proposed.isEmpty()); // no title yet
    EXPECT_EQ(m_window->windowTitle(), QStringLiteral("first - Orbelle"));
    const QByteArray first = readAll(m_answer);
    // One line of 68 fields ended by CR LF; the enlargement is field 45.
    ASSERT_TRUE(first.endsWith("\r\n"));
    EXPECT_EQ(first.count('\n'), 1);
    EXPECT_EQ(first.trimmed().split(',').size(), 68);
    EXPECT_EQ(first.split(',').at(45), "250");

    setZoom(-40);
    m_answer = path("elsewhere.orbdr");
    QTest::keyClick(m_window.get(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(m_saveAsked, 1);
    EXPECT_FALSE(QFile::exists(m_answer));
    EXPECT_EQ(readAll(path("first.orbdr")).split(',').at(45), "-40");

    // Save as proposes the current name in its folder.
    m_answer.clear();
    m_window->command(CommandId::FileSaveAs)->trigger();
    EXPECT_EQ(m_saveAsked, 2);
    EXPECT_EQ(m_request.proposed, QDir(m_files.path()).filePath(QStringLiteral("first")));
    EXPECT_EQ(m_window->windowTitle(), QStringLiteral("first - Orbelle"));
}

TEST_F(DocumentCommandsTest, OpeningAFileAppliesItDrawsAndEntersTheHistory) {
    DrawSettings settings = m_window->captureSettings();
    settings.zoom = 321;
    settings.rotX = 12;
    const QByteArray line = QByteArray::fromStdString(formatSettingsFile(settings));
    // A comment line first, garbage after the settings line; LF ends.
    QByteArray content = "// saved by hand\n" + line;
    content.replace("\r\n", "\n");
    content += "garbage,1,2\n";
    ASSERT_TRUE(writeAll(path("spiral.orbdr"), content));

    openThroughDialog(path("spiral.orbdr"));
    EXPECT_EQ(m_openAsked, 1);
    // Opening offers the exported images beside the settings files.
    EXPECT_EQ(
        m_request.filter,
        QStringLiteral("Orbelle ファイル (*.orbdr *.png *.jpg);;ヒストリー ファイル (*.orbhs);;"
                       "お気に入り ファイル (*.orbfv)"));
    EXPECT_EQ(m_window->windowTitle(), QStringLiteral("spiral - Orbelle"));
    EXPECT_EQ(m_window->captureSettings().zoom, 321);
    EXPECT_EQ(m_window->captureSettings().rotX, 12);
    EXPECT_EQ(historyLines(), 1);
    EXPECT_TRUE(document()->hasCurrentFile());

    // Ctrl+S now writes the opened file without asking, with CR LF.
    QTest::keyClick(m_window.get(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(m_saveAsked, 0);
    EXPECT_EQ(readAll(path("spiral.orbdr")), line);
}

TEST_F(DocumentCommandsTest, FilesThatAreNotSettingsFilesChangeNothing) {
    const DrawSettings before = m_window->captureSettings();
    const std::string good = formatSettingsFile(before);
    // A history line pasted into a settings file: 69 fields.
    ASSERT_TRUE(
        writeAll(path("history.orbdr"),
                 QByteArray::fromStdString(formatLine(LineVariant::History, before)) + "\r\n"));
    // A value changed without changing the sum: field 45 100 -> 101.
    QByteArray changed = QByteArray::fromStdString(good);
    QList<QByteArray> fields = changed.split(',');
    ASSERT_EQ(fields.at(45), "100");
    fields[45] = "101";
    ASSERT_TRUE(writeAll(path("changed.orbdr"), fields.join(',')));
    ASSERT_TRUE(writeAll(path("comments.orbdr"), "// only\n// comments\n"));
    ASSERT_TRUE(writeAll(path("empty.orbdr"), ""));
    // A valid line after more than 1 MiB of comment lines.
    ASSERT_TRUE(writeAll(path("large.orbdr"),
                         QByteArray(1 << 20, '/') + "\n" + QByteArray::fromStdString(good)));
    ASSERT_TRUE(QDir().mkpath(path("folder.orbdr")));

    ASSERT_EQ(::mkfifo(QFile::encodeName(path("pipe.orbdr")).constData(), 0600), 0);

    // The file and the reason follow on a line of their own.
    struct Case {
        const char* name;
        const char* reason;
    };
    for (const Case& c : {
             Case{"history.orbdr", " には設定の行がありません (項目の数か合計が合いません)"},
             Case{"changed.orbdr", " には設定の行がありません (項目の数か合計が合いません)"},
             Case{"comments.orbdr", " には設定の行がありません (項目の数か合計が合いません)"},
             Case{"empty.orbdr", " には設定の行がありません (項目の数か合計が合いません)"},
             Case{"large.orbdr", " は 1 MiB より大きいため設定ファイルではありません"},
             Case{"folder.orbdr", " はフォルダです"},
             Case{"pipe.orbdr", " は通常のファイルではありません"},
             Case{"missing.orbdr", ": ファイルまたはフォルダがありません"},
         }) {
        MessageCatcher catcher;
        openThroughDialog(path(c.name));
        EXPECT_EQ(catcher.count(), 1) << c.name;
        EXPECT_EQ(catcher.text(), QStringLiteral("ファイルが開けません\n") + path(c.name) +
                                      QString::fromUtf8(c.reason))
            << c.name;
    }
    EXPECT_EQ(m_window->captureSettings(), before);
    EXPECT_EQ(m_window->windowTitle(), QStringLiteral("無題 - Orbelle"));
    EXPECT_EQ(historyLines(), 0);
    EXPECT_FALSE(document()->hasCurrentFile());

    // A file that failed to open never becomes the target of a save.
    m_answer = path("chosen.orbdr");
    m_window->command(CommandId::FileSave)->trigger();
    EXPECT_EQ(m_saveAsked, 1);
    EXPECT_TRUE(QFile::exists(m_answer));
    EXPECT_EQ(readAll(path("changed.orbdr")), fields.join(','));
}

TEST_F(DocumentCommandsTest, AFailedSaveKeepsThePreviousState) {
    // The very first save fails: still no current file, so Ctrl+S asks again.
    m_answer = path("no/such/folder/a.orbdr");
    Messages shown = messagesOf(*m_window, CommandId::FileSave);
    EXPECT_EQ(shown.count, 1);
    EXPECT_TRUE(shown.text.contains(m_answer));
    EXPECT_FALSE(document()->hasCurrentFile());
    EXPECT_EQ(m_window->windowTitle(), QStringLiteral("無題 - Orbelle"));

    m_answer = path("kept.orbdr");
    m_window->command(CommandId::FileSave)->trigger();
    EXPECT_EQ(m_saveAsked, 2);
    const QByteArray saved = readAll(m_answer);
    ASSERT_FALSE(saved.isEmpty());

    // Save as to a folder's name fails; the current file stays kept.orbdr.
    ASSERT_TRUE(QDir().mkpath(path("taken.orbdr")));
    m_answer = path("taken.orbdr");
    shown = messagesOf(*m_window, CommandId::FileSaveAs);
    EXPECT_EQ(shown.count, 1);
    EXPECT_TRUE(shown.text.contains(m_answer));
    EXPECT_GE(shown.text.split(QLatin1Char('\n')).size(), 2); // the reason
    EXPECT_EQ(m_window->windowTitle(), QStringLiteral("kept - Orbelle"));
    EXPECT_EQ(document()->currentPath(), path("kept.orbdr"));
    EXPECT_TRUE(document()->hasCurrentFile());

    // Ctrl+S to a current file that can no longer be written: reported, no
    // dialog, nothing else changes.
    ASSERT_TRUE(QFile::remove(path("kept.orbdr")));
    ASSERT_TRUE(QDir().mkpath(path("kept.orbdr")));
    shown = messagesOf(*m_window, CommandId::FileSave);
    EXPECT_EQ(shown.count, 1);
    EXPECT_TRUE(shown.text.contains(path("kept.orbdr")));
    EXPECT_EQ(m_saveAsked, 3);
    EXPECT_EQ(m_window->windowTitle(), QStringLiteral("kept - Orbelle"));
    EXPECT_TRUE(document()->hasCurrentFile());
}

TEST_F(DocumentCommandsTest, ExportedImagesOpenWithTheirExactRecord) {
    DrawSettings record = m_window->captureSettings();
    record.zoom = 321;
    record.rotX = 12;
    record.rotY = 330;
    record.scaleZ = 150;
    record.penWidth = 3;
    ASSERT_NE(record, m_window->captureSettings());
    const QString png = path("spiral.png");
    writeImage(png, settingsLine(record));
    const QByteArray pngBytes = readAll(png);

    openThroughDialog(png);
    EXPECT_EQ(m_window->captureSettings(), record);
    EXPECT_EQ(historyLines(), 1);
    EXPECT_EQ(m_window->windowTitle(), QStringLiteral("spiral - Orbelle"));

    // Saving never writes the settings into the image: it asks for a settings
    // file, proposing the image's name in its folder.
    m_answer.clear();
    QTest::keyClick(m_window.get(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(m_saveAsked, 1);
    EXPECT_EQ(m_request.proposed, QDir(m_files.path()).filePath(QStringLiteral("spiral")));
    EXPECT_EQ(m_request.defaultSuffix, QStringLiteral("orbdr"));
    EXPECT_EQ(readAll(png), pngBytes);
    EXPECT_FALSE(document()->hasCurrentFile());

    // A JPEG (either extension, any case) carries the line as its comment.
    DrawSettings second = record;
    second.zoom = 80;
    second.rotZ = 45;
    const QString jpeg = path("wave.JPEG");
    writeImage(jpeg, settingsLine(second));
    openThroughDialog(jpeg);
    EXPECT_EQ(m_window->captureSettings(), second);
    EXPECT_EQ(historyLines(), 2);
    EXPECT_EQ(m_window->windowTitle(), QStringLiteral("wave - Orbelle"));
}

TEST_F(DocumentCommandsTest, ImagesWithoutAValidRecordAreRefused) {
    const DrawSettings before = m_window->captureSettings();
    DrawSettings other = before;
    other.zoom = 250;
    // The enlargement (field 45) changed after the sum was made: 250 -> 251.
    QStringList fields = settingsLine(other).split(QLatin1Char(','));
    ASSERT_EQ(fields.at(45), QStringLiteral("250"));
    fields[45] = QStringLiteral("251");

    writeImage(path("plain.png"), QString());
    writeImage(path("plain.jpg"), QString());
    writeImage(path("badsum.png"), fields.join(QLatin1Char(',')));
    writeImage(path("badsum.jpg"), fields.join(QLatin1Char(',')));
    // A history line (69 fields) is no settings line.
    writeImage(path("history.png"),
               QString::fromStdString(formatLine(LineVariant::History, other)));
    // A settings file named like an image is no image.
    ASSERT_TRUE(writeAll(path("text.png"), QByteArray::fromStdString(formatSettingsFile(other))));

    ASSERT_EQ(::mkfifo(QFile::encodeName(path("pipe.png")).constData(), 0600), 0);
    for (const char* name : {"plain.png", "plain.jpg", "badsum.png", "badsum.jpg", "history.png"}) {
        MessageCatcher catcher;
        openThroughDialog(path(name));
        EXPECT_EQ(catcher.count(), 1) << name;
        EXPECT_EQ(catcher.text(), QStringLiteral("ファイルが開けません\n") + path(name) +
                                      QStringLiteral(" は描画の設定を持たない画像です"))
            << name;
    }
    for (const char* name : {"text.png", "pipe.png"}) {
        // No picture, and a named pipe, which is never waited on.
        MessageCatcher catcher;
        openThroughDialog(path(name));
        EXPECT_EQ(catcher.count(), 1) << name;
        EXPECT_TRUE(
            catcher.text().startsWith(QStringLiteral("ファイルが開けません\n") + path(name)))
            << name;
    }
    {
        // A missing image names the file and the reason.
        MessageCatcher catcher;
        openThroughDialog(path("missing.png"));
        EXPECT_EQ(catcher.count(), 1);
        EXPECT_TRUE(catcher.text().startsWith(QStringLiteral("ファイルが開けません\n")));
        EXPECT_TRUE(catcher.text().contains(QStringLiteral("missing.png")));
    }
    EXPECT_EQ(m_window->captureSettings(), before);
    EXPECT_EQ(m_window->windowTitle(), QStringLiteral("無題 - Orbelle"));
    EXPECT_EQ(historyLines(), 0);
}

TEST_F(DocumentCommandsTest, ADroppedFileOpensLikeTheOpenCommand) {
    DrawSettings record = m_window->captureSettings();
    record.zoom = 222;
    record.rotY = 7;
    ASSERT_TRUE(
        writeAll(path("dropped.orbdr"), QByteArray::fromStdString(formatSettingsFile(record))));
    const QUrl file = QUrl::fromLocalFile(path("dropped.orbdr"));

    // A drag enters a widget and goes up to the first that takes drops; the
    // drop then goes to the widget that took the drag. Both come here to the
    // view, which takes no drops itself.
    QWidget* target = m_window->view();
    const QPoint middle(target->width() / 2, target->height() / 2);
    const auto enters = [&](const QList<QUrl>& urls) {
        QMimeData data;
        data.setUrls(urls);
        QDragEnterEvent enter(middle, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        enter.setAccepted(false);
        QApplication::sendEvent(target, &enter);
        return enter.isAccepted();
    };
    const auto drop = [&](const QUrl& url) {
        if (!enters({url})) {
            return false;
        }
        QMimeData data;
        data.setUrls({url});
        QDropEvent event(QPointF(middle), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        event.setAccepted(false);
        QApplication::sendEvent(target, &event);
        return event.isAccepted();
    };

    // One local file is taken, nothing else.
    EXPECT_FALSE(enters({file, QUrl::fromLocalFile(path("other.orbdr"))}));
    EXPECT_FALSE(enters({QUrl(QStringLiteral("https://orbelle.example/a.orbdr"))}));
    EXPECT_FALSE(enters({}));

    EXPECT_TRUE(drop(file));
    // The file opens once the drag has ended; the drawing then runs on.
    EXPECT_TRUE(QTest::qWaitFor([&] { return document()->hasCurrentFile(); }, 5000));
    ASSERT_TRUE(m_window->waitForDrawing());
    EXPECT_EQ(m_window->captureSettings(), record);
    EXPECT_EQ(m_window->windowTitle(), QStringLiteral("dropped - Orbelle"));
    EXPECT_EQ(historyLines(), 1);
    EXPECT_EQ(m_openAsked, 0); // no dialog

    // A dropped image opens the same way.
    DrawSettings fromImage = record;
    fromImage.zoom = 140;
    writeImage(path("figure.png"), settingsLine(fromImage));
    EXPECT_TRUE(drop(QUrl::fromLocalFile(path("figure.png"))));
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return m_window->windowTitle() == QStringLiteral("figure - Orbelle"); }, 5000));
    ASSERT_TRUE(m_window->waitForDrawing());
    EXPECT_EQ(m_window->captureSettings(), fromImage);
    EXPECT_EQ(historyLines(), 2);

    // A dropped file that is no drawing is refused like an opened one.
    ASSERT_TRUE(writeAll(path("notes.txt"), "hello\n"));
    MessageCatcher catcher;
    EXPECT_TRUE(drop(QUrl::fromLocalFile(path("notes.txt"))));
    EXPECT_TRUE(QTest::qWaitFor([&] { return catcher.count() == 1; }, 5000));
    EXPECT_EQ(catcher.text(),
              QStringLiteral("ファイルが開けません\n") + path("notes.txt") +
                  QStringLiteral(" には設定の行がありません (項目の数か合計が合いません)"));
    ASSERT_TRUE(m_window->waitForDrawing());
    EXPECT_EQ(m_window->captureSettings(), fromImage);
    EXPECT_EQ(historyLines(), 2);
}

TEST_F(DocumentCommandsTest, SaveRefusesDevicesAndReadOnlyFilesAndKeepsPermissions) {
    namespace fs = std::filesystem;
    const auto local = [](const QString& file) { return fs::path(QFile::encodeName(file).data()); };
    fs::create_symlink("/dev/null", local(path("device.orbdr")));
    ASSERT_TRUE(writeAll(path("locked.orbdr"), "locked"));
    fs::permissions(local(path("locked.orbdr")), fs::perms::owner_read);
    for (const char* name : {"device.orbdr", "locked.orbdr"}) {
        m_answer = path(name);
        const Messages shown = messagesOf(*m_window, CommandId::FileSaveAs);
        EXPECT_EQ(shown.count, 1) << name;
        EXPECT_TRUE(shown.text.contains(m_answer)) << shown.text.toStdString();
        EXPECT_FALSE(document()->hasCurrentFile());
    }
    EXPECT_TRUE(fs::is_symlink(local(path("device.orbdr"))));
    EXPECT_EQ(readAll(path("locked.orbdr")), QByteArray("locked"));

    // A private file stays private when it is saved over.
    ASSERT_TRUE(writeAll(path("private.orbdr"), "old"));
    fs::permissions(local(path("private.orbdr")), fs::perms::owner_read | fs::perms::owner_write);
    m_answer = path("private.orbdr");
    EXPECT_EQ(messagesOf(*m_window, CommandId::FileSaveAs).count, 0);
    EXPECT_EQ(readAll(m_answer).trimmed(), settingsLine(m_window->captureSettings()).toUtf8());
    EXPECT_EQ(fs::status(local(m_answer)).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);
}

TEST_F(DocumentCommandsTest, HistoryAndFavoritesFilesLoadIntoTheirStoresAfterAQuestion) {
    triggerAndWait(*m_window, CommandId::Draw);
    const QString historyStore = dataFile(QStringLiteral("csv_history0"));
    const QString favoritesStore = dataFile(QStringLiteral("csv_okiniiri0"));
    const QByteArray historyBefore = readAll(historyStore);
    const QByteArray favoritesBefore = readAll(favoritesStore);
    ASSERT_EQ(historyBefore.count('\n'), 1);

    // Two drawings told apart by their enlargement; a root and one folder.
    DrawSettings first = m_window->captureSettings();
    first.zoom = 111;
    DrawSettings second = first;
    second.zoom = 222;
    const QByteArray history =
        QByteArray::fromStdString(formatLine(LineVariant::History, first) + "\r\n" +
                                  formatLine(LineVariant::History, second) + "\r\n");
    const QByteArray favorites = "1,0,\x82\xa8\x8b\x43\x82\xc9\x93\xfc\x82\xe8,1,1,1\r\n"
                                 "2,1,Folder,1,1,1\r\n";
    ASSERT_TRUE(writeAll(path("saved.orbhs"), history));
    ASSERT_TRUE(writeAll(path("saved.ORBFV"), favorites));
    ASSERT_TRUE(writeAll(path("empty.orbhs"), ""));

    struct Case {
        const char* name;
        bool throughDialog;
        QMessageBox::StandardButton answer;
        const char* caption;
        const char* present; // what the question says is replaced
    };
    for (const Case& c : {
             Case{"saved.orbhs", true, QMessageBox::No, "ヒストリーの読み込み", "今のヒストリー"},
             Case{"saved.ORBFV", false, QMessageBox::No, "お気に入りの読み込み", "今のお気に入り"},
         }) {
        MessageCatcher catcher(c.answer);
        if (c.throughDialog) {
            openThroughDialog(path(c.name));
        } else {
            EXPECT_FALSE(document()->openFile(path(c.name)));
        }
        EXPECT_EQ(catcher.count(), 1) << c.name;
        EXPECT_EQ(catcher.title(), QString::fromUtf8(c.caption)) << c.name;
        EXPECT_TRUE(catcher.text().contains(path(c.name))) << c.name;
        EXPECT_TRUE(catcher.text().contains(QString::fromUtf8(c.present))) << c.name;
        EXPECT_TRUE(catcher.text().contains(QStringLiteral("置き換えられます"))) << c.name;
        EXPECT_EQ(catcher.buttons(), QMessageBox::Yes | QMessageBox::No) << c.name;
        EXPECT_EQ(catcher.defaultButton(), QMessageBox::No) << c.name;
    }
    // No leaves both stores and the drawing as they were.
    EXPECT_EQ(readAll(historyStore), historyBefore);
    EXPECT_EQ(readAll(favoritesStore), favoritesBefore);

    {
        MessageCatcher catcher(QMessageBox::Yes);
        EXPECT_TRUE(document()->openFile(path("saved.orbhs")));
        EXPECT_EQ(catcher.count(), 1);
    }
    EXPECT_EQ(readAll(historyStore), history);
    EXPECT_EQ(statusText(*m_window), QStringLiteral("ヒストリーを読み込みました: 2 件"));
    {
        MessageCatcher catcher(QMessageBox::Yes);
        EXPECT_TRUE(document()->openFile(path("saved.ORBFV")));
    }
    EXPECT_EQ(readAll(favoritesStore), favorites);
    // Loading applies and draws nothing, and no store file becomes the
    // current file.
    EXPECT_EQ(m_window->windowTitle(), QStringLiteral("無題 - Orbelle"));
    EXPECT_FALSE(document()->hasCurrentFile());

    // Yes to an empty file: refused with a message naming it; the history stays.
    {
        MessageCatcher catcher(QMessageBox::Yes);
        EXPECT_FALSE(document()->openFile(path("empty.orbhs")));
        EXPECT_EQ(catcher.count(), 2); // the question, then the refusal
        EXPECT_TRUE(catcher.text().contains(path("empty.orbhs")));
        EXPECT_TRUE(catcher.text().contains(QStringLiteral("ヒストリーは変わりません")));
    }
    EXPECT_EQ(readAll(historyStore), history);
}
