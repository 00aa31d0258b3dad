#pragma once
// FavoriteRenameDialog: "お気に入り名前変更", the new name of a folder or a
// favorite, starting from its present name. "OK" is refused with a message in
// the dialog while the name cannot be stored.

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace orbelle {

class FavoriteRenameDialog : public QDialog {
    Q_OBJECT
  public:
    explicit FavoriteRenameDialog(const QString& currentName, QWidget* parent = nullptr);

    QString name() const;
    void setName(const QString& name);
    /// Why the last "OK" was refused; empty when it was not.
    QString problem() const;

    QLineEdit* nameEdit() const { return m_name; }
    QPushButton* okButton() const { return m_ok; }

    /// "OK": ends the dialog when the name can be stored.
    void accept() override;

  private:
    QLineEdit* m_name;
    QLabel* m_problem;
    QPushButton* m_ok;
};

} // namespace orbelle
