#pragma once
// The drawing settings pane: category and formula lists, Draw / Draw Random
// buttons, a toolbar (the window's zoom in, zoom out and centre commands) and
// twenty parameter rows. A QWidget the main window puts into a QDockWidget.
//
// The values are not copied anywhere: a row's value is its SpinRow's value,
// read at the moment a drawing, a capture or a random step needs it. Controls
// carry their command or control number in their objectName ("list10020",
// "button10030", "check10100", "label10200", "edit10300", "spin10400",
// "slider10500", ...).

#include "engine/drawrandom.h"
#include "engine/drawsettings.h"
#include "formulas/catalog.h"
#include "panes/settingspane.h"

#include <array>
#include <cstdint>

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;

namespace orbelle {

class SpinRow;

class DrawSettingsPane : public SettingsPane {
    Q_OBJECT
  public:
    explicit DrawSettingsPane(QWidget* parent = nullptr);

    /// Fills category, item, params (spin positions after reading the edit
    /// text; inactive rows 0) and paramLocked.
    void capture(DrawSettings& settings) const override;

    /// The buttons "描画" and "描画 ランダム" trigger these actions.
    void setDrawActions(QAction* draw, QAction* drawRandom);

    /// The random steps of Draw Random on the free rows, seeded from a
    /// millisecond tick; does not draw.
    void randomStep(std::uint32_t tickMs);
    /// The rows as Draw Random's walk takes them (active, locked, range, value).
    std::array<WalkRow, kRowCount> walkRows() const;
    /// Takes the values of the active rows from a walk's result.
    void setWalkedRows(const std::array<WalkRow, kRowCount>& rows);

    /// The selected formula; -1 in a field when its list has no selection.
    FormulaId selectedFormula() const;

    /// Selects a category and loads its first formula, as picking it does.
    void selectCategory(int category);
    /// Selects a formula of the current category and loads its defaults.
    void selectFormula(int item);

    int paramValue(int row) const;
    /// Sets a row's value; a value outside the range stores the nearest bound.
    void setParamValue(int row, int value);
    ParamRange paramRange(int row) const;
    /// A row is active when it belongs to the selected formula (its label is
    /// not blank).
    bool isRowActive(int row) const;
    bool isLocked(int row) const;
    void setLocked(int row, bool locked);

    QSize sizeHint() const override;

  protected:
    /// Selects the category (refilling the formula list), the item (loading its
    /// defaults and labels), then sets the twenty values and the twenty lock
    /// boxes. A record naming no formula of the catalog changes nothing; values
    /// of inactive rows are not taken (those rows stay 0).
    void applyFields(const DrawSettings& settings) override;

  private:
    struct Row {
        QCheckBox* lock = nullptr;
        QLabel* label = nullptr;
        SpinRow* spin = nullptr;
    };

    void createLists();
    void createButtons();
    void setTabOrderTopDown();
    void createRows();
    void fillFormulaList(int category);
    void onCategoryChanged();
    void onFormulaChanged();
    void applyFormulaDefaults(FormulaId id);
    void applyRowLabels();
    void setRowActive(int row, bool active);

    QComboBox* m_categories = nullptr;
    QComboBox* m_formulas = nullptr;
    std::array<Row, kRowCount> m_rows{};
    int m_paramCount = kRowCount;
    QAction* m_drawAction = nullptr;
    QAction* m_drawRandomAction = nullptr;
};

} // namespace orbelle
