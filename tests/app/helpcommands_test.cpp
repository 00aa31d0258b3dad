#include "app/commands/helpcommands.h"

#include "app/aboutdialog.h"
#include "app/addresses.h"
#include "app/apptest.h"
#include "app/contactdialog.h"
#include "app/helppage.h"
#include "app/mainwindow.h"
#include "panes/commandid.h"
#include "view/dialogdriver.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDeadlineTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <gtest/gtest.h>

#include <memory>

using namespace orbelle;
using orbelle::test::DialogDriver;
using orbelle::test::MessageCollector;

namespace {

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

void waitFor(const std::function<bool()>& condition) {
    QDeadlineTimer deadline(5000);
    while (!condition() && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
}

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
    const QByteArray manual = readFile(page);
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
        writeFile(page, old);
        EXPECT_TRUE(installHelpPage(dir).isEmpty());
        EXPECT_EQ(readFile(page), manual);
    }
    // A page of this version or a newer one stays.
    for (const char* version : {"2.0.0", "2.1.0"}) {
        writeFile(page, pageOfVersion(version));
        EXPECT_TRUE(installHelpPage(dir).isEmpty());
        EXPECT_EQ(readFile(page), pageOfVersion(version));
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

class HelpCommandsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        orbelle::test::clearSettingsStore();
        ASSERT_TRUE(m_dir.isValid());
        m_window = std::make_unique<MainWindow>(dataDir());
        m_window->helpCommands()->setUrlOpener([this](const QUrl& url) {
            m_opened.push_back(url);
            return m_openSucceeds;
        });
    }
    QString dataDir() const { return m_dir.path() + QLatin1Char('/'); }
    void trigger(CommandId id) { m_window->command(id)->trigger(); }

    QTemporaryDir m_dir;
    std::unique_ptr<MainWindow> m_window;
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
    waitFor([&] { return messages.count() > 0; });
    EXPECT_EQ(messages.count(), 1);
    EXPECT_TRUE(messages.text().contains(dataDir() + QStringLiteral("OrbelleHelp001.html")))
        << messages.text().toStdString();
    trigger(CommandId::HomePage);
    waitFor([&] { return messages.count() > 1; });
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
