#pragma once
// The about box "バージョン情報 Orbelle": the program's icon, its name and
// version from the build, and the home-page and contact addresses in
// read-only fields the user can select and copy.

#include <QDialog>

class QLineEdit;

namespace orbelle {

class AboutDialog : public QDialog {
    Q_OBJECT
  public:
    explicit AboutDialog(QWidget* parent = nullptr);

    QLineEdit* homePageField() const { return m_homePage; }
    QLineEdit* contactField() const { return m_contact; }

  private:
    QLineEdit* m_homePage = nullptr;
    QLineEdit* m_contact = nullptr;
};

} // namespace orbelle
