#include "Palette.h"

namespace qv::picgen {

QColor colour::mix(const QColor& a, const QColor& b, qreal towardB)
{
    const auto lerp = [towardB](int x, int y) { return qRound(x + (y - x) * towardB); };
    return {lerp(a.red(), b.red()), lerp(a.green(), b.green()), lerp(a.blue(), b.blue()),
            lerp(a.alpha(), b.alpha())};
}

QColor colour::withAlpha(QColor c, int alpha)
{
    c.setAlpha(alpha);
    return c;
}

QFont uiFont(int pixelSize, bool bold)
{
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

} // namespace qv::picgen
