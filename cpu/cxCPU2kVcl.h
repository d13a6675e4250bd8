#pragma once

#include "cpu/cxVersionInfo.h"

#include <QObject>
#include <QString>

#include <array>
#include <cstdint>

namespace qv::cpu {

// Settings of the automatic clock measurement; the only settings a form description stores.
class TcxAutoBench {
public:
    bool Enabled() const { return m_enabled; }
    void setEnabled(bool enabled) { m_enabled = enabled; }
    std::int32_t Delay() const { return m_delay; }
    void setDelay(std::int32_t delay) { m_delay = delay; }

private:
    bool m_enabled = false;
    std::int32_t m_delay = 1000;
};

// Availability and highest leaves of the identification instruction, read when constructed.
class TcxCPUID {
public:
    TcxCPUID();
    bool Available() const { return m_available; }
    std::int32_t MaxLevel() const { return m_maxLevel; }
    // The maximum extended leaf with bit 31 cleared: 0x80000008 gives 8.
    std::int32_t MaxLevelEx() const { return m_maxLevelEx; }

private:
    bool m_available = false;
    std::int32_t m_maxLevel = 0;
    std::int32_t m_maxLevelEx = 0;
};

// The signature, its fields, both feature words and the vendor string, read when constructed.
class TcxDetectedInfo {
public:
    TcxDetectedInfo();
    std::int32_t cpuFamily() const { return m_cpuFamily; }
    std::int32_t cpuModel() const { return m_cpuModel; }
    std::int32_t cpuStepping() const { return m_cpuStepping; }
    std::int32_t cpuType() const { return m_cpuType; }
    std::int32_t FeatureSet() const { return m_featureSet; }
    std::int32_t FeatureSetEx() const { return m_featureSetEx; }
    std::int32_t Signature() const { return m_signature; }
    QString VendorID() const { return m_vendorID; }

private:
    std::int32_t m_cpuFamily = 0;
    std::int32_t m_cpuModel = 0;
    std::int32_t m_cpuStepping = 0;
    std::int32_t m_cpuType = 0;
    std::int32_t m_featureSet = 0;
    std::int32_t m_featureSetEx = 0;
    std::int32_t m_signature = 0;
    QString m_vendorID;
};

// The 21 standard feature flags, each one bit of the standard feature word.
class TcxFeatureSet {
public:
    struct Flag {
        const char* name;
        int bit;
    };
    // Declared order of the flags. Bit 10 and bits 19 to 22 have none.
    static constexpr std::array<Flag, 21> Flags = {
        {{"FPU", 0},   {"VME", 1},  {"DE", 2},     {"PSE", 3},     {"TSC", 4},   {"MSR", 5},  {"PAE", 6},
         {"MCE", 7},   {"CX8", 8},  {"APIC", 9},   {"SEP", 11},    {"MTRR", 12}, {"PGE", 13}, {"MCA", 14},
         {"CMOV", 15}, {"PAT", 16}, {"PSE36", 17}, {"SERIAL", 18}, {"MMX", 23},  {"XSR", 24}, {"SIMD", 25}}};

    TcxFeatureSet();
    bool has(int bit) const;

