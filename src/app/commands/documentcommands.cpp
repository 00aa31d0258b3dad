#include "app/commands/documentcommands.h"

#include "app/commands/commandhost.h"
#include "app/commands/filedialogs.h"
#include "app/commands/filedroptarget.h"
#include "app/commandset.h"
#include "imageio/fileread.h"
#include "imageio/imageformat.h"
#include "imageio/imagesettings.h"
#include "imageio/savefile.h"
#include "store/settingsfile.h"
#include "view/writefailure.h"
#include "widgets/systemreason.h"

#include <QDir>
#include <QFileInfo>
#include <QMessageBox>

#include <cerrno>

namespace orbelle {
namespace {

QString settingsFilter() { return QObject::tr("Orbelle ファイル (*.orbdr)"); }

// Opening also takes the images the export writes, which carry the settings,
// and the history and favorites files, which load into their stores.
QString openFilter() {
    return QObject::tr("Orbelle ファイル (*.orbdr *.png *.jpg);;ヒストリー ファイル (*.orbhs);;"
                       "お気に入り ファイル (*.orbfv)");
}

constexpr char kSuffix[] = "orbdr";

// The line under the refusal: the file and why it cannot be opened.
QString openFailure(const QString& path, const StoreStatus& status) {
    const QString shown = QDir::toNativeSeparators(path);
    switch (status.error()) {
    case StoreError::TooLarge:
        return carriesSettings(path)
                   ? QObject::tr("%1: ファイルが大きすぎます (上限 %2 MiB)")
                         .arg(shown)
                         .arg(kMaxImageFileBytes >> 20)
                   : QObject::tr("%1 は 1 MiB より大きいため設定ファイルではありません").arg(shown);
    case StoreError::NotRegularFile:
        return status.errorNumber() == EISDIR
                   ? QObject::tr("%1 はフォルダです").arg(shown)
                   : QObject::tr("%1 は通常のファイルではありません").arg(shown);
    case StoreError::NotSettingsFile:
        return QObject::tr("%1 には設定の行がありません (項目の数か合計が合いません)").arg(shown);
    case StoreError::NotImage:
        return QObject::tr("%1 は画像として読めません (%2)")
            .arg(shown, QString::fromStdString(status.detail()));
    case StoreError::NoImageSettings:
        return QObject::tr("%1 は描画の設定を持たない画像です").arg(shown);
    default:
        return shown + QStringLiteral(": ") + systemReason(status.errorNumber());
    }
}

// The store a file of this name loads into, by its extension.
enum class StoreFileKind { None, History, Favorites };

StoreFileKind storeFileKind(const QString& path) {
    const QString suffix = QFileInfo(path).suffix();
    if (suffix.compare(QLatin1String("orbhs"), Qt::CaseInsensitive) == 0) {
        return StoreFileKind::History;
    }
    if (suffix.compare(QLatin1String("orbfv"), Qt::CaseInsensitive) == 0) {
        return StoreFileKind::Favorites;
    }
    return StoreFileKind::None;
}

} // namespace

DocumentCommands::DocumentCommands(const CommandSet& commands, CommandHost& host,
                                   const FileDialogs& dialogs, QObject* parent)
    : QObject(parent), m_host(host), m_dialogs(dialogs) {
    commands.onTriggered(CommandId::FileOpen, this, [this] { open(); });
    commands.onTriggered(CommandId::FileSave, this, [this] { save(); });
    commands.onTriggered(CommandId::FileSaveAs, this, [this] { saveAs(); });
    new FileDropTarget(host.dialogParent(), [this](const QString& path) { openFile(path); });
}

void DocumentCommands::refuse(const QString& reason) {
    QString text = tr("ファイルが開けません");
    if (!reason.isEmpty()) {
        text += QLatin1Char('\n') + reason;
    }
    QMessageBox::warning(m_host.dialogParent(), tr("Orbelle"), text, QMessageBox::Ok);
}

bool DocumentCommands::openFile(const QString& path) {
    const StoreFileKind kind = storeFileKind(path);
    if (kind != StoreFileKind::None) {
        return loadStoreFile(path, kind == StoreFileKind::History);
    }
    // PNG and JPEG images carry the settings line in their metadata; any
    // other file is read as a settings file. Both are read without waiting
    // on the file, so a named pipe is refused instead of freezing the window.
    const StoreResult<DrawSettings> read =
        carriesSettings(path) ? readImageSettings(path) : readSettingsFile(fileSystemPath(path));
    if (!read.ok()) {
        refuse(openFailure(path, read.status));
        return false;
    }
    if (!m_host.applySettings(read.value, false)) {
        return false; // refused with its own message
    }
    if (carriesSettings(path)) {
        // The image names the drawing, but a save writes a settings file and
        // never the image: the next save asks for a name, beside the image.
        m_currentPath = QFileInfo(path).absoluteFilePath();
        m_currentTitle = QFileInfo(path).completeBaseName();
        m_hasCurrentFile = false;
        m_host.setDocumentTitle(m_currentTitle);
        return true;
    }
    makeCurrent(path);
    return true;
}

void DocumentCommands::setStoreFileLoaders(StoreFileLoaders loaders) {
    m_loaders = std::move(loaders);
}

bool DocumentCommands::loadStoreFile(const QString& path, bool history) {
    const std::function<bool(const QString&)>& load =
        history ? m_loaders.history : m_loaders.favorites;
    if (!load) {
        return false;
    }
    const QString shown = QDir::toNativeSeparators(path);
    const QString text = history
                             ? tr("「%1」をヒストリーに読み込みますか？\n"
                                  "今のヒストリーはすべて、このファイルの内容で置き換えられます。")
                                   .arg(shown)
                             : tr("「%1」をお気に入りに読み込みますか？\n"
                                  "今のお気に入りはすべて、このファイルの内容で置き換えられます。")
                                   .arg(shown);
    QMessageBox question(QMessageBox::Question,
                         history ? tr("ヒストリーの読み込み") : tr("お気に入りの読み込み"), text,
                         QMessageBox::Yes | QMessageBox::No, m_host.dialogParent());
    // The present entries are lost: No is the default.
    question.setDefaultButton(QMessageBox::No);
    if (question.exec() != QMessageBox::Yes) {
        return false;
    }
    return load(path);
}

void DocumentCommands::open() {
    const QString path = m_dialogs.openFile(
        m_host.dialogParent(), {tr("開く"), openFilter(), QString::fromLatin1(kSuffix), QString()});
    if (!path.isEmpty()) {
        openFile(path);
    }
}

void DocumentCommands::save() {
    if (!m_hasCurrentFile) {
        saveAs();
        return;
    }
    write(m_currentPath);
}

void DocumentCommands::saveAs() {
    // Proposed: the current file's name, in its folder once there is one.
    const QString proposed = m_currentPath.isEmpty()
                                 ? m_currentTitle
                                 : QFileInfo(m_currentPath).dir().filePath(m_currentTitle);
    const QString path =
        m_dialogs.saveFile(m_host.dialogParent(), {tr("名前を付けて保存"), settingsFilter(),
                                                   QString::fromLatin1(kSuffix), proposed});
    if (path.isEmpty()) {
        return;
    }
    if (write(path)) {
        makeCurrent(path);
    }
}

bool DocumentCommands::write(const QString& path) {
    const std::string content = formatSettingsFile(m_host.captureSettings());
    const StoreStatus saved = saveFileStatus(path, QByteArray::fromStdString(content));
    if (!saved.ok()) {
        const QString reason = writeFailureReason(saved);
        QMessageBox::warning(
            m_host.dialogParent(), tr("Orbelle"),
            tr("ファイルを保存できません: %1\n%2").arg(QDir::toNativeSeparators(path), reason));
        return false;
    }
    m_host.showStatusMessage(tr("保存しました: %1").arg(QDir::toNativeSeparators(path)));
    return true;
}

void DocumentCommands::makeCurrent(const QString& path) {
    m_currentPath = QFileInfo(path).absoluteFilePath();
    m_currentTitle = QFileInfo(path).completeBaseName();
    m_hasCurrentFile = true;
    m_host.setDocumentTitle(m_currentTitle);
}

} // namespace orbelle
