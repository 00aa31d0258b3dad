#include "app/commands/helpcommands.h"

#include "app/aboutdialog.h"
#include "app/addresses.h"
#include "app/commands/commandhost.h"
#include "app/commandset.h"
#include "app/contactdialog.h"
#include "app/helppage.h"

#include <QDesktopServices>
#include <QDir>
#include <QMessageBox>
#include <QUrl>

namespace orbelle {

HelpCommands::HelpCommands(const CommandSet& commands, CommandHost& host, QString appDataDir,
                           QObject* parent)
    : QObject(parent), m_host(host), m_appDataDir(std::move(appDataDir)),
      m_open([](const QUrl& url) { return QDesktopServices::openUrl(url); }) {
    commands.onTriggered(CommandId::Help, this, &HelpCommands::showHelp);
    commands.onTriggered(CommandId::OnlineHelp, this, &HelpCommands::openOnlineHelp);
    commands.onTriggered(CommandId::HomePage, this, &HelpCommands::openHomePage);
    commands.onTriggered(CommandId::ContactAddress, this, &HelpCommands::showContact);
    commands.onTriggered(CommandId::About, this, &HelpCommands::showAbout);
}

void HelpCommands::showHelp() {
    // The page is put back if it went missing since the start.
    QString problem = installHelpPage(m_appDataDir);
    const QString path = helpPagePath(m_appDataDir);
    if (problem.isEmpty() && !m_open(QUrl::fromLocalFile(path))) {
        problem = tr("ヘルプ ページを表示するプログラムを起動できません。");
    }
    if (!problem.isEmpty()) {
        QMessageBox::warning(
            m_host.dialogParent(), tr("Orbelle"),
            tr("%1\nヘルプ ページ: %2").arg(problem, QDir::toNativeSeparators(path)));
    }
}

void HelpCommands::openOnlineHelp() { openAddress(kOnlineHelpUrl); }

void HelpCommands::openHomePage() { openAddress(kHomePageUrl); }

void HelpCommands::openAddress(const char* address) {
    const QString text = QString::fromLatin1(address);
    if (!m_open(QUrl(text))) {
        QMessageBox::warning(m_host.dialogParent(), tr("Orbelle"),
                             tr("ブラウザーを起動できません。\n%1").arg(text));
    }
}

void HelpCommands::showContact() {
    ContactDialog dialog(m_host.dialogParent());
    dialog.exec();
}

void HelpCommands::showAbout() {
    AboutDialog dialog(m_host.dialogParent());
    dialog.exec();
}

} // namespace orbelle
