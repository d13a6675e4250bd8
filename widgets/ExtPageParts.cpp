#include "widgets/ExtPageParts.h"

#include "widgets/Animate.h"

#include <QPalette>

TExtGlyphs::TExtGlyphs(QObject* parent)
    : QObject(parent)
{
}

void TExtGlyphs::setGlyph(const QPixmap& glyph)
{
    m_glyph = glyph.copy();
    rebuild();
}

void TExtGlyphs::setNumGlyphs(int count)
{
    count = std::max(count, 0);
    if (count == m_numGlyphs)
        return;
    m_numGlyphs = count;
    rebuild();
}

void TExtGlyphs::setTransparentColor(const QColor& colour)
{
    if (colour == m_transparentColor)
        return;
    m_transparentColor = colour;
    rebuild();
}

void TExtGlyphs::setPosition(TExtGlyphPosition position)
{
    if (position == m_position)
        return;
    m_position = position;
    emit layoutChanged();
}

void TExtGlyphs::setSpacing(int spacing)
{
    if (spacing == m_spacing)
        return;
    m_spacing = spacing;
    emit layoutChanged();
}

QPixmap TExtGlyphs::image(int index) const
{
    return index >= 0 && index < imageCount() ? m_images[static_cast<size_t>(index)] : QPixmap();
}

void TExtGlyphs::rebuild()
{
    m_images.clear();
    m_imageSize = {};
    if (m_numGlyphs > 0 && !m_glyph.isNull()) {
        m_imageSize = QSize(m_glyph.width() / m_numGlyphs, m_glyph.height());
        const QImage keyed = qv::widgets::keyedStrip(m_glyph.toImage(), m_transparentColor);
        for (int i = 0; i < m_numGlyphs && m_imageSize.width() > 0; ++i)
            m_images.push_back(QPixmap::fromImage(
                keyed.copy(i * m_imageSize.width(), 0, m_imageSize.width(), m_imageSize.height())));
    }
    emit imagesChanged();
}

TExtHottrack::TExtHottrack(QObject* parent)
    : QObject(parent)
    , m_activeColor(QPalette().color(QPalette::Highlight))
    , m_inactiveColor(m_activeColor)
{
}

void TExtHottrack::setEnabled(bool enabled)
{
    if (enabled == m_enabled)
        return;
    m_enabled = enabled;
    emit changed();
}

void TExtHottrack::setTabActiveColor(const QColor& colour)
{
    if (colour == m_activeColor)
        return;
    m_activeColor = colour;
    emit changed();
}

void TExtHottrack::setTabInactiveColor(const QColor& colour)
{
    if (colour == m_inactiveColor)
        return;
    m_inactiveColor = colour;
    emit changed();
}
