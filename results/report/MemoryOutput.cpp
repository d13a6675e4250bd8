#include "results/report/MemoryOutput.h"

#include "results/report/FactOutput.h"

#include <ostream>

namespace qv::cli {

using hardware::MemoryArray;
using hardware::MemoryFacts;
using hardware::MemorySlot;
using results::JsonArray;
using results::JsonObject;
using results::JsonValue;

namespace {

JsonObject arrayJson(const MemoryArray& array)
{
    return JsonObject()
        .add("Handle", array.handle)
        .add("Location", orNull(array.location))
        .add("Use", orNull(array.use))
        .add("ErrorCorrection", orNull(array.errorCorrection))
        .add("MaximumCapacity", orNull(array.maximumCapacity))
        .add("SlotCount", orNull(array.slotCount));
}

JsonObject slotJson(const MemorySlot& slot)
{
    return JsonObject()
        .add("Handle", slot.handle)
        .add("ArrayHandle", orNull(slot.arrayHandle))
        .add("Locator", orNull(slot.locator))
        .add("Bank", orNull(slot.bank))
        .add("Installed", slot.installed)
        .add("Size", orNull(slot.size))
        .add("FormFactor", orNull(slot.formFactor))
        .add("Type", orNull(slot.type))
        .add("Speed", orNull(slot.speed))
        .add("ConfiguredSpeed", orNull(slot.configuredSpeed))
        .add("Manufacturer", orNull(slot.manufacturer))
        .add("PartNumber", orNull(slot.partNumber))
        .add("SerialNumber", orNull(slot.serialNumber))
        .add("Rank", orNull(slot.rank));
}

template<typename T, typename ToJson>
JsonValue listOrNull(const std::optional<std::vector<T>>& items, ToJson toJson)
{
    if (!items)
        return nullptr;
    JsonArray list;
    for (const T& item : *items)
        list.add(toJson(item));
    return list;
}

void writeArray(std::ostream& out, const MemoryArray& array)
{
    out << "Memory array  " << shownText(array.location) << ", " << shownText(array.use) << ", up to "
        << sizeOrUnknown(array.maximumCapacity) << " in "
        << (array.slotCount ? std::to_string(*array.slotCount) : "?") << " slots, error correction "
        << shownText(array.errorCorrection) << '\n';
}

void writeSlot(std::ostream& out, const MemorySlot& slot)
{
    out << "Slot " << shownText(slot.locator);
    if (slot.bank)
        out << " (" << visibleText(*slot.bank) << ')';
    if (!slot.installed) {
        out << "  empty\n";
        return;
    }
    out << "  " << sizeOrUnknown(slot.size) << ' ' << shownText(slot.type) << ' '
        << shownText(slot.formFactor);
    if (slot.speed)
        out << ", " << *slot.speed << " MT/s";
    if (slot.configuredSpeed)
        out << " (runs at " << *slot.configuredSpeed << " MT/s)";
    if (slot.rank)
        out << ", rank " << int(*slot.rank);
    out << ", " << shownText(slot.manufacturer) << ' ' << shownText(slot.partNumber) << ", serial "
        << shownText(slot.serialNumber) << '\n';
}

} // namespace

JsonObject memoryJson(const MemoryFacts& facts)
{
    return JsonObject()
        .add("Total", orNull(facts.totals.total))
        .add("Available", orNull(facts.totals.available))
        .add("SwapTotal", orNull(facts.totals.swapTotal))
        .add("SwapFree", orNull(facts.totals.swapFree))
        .add("SmbiosVersion", orNull(facts.smbiosVersion))
        .add("Arrays", listOrNull(facts.memoryArrays, arrayJson))
        .add("Slots", listOrNull(facts.memorySlots, slotJson))
        .add("Notes", results::textArray(facts.notes));
}

void writeMemoryText(std::ostream& out, const MemoryFacts& facts)
{
    out << "Total         " << sizeOrUnknown(facts.totals.total) << '\n'
        << "Available     " << sizeOrUnknown(facts.totals.available) << '\n'
        << "Swap          " << sizeOrUnknown(facts.totals.swapTotal) << ", "
        << sizeOrUnknown(facts.totals.swapFree) << " free\n";
    for (const MemoryArray& array : facts.memoryArrays.value_or(std::vector<MemoryArray>()))
        writeArray(out, array);
    for (const MemorySlot& slot : facts.memorySlots.value_or(std::vector<MemorySlot>()))
        writeSlot(out, slot);
    for (const std::string& note : facts.notes)
        out << "Note: " << note << '\n';
}

} // namespace qv::cli
