#pragma once

#include <QMenu>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <functional>

class QMouseEvent;
class QPainter;

// A coloured light, on or off, drawn from the shared LED picture sheet at a fixed 12 x 13. It stands on
// its parent's colour. Events fire only when assigned.
class TLED : public QWidget {
    Q_OBJECT
    Q_PROPERTY(bool Lit READ Lit WRITE setLit)
    Q_PROPERTY(TLEDColor Color READ Color WRITE setColor)

public:
    enum TLEDColor { lcRed, lcGreen, lcYellow };
    Q_ENUM(TLEDColor)

    explicit TLED(QWidget* parent = nullptr);
    ~TLED() override;

    bool Lit() const { return m_lit; }
    // Whether the light shows lit: a disabled light shows unlit whatever Lit says.
    bool isShownLit() const { return m_lit && isEnabled(); }
    void setLit(bool lit);
    TLEDColor Color() const { return m_color; }
    void setColor(TLEDColor color);

    // Where the light is drawn: the whole control here, beside the caption in a label.
    virtual QRect ledRect() const { return rect(); }
    QSize sizeHint() const override;

    std::function<void()> OnChangeState;
    std::function<void()> OnClick;
    std::function<void()> OnDblClick;
    std::function<void(QMouseEvent*)> OnMouseDown;
    std::function<void(QMouseEvent*)> OnMouseMove;
    std::function<void(QMouseEvent*)> OnMouseUp;

protected:
    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

    // The colour the light stands on: the parent's background.
    QColor parentColour() const;
    // Draws the light's picture into `target` over the parent's colour.
    void paintLed(QPainter& painter, const QRect& target) const;

private:
    void stateChanged();

    bool m_lit = false;
    TLEDColor m_color = lcRed;
    bool m_clickArmed = false;
};

// An LED with a caption beside, above or below it. Not of fixed size; paints the parent's colour behind
// itself unless Transparent. A disabled label shows the disabled light and an embossed caption.
class TLEDLabel : public TLED {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE setCaption)
    Q_PROPERTY(TCaptionAlignment Alignment READ Alignment WRITE setAlignment)
    Q_PROPERTY(bool Transparent READ Transparent WRITE setTransparent)

public:
    enum TCaptionAlignment { caLeft, caRight, caTop, caBottom };
    Q_ENUM(TCaptionAlignment)

    explicit TLEDLabel(QWidget* parent = nullptr);

    QString Caption() const { return m_caption; }
    void setCaption(const QString& caption);
    TCaptionAlignment Alignment() const { return m_alignment; }
    void setAlignment(TCaptionAlignment alignment);
    bool Transparent() const { return m_transparent; }
    void setTransparent(bool transparent);
    QMenu* PopupMenu() const { return m_popupMenu; }
    void setPopupMenu(QMenu* menu) { m_popupMenu = menu; }

    QRect ledRect() const override;
    QRect captionRect() const;
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    QString m_caption;
    TCaptionAlignment m_alignment = caRight;
    bool m_transparent = false;
    QPointer<QMenu> m_popupMenu;
};
