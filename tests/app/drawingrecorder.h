#pragma once
// Collects the drawings a main window hands to the history, in order.

#include "app/mainwindow.h"
#include "engine/drawsettings.h"

#include <QObject>

#include <vector>

namespace orbelle::test {

class DrawingRecorder {
  public:
    explicit DrawingRecorder(MainWindow& window) {
        QObject::connect(&window, &MainWindow::drawingRecorded,
                         [this](const DrawSettings& settings) { m_drawings.push_back(settings); });
    }
    int count() const { return static_cast<int>(m_drawings.size()); }
    const DrawSettings& at(int k) const { return m_drawings.at(static_cast<std::size_t>(k)); }
    const DrawSettings& last() const { return m_drawings.back(); }

  private:
    std::vector<DrawSettings> m_drawings;
};

} // namespace orbelle::test
