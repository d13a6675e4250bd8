#pragma once

#include "forms/QvDialog.h"

#include <QPixmap>

#include <array>

// The star window: a store of the comparison windows' pictures, created at start-up and never shown.
class TEtoileDlg : public qv::look::QvDialog {
    Q_OBJECT

public:
    static constexpr int kMaxStars = 4;

    explicit TEtoileDlg(QWidget* parent = nullptr);

    // Etoile0 ... Etoile4; an out-of-range k is clamped.
    const QPixmap& StarsPicture(int k) const;
    const QPixmap& ChartBackground() const { return m_ImageFondTest; }
    const QPixmap& BenchmarkIllustration() const { return m_ImageTestPerf; }

private:
    std::array<QPixmap, kMaxStars + 1> m_Etoile;
    QPixmap m_ImageFondTest;
    QPixmap m_ImageTestPerf;
};

// The grey background window: the store of the benchmark windows' backdrop, never shown.
class TFondGrisDlg : public qv::look::QvDialog {
    Q_OBJECT

public:
    explicit TFondGrisDlg(QWidget* parent = nullptr);

    const QPixmap& GreyBackground() const { return m_FondGris; }

private:
    QPixmap m_FondGris;
};
