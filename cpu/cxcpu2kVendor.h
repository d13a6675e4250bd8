#pragma once

#include <QString>

#include <cstdint>
#include <span>

// What each of the seven vendor modules offers: its short and company names, the model name of a
// signature, and the clock measurement.
namespace qv::cpu {

struct VendorModule {
    const char* shortName;   // ends in one space: "Intel "
    const char* companyName; // "Intel Corporation"
    // Writes the model name of the signature into `name`; leaves `name` as it was when the family is not
    // in the vendor's table.
    void (*modelName)(std::int32_t signature, QString& name);

    QString GetShortName() const { return QString::fromUtf8(shortName); }
    QString GetCompanyName() const { return QString::fromUtf8(companyName); }
    void GetModelName(std::int32_t signature, QString& name) const { modelName(signature, name); }
    // The measured MHz when the processor has a time-stamp counter, else -1.0.
    float GetSpeed(std::int32_t delay) const;
};

// One row of a model table; `model` AnyModel stands for every model of the family not named earlier.
struct ModelRow {
    static constexpr std::int32_t AnyModel = -1;
    std::int32_t family;
    std::int32_t model;
    const char* name; // UTF-8
};

// The first row matching the family and model of the signature decides; no row leaves `name` alone.
void ApplyModelTable(std::span<const ModelRow> rows, std::int32_t signature, QString& name);

// The model-name function of a vendor whose names all come from one table.
template<const auto& Rows>
void ModelFromTable(std::int32_t signature, QString& name)
{
    ApplyModelTable(Rows, signature, name);
}

const VendorModule& cxcpu2kIntel();
const VendorModule& cxcpu2kAMD();
const VendorModule& cxCpu2kCyrix();
const VendorModule& cxCpu2kIDT();
const VendorModule& cxCpu2kNexGen();
const VendorModule& cxCpu2kUMC();
const VendorModule& cxCpu2kRise();

// Vendor indices 1..7 of the vendor table; nullptr for 0 (unrecognised) and anything else.
const VendorModule* VendorModuleByIndex(int index);

} // namespace qv::cpu
