// Reads the keyboard's lock indicators from the X server by their names, so
// the answer does not depend on which indicator number a keyboard map gives
// each lock.

#include "app/lockindicators.h"

#include <QGuiApplication>

#ifdef ORBELLE_HAVE_X11
#include <QtGui/qguiapplication_platform.h>
// Xlib's macros (None, Bool, Status) must come after every Qt header.
#include <X11/XKBlib.h>
#endif

namespace orbelle {

std::optional<LockStates> readPlatformLockStates() {
#ifdef ORBELLE_HAVE_X11
    if (QGuiApplication::platformName() != QLatin1String("xcb")) {
        return std::nullopt;
    }
    auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    Display* display = x11 != nullptr ? x11->display() : nullptr;
    if (display == nullptr) {
        return std::nullopt;
    }
    const auto indicator = [display](const char* name, bool& on) {
        Bool state = False;
        const Atom atom = XInternAtom(display, name, False);
        if (atom == None ||
            !XkbGetNamedIndicator(display, atom, nullptr, &state, nullptr, nullptr)) {
            return false;
        }
        on = state != False;
        return true;
    };
    LockStates states;
    if (!indicator("Caps Lock", states.caps) || !indicator("Num Lock", states.num)) {
        return std::nullopt;
    }
    // Many keyboards have no Scroll Lock light; it then reads as off.
    indicator("Scroll Lock", states.scroll);
    return states;
#else
    return std::nullopt;
#endif
}

} // namespace orbelle
