#include "cpu/cxCPU2kVcl.h"

#include "cpu/cxcpu2kAPI.h"
#include "cpu/cxcpu2kConst.h"
#include "cpu/cxcpu2kDefault.h"
#include "cpu/cxcpu2kVendor.h"

namespace qv::cpu {

namespace {

constexpr int kCyrixIndex = 3;
constexpr std::int32_t kFirstSerialModel = 7;

} // namespace

TcxCPUID::TcxCPUID()
    : m_available(CPUIDAvailable())
    , m_maxLevel(GetMaxLevel())
    , m_maxLevelEx(static_cast<std::int32_t>(GetMaxLevelEx() & 0x7FFFFFFFu))
{
}

TcxDetectedInfo::TcxDetectedInfo()
    : m_featureSet(static_cast<std::int32_t>(GetFeatureFlags()))
    , m_featureSetEx(static_cast<std::int32_t>(GetExtFeatureFlags()))
    , m_signature(GetSignature())
    , m_vendorID(GetVendorString())
{
    if (m_signature != 0) {
        m_cpuType = SignatureType(m_signature);
        m_cpuFamily = SignatureFamily(m_signature);
        m_cpuModel = SignatureModel(m_signature);
        m_cpuStepping = SignatureStepping(m_signature);
    }
}

TcxFeatureSet::TcxFeatureSet()
    : m_word(GetFeatureFlags())
{
}

bool TcxFeatureSet::has(int bit) const
{
    return TestBit(m_word, bit);
}

TcxExFeatureSet::TcxExFeatureSet()
{
    const std::uint32_t word = GetExtFeatureFlags();
    if (word == 0)
        return;
    m_amd3DNow = TestBit(word, 31);
    m_amd3DNowEx = TestBit(word, 30);
    const QString vendor = GetVendorString();
    if (vendor == QLatin1String("AuthenticAMD"))
        m_mmxEx = TestBit(word, 22);
    else if (vendor == QLatin1String("CyrixInstead"))
        m_mmxEx = TestBit(word, 24);
}

TcxCpu2kVersionInfo::TcxCpu2kVersionInfo()
{
    m_api.Initialize({}, {}, 1.0f, 18, TBuildStatus::bsAlpha, TReleaseStatus::rsPrivate);
    m_vcl.Initialize({}, {}, 4.0f, 21, TBuildStatus::bsAlpha, TReleaseStatus::rsPrivate);
}

TcxCPU2000::TcxCPU2000(QObject* owner)
    : QObject(owner)
{
    // The owned parts have filled themselves in creation order; the record follows.
    m_count = GetProcessorCount();
    m_fdivBug = HasFDivBug();
    m_overDrive = IsOverDrive();
    m_mmx = HasMMX();
    if (SignatureModel(GetSignature()) >= kFirstSerialModel)
        m_serial = GetSerialNumber();
    IdentifyProcessor();
    DetectCacheSizes();
    if (m_cpu == QLatin1String("Athlon") || m_cpu == QLatin1String("Duron") ||
        m_cpu == QLatin1String("Athlon Thunderbird"))
        m_featureSetEx.ForceAMD3DNow();
}

TcxCPU2000::~TcxCPU2000() = default;

void TcxCPU2000::Loaded()
{
    if (m_autoBench.Enabled())
        MeasureSpeed(m_autoBench.Delay());
    if (m_cpuid.MaxLevelEx() >= 4)
        ReadBrandName();
}

int TcxCPU2000::GetVendorIndex()
{
    static const char* const kVendorStrings[] = {"GenuineIntel", "AuthenticAMD", "CyrixInstead",
                                                 "CentaurHauls", "NexGenDriven", "UMC UMC UMC ",
                                                 "RiseRiseRise"};
    const QString vendor = GetVendorString();
    for (int index = 0; index < static_cast<int>(std::size(kVendorStrings)); ++index)
        if (vendor == QLatin1String(kVendorStrings[index]))
            return index + 1;
    return 0;
}

void TcxCPU2000::IdentifyProcessor()
{
    m_fullName = QStringLiteral("hehe");
    const VendorModule* module = nullptr;
    if (CPUIDAvailable()) {
        if (GetMaxLevel() < 1)
            return;
        module = VendorModuleByIndex(GetVendorIndex());
    }
    if (module == nullptr) {
        m_vendor = cxcpu2kDefault::GetCompanyName();
        m_cpu = cxcpu2kDefault::GetSystemClassName();
        m_fullName = cxcpu2kDefault::GetShortName() + m_cpu;
        return;
    }
    // One text receives the company name, then the model name (a family the module does not know
    // leaves the company name in it), then the short name.
    const std::int32_t signature = GetSignature();
    QString text = module->GetCompanyName();
    m_vendor = text;
    module->GetModelName(signature, text);
    m_cpu = text;
    text = module->GetShortName();
    m_fullName = text + m_cpu;
}

void TcxCPU2000::ReadBrandName()
{
    if (ReportsExtendedLeaf(CPUID_BRANDSTRING3))
        m_fullName = GetBrandString();
}

void TcxCPU2000::DetectCacheSizes()
{
    if (!ReportsExtendedLeaf(CPUID_L2CACHE)) {
        const TDescriptorBytes bytes = DescriptorBytes(GetCacheDescriptors());
        m_cache.m_l1Data = DecodeL1Data(bytes);
        m_cache.m_l1Code = DecodeL1Code(bytes);
        m_cache.m_level1 = DecodeL1Unified(bytes);
        m_cache.m_level2 = DecodeL2(bytes);
        return;
    }
    // Cyrix lays out leaf 0x80000005 and 0x80000006 as descriptor bytes; the others give size fields.
    const bool cyrix = GetVendorIndex() == kCyrixIndex;
    const TDescriptorBytes level1 = DescriptorBytes(GetExtCacheLeaf(false));
    m_cache.m_l1Data = cyrix ? DecodeL1Data(level1) : ExtL1DataSize();
    m_cache.m_l1Code = cyrix ? DecodeL1Code(level1) : ExtL1CodeSize();
    m_cache.m_level1 = DecodeL1Unified(level1);
    m_cache.m_level2 = cyrix ? DecodeL2(DescriptorBytes(GetExtCacheLeaf(true))) : ExtL2Size();
}

void TcxCPU2000::MeasureSpeed(std::int32_t delay)
{
    const VendorModule* module =
        CPUIDAvailable() && GetMaxLevel() >= 1 ? VendorModuleByIndex(GetVendorIndex()) : nullptr;
    m_rawSpeed = module != nullptr ? module->GetSpeed(delay) : MeasureClock(delay);
    m_speed = NearestNominalSpeed(m_rawSpeed);
}

} // namespace qv::cpu
