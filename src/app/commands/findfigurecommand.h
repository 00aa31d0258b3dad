#pragma once
// "よい図形を探す" (CommandId::FindFigure): moves the settings pane's free
// rows by widening random steps in the background until the figure, placed
// as the 3D pane places it, is worth showing (at most 200 tries), then puts
// those values into the pane and draws. The status bar follows the tries; Esc stops the search and
// leaves the pane as it was. A search whose formula or rows were changed meanwhile is dropped.

#include "engine/figuresearch.h"

#include <QObject>

#include <cstdint>
#include <functional>

namespace orbelle {

class CommandHost;
class CommandSet;
class DrawSettingsPane;
class FigureFinder;
class TransformPane;

class FindFigureCommand : public QObject {
    Q_OBJECT
  public:
    FindFigureCommand(const CommandSet& commands, CommandHost& host, DrawSettingsPane* settingsPane,
                      TransformPane* transformPane, QObject* parent);

    /// Starts a search unless one runs.
    void find();
    /// Esc: stops the running search.
    void cancel();
    bool isSearching() const;
    /// The worker that runs the searches (tests watch it).
    FigureFinder* finder() const { return m_finder; }
    /// Replaces the source of the seed each search draws its steps from (the
    /// system's random numbers).
    void setSeedSource(std::function<std::uint64_t()> source) { m_seedSource = std::move(source); }

  signals:
    /// A search ended and its outcome is applied (or dropped).
    void searchEnded(const orbelle::SearchResult& result);

  private:
    void tried(int tryNumber);
    void finished(const SearchResult& result);

    CommandHost& m_host;
    DrawSettingsPane* m_settingsPane;
    TransformPane* m_transformPane;
    FigureFinder* m_finder;
    FigureSearch m_search; // the running search's start
    std::function<std::uint64_t()> m_seedSource;
};

} // namespace orbelle
