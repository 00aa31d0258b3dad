#pragma once
// "よい図形を探す" (CommandId::FindFigure): repeats Draw Random's step on the
// settings pane's free rows in the background until the figure is worth
// showing (at most 200 tries), then puts those values into the pane and
// draws. The status bar follows the tries; Esc stops the search and leaves
// the pane as it was. A search whose formula or rows were changed meanwhile
// is dropped.

#include "engine/figuresearch.h"

#include <QElapsedTimer>
#include <QObject>

#include <cstdint>
#include <functional>

namespace orbelle {

class CommandHost;
class CommandSet;
class DrawSettingsPane;
class FigureFinder;
class MainView;
class TransformPane;

class FindFigureCommand : public QObject {
    Q_OBJECT
  public:
    FindFigureCommand(const CommandSet& commands, CommandHost& host, DrawSettingsPane* settingsPane,
                      TransformPane* transformPane, MainView* view, QObject* parent);

    /// Starts a search unless one runs.
    void find();
    /// Esc: stops the running search.
    void cancel();
    bool isSearching() const;
    /// The worker that runs the searches (tests watch it).
    FigureFinder* finder() const { return m_finder; }
    /// Replaces the millisecond clock whose reading seeds a search's steps.
    void setClock(std::function<std::uint32_t()> clock) { m_clock = std::move(clock); }

  signals:
    /// A search ended and its outcome is applied (or dropped).
    void searchEnded(const orbelle::SearchResult& result);

  private:
    void tried(int tryNumber);
    void finished(const SearchResult& result);

    CommandHost& m_host;
    DrawSettingsPane* m_settingsPane;
    TransformPane* m_transformPane;
    MainView* m_view;
    FigureFinder* m_finder;
    FigureSearch m_search; // the running search's start
    QElapsedTimer m_started;
    std::function<std::uint32_t()> m_clock; // ticks that seed the steps, as Draw Random's
};

} // namespace orbelle
