#include "app/commands/documentcommands.h"

#include "app/commands/commandhost.h"
#include "app/commands/filedialogs.h"
#include "app/commands/filedroptarget.h"
#include "app/commandset.h"
#include "imageio/imageformat.h"
#include "imageio/imagesettings.h"
#include "imageio/savefile.h"
#include "store/settingsfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>

#include <cstring>
#include <filesystem>

namespace orbelle {
namespace {

QString settingsFilter() { return QObject::tr("Orbelle ファイル (*.orbdr)"); }

// Opening also takes the images the export writes, which carry the settings.
QString openFilter() { return QObject::tr("Orbelle ファイル (*.orbdr *.png *.jpg)"); }

constexpr char kSuffix[] = "orbdr";

// The reason a settings file cannot be opened, shown under the refusal;
// empty for a file that holds no settings file line.
QString readFailure(const QString& path, const StoreStatus& status) {
    const QString shown = QDir::toNativeSeparators(path);
    switch (status.error()) {
    case StoreError::TooLarge:
        return QObject::tr("%1 は 1 MiB より大きいため設定ファイルではありません").arg(shown);
    case StoreError::NotRegularFile:
        return QObject::tr("%1 は通常のファイルではありません").arg(shown);
    case StoreError::NotSettingsFile:
        return {};
    default:
        return shown + QStringLiteral(": ") +
               QString::fromLocal8Bit(std::strerror(status.errorNumber()));
    }
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
    const QFileInfo info(path);
    if (info.isDir()) {
        refuse(tr("%1 はフォルダです").arg(QDir::toNativeSeparators(path)));
        return false;
    }
    // PNG and JPEG images carry the settings line in their metadata; any
    // other file is read as a settings file.
    if (carriesSettings(path)) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            refuse(QDir::toNativeSeparators(path) + QStringLiteral(": ") + file.errorString());
            return false;
        }
        file.close();
        return openImage(path);
    }
    const StoreResult<DrawSettings> read =
        readSettingsFile(std::filesystem::path(QFile::encodeName(path).toStdString()));
    if (!read.ok()) {
        refuse(readFailure(path, read.status));
        return false;
    }
    if (!m_host.applySettings(read.value, false)) {
        return false; // refused with its own message
    }
    makeCurrent(path);
    return true;
}

bool DocumentCommands::openImage(const QString& path) {
    const std::optional<DrawSettings> settings = settingsFromImageFile(path);
    if (!settings) {
        refuse({});
        return false;
    }
    if (!m_host.applySettings(*settings, false)) {
        return false; // refused with its own message
    }
    // The image names the drawing, but a save writes a settings file and
    // never the image: the next save asks for a name, beside the image.
    m_currentPath = QFileInfo(path).absoluteFilePath();
    m_currentTitle = QFileInfo(path).completeBaseName();
    m_hasCurrentFile = false;
    m_host.setDocumentTitle(m_currentTitle);
    return true;
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
    const std::optional<QString> failed = saveFile(path, QByteArray::fromStdString(content));
    if (failed) {
        const QString reason = *failed;
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
