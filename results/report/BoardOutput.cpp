#include "results/report/BoardOutput.h"

#include "results/report/FactOutput.h"

#include <ostream>

namespace qv::cli {

using hardware::BoardFacts;
using hardware::BoardIdentity;
using results::JsonObject;

namespace {

JsonObject identityJson(const BoardIdentity& identity)
{
    return JsonObject()
        .add("Manufacturer", orNull(identity.manufacturer))
        .add("Product", orNull(identity.product))
        .add("Version", orNull(identity.version))
        .add("SerialNumber", orNull(identity.serialNumber));
}

void writeIdentity(std::ostream& out, std::string_view label, const BoardIdentity& identity)
{
    out << label << shownText(identity.manufacturer) << ' ' << shownText(identity.product) << ", version "
        << shownText(identity.version) << ", serial " << shownText(identity.serialNumber) << '\n';
}

} // namespace

JsonObject boardJson(const BoardFacts& facts)
{
    return JsonObject()
        .add("System", identityJson(facts.system))
        .add("Board", identityJson(facts.board))
        .add("Bios", JsonObject()
                         .add("Vendor", orNull(facts.biosVendor))
                         .add("Version", orNull(facts.biosVersion))
                         .add("Date", orNull(facts.biosDate))
                         .add("Characteristics", textsOrNull(facts.biosCharacteristics)))
        .add("ChassisType", orNull(facts.chassisType))
        .add("Processor", JsonObject()
                              .add("Socket", orNull(facts.processorSocket))
                              .add("Upgrade", orNull(facts.processorUpgrade)))
        .add("Chipset", orNull(facts.chipset))
        .add("SmbiosVersion", orNull(facts.smbiosVersion))
        .add("Notes", results::textArray(facts.notes));
}

void writeBoardText(std::ostream& out, const BoardFacts& facts)
{
    writeIdentity(out, "System     ", facts.system);
    writeIdentity(out, "Board      ", facts.board);
    out << "BIOS       " << shownText(facts.biosVendor) << ' ' << shownText(facts.biosVersion) << " of "
        << shownText(facts.biosDate) << '\n'
        << "Chassis    " << shownText(facts.chassisType) << '\n'
        << "Socket     " << shownText(facts.processorSocket) << " (" << shownText(facts.processorUpgrade)
        << ")\n"
        << "Chipset    " << shownText(facts.chipset) << '\n';
    for (const std::string& characteristic : facts.biosCharacteristics.value_or(std::vector<std::string>()))
        out << "BIOS feature: " << characteristic << '\n';
    for (const std::string& note : facts.notes)
        out << "Note: " << note << '\n';
}

} // namespace qv::cli
