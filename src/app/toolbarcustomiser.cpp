#include "app/toolbarcustomiser.h"

#include "app/commandset.h"
#include "app/customisedialog.h"
#include "app/settingskeys.h"
#include "app/userimages.h"

#include <QAction>
#include <QApplication>
#include <QDrag>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QIcon>
#include <QMainWindow>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPixmap>
#include <QSettings>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include <cstdio>

namespace orbelle {
namespace {

// Properties of the widgets a toolbar shows for its buttons and separators.
constexpr char kToolBarProperty[] = "orbelleToolBar";
constexpr char kPositionProperty[] = "orbellePosition";
// Actions a toolbar makes for itself, deleted when it is filled again.
constexpr char kOwnedProperty[] = "orbelleOwned";

QHash<CommandId, QString> defaultShortcuts(const CommandSet& commands) {
    QHash<CommandId, QString> shortcuts;
    for (auto it = commands.actions().begin(); it != commands.actions().end(); ++it) {
        shortcuts.insert(it.key(), it.value()->shortcut().toString(QKeySequence::PortableText));
    }
    return shortcuts;
}

} // namespace

ToolBarCustomiser::ToolBarCustomiser(const CommandSet& commands, QMainWindow* window,
                                     QToolBar* standard, const QString& appDataDir, QObject* parent)
    : QObject(parent), m_commands(commands), m_window(window),
      m_arrangement(std::make_unique<Customisation>(
          standard->windowTitle(), commands.defaultStandardButtons(), defaultShortcuts(commands))),
      m_userImages(loadUserImages(appDataDir)) {
    m_toolBars.insert(Customisation::kStandardToolBarId, standard);
    standard->setAcceptDrops(true);
    standard->installEventFilter(this);
    standard->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(standard->toggleViewAction(), &QAction::toggled, this,
            &ToolBarCustomiser::toolBarShownOrHidden);
    connect(standard, &QToolBar::customContextMenuRequested, this,
            [this, standard](QPoint at) { showContextMenu(standard, at); });
    apply();
}

ToolBarCustomiser::~ToolBarCustomiser() = default;

bool ToolBarCustomiser::change(const std::function<bool(Customisation&)>& edit) {
    if (!edit(*m_arrangement)) {
        return false;
    }
    apply();
    save();
    emit changed();
    return true;
}

void ToolBarCustomiser::restore() {
    QSettings settings;
    const QVariant stored = settings.value(SettingsKeys::Customisation);
    if (stored.isValid() && !m_arrangement->restore(stored.toString())) {
        std::fprintf(stderr, "orbelle: the stored toolbar and shortcut arrangement cannot be read; "
                             "the defaults are used\n");
    } else if (!stored.isValid()) {
        m_arrangement->resetAll();
    }
    settings.remove(SettingsKeys::OldHiddenButtons);
    apply();
    emit changed();
}

QToolBar* ToolBarCustomiser::toolBar(int id) const { return m_toolBars.value(id, nullptr); }

int ToolBarCustomiser::toolBarId(const QToolBar* toolBar) const {
    for (auto it = m_toolBars.begin(); it != m_toolBars.end(); ++it) {
        if (it.value() == toolBar) {
            return it.key();
        }
    }
    return 0;
}

CustomiseDialog* ToolBarCustomiser::dialog() const { return m_dialog; }

bool ToolBarCustomiser::isCustomising() const { return m_dialog && m_dialog->isVisible(); }

void ToolBarCustomiser::openDialog() {
    if (!m_dialog) {
        m_dialog = new CustomiseDialog(*this, m_window);
    }
    m_dialog->show();
    m_dialog->raise();
    m_dialog->activateWindow();
}

QToolBar* ToolBarCustomiser::createUserToolBar(int id) {
    auto* toolBar = new QToolBar(m_window);
    toolBar->setObjectName(QStringLiteral("userToolBar%1").arg(id));
    toolBar->setIconSize(QSize(16, 16));
    toolBar->setAcceptDrops(true);
    toolBar->installEventFilter(this);
    toolBar->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(toolBar->toggleViewAction(), &QAction::toggled, this,
            &ToolBarCustomiser::toolBarShownOrHidden);
    connect(toolBar, &QToolBar::customContextMenuRequested, this,
            [this, toolBar](QPoint at) { showContextMenu(toolBar, at); });
    m_window->addToolBar(Qt::TopToolBarArea, toolBar);
    toolBar->show();
    m_toolBars.insert(id, toolBar);
    return toolBar;
}

void ToolBarCustomiser::apply() {
    // Toolbars the arrangement no longer has go; new ones come.
    for (auto it = m_toolBars.begin(); it != m_toolBars.end();) {
        if (m_arrangement->toolBar(it.key()) == nullptr) {
            m_window->removeToolBar(it.value());
            it.value()->deleteLater();
            it = m_toolBars.erase(it);
        } else {
            ++it;
        }
    }
    for (const ToolBarArrangement& arrangement : m_arrangement->toolBars()) {
        QToolBar* toolBar = m_toolBars.value(arrangement.id, nullptr);
        if (toolBar == nullptr) {
            toolBar = createUserToolBar(arrangement.id);
        }
        toolBar->setWindowTitle(arrangement.name);
        toolBar->toggleViewAction()->setText(arrangement.name);
        fill(toolBar, arrangement);
    }
    listUserToolBarsInMenu();
    for (auto it = m_commands.actions().begin(); it != m_commands.actions().end(); ++it) {
        it.value()->setShortcut(QKeySequence::fromString(m_arrangement->shortcut(it.key()),
                                                         QKeySequence::PortableText));
    }
}

void ToolBarCustomiser::fill(QToolBar* toolBar, const ToolBarArrangement& arrangement) {
    // Separators, stand-ins and the options button are the toolbar's own;
    // they are made anew each time.
    const QList<QAction*> previous = toolBar->actions();
    toolBar->clear();
    for (QAction* action : previous) {
        if (action->property(kOwnedProperty).toBool()) {
            delete action;
        }
    }
    for (int position = 0; position < arrangement.buttons.size(); ++position) {
        const CommandId id = arrangement.buttons.at(position);
        QAction* action = nullptr;
        if (id == kToolBarSeparator) {
            action = toolBar->addSeparator();
            action->setProperty(kOwnedProperty, true);
        } else {
            QAction* command = m_commands.action(id);
            const int image = arrangement.images.value(id, -1);
            if (image >= 0 && image < m_userImages.size()) {
                // The button shows the user image and runs the command.
                auto* standIn = new QAction(QIcon(QPixmap::fromImage(m_userImages.at(image))),
                                            command->text(), toolBar);
                standIn->setObjectName(command->objectName());
                standIn->setToolTip(command->toolTip());
                standIn->setStatusTip(command->statusTip());
                standIn->setEnabled(command->isEnabled());
                standIn->setProperty(kOwnedProperty, true);
                connect(command, &QAction::changed, standIn,
                        [standIn, command] { standIn->setEnabled(command->isEnabled()); });
                connect(standIn, &QAction::triggered, command, &QAction::trigger);
                action = standIn;
            } else {
                action = command;
            }
            toolBar->addAction(action);
        }
        if (QWidget* widget = toolBar->widgetForAction(action)) {
            widget->setProperty(kToolBarProperty, arrangement.id);
            widget->setProperty(kPositionProperty, position);
            widget->installEventFilter(this);
        }
    }
    // The toolbar ends with the way to the dialog.
    auto* more = new QToolButton(toolBar);
    more->setObjectName(QStringLiteral("toolBarOptions"));
    more->setArrowType(Qt::DownArrow);
    more->setAutoRaise(true);
    more->setToolTip(tr("ツール バー オプション"));
    more->setPopupMode(QToolButton::InstantPopup);
    auto* menu = new QMenu(more);
    menu->addAction(m_commands.action(CommandId::CustomiseToolBar));
    more->setMenu(menu);
    toolBar->addWidget(more)->setProperty(kOwnedProperty, true);
}

void ToolBarCustomiser::listUserToolBarsInMenu() {
    QMenu* menu = m_commands.toolbarsAndPanesMenu();
    for (QAction* entry : std::as_const(m_menuEntries)) {
        menu->removeAction(entry);
    }
    m_menuEntries.clear();
    // The user toolbars follow "標準", ahead of the panes.
    QAction* before = nullptr;
    const QList<QAction*> entries = menu->actions();
    const qsizetype standard =
        entries.indexOf(toolBar(Customisation::kStandardToolBarId)->toggleViewAction());
    if (standard >= 0 && standard + 1 < entries.size()) {
        before = entries.at(standard + 1);
    }
    for (const ToolBarArrangement& arrangement : m_arrangement->toolBars()) {
        if (Customisation::isUserToolBar(arrangement.id)) {
            QAction* entry = toolBar(arrangement.id)->toggleViewAction();
            menu->insertAction(before, entry);
            m_menuEntries << entry;
        }
    }
}

void ToolBarCustomiser::save() const {
    QSettings().setValue(SettingsKeys::Customisation, m_arrangement->toText());
}

void ToolBarCustomiser::later(std::function<bool(Customisation&)> edit) {
    // A drop or a finished drag changes the toolbar whose widgets are still
    // handling the event; the change waits until they are done.
    QTimer::singleShot(0, this, [this, edit = std::move(edit)] { change(edit); });
}

int ToolBarCustomiser::dropPosition(const QToolBar* toolBar, QPoint at) const {
    const ToolBarArrangement* arrangement = m_arrangement->toolBar(toolBarId(toolBar));
    const QList<QAction*> actions = toolBar->actions();
    const bool across = toolBar->orientation() == Qt::Horizontal;
    const int count = arrangement == nullptr ? 0 : int(arrangement->buttons.size());
    for (int position = 0; position < count && position < actions.size(); ++position) {
        const QWidget* widget = toolBar->widgetForAction(actions.at(position));
        if (widget == nullptr || !widget->isVisible()) {
            continue;
        }
        const QPoint centre = widget->geometry().center();
        if ((across ? at.x() < centre.x() : at.y() < centre.y())) {
            return position;
        }
    }
    return count;
}

bool ToolBarCustomiser::eventFilter(QObject* watched, QEvent* event) {
    if (auto* toolBar = qobject_cast<QToolBar*>(watched); toolBar != nullptr) {
        return handleToolBarEvent(toolBar, event);
    }
    if (auto* widget = qobject_cast<QWidget*>(watched);
        widget != nullptr && widget->property(kPositionProperty).isValid()) {
        return handleButtonEvent(widget, event);
    }
    return false;
}

bool ToolBarCustomiser::handleToolBarEvent(QToolBar* toolBar, QEvent* event) {
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto* drag = static_cast<QDragMoveEvent*>(event);
        const QMimeData* data = drag->mimeData();
        if (data->hasFormat(kCommandMimeType) || data->hasFormat(kToolBarButtonMimeType)) {
            drag->acceptProposedAction();
        } else {
            drag->ignore();
        }
        return true;
    }
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        const int target = toolBarId(toolBar);
        const int position = dropPosition(toolBar, drop->position().toPoint());
        const QMimeData* data = drop->mimeData();
        if (data->hasFormat(kToolBarButtonMimeType)) {
            const QStringList source =
                QString::fromLatin1(data->data(kToolBarButtonMimeType)).split(QLatin1Char(' '));
            const int from = source.value(0).toInt();
            const int index = source.value(1).toInt();
            later([=](Customisation& c) { return c.moveButton(from, index, target, position); });
        } else if (data->hasFormat(kCommandMimeType)) {
            const CommandId command{data->data(kCommandMimeType).toInt()};
            later([=](Customisation& c) {
                return command == kToolBarSeparator ? c.insertSeparator(target, position)
                                                    : c.insertButton(target, position, command);
            });
        } else {
            drop->ignore();
            return true;
        }
        drop->acceptProposedAction();
        return true;
    }
    default:
        return false;
    }
}

