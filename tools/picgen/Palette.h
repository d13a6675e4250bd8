#pragma once

#include <QColor>
#include <QFont>

// The one palette of the program's pictures: the window grey, the dialog colour, the dark blue
// text colour, white and a warm amber accent, plus shades mixed from them.
namespace qv::picgen {

namespace colour {
inline QColor windowGrey()
{
    return {179, 179, 179};
}
inline QColor dialog()
{
    return {198, 198, 214};
}
inline QColor navy()
{
    return {41, 41, 82};
}
inline QColor accent()
{
    return {242, 155, 34};
}
inline QColor white()
{
    return {255, 255, 255};
}

QColor mix(const QColor& a, const QColor& b, qreal towardB);
QColor withAlpha(QColor c, int alpha);

inline QColor navyDark()
{
    return mix(navy(), QColor(0, 0, 0), 0.35);
}
inline QColor navyLight()
{
    return mix(navy(), white(), 0.28);
}
inline QColor slate()
{
    return mix(navy(), white(), 0.55);
}
inline QColor paper()
{
    return mix(dialog(), white(), 0.7);
}
inline QColor metalLight()
{
    return mix(dialog(), white(), 0.55);
}
inline QColor metalDark()
{
    return mix(dialog(), navy(), 0.35);
}
inline QColor accentLight()
{
    return mix(accent(), white(), 0.45);
}
inline QColor accentDark()
{
    return mix(accent(), navy(), 0.3);
}
} // namespace colour

// "Liberation Sans" at a pixel size; titles are bold.
QFont uiFont(int pixelSize, bool bold = false);

} // namespace qv::picgen
