#pragma once
// What a person has arranged of the toolbars and shortcuts: the buttons of
// "標準" and of up to ten toolbars of their own, the picture a user toolbar
// button shows, and the shortcut of every command. The customisation dialog,
// the drag and drop on the toolbars and the tests all change it through the
// same functions; ToolBarCustomiser puts it on the window and stores it.
//
// A toolbar's button list holds kToolBarSeparator for a separator and is kept
// tidy: no separator at either end and never two in a row, so position k of
// the list is the k-th item the toolbar shows. A command stands at most once
// on a toolbar.

#include "panes/commandid.h"

#include <QHash>
#include <QList>
#include <QString>

#include <optional>

namespace orbelle {

/// Stands for a separator in a toolbar's button list.
inline constexpr CommandId kToolBarSeparator{0};

struct ToolBarArrangement {
    /// 59392 for "標準", 59432–59441 for the person's own toolbars.
    int id = 0;
    QString name;
    QList<CommandId> buttons;
    /// Index into the user toolbar images shown by a button instead of its
    /// command's picture (user toolbars only).
    QHash<CommandId, int> images;
};

class Customisation {
  public:
    static constexpr int kStandardToolBarId = 59392;
    static constexpr int kFirstUserToolBarId = 59432;
    static constexpr int kMaxUserToolBars = 10;
    /// Version of the stored text; text of another version is not read.
    static constexpr int kVersion = 1;

    /// Why a toolbar name is refused.
    enum class NameProblem { None, Empty, Taken, TooMany };

    /// standardName, standardButtons: "標準" and its default buttons;
    /// defaultShortcuts: every command with its default shortcut (empty for
    /// none) in QKeySequence's portable text. Only these commands can be put
    /// on a toolbar or given a shortcut.
    Customisation(const QString& standardName, const QList<CommandId>& standardButtons,
                  const QHash<CommandId, QString>& defaultShortcuts);

    /// "標準" first, then the user toolbars in the order they were made.
    const QList<ToolBarArrangement>& toolBars() const { return m_toolBars; }
    /// The toolbar with this id, nullptr when there is none.
    const ToolBarArrangement* toolBar(int id) const;
    static bool isUserToolBar(int id) { return id != kStandardToolBarId; }
    bool isCommand(CommandId id) const { return m_defaultShortcuts.contains(id); }

    // Buttons. Positions count the items of the button list; a position past
    // the end means the end. Each returns false and changes nothing when the
    // toolbar, the position or the command is not there.

    /// Puts command at position; a command already on the toolbar moves there.
    bool insertButton(int toolBar, int position, CommandId command);
    /// A separator before position; false where it would stand at an end or
    /// next to another separator.
    bool insertSeparator(int toolBar, int position);
    /// Takes the item at position off; a separator left standing alone goes too.
    bool removeButton(int toolBar, int position);
    /// Moves the item at from on fromToolBar to stand before the item now at
    /// to on toToolBar (the same toolbar or another).
    bool moveButton(int fromToolBar, int from, int toToolBar, int to);
    /// Shows user image image (-1: the command's own picture) on command's
    /// button of a user toolbar.
    bool setButtonImage(int toolBar, CommandId command, int image);
    /// "標準" gets its default buttons back.
    void resetStandardToolBar();

    // User toolbars.

    /// Why name cannot be given to a new toolbar (exceptId: the toolbar
    /// being renamed, 0 for a new one). Names are compared trimmed.
    NameProblem checkName(const QString& name, int exceptId = 0) const;
    /// A new empty user toolbar; its id, or nothing when checkName refuses.
    std::optional<int> addUserToolBar(const QString& name);
    bool renameUserToolBar(int id, const QString& name);
    /// Removes a user toolbar; "標準" cannot be removed.
    bool removeUserToolBar(int id);

    // Shortcuts, in QKeySequence's portable text ("Ctrl+Shift+Z").

    QString shortcut(CommandId command) const;
    /// The command other than except that has keys, if any.
    std::optional<CommandId> holderOf(const QString& keys, CommandId except) const;
    struct ShortcutChange {
        bool applied = false;
        /// Set when another command holds the keys (then nothing changed).
        std::optional<CommandId> heldBy;
    };
    /// Gives command the keys (empty: no shortcut).
    ShortcutChange setShortcut(CommandId command, const QString& keys);
    /// Every command gets its default shortcut back.
    void resetShortcuts();

    // Storage.

    /// The whole arrangement as versioned text.
    QString toText() const;
    /// Reads text written by toText. Damaged text or another version leaves
    /// the defaults and returns false; commands this program does not have
    /// are left out.
    bool restore(const QString& text);
    /// Everything back to the defaults.
    void resetAll();

  private:
    ToolBarArrangement* find(int id);
    bool restoreFrom(const QString& text);

    QString m_standardName;
    QList<CommandId> m_standardButtons;
    QHash<CommandId, QString> m_defaultShortcuts;
    QList<ToolBarArrangement> m_toolBars;
    QHash<CommandId, QString> m_shortcuts;
};

} // namespace orbelle