bool ToolBarCustomiser::handleButtonEvent(QWidget* button, QEvent* event) {
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton &&
            (isCustomising() || mouse->modifiers().testFlag(Qt::AltModifier))) {
            m_press = {button, mouse->position().toPoint()};
            return true;
        }
        return false;
    }
    case QEvent::MouseMove: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (m_press.button != button) {
            return false;
        }
        if ((mouse->position().toPoint() - m_press.at).manhattanLength() >=
            QApplication::startDragDistance()) {
            m_press = {};
            startDrag(button);
        }
        return true;
    }
    case QEvent::MouseButtonRelease:
        if (m_press.button == button) {
            m_press = {};
            return true;
        }
        return false;
    default:
        return false;
    }
}

void ToolBarCustomiser::startDrag(QWidget* button) {
    const int from = button->property(kToolBarProperty).toInt();
    const int position = button->property(kPositionProperty).toInt();
    auto* data = new QMimeData;
    data->setData(kToolBarButtonMimeType,
                  QStringLiteral("%1 %2").arg(from).arg(position).toLatin1());
    auto* drag = new QDrag(button);
    drag->setMimeData(data);
    drag->setPixmap(button->grab());
    drag->setHotSpot(QPoint(drag->pixmap().width() / 2, drag->pixmap().height() / 2));
    // Let go anywhere but on a toolbar: the button comes off its toolbar.
    if (drag->exec(Qt::MoveAction) == Qt::IgnoreAction) {
        later([=](Customisation& c) { return c.removeButton(from, position); });
    }
}

