#include "app/visualstyles.h"

#include "widgets/contrast.h"

#include <QApplication>
#include <QColor>
#include <QPainter>
#include <QPalette>
#include <QProxyStyle>
#include <QStyle>
#include <QStyleFactory>
#include <QStyleOption>

#include <algorithm>

namespace orbelle {
namespace {

struct Look {
    const char* style; // Qt widget style, Fusion when not available
    QColor window;     // frame, bars and panes
    QColor button;
    QColor base; // edit boxes, lists and the view's background
    QColor text;
    QColor highlight;
    QColor highlightedText;
};

Look lookOf(CommandId id) {
    const QColor black(Qt::black);
    const QColor white(Qt::white);
    switch (id) {
    case CommandId::StyleWindows2000: // plain grey of the classic desktop
        return {"Windows", QColor(0xD4D0C8), QColor(0xD4D0C8), white, black, QColor(0x0A246A),
                white};
    case CommandId::StyleOfficeXp:
        return {"Windows", QColor(0xF1EFE9), QColor(0xE4E2DC), white, black, QColor(0xB6BDD2),
                black};
    case CommandId::StyleWindowsXp:
        return {"Fusion", QColor(0xECE9D8), QColor(0xF3F1E6), white, black, QColor(0x316AC5),
                white};
    case CommandId::StyleOffice2003:
        return {"Fusion", QColor(0xC9DDF7), QColor(0xDDEBFC), white, black, QColor(0xFFC472),
                black};
    case CommandId::StyleVisualStudio2005:
        return {"Fusion", QColor(0xEEEDE5), QColor(0xF7F6F1), white, black, QColor(0xC1D2EE),
                black};
    case CommandId::StyleVisualStudio2008:
        return {"Fusion", QColor(0xE4E8F2), QColor(0xF2F4F9), white, black, QColor(0x3399FF),
                white};
    case CommandId::StyleOffice2007Black: // dark frame and panes with amber selection
        return {"Fusion",
                QColor(0x353535),
                QColor(0x454545),
                QColor(0x262626),
                QColor(0xEAEAEA),
                QColor(0xE8A33C),
                black};
    case CommandId::StyleOffice2007Silver:
        return {"Fusion", QColor(0xD8DCE3), QColor(0xE6E9EE), white, black, QColor(0x9AAAC4),
                black};
    case CommandId::StyleOffice2007Aqua:
        return {"Fusion", QColor(0xC4DCE6), QColor(0xDAEBF1), white, black, QColor(0x4BA6CB),
                white};
    case CommandId::StyleWindows7:
        return {"Fusion", QColor(0xF0F0F0), QColor(0xF5F5F5), white, black, QColor(0x0078D7),
                white};
    case CommandId::StyleOffice2007Blue:
    default: // blue
        return {"Fusion", QColor(0xBFD7F5), QColor(0xD9E7F9), white, black, QColor(0xFFD966),
                black};
    }
}

// The look's widget style with check boxes that keep their outline on a dark
// window: the base styles shade the box's edge from the window colour, which
// leaves a dark box on a dark window without a visible edge. A light line
// (dimmer for a disabled box) is drawn over that edge.
class ContrastStyle : public QProxyStyle {
  public:
    using QProxyStyle::QProxyStyle;

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override {
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        if (element != PE_IndicatorCheckBox || !isDarkPalette(option->palette)) {
            return;
        }
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing, false);
        painter->setPen(frameLineColour(option->palette, option->state & State_Enabled));
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(option->rect.adjusted(0, 0, -1, -1));
        painter->restore();
    }
};

QPalette paletteOf(const Look& look) {
    QPalette palette(look.button, look.window);
    const bool dark = look.window.lightness() < 128;
    palette.setColor(QPalette::Window, look.window);
    palette.setColor(QPalette::WindowText, look.text);
    palette.setColor(QPalette::Button, look.button);
    palette.setColor(QPalette::ButtonText, look.text);
    palette.setColor(QPalette::Base, look.base);
    palette.setColor(QPalette::AlternateBase,
                     dark ? look.base.lighter(130) : look.window.lighter(105));
    palette.setColor(QPalette::Text, look.text);
    palette.setColor(QPalette::BrightText, Qt::red);
    palette.setColor(QPalette::ToolTipBase, dark ? QColor(0x202020) : QColor(0xFFFFE1));
    palette.setColor(QPalette::ToolTipText, dark ? QColor(0xEAEAEA) : QColor(Qt::black));
    palette.setColor(QPalette::PlaceholderText, look.text.darker(dark ? 150 : 50));
    palette.setColor(QPalette::Highlight, look.highlight);
    palette.setColor(QPalette::HighlightedText, look.highlightedText);
    palette.setColor(QPalette::Link, dark ? QColor(0x7FB4FF) : QColor(0x0645AD));
    const QColor disabled = dark ? QColor(0x808080) : QColor(0x8A8A8A);
    for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
        palette.setColor(QPalette::Disabled, role, disabled);
    }
    // A control that cannot be used loses its white (or dark) field and shows
    // the window colour, so a disabled empty check box or edit box looks
    // disabled and not merely unticked or empty.
    palette.setColor(QPalette::Disabled, QPalette::Base, look.window);
    return palette;
}

} // namespace

const std::vector<VisualStyle>& visualStyles() {
    static const std::vector<VisualStyle> styles{
        {CommandId::StyleWindows2000, QStringLiteral("Windows 2000(&2)"), false, true},
        {CommandId::StyleOfficeXp, QStringLiteral("Office XP(&X)"), false, true},
        {CommandId::StyleWindowsXp, QStringLiteral("Windows XP(&W)"), false, true},
        {CommandId::StyleOffice2003, QStringLiteral("Office 2003(&3)"), false, true},
        {CommandId::StyleVisualStudio2005, QStringLiteral("Visual Studio 200&5"), false, true},
        {CommandId::StyleVisualStudio2008, QStringLiteral("Visual Studio 200&8"), false, true},
        {CommandId::StyleOffice2007Blue, QStringLiteral("ブルー スタイル(&B)"), true, true},
        {CommandId::StyleOffice2007Black, QStringLiteral("ブラック スタイル(&L)"), true, true},
        {CommandId::StyleOffice2007Silver, QStringLiteral("シルバー スタイル(&S)"), true, true},
        {CommandId::StyleOffice2007Aqua, QStringLiteral("アクア スタイル(&A)"), true, true},
        {CommandId::StyleWindows7, QStringLiteral("Windows 7"), false, false},
    };
    return styles;
}

bool isVisualStyle(CommandId id) {
    const auto& styles = visualStyles();
    return std::any_of(styles.begin(), styles.end(),
                       [id](const VisualStyle& s) { return s.id == id; });
}

void applyVisualStyle(CommandId id) {
    const Look look = lookOf(id);
    QStyle* style = QStyleFactory::create(QString::fromLatin1(look.style));
    if (style == nullptr) {
        style = QStyleFactory::create(QStringLiteral("Fusion"));
    }
    if (style != nullptr) {
        // The application owns the proxy, the proxy the style.
        QApplication::setStyle(new ContrastStyle(style));
    }
    QApplication::setPalette(paletteOf(look));
}

} // namespace orbelle
