// Tab moves through the drawing settings pane the way it reads.

#include "panes/drawsettingspane.h"

#include "support/guiapplication.h"
#include "widgets/spinrow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

using namespace orbelle;

TEST(TabOrderTest, ListsButtonsThenRowsTopDown) {
    DrawSettingsPane pane;
    const auto named = [&pane](const QString& name) { return pane.findChild<QWidget*>(name); };
    QStringList expected{"list10020", "list10021", "button10030", "button10031"};
    for (int i = 0; i < 3; ++i) {
        expected << QStringLiteral("check%1").arg(10100 + i)
                 << QStringLiteral("edit%1").arg(10300 + i)
                 << QStringLiteral("slider%1").arg(10500 + i);
    }
    QWidget* widget = named(QStringLiteral("list10020"));
    ASSERT_NE(widget, nullptr);
    QStringList order{widget->objectName()};
    for (int k = 1; k < expected.size(); ++k) {
        widget = widget->nextInFocusChain();
        // Parts of a composite control (a combo box's inner widgets) carry no
        // name of their own; the next named, focusable widget counts.
        while (widget->objectName().isEmpty() || widget->focusPolicy() == Qt::NoFocus) {
            widget = widget->nextInFocusChain();
        }
        order << widget->objectName();
    }
    EXPECT_EQ(order, expected);
}
