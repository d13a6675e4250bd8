#include "cpu/cxcpu2kVendor.h"

namespace qv::cpu {

namespace {

constexpr ModelRow kModels[] = {{5, 0, "mP6"}, {5, 2, "mP6"}, {5, ModelRow::AnyModel, "Pentium class"}};

} // namespace

const VendorModule& cxCpu2kRise()
{
    static const VendorModule module{"Rise ", "Rise Technology", ModelFromTable<kModels>};
    return module;
}

} // namespace qv::cpu
