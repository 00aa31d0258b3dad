#pragma once
// The Help menu's commands: the local help page, the online help and the home
// page (opened by the desktop's browser), the contact dialog and the about box.

#include <QObject>
#include <QString>

#include <functional>

class QAction;
class QUrl;
class QWidget;

namespace orbelle {

class HelpCommands : public QObject {
    Q_OBJECT
  public:
    /// Opens a document or address with the desktop's program; false when
    /// none could be started.
    using UrlOpener = std::function<bool(const QUrl&)>;

    /// dialogParent: parent of the dialogs and messages; appDataDir: the data
    /// folder (with a trailing separator) holding the help page.
    HelpCommands(QWidget* dialogParent, QString appDataDir, QObject* parent = nullptr);

    /// Connects the command numbers to the actions action(id) returns and
    /// enables them: 57670, 12103, 32825, 32819, 57664.
    void connectTo(const std::function<QAction*(int)>& action);

    void showHelp();       // 57670
    void openOnlineHelp(); // 12103
    void openHomePage();   // 32825
    void showContact();    // 32819
    void showAbout();      // 57664

    /// Replaces QDesktopServices::openUrl (tests).
    void setUrlOpener(UrlOpener opener) { m_open = std::move(opener); }

  private:
    void openAddress(const char* address);

    QWidget* m_parent;
    QString m_appDataDir;
    UrlOpener m_open;
};

} // namespace orbelle
