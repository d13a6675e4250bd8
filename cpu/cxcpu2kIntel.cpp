#include "cpu/cxcpu2kAPI.h"
#include "cpu/cxcpu2kVendor.h"

namespace qv::cpu {

namespace {

constexpr auto Any = ModelRow::AnyModel;
constexpr int kFeatureSerial = 18;

constexpr ModelRow kFamily4And5[] = {
    {4, 4, "80486SL"},        {4, 7, "80486DX2"},        {4, 8, "80486DX4"},
    {4, Any, "486 class"},    {5, 0, "Pentium (P5)"},    {5, 1, "Pentium (P5)"},
    {5, 2, "Pentium (P54C)"}, {5, 7, "Pentium (P54C)"},  {5, 3, "Pentium 486 OverDrive"},
    {5, 4, "Pentium MMX"},    {5, Any, "Pentium class"},
};

// Family 6: the second-level size (from the leaf-2 descriptors) splits several models.
const char* family6Name(std::int32_t model, std::int32_t l2)
{
    switch (model) {
    case 0:
    case 1:
        return "Pentium Pro";
    case 3:
        return IsOverDrive() ? "Pentium II Overdrive" : "Pentium II (Modèle 3)";
    case 5:
        if (l2 < 256)
            return "Celeron";
        return l2 < 1024 ? "Pentium II (Modèle 5)" : "Pentium II Xeon";
    case 6:
        if (l2 > 256)
            return "Mobile Pentium II";
        return HasFeature(kFeatureSerial) ? "Mobile Celeron" : "Celeron";
    case 7:
        return l2 < 1024 ? "Pentium III" : "Pentium III Xeon";
    case 8:
        if (l2 <= 130)
            return "Celeron II";
        return l2 < 1024 ? "Pentium III (0.18µ)" : "Pentium III Xeon";
    case 11:
        if (l2 <= 130)
            return "Celeron II";
        return l2 < 500 ? "Pentium III (0.18µ)" : "Pentium III-S (tualatin)";
    default:
        return "Pentium II/III";
    }
}

const char* family15Name(std::int32_t l2)
{
    if (l2 > 300)
        return "Pentium 4 (Northwood)";
    return l2 > 150 ? "Pentium 4" : "Celeron (core P4)";
}

void modelName(std::int32_t signature, QString& name)
{
    const std::int32_t family = SignatureFamily(signature);
    if (family != 6 && family != 15) {
        ApplyModelTable(kFamily4And5, signature, name);
        return;
    }
    // Read for every family-6 and family-15 model, the Pentium Pro included.
    const std::int32_t l2 = DecodeL2(DescriptorBytes(GetCacheDescriptors()));
    name = QString::fromUtf8(family == 6 ? family6Name(SignatureModel(signature), l2) : family15Name(l2));
}

} // namespace

const VendorModule& cxcpu2kIntel()
{
    static const VendorModule module{"Intel ", "Intel Corporation", modelName};
    return module;
}

} // namespace qv::cpu
