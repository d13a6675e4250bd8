#pragma once

#include "bench/display/SteppedBench.h"

#include <QBackingStore>
#include <QFont>
#include <QImage>
#include <QLineF>
#include <QPolygonF>
#include <QRectF>

#include <array>
#include <vector>

class QPainter;

namespace qv::bench::display {

// The standard display benchmark: batches of painter work in a 640 × 480 window, each frame flushed to
// the display server and waited for before the next one is drawn.
class Bench2D : public SteppedBench {
public:
    Bench2D();

protected:
    std::unique_ptr<QWindow> createWindow() override;
    void prepare(QWindow& window, DisplayResult& result) override;
    std::int64_t drawFrame(std::size_t test) override;
    Frame readFrame() override;
    double primitivesPerOperation(std::size_t) const override { return 0; }

private:
    void draw(QPainter& painter, std::size_t test, int count);
    std::int64_t scrollFrame(std::size_t test, int count);
    void showFrame();
    QRectF nextRect(double maxSize);

    QWindow* m_window = nullptr;
    std::unique_ptr<QBackingStore> m_store;
    std::array<int, 9> m_batch{};
    bool m_striped = false; // the store holds the scrolling test's stripes
    std::int64_t m_scrolledLines = 0;
    std::vector<QPointF> m_points; // a fixed pool, drawn from in turn
    std::size_t m_next = 0;
    QImage m_opaque;
    QImage m_alpha;
    QFont m_sans;
    QFont m_serif;
};

} // namespace qv::bench::display
