#include "cpu/cxVersionInfo.h"

namespace qv::cpu {

QString BuildStatusText(TBuildStatus status)
{
    switch (status) {
    case TBuildStatus::bsAlpha:
        return QStringLiteral("Alpha");
    case TBuildStatus::bsBeta:
        return QStringLiteral("Beta");
    case TBuildStatus::bsFinal:
        return QStringLiteral("Final");
    }
    return {};
}

QString ReleaseStatusText(TReleaseStatus release)
{
    return release == TReleaseStatus::rsPrivate ? QStringLiteral("Private") : QStringLiteral("Public");
}

void TcxVersionInfo::Initialize(const QString& copyright, const QString& product, float version,
                                std::int32_t build, TBuildStatus status, TReleaseStatus release)
{
    m_copyright = copyright;
    m_product = product;
    m_version = version;
    m_build = build;
    m_status = status;
    m_release = release;
}

} // namespace qv::cpu
