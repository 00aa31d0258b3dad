#include "imageio/imageorigin.h"

#include "formulas/catalog.h"
#include "store/imagetext.h"

#include <QImage>

namespace orbelle {

std::vector<std::pair<QString, QString>> imageOriginTexts(const QImage& image) {
    std::vector<std::pair<QString, QString>> texts{
        {QStringLiteral("Software"), QStringLiteral("Orbelle " ORBELLE_VERSION_TEXT)}};
    const auto record =
        settingsFromImageText(image.text(QString::fromLatin1(kImageSettingsKey)).toStdString());
    if (record) {
        texts.emplace_back(
            QStringLiteral("Description"),
            QString::fromStdString(categoryName(record->category) + " / " +
                                   itemName(record->category, record->item)) +
                QStringLiteral(" (category %1, item %2)").arg(record->category).arg(record->item));
    }
    return texts;
}

} // namespace orbelle
