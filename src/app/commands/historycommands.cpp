#include "app/commands/historycommands.h"

#include "app/commands/commandhost.h"
#include "app/commands/filedialogs.h"
#include "app/commandset.h"
#include "panes/historypane.h"
#include "panes/storemessage.h"

#include <QFile>
#include <QMessageBox>
#include <QToolBar>

namespace orbelle {
namespace {

std::filesystem::path toPath(const QString& path) {
    return std::filesystem::path(QFile::encodeName(path).toStdString());
}

QString historyFilter() { return QObject::tr("ヒストリー ファイル (*.orbhs)"); }

} // namespace

HistoryCommands::HistoryCommands(const CommandSet& commands, CommandHost& host, HistoryPane* pane,
                                 const FileDialogs& dialogs, const QString& folder, QObject* parent)
    : QObject(parent), m_host(host), m_pane(pane), m_dialogs(dialogs), m_store(toPath(folder)) {
    commands.onTriggered(CommandId::HistoryBack, this, [this] { back(); });
    commands.onTriggered(CommandId::HistoryForward, this, [this] { forward(); });
    commands.onTriggered(CommandId::HistoryPreviousPage, this, [this] { olderPage(); });
    commands.onTriggered(CommandId::HistoryNextPage, this, [this] { newerPage(); });
    commands.onTriggered(CommandId::HistorySave, this, [this] { exportHistory(); });
    commands.onTriggered(CommandId::HistoryLoad, this, [this] { importHistory(); });
    commands.onTriggered(CommandId::HistoryReset, this, [this] { reset(); });

    pane->toolBar()->addActions({commands.action(CommandId::HistoryNextPage),
                                 commands.action(CommandId::HistoryPreviousPage),
                                 commands.action(CommandId::HistoryForward),
                                 commands.action(CommandId::HistoryBack)});
    connect(pane, &HistoryPane::entryActivated, this,
            [this](int button) { activateEntry(button); });
    connect(pane, &HistoryPane::saveRequested, this, [this] { exportHistory(); });
    connect(pane, &HistoryPane::loadRequested, this, [this] { importHistory(); });

    // Lines torn by a crash or damaged by hand go before anything reads them.
    // A store that cannot be used is only noted here, in the status bar: the
    // start-up has its own warning for an unusable data folder, and the first
    // command that needs the store reports the failure in full.
    const StoreResult<int> cleaned = m_store.clean();
    if (!cleaned.ok()) {
        m_host.showStatusMessage(storeMessageLine(cleaned.status));
        return;
    }
    if (const StoreResult<int> entries = m_store.count(); entries.ok()) {
        refresh(entries.value);
    }
}

bool HistoryCommands::report(const StoreStatus& status) {
    if (status.ok()) {
        return true;
    }
    QMessageBox::warning(m_host.dialogParent(), tr("Orbelle"), storeMessage(status));
    return false;
}

std::optional<int> HistoryCommands::count() {
    StoreResult<int> counted = m_store.count();
    if (!report(counted.status)) {
        return std::nullopt;
    }
    return counted.value;
}

void HistoryCommands::refresh(int entries) { m_pane->refresh(m_navigator, entries); }

void HistoryCommands::refresh() {
    if (const std::optional<int> entries = count()) {
        refresh(*entries);
    }
}

void HistoryCommands::record(const DrawSettings& settings) {
    const StoreStatus appended = m_store.append(settings);
    if (!appended.ok()) {
        // Told once in a message box; while the store stays unusable, the
        // drawings that follow say so in the status bar.
        if (m_appendFailed) {
            m_host.showStatusMessage(storeMessageLine(appended));
        } else {
            report(appended);
        }
        m_appendFailed = true;
        return;
    }
    m_appendFailed = false;
    m_navigator.drawingAppended();
    refresh();
}

void HistoryCommands::load(int entry) {
    StoreResult<std::optional<DrawSettings>> read = m_store.entry(entry);
    if (!report(read.status)) {
        return;
    }
    if (!read.value) {
        // A line damaged since the last cleaning is never applied.
        m_host.showStatusMessage(tr("ヒストリー %1 は壊れているため読み込めません").arg(entry + 1));
        return;
    }
    m_host.applySettings(*read.value, true);
}

void HistoryCommands::back() {
    const std::optional<int> entries = count();
    if (!entries) {
        return;
    }
    if (const std::optional<int> entry = m_navigator.back(*entries)) {
        load(*entry);
        refresh(*entries);
    }
}

void HistoryCommands::forward() {
    const std::optional<int> entries = count();
    if (!entries) {
        return;
    }
    if (const std::optional<int> entry = m_navigator.forward(*entries)) {
        load(*entry);
        refresh(*entries);
    }
}

void HistoryCommands::olderPage() {
    if (const std::optional<int> entries = count()) {
        m_navigator.olderPage(*entries);
        refresh(*entries);
    }
}

void HistoryCommands::newerPage() {
    if (const std::optional<int> entries = count()) {
        m_navigator.newerPage();
        refresh(*entries);
    }
}

void HistoryCommands::activateEntry(int button) {
    const std::optional<int> entries = count();
    if (!entries) {
        return;
    }
    if (const std::optional<int> entry = m_navigator.activate(button, *entries)) {
        load(*entry);
        refresh(*entries);
    }
}

void HistoryCommands::exportHistory() {
    const QString path =
        m_dialogs.saveFile(m_host.dialogParent(), {tr("ヒストリーの保存"), historyFilter(),
                                                   QStringLiteral("orbhs"), tr("無題")});
    if (path.isEmpty()) {
        return;
    }
    if (report(m_store.exportTo(toPath(path)))) {
        m_host.showStatusMessage(tr("ヒストリーを保存しました: %1").arg(path));
    }
}

void HistoryCommands::importHistory() {
    const QString path = m_dialogs.openFile(
        m_host.dialogParent(),
        {tr("ヒストリーの読み込み"), historyFilter(), QStringLiteral("orbhs"), {}});
    if (!path.isEmpty()) {
        importHistoryFrom(path);
    }
}

bool HistoryCommands::importHistoryFrom(const QString& path) {
    // An empty file or one without a single history line (another kind of
    // file picked by mistake) is refused by the import, and the history
    // stays.
    StoreResult<HistoryImport> imported = m_store.importFrom(toPath(path));
    if (!report(imported.status)) {
        return false;
    }
    const std::optional<int> entries = count();
    if (!entries) {
        return false;
    }
    m_navigator.storeChanged(*entries);
    refresh(*entries);
    m_host.showStatusMessage(
        imported.value.dropped == 0
            ? tr("ヒストリーを読み込みました: %1 件").arg(imported.value.entries)
            : tr("ヒストリーを読み込みました: %1 件 (壊れた行 %2 行は除きました)")
                  .arg(imported.value.entries)
                  .arg(imported.value.dropped));
    return true;
}

void HistoryCommands::reset() {
    QMessageBox question(QMessageBox::Warning, tr("ヒストリー削除"),
                         tr("ヒストリーをすべて削除しますか？"), QMessageBox::Yes | QMessageBox::No,
                         m_host.dialogParent());
    question.setDefaultButton(QMessageBox::No);
    if (question.exec() != QMessageBox::Yes) {
        return;
    }
    if (!report(m_store.reset())) {
        return;
    }
    m_navigator.storeChanged(0);
    refresh(0);
}

} // namespace orbelle
