#pragma once

#include <QFont>
#include <QRect>

// Dialog templates place controls in dialog units. These convert them to
// pixels the way Windows does, from the dialog font's base units.
class DialogUnits {
public:
    explicit DialogUnits(const QFont& font);
    DialogUnits(int baseX, int baseY)
        : m_baseX(baseX)
        , m_baseY(baseY) {}

    int baseX() const { return m_baseX; }
    int baseY() const { return m_baseY; }
    int X(int dlu) const;
    int Y(int dlu) const;
    QRect ToPixels(int left, int top, int width, int height) const;

private:
    int m_baseX;
    int m_baseY;
};

// A dialog's font: "MS Sans Serif" falls back to the system's sans font.
QFont DialogFont(const QString& family = QStringLiteral("MS Sans Serif"), qreal pointSize = 8);
