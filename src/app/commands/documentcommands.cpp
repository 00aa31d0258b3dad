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

#include <string_view>

namespace orbelle {
namespace {

QString settingsFilter() { return QObject::tr("Orbelle ファイル (*.orbdr)"); }

// Opening also takes the images the export writes, which carry the settings.
QString openFilter() { return QObject::tr("Orbelle ファイル (*.orbdr *.png *.jpg)"); }

constexpr char kSuffix[] = "orbdr";

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
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        refuse(QDir::toNativeSeparators(path) + QStringLiteral(": ") + file.errorString());
        return false;
    }
    // PNG and JPEG images carry the settings line in their metadata; any
    // other file is read as a settings file.
    if (carriesSettings(path)) {
        file.close();
        return openImage(path);
    }
    if (!file.isSequential() && file.size() > static_cast<qint64>(kMaxSettingsFileBytes)) {
        refuse(tr("%1 は 1 MiB より大きいため設定ファイルではありません")
                   .arg(QDir::toNativeSeparators(path)));
        return false;
    }
    // One byte more than allowed tells a file that grew, or a device.
    const QByteArray content = file.read(static_cast<qint64>(kMaxSettingsFileBytes) + 1);
    if (content.size() > static_cast<qsizetype>(kMaxSettingsFileBytes)) {
        refuse(tr("%1 は 1 MiB より大きいため設定ファイルではありません")
                   .arg(QDir::toNativeSeparators(path)));
        return false;
    }
    if (file.error() != QFileDevice::NoError) {
        refuse(QDir::toNativeSeparators(path) + QStringLiteral(": ") + file.errorString());
        return false;
    }
    const std::optional<DrawSettings> settings =
        parseSettingsFile(std::string_view(content.constData(), content.size()));
    if (!settings) {
        refuse({});
        return false;
    }
    if (!m_host.applySettings(*settings, false)) {
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
