#pragma once
// The status bar's lock-key indicators "CAP", "NUM" and "SCRL". Each shows
// its text when its lock is on and greys it when off. The states are read when
// a key is pressed or released and when the window becomes active; where the
// platform cannot tell them, the indicators stay hidden rather than grey for
// good.

#include <QObject>

#include <array>
#include <functional>
#include <optional>

class QLabel;
class QStatusBar;

namespace orbelle {

struct LockStates {
    bool caps = false;
    bool num = false;
    bool scroll = false;
};

/// Reads the lock states, or nothing where the platform cannot.
using LockStateReader = std::function<std::optional<LockStates>()>;

/// The platform's reader: the X11 keyboard indicators under the xcb platform;
/// nothing elsewhere.
std::optional<LockStates> readPlatformLockStates();

class LockIndicators : public QObject {
    Q_OBJECT
  public:
    LockIndicators(QStatusBar* bar, LockStateReader reader = readPlatformLockStates);

    /// Reads the states again and shows them.
    void refresh();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    LockStateReader m_reader;
    std::array<QLabel*, 3> m_labels{};
};

} // namespace orbelle
