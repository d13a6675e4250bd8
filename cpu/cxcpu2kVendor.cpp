#include "cpu/cxcpu2kVendor.h"

#include "cpu/cxcpu2kAPI.h"
#include "cpu/cxcpu2kDefault.h"

#include <array>

namespace qv::cpu {

float VendorModule::GetSpeed(std::int32_t delay) const
{
    constexpr int kFeatureTSC = 4;
    return HasFeature(kFeatureTSC) ? MeasureClock(delay) : -1.0f;
}

void ApplyModelTable(std::span<const ModelRow> rows, std::int32_t signature, QString& name)
{
    const std::int32_t family = SignatureFamily(signature);
    const std::int32_t model = SignatureModel(signature);
    for (const ModelRow& row : rows) {
        if (row.family == family && (row.model == ModelRow::AnyModel || row.model == model)) {
            name = QString::fromUtf8(row.name);
            return;
        }
    }
}

const VendorModule* VendorModuleByIndex(int index)
{
    using Accessor = const VendorModule& (*)();
    static constexpr std::array<Accessor, 7> kModules = {cxcpu2kIntel,  cxcpu2kAMD, cxCpu2kCyrix, cxCpu2kIDT,
                                                         cxCpu2kNexGen, cxCpu2kUMC, cxCpu2kRise};
    if (index < 1 || index > static_cast<int>(kModules.size()))
        return nullptr;
    return &kModules[static_cast<std::size_t>(index - 1)]();
}

} // namespace qv::cpu