void ToolBarCustomiser::showContextMenu(QToolBar* toolBar, QPoint at) {
    QWidget* button = toolBar->childAt(at);
    while (button != nullptr && button != toolBar &&
           !button->property(kPositionProperty).isValid()) {
        button = button->parentWidget();
    }
    QMenu menu;
    const int id = toolBarId(toolBar);
    if (isCustomising() && button != nullptr && button != toolBar) {
        // The button's own menu while customising.
        const int position = button->property(kPositionProperty).toInt();
        const CommandId command = m_arrangement->toolBar(id)->buttons.value(position);
        menu.addAction(tr("削除(&D)"), this, [=, this] {
            change([=](Customisation& c) { return c.removeButton(id, position); });
        });
        menu.addAction(tr("グループの開始(&G)"), this, [=, this] {
            change([=](Customisation& c) { return c.insertSeparator(id, position); });
        });
        if (Customisation::isUserToolBar(id) && command != kToolBarSeparator &&
            !m_userImages.isEmpty()) {
            QMenu* images = menu.addMenu(tr("ボタンのイメージ(&I)"));
            images->addAction(tr("コマンドのイメージ"), this, [=, this] {
                change([=](Customisation& c) { return c.setButtonImage(id, command, -1); });
            });
            for (int k = 0; k < m_userImages.size(); ++k) {
                images->addAction(
                    QIcon(QPixmap::fromImage(m_userImages.at(k))), tr("イメージ %1").arg(k + 1),
                    this, [=, this] {
                        change([=](Customisation& c) { return c.setButtonImage(id, command, k); });
                    });
            }
        }
    } else {
        // The toolbars and panes to show or hide, then the dialog.
        const std::unique_ptr<QMenu> list(m_window->createPopupMenu());
        if (list != nullptr) {
            menu.addActions(list->actions());
            menu.addSeparator();
        }
        menu.addAction(m_commands.action(CommandId::CustomiseToolBar));
    }
    menu.exec(toolBar->mapToGlobal(at));
}

} // namespace orbelle
