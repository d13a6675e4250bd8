#pragma once

#include <QString>
#include <QWidget>

namespace qv::hardwareui {

// A horizontal bar filled to a share in percent, with a caption drawn across it ("62 % in use").
class UsageBar : public QWidget {
    Q_OBJECT

public:
    explicit UsageBar(QWidget* parent = nullptr);

    // Shows `percent` (clamped to 0…100) and `caption`; the caption is also the bar's accessible name.
    void setUsage(int percent, const QString& caption);
    int percent() const { return m_percent; }
    QString caption() const { return m_caption; }

    // The width of the filled part inside a bar of `innerWidth` pixels.
    static int filledWidth(int innerWidth, int percent);

    QSize sizeHint() const override { return {200, 22}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int m_percent = 0;
    QString m_caption;
};

} // namespace qv::hardwareui
