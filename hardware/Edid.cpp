#include "hardware/Edid.h"

#include <array>
#include <numeric>

namespace qv::hardware {

namespace {

constexpr std::size_t kBlockSize = 128;
constexpr std::array<unsigned char, 8> kHeader = {0x00, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0x00};
constexpr std::size_t kDescriptors = 54;
constexpr std::size_t kDescriptorSize = 18;
constexpr std::size_t kDescriptorCount = 4;

unsigned byteAt(std::string_view bytes, std::size_t at)
{
    return static_cast<unsigned char>(bytes[at]);
}

bool checksumHolds(std::string_view block)
{
    const unsigned sum = std::accumulate(block.begin(), block.end(), 0U, [](unsigned total, char c) {
        return total + static_cast<unsigned char>(c);
    });
    return (sum & 0xffU) == 0;
}

// Three letters of five bits each, 1 for 'A'; nothing printable for a damaged id.
std::string manufacturerId(unsigned high, unsigned low)
{
    const unsigned packed = high << 8 | low;
    std::string id;
    for (int shift : {10, 5, 0}) {
        const unsigned letter = (packed >> shift) & 0x1fU;
        id += letter >= 1 && letter <= 26 ? char('A' + letter - 1) : '?';
    }
    return id;
}

// A descriptor's 13 bytes of text end at a line break; the padding blanks and control bytes go.
std::string descriptorText(std::string_view text)
{
    std::string out;
    for (char c : text) {
        if (c == '\n' || c == '\0')
            break;
        out += static_cast<unsigned char>(c) < 0x20 || static_cast<unsigned char>(c) > 0x7e ? '?' : c;
    }
    while (!out.empty() && out.back() == ' ')
        out.pop_back();
    return out;
}

std::optional<EdidMode> detailedTiming(std::string_view d)
{
    const unsigned clock10kHz = byteAt(d, 0) | byteAt(d, 1) << 8;
    if (clock10kHz == 0)
        return std::nullopt;
    const unsigned hActive = byteAt(d, 2) | (byteAt(d, 4) >> 4) << 8;
    const unsigned hBlank = byteAt(d, 3) | (byteAt(d, 4) & 0x0fU) << 8;
    const unsigned vActive = byteAt(d, 5) | (byteAt(d, 7) >> 4) << 8;
    const unsigned vBlank = byteAt(d, 6) | (byteAt(d, 7) & 0x0fU) << 8;
    EdidMode mode;
    mode.interlaced = (byteAt(d, 17) & 0x80U) != 0;
    // An interlaced timing gives the lines of one field.
    mode.width = int(hActive);
    mode.height = int(mode.interlaced ? vActive * 2 : vActive);
    const std::uint64_t pixelsPerFrame = std::uint64_t(hActive + hBlank) * (vActive + vBlank);
    if (pixelsPerFrame != 0) {
        const std::uint64_t milliHertz =
            (std::uint64_t(clock10kHz) * 10'000'000 + pixelsPerFrame / 2) / pixelsPerFrame;
        mode.refreshMilliHertz = int(mode.interlaced ? milliHertz * 2 : milliHertz);
    }
    return mode;
}

void readDescriptors(std::string_view base, Edid& edid)
{
    for (std::size_t i = 0; i < kDescriptorCount; ++i) {
        const std::string_view d = base.substr(kDescriptors + i * kDescriptorSize, kDescriptorSize);
        if (byteAt(d, 0) != 0 || byteAt(d, 1) != 0) {
            if (i == 0)
                edid.preferredMode = detailedTiming(d);
            continue;
        }
        const std::string_view text = d.substr(5);
        if (byteAt(d, 3) == 0xfc)
            edid.name = descriptorText(text);
        else if (byteAt(d, 3) == 0xff)
            edid.serialText = descriptorText(text);
    }
}

} // namespace

std::optional<Edid> parseEdid(std::string_view bytes)
{
    if (bytes.size() < kBlockSize ||
        !std::equal(kHeader.begin(), kHeader.end(), bytes.begin(),
                    [](unsigned char h, char c) { return h == static_cast<unsigned char>(c); }))
        return std::nullopt;
    const std::string_view base = bytes.substr(0, kBlockSize);
    Edid edid;
    edid.manufacturerId = manufacturerId(byteAt(base, 8), byteAt(base, 9));
    edid.productCode = std::uint16_t(byteAt(base, 10) | byteAt(base, 11) << 8);
    const std::uint32_t serial = std::uint32_t(byteAt(base, 12)) | std::uint32_t(byteAt(base, 13)) << 8 |
                                 std::uint32_t(byteAt(base, 14)) << 16 |
                                 std::uint32_t(byteAt(base, 15)) << 24;
    if (serial != 0)
        edid.serialNumber = serial;
    const unsigned week = byteAt(base, 16);
    edid.modelYear = week == 0xff;
    if (week >= 1 && week <= 54)
        edid.week = int(week);
    edid.year = 1990 + int(byteAt(base, 17));
    edid.version = int(byteAt(base, 18));
    edid.revision = int(byteAt(base, 19));
    edid.widthCm = int(byteAt(base, 21));
    edid.heightCm = int(byteAt(base, 22));
    // Both zero means no size; one zero alone is an aspect ratio, not a size.
    if (edid.widthCm == 0 || edid.heightCm == 0)
        edid.widthCm = edid.heightCm = 0;
    readDescriptors(base, edid);
    edid.extensionCount = int(byteAt(base, 126));
    const std::size_t blocks =
        std::min<std::size_t>(1 + std::size_t(edid.extensionCount), bytes.size() / kBlockSize);
    edid.blocksRead = int(blocks);
    for (std::size_t block = 0; block < blocks; ++block) {
        if (!checksumHolds(bytes.substr(block * kBlockSize, kBlockSize)))
            edid.badChecksumBlocks.push_back(int(block));
    }
    return edid;
}

} // namespace qv::hardware
