#pragma once
// The tab "ツール バー" of the dialog "カスタマイズ": every toolbar with a box
// that shows or hides it; new, rename and delete for the person's own
// toolbars, and reset for "標準". A refused name is explained in a message.

#include <QWidget>

class QListWidget;
class QPushButton;

namespace orbelle {

class ToolBarCustomiser;

class CustomiseToolBarsTab : public QWidget {
    Q_OBJECT
  public:
    explicit CustomiseToolBarsTab(ToolBarCustomiser& customiser, QWidget* parent = nullptr);

    /// Creates a user toolbar with name, or reports why not; returns whether
    /// it was created.
    bool createToolBar(const QString& name);
    bool renameToolBar(int id, const QString& name);

  private:
    void refresh();
    void enableButtons();
    int selectedToolBar() const;
    QString nameProblemText(int problem) const;

    ToolBarCustomiser& m_customiser;
    QListWidget* m_toolBarList;
    QPushButton* m_renameButton;
    QPushButton* m_deleteButton;
    QPushButton* m_resetButton;
};

} // namespace orbelle
