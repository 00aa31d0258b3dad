#pragma once
// The commands of the window's menus, grouped by menu, as the dialog
// "カスタマイズ" lists them, and the labels it shows for them.

#include "panes/commandid.h"

#include <QList>
#include <QString>

class QMenuBar;

namespace orbelle {

class CommandSet;

struct MenuCommands {
    /// The menu's title without its mnemonic ("ファイル").
    QString title;
    /// The menu's commands in menu order, its submenus' included, each once.
    QList<CommandId> commands;
};

/// Every menu of bar holding a command, in menu bar order.
QList<MenuCommands> menuCommands(const QMenuBar& bar, const CommandSet& commands);

/// A label without its mnemonic: "ファイル(&F)" -> "ファイル",
/// "Visual Studio 200&5" -> "Visual Studio 2005", "&&" -> "&".
QString withoutMnemonic(QString text);

} // namespace orbelle
