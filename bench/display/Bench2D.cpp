#include "bench/display/Bench2D.h"

#include "bench/display/DisplayTests.h"

#include <QElapsedTimer>
#include <QPainter>
#include <QScreen>

#include <algorithm>

namespace qv::bench::display {

namespace {

constexpr QSize kWindowSize{640, 480};
constexpr int kPoolSize = 4096;
// A frame's batch grows until the frame takes this long, so that each test measures drawing rather than
// the round trip to the display server.
constexpr std::int64_t kFrameNs = 30'000'000;
constexpr int kFirstBatch = 16;
constexpr int kMaxBatch = 1 << 16;
constexpr int kImageSize = 64;
constexpr int kScrollLines = 8;
constexpr int kStripe = 24;

enum Test2D : std::size_t {
    Lines,
    Rectangles,
    Ellipses,
    TextSans,
    TextSerif,
    ImageOpaque,
    ImageAlpha,
    Polygons,
    Scrolling
};

const QString kSample = QStringLiteral("Display 2D 0123456789");

QColor inkOf(std::size_t test)
{
    return QColor(QRgb(sceneColours(DisplayKind::TwoD, test).ink));
}

// An image in the test's colour: opaque, shaded from the colour half-way to white, or the colour at an
// opacity between a fifth and three fifths.
QImage testImage(std::size_t test, bool alpha)
{
    const QColor ink = inkOf(test);
    QImage image(kImageSize, kImageSize, alpha ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
    for (int y = 0; y < kImageSize; ++y) {
        for (int x = 0; x < kImageSize; ++x) {
            const double t = 0.5 + 0.5 * double(x + y) / double(2 * kImageSize - 2);
            QColor colour = ink;
            if (alpha)
                colour.setAlphaF(float(0.2 + 0.4 * t));
            else
                colour.setRgbF(float(1 - t * (1 - ink.redF())), float(1 - t * (1 - ink.greenF())),
                               float(1 - t * (1 - ink.blueF())));
            image.setPixelColor(x, y, colour);
        }
    }
    return image;
}

} // namespace

Bench2D::Bench2D()
    : SteppedBench(DisplayKind::TwoD, kWindowSize)
    , m_opaque(testImage(ImageOpaque, false))
    , m_alpha(testImage(ImageAlpha, true))
    , m_sans(QStringLiteral("Sans Serif"), 10)
    , m_serif(QStringLiteral("Serif"), 20)
{
    // Consecutive points of the pool are far apart, so that shapes made of them cross the window.
    m_points.reserve(kPoolSize);
    for (int i = 0; i < kPoolSize; ++i) {
        const QPointF point = spreadPoint(i * 7 + 1);
        m_points.emplace_back(point.x() * kWindowSize.width(), point.y() * kWindowSize.height());
    }
}

std::unique_ptr<QWindow> Bench2D::createWindow()
{
    auto window = std::make_unique<QWindow>();
    window->setSurfaceType(QSurface::RasterSurface);
    m_window = window.get();
    m_store = std::make_unique<QBackingStore>(m_window);
    m_batch.fill(kFirstBatch);
    m_striped = false;
    return window;
}

void Bench2D::prepare(QWindow& window, DisplayResult&)
{
    m_store->resize(window.size());
}

QRectF Bench2D::nextRect(double maxSize)
{
    const QPointF corner = m_points[m_next++ % m_points.size()];
    const QPointF size = m_points[m_next++ % m_points.size()];
    return {corner, QSizeF(std::fmod(size.x(), maxSize) + 1, std::fmod(size.y(), maxSize) + 1)};
}

void Bench2D::draw(QPainter& painter, std::size_t test, int count)
{
    const QColor ink = inkOf(test);
    painter.setPen(ink);
    painter.setBrush(ink);
    const auto point = [this] { return m_points[m_next++ % m_points.size()]; };
    switch (test) {
    case Lines:
        for (int i = 0; i < count; ++i)
            painter.drawLine(QLineF(point(), point()));
        break;
    case Rectangles:
        for (int i = 0; i < count; ++i)
            painter.fillRect(nextRect(100), ink);
        break;
    case Ellipses:
        for (int i = 0; i < count; ++i)
            painter.drawEllipse(nextRect(100));
        break;
    case TextSans:
    case TextSerif:
        painter.setFont(test == TextSans ? m_sans : m_serif);
        for (int i = 0; i < count; ++i)
            painter.drawText(point(), kSample);
        break;
    case ImageOpaque:
    case ImageAlpha:
        for (int i = 0; i < count; ++i)
            painter.drawImage(point() - QPointF(0.5 * kImageSize, 0.5 * kImageSize),
                              test == ImageOpaque ? m_opaque : m_alpha);
        break;
    case Polygons:
        for (int i = 0; i < count; ++i) {
            const QPointF centre = point();
            QPolygonF polygon;
            for (int corner = 0; corner < 6; ++corner) {
                const QPointF offset = point();
                polygon << centre + QPointF(std::fmod(offset.x(), 80) - 40, std::fmod(offset.y(), 80) - 40);
            }
            painter.drawPolygon(polygon);
        }
        break;
    default:
        break;
    }
}

void Bench2D::showFrame()
{
    m_store->flush(QRegion(QRect(QPoint(0, 0), m_window->size())));
    // Reading a pixel back is a round trip: the display server has handled the frame when it answers.
    if (QScreen* screen = m_window->screen())
        screen->grabWindow(m_window->winId(), 0, 0, 1, 1);
}

std::int64_t Bench2D::scrollFrame(std::size_t test, int count)
{
    const QRect all(QPoint(0, 0), m_window->size());
    const QColor ink = inkOf(test);
    const auto stripe = [&](QPainter& painter, const QRect& band, std::int64_t firstLine) {
        for (int y = band.top(); y <= band.bottom(); ++y)
            painter.fillRect(QRect(0, y, band.width(), 1),
                             (firstLine + (y - band.top())) / kStripe % 2 == 0 ? QColor(Qt::white) : ink);
    };
    if (!m_striped) {
        m_store->beginPaint(QRegion(all));
        QPainter painter(m_store->paintDevice());
        stripe(painter, all, 0);
        painter.end();
        m_store->endPaint();
        m_striped = true;
        m_scrolledLines = all.height();
    }
    const QRect band(0, all.height() - kScrollLines, all.width(), kScrollLines);
    for (int i = 0; i < count; ++i) {
        if (!m_store->scroll(QRegion(all), 0, -kScrollLines)) {
            // A backing store that cannot move its contents: the painter copies them up.
            m_store->beginPaint(QRegion(all));
            auto* image = dynamic_cast<QImage*>(m_store->paintDevice());
            if (image != nullptr) {
                const QImage copy = image->copy();
                QPainter painter(image);
                painter.drawImage(QPoint(0, -kScrollLines), copy);
            }
            m_store->endPaint();
        }
        m_store->beginPaint(QRegion(band));
        QPainter painter(m_store->paintDevice());
        stripe(painter, band, m_scrolledLines);
        painter.end();
        m_store->endPaint();
        m_scrolledLines += kScrollLines;
    }
    showFrame();
    return count;
}

std::int64_t Bench2D::drawFrame(std::size_t test)
{
    QElapsedTimer frame;
    frame.start();
    int& batch = m_batch.at(test);
    const int count = batch;
    if (test == Scrolling) {
        scrollFrame(test, count);
    } else {
        const QRect all(QPoint(0, 0), m_window->size());
        m_store->beginPaint(QRegion(all));
        QPainter painter(m_store->paintDevice());
        painter.fillRect(all, Qt::white);
        draw(painter, test, count);
        painter.end();
        m_store->endPaint();
        showFrame();
        m_striped = false; // the next scrolling turn paints its stripes again
    }
    if (!measuring() && frame.nsecsElapsed() < kFrameNs)
        batch = std::min(kMaxBatch, batch * 2);
    return count;
}

Frame Bench2D::readFrame()
{
    QScreen* screen = m_window->screen();
    return frameOf(screen != nullptr ? screen->grabWindow(m_window->winId()).toImage() : QImage());
}

} // namespace qv::bench::display
