#pragma once
// Menus written out as text, one entry per item, for comparing whole menus
// with literal lists.

#include "app/commandset.h"

#include <QAction>
#include <QMenu>
#include <QStringList>

namespace orbelle::test {

/// "-" for a separator, "title>" for a submenu, and "label|shortcut|name" for
/// a command. With a command set, name is "cmd<number>" read back through
/// CommandSet::idOf, and "?" when the action's own name says another number;
/// without one, it is the action's name.
inline QStringList describe(const QMenu* menu, const CommandSet* commands = nullptr) {
    QStringList items;
    for (const QAction* action : menu->actions()) {
        if (action->isSeparator()) {
            items << QStringLiteral("-");
        } else if (action->menu() != nullptr) {
            items << action->text() + QLatin1Char('>');
        } else {
            QString name = action->objectName();
            if (commands != nullptr) {
                const std::optional<CommandId> id = commands->idOf(action);
                const QString expected =
                    id ? QStringLiteral("cmd%1").arg(commandNumber(*id)) : QStringLiteral("none");
                name = name == expected ? expected : QStringLiteral("?");
            }
            items << action->text() + QLatin1Char('|') + action->shortcut().toString() +
                         QLatin1Char('|') + name;
        }
    }
    return items;
}

/// The submenu titled `title`, or null.
inline const QMenu* submenu(const QMenu* menu, const QString& title) {
    for (const QAction* action : menu->actions()) {
        if (action->menu() != nullptr && action->text() == title) {
            return action->menu();
        }
    }
    return nullptr;
}

} // namespace orbelle::test
