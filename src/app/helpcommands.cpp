#include "app/helpcommands.h"

#include "app/aboutdialog.h"
#include "app/addresses.h"
#include "app/contactdialog.h"
#include "app/helppage.h"

#include <QAction>
#include <QDesktopServices>
#include <QDir>
#include <QMessageBox>
#include <QUrl>

namespace orbelle {

HelpCommands::HelpCommands(QWidget* dialogParent, QString appDataDir, QObject* parent)
    : QObject(parent), m_parent(dialogParent), m_appDataDir(std::move(appDataDir)),
      m_open([](const QUrl& url) { return QDesktopServices::openUrl(url); }) {}

void HelpCommands::connectTo(const std::function<QAction*(int)>& action) {
    const std::pair<int, void (HelpCommands::*)()> commands[] = {
        {57670, &HelpCommands::showHelp},     {12103, &HelpCommands::openOnlineHelp},
        {32825, &HelpCommands::openHomePage}, {32819, &HelpCommands::showContact},
        {57664, &HelpCommands::showAbout},
    };
    for (const auto& [id, slot] : commands) {
        if (QAction* a = action(id)) {
            a->setEnabled(true);
            connect(a, &QAction::triggered, this, slot);
        }
    }
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
            m_parent, tr("Orbelle"),
            tr("%1\nヘルプ ページ: %2").arg(problem, QDir::toNativeSeparators(path)));
    }
}

void HelpCommands::openOnlineHelp() { openAddress(kOnlineHelpUrl); }

void HelpCommands::openHomePage() { openAddress(kHomePageUrl); }

void HelpCommands::openAddress(const char* address) {
    const QString text = QString::fromLatin1(address);
    if (!m_open(QUrl(text))) {
        QMessageBox::warning(m_parent, tr("Orbelle"),
                             tr("ブラウザーを起動できません。\n%1").arg(text));
    }
}

void HelpCommands::showContact() {
    ContactDialog dialog(m_parent);
    dialog.exec();
}

void HelpCommands::showAbout() {
    AboutDialog dialog(m_parent);
    dialog.exec();
}

} // namespace orbelle
