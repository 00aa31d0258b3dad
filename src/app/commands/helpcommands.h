#pragma once
// The menu "ヘルプ": the local help page, the online help and the home page
// (opened by the desktop's browser), the contact dialog and the about box.

#include <QObject>
#include <QString>

#include <functional>

class QUrl;

namespace orbelle {

class CommandHost;
class CommandSet;

class HelpCommands : public QObject {
    Q_OBJECT
  public:
    /// Opens a document or address with the desktop's program; false when
    /// none could be started.
    using UrlOpener = std::function<bool(const QUrl&)>;

    /// appDataDir: the data folder (with a trailing separator) holding the
    /// help page.
    HelpCommands(const CommandSet& commands, CommandHost& host, QString appDataDir,
                 QObject* parent);

    void showHelp();       // CommandId::Help
    void openOnlineHelp(); // CommandId::OnlineHelp
    void openHomePage();   // CommandId::HomePage
    void showContact();    // CommandId::ContactAddress
    void showAbout();      // CommandId::About

    /// Replaces QDesktopServices::openUrl (tests).
    void setUrlOpener(UrlOpener opener) { m_open = std::move(opener); }

  private:
    void openAddress(const char* address);

    CommandHost& m_host;
    QString m_appDataDir;
    UrlOpener m_open;
};

} // namespace orbelle
