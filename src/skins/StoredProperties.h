#pragma once

#include "components/Component.h"

#include <QFont>
#include <QString>

// Names of the stored properties that the window hands the skin components
// when it creates them. The font size is kept as OLE keeps it, in 1/10000 of
// a point, so 8.25 pt is 82500.
namespace StoredProperties {

inline constexpr const char* kCaption = "Caption";
inline constexpr const char* kFontName = "FontName";
inline constexpr const char* kFontSize = "FontSize";
inline constexpr const char* kFontBold = "FontBold";

// The bag for a control with a caption in the window's standard font.
PropertyBag CaptionAndFont(const std::string& caption,
                           const std::string& fontName = "MS Sans Serif", int32_t fontSize = 82500,
                           bool bold = false);

// The caption in the bag, if there is one.
bool ReadCaption(const PropertyBag& bag, std::string& caption);

// The font the bag describes, starting from `base` for what it leaves out.
// An unknown family falls back to the system's sans font.
QFont ReadFont(const PropertyBag& bag, const QFont& base);

} // namespace StoredProperties
