#include "bench/ui/PictureStores.h"

#include <algorithm>

namespace {

QPixmap picture(const QString& name)
{
    return QPixmap(QStringLiteral(":/pictures/") + name + QStringLiteral(".png"));
}

} // namespace

TEtoileDlg::TEtoileDlg(QWidget* parent)
    : QvDialog(parent)
    , m_ImageFondTest(picture(QStringLiteral("chart_background")))
    , m_ImageTestPerf(picture(QStringLiteral("bench_illustration")))
{
    setObjectName(QStringLiteral("EtoileDlg"));
    setWindowTitle(QStringLiteral("EtoileDlg"));
    for (int k = 0; k <= kMaxStars; ++k)
        m_Etoile[static_cast<std::size_t>(k)] = picture(QStringLiteral("stars_%1").arg(k));
}

const QPixmap& TEtoileDlg::StarsPicture(int k) const
{
    return m_Etoile[static_cast<std::size_t>(std::clamp(k, 0, kMaxStars))];
}

TFondGrisDlg::TFondGrisDlg(QWidget* parent)
    : QvDialog(parent)
    , m_FondGris(picture(QStringLiteral("grey_background")))
{
    setObjectName(QStringLiteral("FondGrisDlg"));
    setWindowTitle(QStringLiteral("Fond gris"));
}
