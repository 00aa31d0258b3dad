#include "app/commands/helpcommands.h"

#include "app/aboutdialog.h"
#include "app/addresses.h"
#include "app/contactdialog.h"
#include "app/helppage.h"
#include "app/startup.h"
#include "app/windowtest.h"
#include "view/dialogdriver.h"

#include <QClipboard>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QUrl>

#include <csignal>
#include <sys/resource.h>

using namespace orbelle;
using orbelle::test::DialogDriver;
using orbelle::test::MessageCollector;
using orbelle::test::readAll;
using orbelle::test::writeAll;

namespace {

QByteArray pageOfVersion(const char* version) {
    return QByteArray("<html><head><meta name=\"orbelle-version\" content=\"") + version +
           "\"></head><body>mine</body></html>";
}

} // namespace

TEST(HelpPage, VersionFromTheBuildAndItsDisplay) {
    EXPECT_EQ(programVersion(), QVersionNumber(2, 0, 0));
    EXPECT_EQ(displayVersion(QVersionNumber(2, 0, 0)), QStringLiteral("2.00.00"));
    EXPECT_EQ(displayVersion(QVersionNumber(1, 5, 12)), QStringLiteral("1.05.12"));
    EXPECT_EQ(helpPageVersion(pageOfVersion("1.9.3")), QVersionNumber(1, 9, 3));
    EXPECT_TRUE(helpPageVersion("<html>no marker</html>").isNull());
}

TEST(HelpPage, WrittenWhenMissingReplacedWhenOlderKeptOtherwise) {
    QTemporaryDir temp;
    const QString dir = temp.path() + QLatin1Char('/');
    const QString page = helpPagePath(dir);
    EXPECT_TRUE(page.endsWith(QStringLiteral("/OrbelleHelp001.html")));

    EXPECT_TRUE(installHelpPage(dir).isEmpty());
    const QByteArray manual = readAll(page);
    const QString text = QString::fromUtf8(manual);
    EXPECT_EQ(helpPageVersion(manual), QVersionNumber(2, 0, 0));
    // The manual covers the program's parts.
    for (const char* topic : {"描画 ランダム", "ロック", "カラー・ストローク", "３Ｄ変換",
                              "ズームイン", "ヒストリー", "お気に入り", "*.orbdr", "再描画して保存",
                              "印刷プレビュー", "F3", "よい図形を探す", "密度"}) {
        EXPECT_TRUE(text.contains(QString::fromUtf8(topic))) << topic;
    }

    // An older page, and one without a marker, give way to the manual.
    for (const QByteArray& old : {pageOfVersion("1.0.5"), QByteArray("<html>old</html>")}) {
        ASSERT_TRUE(writeAll(page, old));
        EXPECT_TRUE(installHelpPage(dir).isEmpty());
        EXPECT_EQ(readAll(page), manual);
    }
    // A page of this version or a newer one stays.
    for (const char* version : {"2.0.0", "2.1.0"}) {
        ASSERT_TRUE(writeAll(page, pageOfVersion(version)));
        EXPECT_TRUE(installHelpPage(dir).isEmpty());
        EXPECT_EQ(readAll(page), pageOfVersion(version));
    }
}

TEST(HelpPage, AFolderThatCannotTakeThePageIsReported) {
    QTemporaryDir temp;
    const QString dir = temp.path() + QStringLiteral("/missing/");
    const QString message = installHelpPage(dir);
    EXPECT_TRUE(message.contains(QStringLiteral("OrbelleHelp001.html"))) << message.toStdString();
}

TEST(AboutDialog, ShowsTheBuildVersionIconAndSelectableAddresses) {
    AboutDialog dialog;
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("バージョン情報 Orbelle"));
    const auto* version = dialog.findChild<QLabel*>(QStringLiteral("versionLabel"));
    ASSERT_NE(version, nullptr);
    EXPECT_EQ(version->text(), QStringLiteral("Orbelle, Version 2.00.00"));
    const auto* icon = dialog.findChild<QLabel*>(QStringLiteral("programIcon"));
    ASSERT_NE(icon, nullptr);
    EXPECT_FALSE(icon->pixmap().isNull());

    dialog.show();
    for (QLineEdit* field : {dialog.homePageField(), dialog.contactField()}) {
        EXPECT_TRUE(field->isReadOnly());
        const QString address = field->text();
        field->setFocus();
        field->selectAll();
        EXPECT_EQ(field->selectedText(), address);
        QTest::keyClicks(field, QStringLiteral("x"));
        EXPECT_EQ(field->text(), address); // typing changes nothing
    }
    EXPECT_EQ(dialog.homePageField()->text(), QStringLiteral("https://orbelle.example/"));
    EXPECT_EQ(dialog.contactField()->text(), QStringLiteral("contact@orbelle.example"));
}

TEST(ContactDialog, AddressCanBeCopiedButNotEdited) {
    ContactDialog dialog;
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("メールアドレス"));
    dialog.show();
    QLineEdit* field = dialog.addressField();
    EXPECT_TRUE(field->isReadOnly());
    EXPECT_EQ(field->text(), QStringLiteral("contact@orbelle.example"));
    field->setFocus();
    field->selectAll();
    QTest::keyClick(field, Qt::Key_Backspace);
    EXPECT_EQ(field->text(), QStringLiteral("contact@orbelle.example"));
    field->selectAll();
    field->copy();
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("contact@orbelle.example"));
}

