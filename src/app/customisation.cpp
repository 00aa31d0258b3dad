#include "app/customisation.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QKeySequence>
#include <QSet>

#include <algorithm>

namespace orbelle {
namespace {

// Drops separators at either end and the second of two in a row.
void tidy(QList<CommandId>& buttons) {
    QList<CommandId> kept;
    for (const CommandId id : buttons) {
        if (id == kToolBarSeparator && (kept.isEmpty() || kept.last() == kToolBarSeparator)) {
            continue;
        }
        kept << id;
    }
    while (!kept.isEmpty() && kept.last() == kToolBarSeparator) {
        kept.removeLast();
    }
    buttons = kept;
}

// Keys in one spelling, so that equal keys compare equal.
QString normalised(const QString& keys) {
    return QKeySequence::fromString(keys, QKeySequence::PortableText)
        .toString(QKeySequence::PortableText);
}

} // namespace

Customisation::Customisation(const QString& standardName, const QList<CommandId>& standardButtons,
                             const QHash<CommandId, QString>& defaultShortcuts)
    : m_standardName(standardName), m_standardButtons(standardButtons) {
    for (auto it = defaultShortcuts.begin(); it != defaultShortcuts.end(); ++it) {
        m_defaultShortcuts.insert(it.key(), normalised(it.value()));
    }
    tidy(m_standardButtons);
    resetAll();
}

const ToolBarArrangement* Customisation::toolBar(int id) const {
    for (const ToolBarArrangement& bar : m_toolBars) {
        if (bar.id == id) {
            return &bar;
        }
    }
    return nullptr;
}

ToolBarArrangement* Customisation::find(int id) {
    return const_cast<ToolBarArrangement*>(std::as_const(*this).toolBar(id));
}

bool Customisation::insertButton(int toolBar, int position, CommandId command) {
    ToolBarArrangement* bar = find(toolBar);
    if (bar == nullptr || !isCommand(command) || position < 0) {
        return false;
    }
    position = std::min<int>(position, bar->buttons.size());
    if (const qsizetype old = bar->buttons.indexOf(command); old >= 0) {
        bar->buttons.removeAt(old);
        if (old < position) {
            --position;
        }
    }
    bar->buttons.insert(position, command);
    tidy(bar->buttons);
    return true;
}

bool Customisation::insertSeparator(int toolBar, int position) {
    ToolBarArrangement* bar = find(toolBar);
    if (bar == nullptr || position <= 0 || position >= bar->buttons.size() ||
        bar->buttons.at(position - 1) == kToolBarSeparator ||
        bar->buttons.at(position) == kToolBarSeparator) {
        return false;
    }
    bar->buttons.insert(position, kToolBarSeparator);
    return true;
}

bool Customisation::removeButton(int toolBar, int position) {
    ToolBarArrangement* bar = find(toolBar);
    if (bar == nullptr || position < 0 || position >= bar->buttons.size()) {
        return false;
    }
    bar->images.remove(bar->buttons.takeAt(position));
    tidy(bar->buttons);
    return true;
}

bool Customisation::moveButton(int fromToolBar, int from, int toToolBar, int to) {
    ToolBarArrangement* source = find(fromToolBar);
    ToolBarArrangement* target = find(toToolBar);
    if (source == nullptr || target == nullptr || from < 0 || from >= source->buttons.size() ||
        to < 0) {
        return false;
    }
    const CommandId item = source->buttons.at(from);
    if (source == target) {
        to = std::min<int>(to, target->buttons.size());
        target->buttons.removeAt(from);
        target->buttons.insert(from < to ? to - 1 : to, item);
        tidy(target->buttons);
        return true;
    }
    if (item == kToolBarSeparator) {
        if (!insertSeparator(toToolBar, to)) {
            return false;
        }
    } else {
        insertButton(toToolBar, to, item);
    }
    source->images.remove(item);
    source->buttons.removeAt(from);
    tidy(source->buttons);
    return true;
}

bool Customisation::setButtonImage(int toolBar, CommandId command, int image) {
    ToolBarArrangement* bar = find(toolBar);
    if (bar == nullptr || !isUserToolBar(toolBar) || !bar->buttons.contains(command) ||
        command == kToolBarSeparator) {
        return false;
    }
    if (image < 0) {
        bar->images.remove(command);
    } else {
        bar->images.insert(command, image);
    }
    return true;
}

void Customisation::resetStandardToolBar() {
    ToolBarArrangement* bar = find(kStandardToolBarId);
    bar->name = m_standardName;
    bar->buttons = m_standardButtons;
    bar->images.clear();
}

Customisation::NameProblem Customisation::checkName(const QString& name, int exceptId) const {
    const QString trimmed = name.trimmed();
    if (trimmed.isEmpty()) {
        return NameProblem::Empty;
    }
    for (const ToolBarArrangement& bar : m_toolBars) {
        if (bar.id != exceptId && bar.name == trimmed) {
            return NameProblem::Taken;
        }
    }
    if (exceptId == 0 && m_toolBars.size() > kMaxUserToolBars) {
        return NameProblem::TooMany;
    }
    return NameProblem::None;
}

std::optional<int> Customisation::addUserToolBar(const QString& name) {
    if (checkName(name) != NameProblem::None) {
        return std::nullopt;
    }
    int id = kFirstUserToolBarId;
    while (toolBar(id) != nullptr) {
        ++id;
    }
    m_toolBars.append(ToolBarArrangement{id, name.trimmed(), {}, {}});
    return id;
}

bool Customisation::renameUserToolBar(int id, const QString& name) {
    ToolBarArrangement* bar = find(id);
    if (bar == nullptr || !isUserToolBar(id) || checkName(name, id) != NameProblem::None) {
        return false;
    }
    bar->name = name.trimmed();
    return true;
}

bool Customisation::removeUserToolBar(int id) {
    if (!isUserToolBar(id)) {
        return false;
    }
    return m_toolBars.removeIf([id](const ToolBarArrangement& bar) { return bar.id == id; }) > 0;
}

QString Customisation::shortcut(CommandId command) const { return m_shortcuts.value(command); }

std::optional<CommandId> Customisation::holderOf(const QString& keys, CommandId except) const {
    const QString wanted = normalised(keys);
    if (wanted.isEmpty()) {
        return std::nullopt;
    }
    for (auto it = m_shortcuts.begin(); it != m_shortcuts.end(); ++it) {
        if (it.key() != except && it.value() == wanted) {
            return it.key();
        }
    }
    return std::nullopt;
}

Customisation::ShortcutChange Customisation::setShortcut(CommandId command, const QString& keys) {
    const QString wanted = normalised(keys);
    if (!isCommand(command) || (wanted.isEmpty() && !keys.trimmed().isEmpty())) {
        return {};
    }
    if (const std::optional<CommandId> holder = holderOf(wanted, command)) {
        return {false, holder};
    }
    m_shortcuts.insert(command, wanted);
    return {true, std::nullopt};
}

void Customisation::resetShortcuts() { m_shortcuts = m_defaultShortcuts; }

void Customisation::resetAll() {
    m_toolBars = {ToolBarArrangement{kStandardToolBarId, m_standardName, m_standardButtons, {}}};
    resetShortcuts();
}

QString Customisation::toText() const {
    QJsonArray bars;
    for (const ToolBarArrangement& bar : m_toolBars) {
        QJsonArray buttons;
        for (const CommandId id : bar.buttons) {
            buttons.append(commandNumber(id));
        }
        QJsonObject images;
        for (auto it = bar.images.begin(); it != bar.images.end(); ++it) {
            images.insert(QString::number(commandNumber(it.key())), it.value());
        }
        bars.append(QJsonObject{
            {"id", bar.id}, {"name", bar.name}, {"buttons", buttons}, {"images", images}});
    }
    // Only shortcuts that differ from the defaults are kept, so a later
    // program's new defaults reach the commands the person never changed.
    QJsonObject shortcuts;
    for (auto it = m_shortcuts.begin(); it != m_shortcuts.end(); ++it) {
        if (it.value() != m_defaultShortcuts.value(it.key())) {
            shortcuts.insert(QString::number(commandNumber(it.key())), it.value());
        }
    }
    const QJsonObject root{{"version", kVersion}, {"toolBars", bars}, {"shortcuts", shortcuts}};
    return QString::fromUtf8(QJsonDocument(root).toJson(QJsonDocument::Compact));
}

bool Customisation::restore(const QString& text) {
    resetAll();
    if (restoreFrom(text)) {
        return true;
    }
    resetAll();
    return false;
}

bool Customisation::restoreFrom(const QString& text) {
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(text.toUtf8(), &error);
    const QJsonObject root = document.object();
    if (error.error != QJsonParseError::NoError || !document.isObject() ||
        root.value("version").toInt(-1) != kVersion || !root.value("toolBars").isArray() ||
        !root.value("shortcuts").isObject()) {
        return false;
    }
    QList<ToolBarArrangement> bars;
    QSet<int> ids;
    QSet<QString> names;
    for (const QJsonValue& value : root.value("toolBars").toArray()) {
        const QJsonObject object = value.toObject();
        const int id = object.value("id").toInt(-1);
        const QString name = object.value("name").toString().trimmed();
        const bool known =
            id == kStandardToolBarId ||
            (id >= kFirstUserToolBarId && id < kFirstUserToolBarId + kMaxUserToolBars);
        if (!value.isObject() || !known || ids.contains(id) || name.isEmpty() ||
            names.contains(name) || !object.value("buttons").isArray()) {
            return false;
        }
        ids.insert(id);
        names.insert(name);
        ToolBarArrangement bar{id, id == kStandardToolBarId ? m_standardName : name, {}, {}};
        for (const QJsonValue& button : object.value("buttons").toArray()) {
            const CommandId command{button.toInt(-1)};
            if (!button.isDouble()) {
                return false;
            }
            if (command == kToolBarSeparator ||
                (isCommand(command) && !bar.buttons.contains(command))) {
                bar.buttons << command;
            }
        }
        tidy(bar.buttons);
        const QJsonObject images = object.value("images").toObject();
        for (auto it = images.begin(); it != images.end(); ++it) {
            const CommandId command{it.key().toInt()};
            if (isUserToolBar(id) && bar.buttons.contains(command) && it.value().toInt(-1) >= 0) {
                bar.images.insert(command, it.value().toInt());
            }
        }
        bars << bar;
    }
    if (bars.isEmpty() || bars.first().id != kStandardToolBarId) {
        return false;
    }
    m_toolBars = bars;
    const QJsonObject shortcuts = root.value("shortcuts").toObject();
    QList<CommandId> changed;
    for (auto it = shortcuts.begin(); it != shortcuts.end(); ++it) {
        const CommandId command{it.key().toInt()};
        if (!it.value().isString()) {
            return false;
        }
        if (isCommand(command)) {
            m_shortcuts.insert(command, normalised(it.value().toString()));
            changed << command;
        }
    }
    // Keys a default of a command the person never changed holds stay there.
    for (const CommandId command : changed) {
        if (holderOf(m_shortcuts.value(command), command)) {
            m_shortcuts.insert(command, QString());
        }
    }
    return true;
}

} // namespace orbelle
