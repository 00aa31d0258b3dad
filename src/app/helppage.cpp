#include "app/helppage.h"

#include "app/datafiles.h"
#include "app/version.h"
#include "imageio/fileread.h"
#include "imageio/savefile.h"
#include "panes/storemessage.h"

#include <QFile>
#include <QObject>
#include <QRegularExpression>

namespace orbelle {
namespace {

// The most bytes of a help page read to find its version (1 MiB); the
// program's own page takes some 14 kB.
constexpr std::uintmax_t kMaxHelpPageBytes = std::uintmax_t{1} << 20;

const QString kBuiltInPage =
    QString::fromLatin1(kBuiltInDataPrefix) + QString::fromLatin1(kHelpPageFile);

} // namespace

QVersionNumber programVersion() { return {kVersionMajor, kVersionMinor, kVersionPatch}; }

QString displayVersion(const QVersionNumber& version) {
    return QStringLiteral("%1.%2.%3")
        .arg(version.majorVersion())
        .arg(version.minorVersion(), 2, 10, QLatin1Char('0'))
        .arg(version.microVersion(), 2, 10, QLatin1Char('0'));
}

QString helpPagePath(const QString& dir) { return dir + QString::fromLatin1(kHelpPageFile); }

QVersionNumber helpPageVersion(const QByteArray& html) {
    static const QRegularExpression marker(
        QStringLiteral(R"re(<meta\s+name="orbelle-version"\s+content="([0-9.]+)")re"));
    const QRegularExpressionMatch match = marker.match(QString::fromUtf8(html));
    return match.hasMatch() ? QVersionNumber::fromString(match.captured(1)) : QVersionNumber();
}

QString installHelpPage(const QString& dir) {
    const QString path = helpPagePath(dir);
    // A link or a device in the page's place is neither read nor replaced.
    const StoreStatus unusable = replacementProblem(toLocalPath(path), TargetKind::OwnFile);
    if (unusable.error() == StoreError::LinkNotFollowed ||
        unusable.error() == StoreError::NotRegularTarget) {
        return storeMessage(unusable);
    }
    // The page present is read without waiting on it and within a limit: a
    // named pipe, a device or a huge file there is not a current page.
    const StoreResult<QByteArray> existing = readFileBytes(path, kMaxHelpPageBytes);
    if (existing.ok() && helpPageVersion(existing.value) >= programVersion()) {
        return {};
    }
    QFile builtIn(kBuiltInPage);
    if (!builtIn.open(QIODevice::ReadOnly)) {
        return QObject::tr("ヘルプ ページを用意できません。\n%1").arg(builtIn.errorString());
    }
    const StoreStatus saved = saveFileStatus(path, builtIn.readAll(), TargetKind::OwnFile);
    return saved.ok() ? QString() : storeMessage(saved);
}

} // namespace orbelle
