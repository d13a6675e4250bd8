#pragma once

#include <QColor>
#include <QObject>
#include <QPixmap>

#include <vector>

// The glyph strip of a page control's tabs: NumGlyphs equal images cut from Glyph, with
// TransparentColor cut out; tab p shows image p.
class TExtGlyphs : public QObject {
    Q_OBJECT
    Q_PROPERTY(QPixmap Glyph READ Glyph WRITE setGlyph)
    Q_PROPERTY(int NumGlyphs READ NumGlyphs WRITE setNumGlyphs)
    Q_PROPERTY(TExtGlyphPosition Position READ Position WRITE setPosition)
    Q_PROPERTY(int Spacing READ Spacing WRITE setSpacing)
    Q_PROPERTY(QColor TransparentColor READ TransparentColor WRITE setTransparentColor)

public:
    enum TExtGlyphPosition { glPosLeft, glPosTop };
    Q_ENUM(TExtGlyphPosition)

    explicit TExtGlyphs(QObject* parent = nullptr);

    QPixmap Glyph() const { return m_glyph; }
    void setGlyph(const QPixmap& glyph);
    int NumGlyphs() const { return m_numGlyphs; }
    void setNumGlyphs(int count);
    TExtGlyphPosition Position() const { return m_position; }
    void setPosition(TExtGlyphPosition position);
    int Spacing() const { return m_spacing; }
    void setSpacing(int spacing);
    QColor TransparentColor() const { return m_transparentColor; }
    void setTransparentColor(const QColor& colour);

    // The image list: empty without glyphs.
    int imageCount() const { return static_cast<int>(m_images.size()); }
    QSize imageSize() const { return m_imageSize; }
    QPixmap image(int index) const;

signals:
    // Position or spacing changed: the tabs are redrawn.
    void layoutChanged();
    // The images were rebuilt: the tab strip takes the new list.
    void imagesChanged();

private:
    void rebuild();

    QPixmap m_glyph;
    int m_numGlyphs = 0;
    TExtGlyphPosition m_position = glPosLeft;
    int m_spacing = 5;
    QColor m_transparentColor{255, 0, 255};
    std::vector<QPixmap> m_images;
    QSize m_imageSize;
};

// Hot-tracking of the tab under the mouse: its caption takes the active or inactive hot colour; an invalid
// colour (none) leaves the caption's colour.
class TExtHottrack : public QObject {
    Q_OBJECT
    Q_PROPERTY(bool Enabled READ Enabled WRITE setEnabled)
    Q_PROPERTY(QColor TabActiveColor READ TabActiveColor WRITE setTabActiveColor)
    Q_PROPERTY(QColor TabInactiveColor READ TabInactiveColor WRITE setTabInactiveColor)

public:
    explicit TExtHottrack(QObject* parent = nullptr);

    bool Enabled() const { return m_enabled; }
    void setEnabled(bool enabled);
    QColor TabActiveColor() const { return m_activeColor; }
    void setTabActiveColor(const QColor& colour);
    QColor TabInactiveColor() const { return m_inactiveColor; }
    void setTabInactiveColor(const QColor& colour);

    // The tab under the mouse, -1 over none.
    int hotTab() const { return m_hotTab; }
    void setHotTab(int tab) { m_hotTab = tab; }

signals:
    void changed();

private:
    bool m_enabled = false;
    QColor m_activeColor;
    QColor m_inactiveColor;
    int m_hotTab = -1;
};
