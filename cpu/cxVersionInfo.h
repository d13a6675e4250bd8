#pragma once

#include <QString>

#include <cstdint>

namespace qv::cpu {

enum class TBuildStatus { bsAlpha, bsBeta, bsFinal };
enum class TReleaseStatus { rsPrivate, rsPublic };

QString BuildStatusText(TBuildStatus status);     // "Alpha", "Beta", "Final"
QString ReleaseStatusText(TReleaseStatus status); // "Private", "Public"

// A read-only version record, set as a whole by Initialize.
class TcxVersionInfo {
public:
    void Initialize(const QString& copyright, const QString& product, float version, std::int32_t build,
                    TBuildStatus status, TReleaseStatus release);

    QString About() const { return m_about; }
    QString Copyright() const { return m_copyright; }
    QString Product() const { return m_product; }
    float Version() const { return m_version; }
    std::int32_t Build() const { return m_build; }
    TBuildStatus Status() const { return m_status; }
    TReleaseStatus Release() const { return m_release; }

private:
    QString m_about;
    QString m_copyright;
    QString m_product;
    float m_version = 0.0f;
    std::int32_t m_build = 0;
    TBuildStatus m_status = TBuildStatus::bsAlpha;
    TReleaseStatus m_release = TReleaseStatus::rsPrivate;
};

} // namespace qv::cpu