class HelpCommandsTest : public test::OpenWindowTest {
  protected:
    void SetUp() override {
        OpenWindowTest::SetUp();
        m_window->helpCommands()->setUrlOpener([this](const QUrl& url) {
            m_opened.push_back(url);
            return m_openSucceeds;
        });
    }
    void trigger(CommandId id) { m_window->command(id)->trigger(); }

    std::vector<QUrl> m_opened;
    bool m_openSucceeds = true;
};

TEST_F(HelpCommandsTest, CommandsOpenThePageAndTheAddresses) {
    trigger(CommandId::Help);
    trigger(CommandId::OnlineHelp);
    trigger(CommandId::HomePage);
    ASSERT_EQ(m_opened.size(), 3u);
    // The page is put in place (it was missing) and opened as a local file.
    EXPECT_EQ(m_opened[0], QUrl::fromLocalFile(dataDir() + QStringLiteral("OrbelleHelp001.html")));
    EXPECT_TRUE(QFile::exists(dataDir() + QStringLiteral("OrbelleHelp001.html")));
    EXPECT_EQ(m_opened[1], QUrl(QStringLiteral("https://orbelle.example/help/")));
    EXPECT_EQ(m_opened[2], QUrl(QStringLiteral("https://orbelle.example/")));
}

TEST_F(HelpCommandsTest, NoBrowserGivesAMessageWithThePagesPath) {
    m_openSucceeds = false;
    MessageCollector messages;
    trigger(CommandId::Help);
    EXPECT_TRUE(QTest::qWaitFor([&] { return messages.count() > 0; }));
    EXPECT_EQ(messages.count(), 1);
    EXPECT_TRUE(messages.text().contains(dataDir() + QStringLiteral("OrbelleHelp001.html")))
        << messages.text().toStdString();
    trigger(CommandId::HomePage);
    EXPECT_TRUE(QTest::qWaitFor([&] { return messages.count() > 1; }));
    EXPECT_TRUE(messages.text().contains(QStringLiteral("https://orbelle.example/")));
}

TEST_F(HelpCommandsTest, ContactAndAboutShowTheirDialogs) {
    {
        QString shown;
        DialogDriver<ContactDialog> close([&shown](ContactDialog* d) {
            shown = d->addressField()->text();
            d->accept();
        });
        trigger(CommandId::ContactAddress);
        EXPECT_EQ(shown, QStringLiteral("contact@orbelle.example"));
    }
    {
        QString title;
        DialogDriver<AboutDialog> close([&title](AboutDialog* d) {
            title = d->windowTitle();
            d->accept();
        });
        trigger(CommandId::About);
        EXPECT_EQ(title, QStringLiteral("バージョン情報 Orbelle"));
    }
}

TEST(HelpPage, ALinkOrADeviceInThePagesPlaceIsLeftAloneAndNamed) {
    QTemporaryDir temp;
    const QString dir = temp.path() + QLatin1Char('/');
    const QString page = helpPagePath(dir);
    ASSERT_TRUE(writeAll(temp.filePath(QStringLiteral("precious.txt")), "precious"));
    for (const QString& planted :
         {temp.filePath(QStringLiteral("precious.txt")), QStringLiteral("/dev/null")}) {
        QFile::remove(page);
        ASSERT_TRUE(QFile::link(planted, page));
        const QString message = installHelpPage(dir);
        EXPECT_TRUE(message.contains(page)) << message.toStdString();
        EXPECT_TRUE(message.contains(QStringLiteral("シンボリック リンク")))
            << message.toStdString();
        EXPECT_TRUE(QFileInfo(page).isSymLink());
    }
    EXPECT_EQ(readAll(temp.filePath(QStringLiteral("precious.txt"))), QByteArray("precious"));
}

TEST(DataFiles, AFullDiskAndALinkAreNamedWithTheirReasons) {
    QTemporaryDir temp;
    const QString dir = temp.path() + QLatin1Char('/');
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/null"), dir + QStringLiteral("radioon2.png")));
    QStringList problems;
    {
        // A file size limit of 100 bytes fails the writes (EFBIG) as a full
        // disk does.
        const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit old{};
        getrlimit(RLIMIT_FSIZE, &old);
        rlimit limit = old;
        limit.rlim_cur = 100;
        setrlimit(RLIMIT_FSIZE, &limit);
        problems = installDataFiles(dir);
        setrlimit(RLIMIT_FSIZE, &old);
        std::signal(SIGXFSZ, oldHandler);
    }
    const QString text = dataFilesProblemText(problems);
    for (const char* name : {"radiooff2.png", "sankaku4.png", "OrbelleHelp001.html", "Orbelle.ico",
                             "OrbelleO.ico", "OrbelleH.ico"}) {
        EXPECT_TRUE(
            text.contains(dir + QLatin1String(name) + QStringLiteral(" — ファイルが大きすぎます")))
            << name << ": " << text.toStdString();
        EXPECT_FALSE(QFile::exists(dir + QLatin1String(name))) << name;
    }
    EXPECT_TRUE(text.contains(dir + QStringLiteral("radioon2.png — シンボリック リンク")))
        << text.toStdString();
    EXPECT_TRUE(QFileInfo(dir + QStringLiteral("radioon2.png")).isSymLink());
    EXPECT_EQ(QDir(dir).entryList(QDir::Files | QDir::Hidden | QDir::System),
              QStringList{"radioon2.png"});
    // With room on the disk the next start puts them in place.
    EXPECT_EQ(installDataFiles(dir).size(), 1);
    EXPECT_TRUE(dataFilesProblemText({}).isEmpty());
}
