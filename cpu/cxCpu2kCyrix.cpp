#include "cpu/cxcpu2kVendor.h"

namespace qv::cpu {

namespace {

constexpr auto Any = ModelRow::AnyModel;

constexpr ModelRow kModels[] = {
    {4, 4, "Media GX"}, {4, 9, "Cx5x86"},          {4, Any, "486 class"}, {5, 2, "6x86"},
    {5, 4, "GXm"},      {5, Any, "Pentium class"}, {6, 0, "6x86MX"},      {6, Any, "M2 Class"},
};

} // namespace

const VendorModule& cxCpu2kCyrix()
{
    static const VendorModule module{"Cyrix ", "Cyrix Corporation", ModelFromTable<kModels>};
    return module;
}

} // namespace qv::cpu
