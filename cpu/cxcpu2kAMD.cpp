#include "cpu/cxcpu2kVendor.h"

namespace qv::cpu {

namespace {

constexpr auto Any = ModelRow::AnyModel;

constexpr ModelRow kModels[] = {
    {4, 3, "Am486"},        {4, 7, "Am486"},        {4, 8, "Am486"},        {4, 9, "Am486"},
    {4, 14, "Am5x86"},      {4, 15, "Am5x86"},      {4, Any, "486 class"},  {5, 0, "K5 (Model 0)"},
    {5, 1, "K5 (Model 1)"}, {5, 2, "K5 (Model 2)"}, {5, 3, "K5 (Model 3)"}, {5, 6, "K6 (Model 6)"},
    {5, 7, "K6 (Model 7)"}, {5, 8, "K6-2"},         {5, 9, "K6-III"},       {5, Any, "Pentium class"},
    {6, 1, "Athlon"},       {6, 2, "Athlon"},       {6, 3, "Duron"},        {6, 4, "Athlon Thunderbird"},
    {6, 6, "Athlon XP"},    {6, 7, "Duron"},        {6, Any, "Athlon"},
};

} // namespace

const VendorModule& cxcpu2kAMD()
{
    static const VendorModule module{"AMD ", "Advanced Micro Devices", ModelFromTable<kModels>};
    return module;
}

} // namespace qv::cpu
