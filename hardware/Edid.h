#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qv::hardware {

// A monitor's preferred mode: the first detailed timing of the base block.
struct EdidMode {
    int width = 0;
    int height = 0;
    int refreshMilliHertz = 0; // 59951 for 59.951 Hz
    bool interlaced = false;
    bool operator==(const EdidMode&) const = default;
};

// What a monitor says of itself in its EDID block. A text field the block does not hold is empty.
struct Edid {
    std::string manufacturerId; // the three-letter PNP id, "DEL"
    std::uint16_t productCode = 0;
    std::optional<std::uint32_t> serialNumber; // the numeric serial; nothing when it is zero
    std::optional<std::string> serialText;     // the serial-number descriptor
    std::optional<std::string> name;           // the product-name descriptor
    std::optional<int> week;                   // of manufacture; nothing for a model year
    int year = 0;                              // of manufacture, or the model year
    bool modelYear = false;
    int version = 0;
    int revision = 0;
    int widthCm = 0; // 0 when the monitor gives no size (a projector)
    int heightCm = 0;
    std::optional<EdidMode> preferredMode;
    int extensionCount = 0; // as the base block announces them
    int blocksRead = 0;     // the blocks present, the base block included
    // The blocks (0 the base block) whose checksum is wrong: their facts are shown, but as damaged.
    std::vector<int> badChecksumBlocks;
};

// Reads an EDID as the kernel gives it (/sys/class/drm/*/edid): the 128-byte base block and the
// extension blocks it announces. Nothing when the base block is short or its header is wrong.
std::optional<Edid> parseEdid(std::string_view bytes);

} // namespace qv::hardware
