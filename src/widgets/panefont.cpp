#include "widgets/panefont.h"

#include <QStringList>

namespace orbelle {

QFont gothicFont(int pointSize) {
    QFont font;
    font.setFamilies(QStringList{QStringLiteral("ＭＳ ゴシック"), QStringLiteral("IPAGothic"),
                                 QStringLiteral("IPAexGothic"), QStringLiteral("Noto Sans CJK JP"),
                                 QStringLiteral("VL Gothic"), QStringLiteral("sans-serif")});
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(pointSize);
    return font;
}

} // namespace orbelle
