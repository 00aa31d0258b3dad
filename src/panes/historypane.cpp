#include "panes/historypane.h"

#include "store/historynavigator.h"
#include "widgets/panetoolbar.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QResizeEvent>
#include <QScrollArea>
#include <QToolBar>

#include <functional>
#include <utility>

namespace orbelle {
namespace {

constexpr int kToolBarId = 11502;
constexpr int kGridId = 20003;
constexpr int kFirstEntryCommand = 11400;
constexpr int kSaveMenuCommand = 11610;
constexpr int kLoadMenuCommand = 11611;
// The grid reaches 2 pixels past the last button on the right.
constexpr int kGridWidth = HistoryPane::kPitchX * HistoryPane::kColumns + 2;

// An entry button. It shows the pressed look while its entry is the current
// one: it is checkable, but a click never changes that look. It loads its
// entry on a double click and on Enter or Space; a single click does nothing.
class EntryButton : public QPushButton {
  public:
    EntryButton(QWidget* parent, std::function<void()> activate)
        : QPushButton(parent), m_activate(std::move(activate)) {
        setCheckable(true);
        setAutoDefault(false);
    }

  protected:
    void nextCheckState() override {}

    void mouseDoubleClickEvent(QMouseEvent* event) override {
        if (event->button() == Qt::LeftButton) {
            event->accept();
            m_activate();
            return;
        }
        QPushButton::mouseDoubleClickEvent(event);
    }

    void keyPressEvent(QKeyEvent* event) override {
        const int key = event->key();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) &&
            event->modifiers() == Qt::NoModifier) {
            event->accept();
            if (!event->isAutoRepeat()) {
                m_activate();
            }
            return;
        }
        QPushButton::keyPressEvent(event);
    }

    void keyReleaseEvent(QKeyEvent* event) override {
        // Space is taken on its press; its release must not click.
        if (event->key() == Qt::Key_Space && event->modifiers() == Qt::NoModifier) {
            event->accept();
            return;
        }
        QPushButton::keyReleaseEvent(event);
    }

  private:
    std::function<void()> m_activate;
};

} // namespace

HistoryPane::HistoryPane(QWidget* parent)
    : QWidget(parent), m_toolBar(createPaneToolBar(this, kToolBarId)),
      m_scrollArea(new QScrollArea(this)), m_grid(new QWidget), m_menu(new QMenu(this)) {
    setObjectName(QStringLiteral("historyPane"));
    m_grid->setObjectName(QStringLiteral("panel%1").arg(kGridId));
    m_grid->setMinimumSize(kGridWidth, 0);
    m_grid->setFocusPolicy(Qt::ClickFocus);
    for (int i = 0; i < kButtonCount; ++i) {
        auto* button = new EntryButton(m_grid, [this, i] { emit entryActivated(i); });
        button->setObjectName(QStringLiteral("entry%1").arg(kFirstEntryCommand + i));
        button->setGeometry(entryRect(i));
        button->hide();
        m_buttons[static_cast<std::size_t>(i)] = button;
    }
    m_scrollArea->setObjectName(QStringLiteral("historyScroll"));
    m_scrollArea->setFrameShape(QFrame::NoFrame);
    m_scrollArea->setWidgetResizable(true); // the grid fills a larger pane
    m_scrollArea->setWidget(m_grid);
    setFocusProxy(m_grid);

    QAction* save = m_menu->addAction(tr("ヒストリーの保存"));
    save->setObjectName(QStringLiteral("menu%1").arg(kSaveMenuCommand));
    connect(save, &QAction::triggered, this, &HistoryPane::saveRequested);
    QAction* load = m_menu->addAction(tr("ヒストリーの読み込み"));
    load->setObjectName(QStringLiteral("menu%1").arg(kLoadMenuCommand));
    connect(load, &QAction::triggered, this, &HistoryPane::loadRequested);
}

QRect HistoryPane::entryRect(int i) {
    const int left = kPitchX * (i % kColumns) + 2;
    const int top = kPitchY * (i / kColumns) + 2;
    return QRect(left, top, kButtonWidth, kButtonHeight);
}

void HistoryPane::refresh(const HistoryNavigator& navigator, int count) {
    const int shown = navigator.buttonCount(count);
    const int first = HistoryNavigator::kPageSize * navigator.page() + 1;
    const std::optional<int> pressed = navigator.pressedButton(count);
    for (int i = 0; i < kButtonCount; ++i) {
        QPushButton* button = entryButton(i);
        if (i < shown) {
            button->setText(QString::number(first + i));
        }
        button->setVisible(i < shown);
        button->setChecked(pressed == i);
    }
    // The grid is as tall as the rows in use, so the pane scrolls only as
    // far as there are buttons.
    const int rows = (shown + kColumns - 1) / kColumns;
    m_grid->setMinimumHeight(kPitchY * rows + 2);
    if (pressed) {
        m_scrollArea->ensureWidgetVisible(entryButton(*pressed), 0, 2);
    }
}

void HistoryPane::contextMenuEvent(QContextMenuEvent* event) {
    m_menu->popup(event->globalPos());
    event->accept();
}

void HistoryPane::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const int toolBarHeight = m_toolBar->sizeHint().height();
    m_toolBar->setGeometry(0, 0, width(), toolBarHeight);
    m_scrollArea->setGeometry(0, toolBarHeight, width(), height() - toolBarHeight);
}

} // namespace orbelle
