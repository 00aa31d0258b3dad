#include "app/commands/findfigurecommand.h"

#include "app/commands/commandhost.h"
#include "app/commandset.h"
#include "panes/drawsettingspane.h"
#include "panes/transformpane.h"
#include "view/figurefinder.h"

#include <QRandomGenerator>

namespace orbelle {
namespace {

bool sameRows(const std::array<WalkRow, kRowCount>& a, const std::array<WalkRow, kRowCount>& b) {
    for (int i = 0; i < kRowCount; ++i) {
        if (a[i].active != b[i].active || a[i].locked != b[i].locked || a[i].value != b[i].value) {
            return false;
        }
    }
    return true;
}

} // namespace

FindFigureCommand::FindFigureCommand(const CommandSet& commands, CommandHost& host,
                                     DrawSettingsPane* settingsPane, TransformPane* transformPane,
                                     QObject* parent)
    : QObject(parent), m_host(host), m_settingsPane(settingsPane), m_transformPane(transformPane),
      m_finder(new FigureFinder(this)),
      m_seedSource([] { return QRandomGenerator::system()->generate64(); }) {
    commands.onTriggered(CommandId::FindFigure, this, [this] { find(); });
    connect(m_finder, &FigureFinder::tried, this, &FindFigureCommand::tried);
    connect(m_finder, &FigureFinder::finished, this, &FindFigureCommand::finished);
}

void FindFigureCommand::find() {
    if (m_finder->isRunning()) {
        return;
    }
    m_search = FigureSearch{};
    m_search.formula = m_settingsPane->selectedFormula();
    m_search.rows = m_settingsPane->walkRows();
    m_search.seed = m_seedSource();
    DrawSettings placed;
    m_transformPane->capture(placed);
    m_search.placement = FigurePlacement::of(placed);
    m_finder->start(m_search);
    tried(0);
}

void FindFigureCommand::cancel() { m_finder->cancel(); }

bool FindFigureCommand::isSearching() const { return m_finder->isRunning(); }

void FindFigureCommand::tried(int tryNumber) {
    m_host.showStatusMessage(
        tr("よい図形を探しています… %1/%2 (Escで中止)").arg(tryNumber).arg(m_search.maxTries));
}

void FindFigureCommand::finished(const SearchResult& result) {
    if (result.end == SearchEnd::Cancelled) {
        m_host.showStatusMessage(tr("図形の探索を中止しました"));
    } else if (!(m_settingsPane->selectedFormula() == m_search.formula) ||
               !sameRows(m_settingsPane->walkRows(), m_search.rows)) {
        m_host.showStatusMessage(tr("探索中に描画設定値が変わったため、見つけた値は使いません"));
    } else if (result.tries == 0) {
        m_host.showStatusMessage(tr("この図形では探索できません"));
    } else {
        m_settingsPane->setWalkedRows(result.rows);
        m_host.drawFigure();
        m_host.showStatusMessage(
            result.end == SearchEnd::Found
                ? tr("よい図形が見つかりました (%1回目)").arg(result.tries)
                : tr("%1回試してもよい図形は見つからず、最後に試した図形を描画しました")
                      .arg(result.tries));
    }
    emit searchEnded(result);
}

} // namespace orbelle
