#pragma once
// Shared pieces of the application tests: one QApplication per test program
// with the program's names, a fresh settings store, and a catcher that
// answers the next message box.

#include "app/startup.h"

#include <QApplication>
#include <QMessageBox>
#include <QSettings>
#include <QTimer>
#include <gtest/gtest.h>

#include <memory>

namespace orbelle::test {

/// Owns the test program's QApplication: created before the first test and
/// destroyed after the last, while main() is still running (a function-static
/// application would be destroyed after Qt's own globals and crash at exit).
class ApplicationEnvironment : public ::testing::Environment {
  public:
    void SetUp() override {
        static int argc = 1;
        static char name[] = "orbelle_gui_tests";
        static char* argv[] = {name, nullptr};
        m_app = std::make_unique<QApplication>(argc, argv);
        setApplicationNames();
    }
    void TearDown() override { m_app.reset(); }

  private:
    std::unique_ptr<QApplication> m_app;
};

/// Registers the environment; call once per test program at namespace scope.
inline bool addApplicationEnvironment() {
    ::testing::AddGlobalTestEnvironment(new ApplicationEnvironment);
    return true;
}

/// Empties the program's settings store.
inline void clearSettingsStore() { QSettings().clear(); }

/// Closes the first message box that shows up while it lives, remembering
/// what it said.
class MessageCatcher {
  public:
    MessageCatcher() {
        m_timer.setInterval(5);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            for (QWidget* widget : QApplication::topLevelWidgets()) {
                auto* box = qobject_cast<QMessageBox*>(widget);
                if (box != nullptr && box->isVisible()) {
                    ++m_count;
                    m_title = box->windowTitle();
                    m_text = box->text();
                    m_icon = box->icon();
                    m_buttons = box->standardButtons();
                    box->done(QMessageBox::Ok);
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

  private:
    QTimer m_timer;
    int m_count = 0;
    QString m_title;
    QString m_text;
    QMessageBox::Icon m_icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons m_buttons;
};

} // namespace orbelle::test
