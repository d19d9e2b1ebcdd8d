#include "platform/DialogUnits.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <cmath>

namespace {

int Round(double v) {
    return static_cast<int>(std::lround(v));
}

} // namespace

DialogUnits::DialogUnits(const QFont& font) {
    const QFontMetrics metrics(font);
    const int letters = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    m_baseX = (letters + 26) / 52;
    m_baseY = metrics.height();
}

int DialogUnits::X(int dlu) const {
    return Round(dlu * m_baseX / 4.0);
}

int DialogUnits::Y(int dlu) const {
    return Round(dlu * m_baseY / 8.0);
}

QRect DialogUnits::ToPixels(int left, int top, int width, int height) const {
    return QRect(X(left), Y(top), X(width), Y(height));
}

QFont DialogFont(const QString& family, qreal pointSize) {
    QFont font(family);
    font.setPointSizeF(pointSize);
    if (QFontInfo(font).family() != family) {
        font.setFamily(QStringLiteral("Sans Serif"));
        font.setStyleHint(QFont::SansSerif);
    }
    return font;
}
