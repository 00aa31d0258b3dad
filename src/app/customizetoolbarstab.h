#pragma once
// The tab "ツール バー" of the dialog "カスタマイズ": every toolbar with a box
// that shows or hides it; new, rename and delete for the person's own
// toolbars, and reset for "標準". A refused name is explained in a message.

#include <QWidget>

class QListWidget;
class QPushButton;

namespace orbelle {

class ToolBarCustomizer;

class CustomizeToolBarsTab : public QWidget {
    Q_OBJECT
  public:
    explicit CustomizeToolBarsTab(ToolBarCustomizer& customizer, QWidget* parent = nullptr);

    /// Creates a user toolbar with name, or reports why not; returns whether
    /// it was created.
    bool createToolBar(const QString& name);
    bool renameToolBar(int id, const QString& name);

  private:
    void refresh();
    void enableButtons();
    int selectedToolBar() const;
    QString nameProblemText(int problem) const;

    ToolBarCustomizer& m_customizer;
    QListWidget* m_toolBarList;
    QPushButton* m_renameButton;
    QPushButton* m_deleteButton;
    QPushButton* m_resetButton;
};

} // namespace orbelle