    bool FPU() const { return has(0); }
    bool VME() const { return has(1); }
    bool DE() const { return has(2); }
    bool PSE() const { return has(3); }
    bool TSC() const { return has(4); }
    bool MSR() const { return has(5); }
    bool PAE() const { return has(6); }
    bool MCE() const { return has(7); }
    bool CX8() const { return has(8); }
    bool APIC() const { return has(9); }
    bool SEP() const { return has(11); }
    bool MTRR() const { return has(12); }
    bool PGE() const { return has(13); }
    bool MCA() const { return has(14); }
    bool CMOV() const { return has(15); }
    bool PAT() const { return has(16); }
    bool PSE36() const { return has(17); }
    bool SERIAL() const { return has(18); }
    bool MMX() const { return has(23); }
    bool XSR() const { return has(24); }
    bool SIMD() const { return has(25); }

private:
    std::uint32_t m_word = 0;
};

// The three extended (vendor) feature flags.
class TcxExFeatureSet {
public:
    TcxExFeatureSet();
    bool MMXEx() const { return m_mmxEx; }
    bool AMD3DNow() const { return m_amd3DNow; }
    bool AMD3DNowEx() const { return m_amd3DNowEx; }
    void ForceAMD3DNow() { m_amd3DNow = true; }

private:
    bool m_mmxEx = false;
    bool m_amd3DNow = false;
    bool m_amd3DNowEx = false;
};

// Cache sizes in KB, 0 when not determined; filled by the component.
class TcxCacheInfo {
public:
    std::int32_t L1Data() const { return m_l1Data; }
    std::int32_t L1Code() const { return m_l1Code; }
    std::int32_t Level1() const { return m_level1; } // a unified first-level cache
    std::int32_t Level2() const { return m_level2; }

private:
    friend class TcxCPU2000;
    std::int32_t m_l1Data = 0;
    std::int32_t m_l1Code = 0;
    std::int32_t m_level1 = 0;
    std::int32_t m_level2 = 0;
};

// Version records of the instruction layer (API) and of the component (VCL).
class TcxCpu2kVersionInfo {
public:
    TcxCpu2kVersionInfo();
    const TcxVersionInfo& API() const { return m_api; }
    const TcxVersionInfo& VCL() const { return m_vcl; }

private:
    TcxVersionInfo m_api;
    TcxVersionInfo m_vcl;
};

// The processor detection record. It fills itself when constructed; whoever creates it sets AutoBench
// and then calls Loaded (as a form loader would), which measures the clock and reads the brand string.
// Writes to the detected properties are accepted and ignored.
class TcxCPU2000 : public QObject {
    Q_OBJECT
    Q_PROPERTY(std::int32_t Count READ Count WRITE ignoreInt)
    Q_PROPERTY(QString CPU READ CPU WRITE ignoreText)
    Q_PROPERTY(bool FDivBug READ FDivBug WRITE ignoreFlag)
    Q_PROPERTY(QString FullName READ FullName WRITE ignoreText)
    Q_PROPERTY(bool MMX READ MMX WRITE ignoreFlag)
    Q_PROPERTY(bool OverDrive READ OverDrive WRITE ignoreFlag)
    Q_PROPERTY(QString Serial READ Serial WRITE ignoreText)
    Q_PROPERTY(std::int32_t Speed READ Speed WRITE ignoreInt)
    Q_PROPERTY(float RawSpeed READ RawSpeed)
    Q_PROPERTY(QString Vendor READ Vendor WRITE ignoreText)

public:
    explicit TcxCPU2000(QObject* owner = nullptr);
    ~TcxCPU2000() override;

    // Runs after the stored settings have been applied: the clock measurement, then the brand string.
    void Loaded();
    // Sets Vendor, CPU and FullName from the vendor module; FullName loses any brand string.
    void IdentifyProcessor();

    TcxAutoBench& AutoBench() { return m_autoBench; }
    const TcxAutoBench& AutoBench() const { return m_autoBench; }
    const TcxCacheInfo& Cache() const { return m_cache; }
    const TcxCPUID& CPUID() const { return m_cpuid; }
    const TcxDetectedInfo& InternalResults() const { return m_internalResults; }
    const TcxFeatureSet& FeatureSet() const { return m_featureSet; }
    const TcxExFeatureSet& FeatureSetEx() const { return m_featureSetEx; }
    const TcxCpu2kVersionInfo& VersionInfo() const { return m_versionInfo; }

    std::int32_t Count() const { return m_count; }
    QString CPU() const { return m_cpu; }
    bool FDivBug() const { return m_fdivBug; }
    QString FullName() const { return m_fullName; }
    bool MMX() const { return m_mmx; }
    bool OverDrive() const { return m_overDrive; }
    QString Serial() const { return m_serial; }
    std::int32_t Speed() const { return m_speed; }
    float RawSpeed() const { return m_rawSpeed; }
    QString Vendor() const { return m_vendor; }

    // The vendor index 1..7 of the vendor string, 0 for any other string.
    static int GetVendorIndex();

private:
    void ReadBrandName();
    void DetectCacheSizes();
    void MeasureSpeed(std::int32_t delay);

    void ignoreInt(std::int32_t) {}
    void ignoreText(const QString&) {}
    void ignoreFlag(bool) {}

    // Owned parts, declared in the order they are created, so they are freed in the reverse order.
    TcxAutoBench m_autoBench;
    TcxCPUID m_cpuid;
    TcxDetectedInfo m_internalResults;
    TcxFeatureSet m_featureSet;
    TcxExFeatureSet m_featureSetEx;
    TcxCpu2kVersionInfo m_versionInfo;
    TcxCacheInfo m_cache;

    std::int32_t m_count = 0;
    QString m_cpu;
    bool m_fdivBug = false;
    QString m_fullName;
    bool m_overDrive = false;
    bool m_mmx = false;
    std::int32_t m_speed = 0;
    float m_rawSpeed = 0.0f;
    QString m_serial;
    QString m_vendor;
};

} // namespace qv::cpu
