#pragma once

#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

// Drawing helpers shared by every family of pictures.
namespace qv::picgen {

// Pictures are drawn once for ordinary screens (scale 1) and once at double resolution (scale 2) for the
// @2x set; the drawing code works in the same coordinates for both.
void setPictureScale(int scale);
int pictureScale();

// A picture of the given size at the current scale, fully transparent, ready to paint on.
QImage newPicture(QSize size);

// Anti-aliased painting of shapes, text and scaled pictures.
void prepare(QPainter& p);

QLinearGradient verticalGradient(const QRectF& r, const QColor& top, const QColor& bottom);
QLinearGradient horizontalGradient(const QRectF& r, const QColor& left, const QColor& right);

// A rounded rectangle whose 1-px outline falls inside r, on whole pixels.
QPainterPath roundedRect(const QRectF& r, qreal radius);
void roundedPanel(QPainter& p, const QRectF& r, qreal radius, const QBrush& fill, const QColor& outline);

// A glassy sheen over the upper part of a shape: white fading to nothing.
void glossHighlight(QPainter& p, const QPainterPath& shape, int topAlpha);

// A blurred copy of a shape in one colour, drawn under it as its shadow.
void dropShadow(QPainter& p, const QPainterPath& shape, QPointF offset, int blur, const QColor& colour);

// A round glow fading from colour at the centre to nothing at radius.
void glow(QPainter& p, QPointF centre, qreal radius, const QColor& colour);

// Text with a crisp one-pixel shadow below and to the right.
void shadowText(QPainter& p, const QRectF& r, int flags, const QString& text, const QFont& font,
                const QColor& colour, const QColor& shadow);

// Printed-circuit traces: straight runs with 45-degree bends ending in round pads, laid out from a
// fixed seed so that every run of the generator draws the same ones.
void circuitTraces(QPainter& p, const QRectF& area, quint32 seed, int count, const QColor& colour);

} // namespace qv::picgen
