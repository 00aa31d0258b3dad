#pragma once
// Shared pieces of the application tests: one QApplication per test program,
// a fresh settings store, and a catcher that answers the next message box.

#include <QApplication>
#include <QMessageBox>
#include <QSettings>
#include <QTimer>
#include <gtest/gtest.h>

namespace orbelle::test {

inline QApplication& application() {
    static int argc = 1;
    static char name[] = "orbelle_app_tests";
    static char* argv[] = {name, nullptr};
    static QApplication app(argc, argv);
    return app;
}

inline void clearSettingsStore() {
    QSettings(QStringLiteral("Pelvane105"), QStringLiteral("Orbelle")).clear();
}

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
