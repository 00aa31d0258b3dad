#pragma once
// The contact dialog "メールアドレス": the maker's e-mail address in a
// read-only field the user can select and copy.

#include <QDialog>

class QLineEdit;

namespace orbelle {

class ContactDialog : public QDialog {
    Q_OBJECT
  public:
    explicit ContactDialog(QWidget* parent = nullptr);

    QLineEdit* addressField() const { return m_address; }

  private:
    QLineEdit* m_address = nullptr;
};

} // namespace orbelle
