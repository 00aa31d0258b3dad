#pragma once
// Shared pieces of the application tests: the program's QApplication (from
// support/guiapplication.h) with the program's names, the file helpers of
// support/files.h, a fresh settings store, and a catcher that answers the
// next message box.

#include "app/startup.h"
#include "support/files.h"
#include "support/guiapplication.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QTimer>
#include <gtest/gtest.h>

namespace orbelle::test {

/// Gives the program's QApplication the program's names. Registered after
/// the environment that creates the application, so it runs after it.
class ApplicationNamesEnvironment : public ::testing::Environment {
  public:
    void SetUp() override { setApplicationNames(); }
};

inline ::testing::Environment* const kApplicationNamesEnvironment =
    ::testing::AddGlobalTestEnvironment(new ApplicationNamesEnvironment);

/// Empties the program's settings store.
inline void clearSettingsStore() { QSettings().clear(); }

/// Closes every message box that shows up while it lives with `answer`,
/// remembering what the last one said.
class MessageCatcher {
  public:
    explicit MessageCatcher(QMessageBox::StandardButton answer = QMessageBox::Ok) {
        m_timer.setInterval(5);
        QObject::connect(&m_timer, &QTimer::timeout, [this, answer] {
            for (QWidget* widget : QApplication::topLevelWidgets()) {
                auto* box = qobject_cast<QMessageBox*>(widget);
                if (box != nullptr && box->isVisible()) {
                    ++m_count;
                    m_title = box->windowTitle();
                    m_text = box->text();
                    m_icon = box->icon();
                    m_buttons = box->standardButtons();
                    m_defaultButton = box->defaultButton() != nullptr
                                          ? box->standardButton(box->defaultButton())
                                          : QMessageBox::NoButton;
                    box->done(answer);
                    return;
                }
            }
        });
        m_timer.start();
    }

    int count() const { return m_count; }
    const QString& title() const { return m_title; }
    const QString& text() const { return m_text; }
    QMessageBox::Icon icon() const { return m_icon; }
    QMessageBox::StandardButtons buttons() const { return m_buttons; }
    QMessageBox::StandardButton defaultButton() const { return m_defaultButton; }

  private:
    QTimer m_timer;
    int m_count = 0;
    QString m_title;
    QString m_text;
    QMessageBox::Icon m_icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons m_buttons;
    QMessageBox::StandardButton m_defaultButton = QMessageBox::NoButton;
};

} // namespace orbelle::test
