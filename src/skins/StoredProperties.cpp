#include "skins/StoredProperties.h"

#include <QFontInfo>

namespace StoredProperties {

PropertyBag CaptionAndFont(const std::string& caption, const std::string& fontName,
                           int32_t fontSize, bool bold) {
    return PropertyBag{{kCaption, Variant::Text(caption)},
                       {kFontName, Variant::Text(fontName)},
                       {kFontSize, Variant::Int32(fontSize)},
                       {kFontBold, Variant::Bool(bold)}};
}

bool ReadCaption(const PropertyBag& bag, std::string& caption) {
    auto it = bag.find(kCaption);
    if (it == bag.end())
        return false;
    caption = it->second.toText();
    return true;
}

QFont ReadFont(const PropertyBag& bag, const QFont& base) {
    QFont font(base);
    if (auto it = bag.find(kFontName); it != bag.end()) {
        const QString family = QString::fromLocal8Bit(it->second.toText());
        font.setFamily(family);
        if (QFontInfo(font).family() != family) {
            font.setFamily(QStringLiteral("Sans Serif"));
            font.setStyleHint(QFont::SansSerif);
        }
    }
    if (auto it = bag.find(kFontSize); it != bag.end() && it->second.toInt32() > 0)
        font.setPointSizeF(it->second.toInt32() / 10000.0);
    if (auto it = bag.find(kFontBold); it != bag.end())
        font.setBold(it->second.toBool());
    return font;
}

} // namespace StoredProperties
