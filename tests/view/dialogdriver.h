#pragma once
// Drives modal dialogs in view tests: waits (polling, with a deadline) for a
// visible top-level widget of a type and hands it to a function, which
// usually fills it in and closes it.

#include <QApplication>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>

namespace orbelle::test {

/// Runs act on the first visible top-level T that appears while the driver
/// lives (once); done() tells whether it has run.
template <class T> class DialogDriver {
  public:
    explicit DialogDriver(std::function<void(T*)> act) : m_act(std::move(act)) {
        m_timer.setInterval(5);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            for (QWidget* widget : QApplication::topLevelWidgets()) {
                auto* dialog = qobject_cast<T*>(widget);
                if (dialog != nullptr && dialog->isVisible()) {
                    m_timer.stop();
                    m_done = true;
                    m_act(dialog);
                    return;
                }
            }
        });
        m_timer.start();
    }
    bool done() const { return m_done; }

  private:
    QTimer m_timer;
    std::function<void(T*)> m_act;
    bool m_done = false;
};

/// Closes every message box that shows up while it lives and keeps the text
/// of the last.
class MessageCollector {
  public:
    MessageCollector() {
        m_timer.setInterval(5);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            for (QWidget* widget : QApplication::topLevelWidgets()) {
                auto* box = qobject_cast<QMessageBox*>(widget);
                if (box != nullptr && box->isVisible()) {
                    ++m_count;
                    m_text = box->text();
                    box->done(QMessageBox::Ok);
                }
            }
        });
        m_timer.start();
    }
    int count() const { return m_count; }
    const QString& text() const { return m_text; }

  private:
    QTimer m_timer;
    int m_count = 0;
    QString m_text;
};

} // namespace orbelle::test
