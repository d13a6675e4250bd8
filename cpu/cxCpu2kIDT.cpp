#include "cpu/cxcpu2kVendor.h"

namespace qv::cpu {

namespace {

constexpr ModelRow kModels[] = {{5, 4, "C6"}, {5, 8, "C2"}, {5, ModelRow::AnyModel, "Pentium class"}};

} // namespace

const VendorModule& cxCpu2kIDT()
{
    static const VendorModule module{"IDT ", "IDT/Centaur", ModelFromTable<kModels>};
    return module;
}

} // namespace qv::cpu
