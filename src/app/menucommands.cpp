#include "app/menucommands.h"

#include "app/commandset.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>

namespace orbelle {
namespace {

void collect(const QMenu& menu, const CommandSet& commands, QList<CommandId>& ids) {
    for (const QAction* action : menu.actions()) {
        if (action->menu() != nullptr) {
            collect(*action->menu(), commands, ids);
        } else if (const std::optional<CommandId> id = commands.idOf(action);
                   id && !ids.contains(*id)) {
            ids << *id;
        }
    }
}

} // namespace

QList<MenuCommands> menuCommands(const QMenuBar& bar, const CommandSet& commands) {
    QList<MenuCommands> menus;
    for (const QAction* top : bar.actions()) {
        if (top->menu() == nullptr) {
            continue;
        }
        QList<CommandId> ids;
        collect(*top->menu(), commands, ids);
        if (!ids.isEmpty()) {
            menus.append({withoutMnemonic(top->text()), ids});
        }
    }
    return menus;
}

QString withoutMnemonic(QString text) {
    static const QRegularExpression bracketed(QStringLiteral("\\(&.\\)"));
    text.remove(bracketed);
    text.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    text.remove(QLatin1Char('&'));
    text.replace(QLatin1Char('\x01'), QLatin1Char('&'));
    return text;
}

} // namespace orbelle
