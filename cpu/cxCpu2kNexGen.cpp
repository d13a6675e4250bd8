#include "cpu/cxcpu2kVendor.h"

namespace qv::cpu {

namespace {

constexpr ModelRow kModels[] = {{5, 0, "Nx586"}, {5, ModelRow::AnyModel, "Pentium class"}};

} // namespace

const VendorModule& cxCpu2kNexGen()
{
    static const VendorModule module{"NexGen ", "NexGen Inc", ModelFromTable<kModels>};
    return module;
}

} // namespace qv::cpu
