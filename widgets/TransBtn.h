#pragma once

#include "widgets/DialogChar.h"
#include "widgets/GlyphImages.h"

#include <QMenu>
#include <QPixmap>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <functional>

class QKeyEvent;
class QMouseEvent;

// The push button of every window: a glyph cut from a strip of up to four frames and/or a caption, drawn
// over the parent's background with one of seven frame styles. Events fire only when assigned; `clicked`
// is emitted on every click as well.
class TTransparentButton : public QWidget, public qv::widgets::DialogCharTarget {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE setCaption)
    Q_PROPERTY(QPixmap Glyph READ Glyph WRITE setGlyph)
    Q_PROPERTY(int NumGlyphs READ NumGlyphs WRITE setNumGlyphs)
    Q_PROPERTY(TFrameStyle FrameStyle READ FrameStyle WRITE setFrameStyle)
    Q_PROPERTY(bool Transparent READ Transparent WRITE setTransparent)
    Q_PROPERTY(int BorderWidth READ BorderWidth WRITE setBorderWidth)
    Q_PROPERTY(bool Down READ Down WRITE setDown)
    Q_PROPERTY(bool ShowPressed READ ShowPressed WRITE setShowPressed)
    Q_PROPERTY(bool AutoGray READ AutoGray WRITE setAutoGray)
    Q_PROPERTY(int Spacing READ Spacing WRITE setSpacing)
    Q_PROPERTY(TTextAlign TextAlign READ TextAlign WRITE setTextAlign)
    Q_PROPERTY(bool WordWrap READ WordWrap WRITE setWordWrap)
    Q_PROPERTY(bool Movable READ Movable WRITE setMovable)
    Q_PROPERTY(int GlyphMark READ GlyphMark WRITE setGlyphMark)
    Q_PROPERTY(bool Default READ Default WRITE setDefault)

public:
    enum TFrameStyle { fsRegular, fsIndent, fsExplorer, fsNone, fsLight, fsDark, fsMono };
    Q_ENUM(TFrameStyle)
    enum TTextAlign {
        ttaTopLeft,
        ttaTop,
        ttaTopRight,
        ttaRight,
        ttaBottomRight,
        ttaBottom,
        ttaBottomLeft,
        ttaLeft,
        ttaCenter
    };
    Q_ENUM(TTextAlign)

    explicit TTransparentButton(QWidget* parent = nullptr);
    ~TTransparentButton() override;

    QString Caption() const { return m_caption; }
    void setCaption(const QString& caption);
    QPixmap Glyph() const { return m_glyph; }
    void setGlyph(const QPixmap& glyph);
    int NumGlyphs() const { return m_numGlyphs; }
    void setNumGlyphs(int numGlyphs);
    TFrameStyle FrameStyle() const { return m_frameStyle; }
    void setFrameStyle(TFrameStyle style);
    bool Transparent() const { return m_transparent; }
    void setTransparent(bool transparent);
    int BorderWidth() const { return m_borderWidth; }
    void setBorderWidth(int width);
    bool Down() const { return m_down; }
    void setDown(bool down);
    bool ShowPressed() const { return m_showPressed; }
    void setShowPressed(bool showPressed);
    bool AutoGray() const { return m_autoGray; }
    void setAutoGray(bool autoGray);
    int Spacing() const { return m_spacing; }
    void setSpacing(int spacing);
    TTextAlign TextAlign() const { return m_textAlign; }
    void setTextAlign(TTextAlign align);
    bool WordWrap() const { return m_wordWrap; }
    void setWordWrap(bool wordWrap);
    bool Movable() const { return m_movable; }
    void setMovable(bool movable);
    // Width of the mark drawn at the left of a button-wide glyph; the caption keeps clear of it.
    int GlyphMark() const { return m_glyphMark; }
    void setGlyphMark(int width);
    // The window's default button: Return presses it wherever the focus is.
    bool Default() const { return m_default; }
    void setDefault(bool isDefault) { m_default = isDefault; }
    QMenu* PopUpMenu() const { return m_popUpMenu; }
    void setPopUpMenu(QMenu* menu) { m_popUpMenu = menu; }

    std::function<void()> OnClick;
    using MouseHandler = std::function<void(QMouseEvent*)>;
    MouseHandler OnMouseDown;
    MouseHandler OnMouseMove;
    MouseHandler OnMouseUp;
    std::function<void()> OnMouseEnter;
    std::function<void()> OnMouseExit;

    bool isDrawnPressed() const { return m_drawnPressed; }
    bool isTracking() const { return m_tracking; }
    bool isHovering() const { return m_hovering; }
    // Index into the image list of the picture drawn now; -1 without a glyph.
    int currentImageIndex() const;
    int imageCount() const { return m_images.count(); }

    // Clicks the button as the accelerator does: fires OnClick, then emits `clicked`.
    void click();
    // Clicks when `key` is the caption's accelerator and the button is enabled.
    bool dialogChar(const QKeySequence& key) override;

signals:
    void clicked();

protected:
    bool event(QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void handlePress(QMouseEvent* event);
    void handleRelease(QMouseEvent* event);
    bool fireSurviving(const MouseHandler& handler, QMouseEvent* event);
    void showPopUpMenu(const QMouseEvent& press);
    void rebuildImages();
    void grabMnemonic();
    // Stores `value` in `member` and repaints when it differs.
    template<typename T>
    void assign(T& member, const T& value);

    QString m_caption;
    QPixmap m_glyph;
    int m_numGlyphs = 1;
    TFrameStyle m_frameStyle = fsExplorer;
    bool m_transparent = true;
    int m_borderWidth = 1;
    bool m_down = false;
    bool m_showPressed = true;
    bool m_autoGray = true;
    int m_spacing = 2;
    TTextAlign m_textAlign = ttaCenter;
    bool m_wordWrap = false;
    bool m_movable = false;
    int m_glyphMark = 0;
    bool m_default = false;
    QPointer<QMenu> m_popUpMenu;

    qv::widgets::GlyphImageList m_images;
    bool m_drawnPressed = false;
    bool m_tracking = false;
    bool m_mouseDown = false;  // a press was accepted and its release not yet seen
    bool m_clickArmed = false; // the left button went down here; releasing it over the button clicks
    bool m_hovering = false;
    QPoint m_pressPos;
    int m_mnemonicId = 0;
};

namespace qv::widgets {
// The shown, enabled button of `window` marked Default; nullptr when there is none.
TTransparentButton* defaultButton(const QWidget* window);
} // namespace qv::widgets
