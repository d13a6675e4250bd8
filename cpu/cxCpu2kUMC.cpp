#include "cpu/cxcpu2kVendor.h"

namespace qv::cpu {

namespace {

// Models other than U5D and U5S are "Pentium class" here, not "486 class".
constexpr ModelRow kModels[] = {{4, 1, "U5D"}, {4, 2, "U5S"}, {4, ModelRow::AnyModel, "Pentium class"}};

} // namespace

const VendorModule& cxCpu2kUMC()
{
    static const VendorModule module{"UMC ", "United Microelectronics Corp", ModelFromTable<kModels>};
    return module;
}

} // namespace qv::cpu
