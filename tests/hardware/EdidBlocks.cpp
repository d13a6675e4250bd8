#include "tests/hardware/EdidBlocks.h"

namespace qv::test {

namespace {

constexpr std::size_t kBlock = 128;

void sealBlock(std::string& bytes, std::size_t start)
{
    unsigned sum = 0;
    for (std::size_t i = start; i < start + kBlock - 1; ++i)
        sum += static_cast<unsigned char>(bytes[i]);
    bytes[start + kBlock - 1] = char((256 - sum % 256) % 256);
}

std::string timingDescriptor(const Timing& t)
{
    const unsigned clock = t.clockKHz / 10;
    std::string d(18, '\0');
    d[0] = char(clock & 0xff);
    d[1] = char(clock >> 8);
    d[2] = char(t.hActive & 0xff);
    d[3] = char(t.hBlank & 0xff);
    d[4] = char((t.hActive >> 8) << 4 | t.hBlank >> 8);
    d[5] = char(t.vActive & 0xff);
    d[6] = char(t.vBlank & 0xff);
    d[7] = char((t.vActive >> 8) << 4 | t.vBlank >> 8);
    d[8] = 48;    // front porch
    d[9] = 32;    // sync width
    d[10] = 0x35; // vertical front porch and sync
    d[12] = char(t.widthMm & 0xff);
    d[13] = char(t.heightMm & 0xff);
    d[14] = char((t.widthMm >> 8) << 4 | t.heightMm >> 8);
    d[17] = 0x1e; // digital separate sync, both positive
    return d;
}

std::string textDescriptor(unsigned char tag, const std::string& text)
{
    std::string d(5, '\0');
    d[3] = char(tag);
    std::string body = text.substr(0, 13);
    if (body.size() < 13)
        body += '\n';
    body.resize(13, ' ');
    return d + body;
}

std::string rangeDescriptor()
{
    return std::string("\0\0\0\xfd\0\x38\x4c\x1e\x53\x11\0\x0a      ", 18);
}

} // namespace

std::string edidBytes(const MonitorBlock& m)
{
    std::string b("\x00\xff\xff\xff\xff\xff\xff\x00", 8);
    unsigned id = 0;
    for (char letter : m.manufacturer)
        id = id << 5 | unsigned(letter - 'A' + 1);
    b += char(id >> 8);
    b += char(id & 0xff);
    b += char(m.product & 0xff);
    b += char(m.product >> 8);
    for (int shift = 0; shift < 32; shift += 8)
        b += char((m.serial >> shift) & 0xff);
    b += char(m.week);
    b += char(m.year - 1990);
    b += "\x01\x04"; // version 1.4
    b += "\xa5";     // digital, 8 bits per colour, DisplayPort
    b += char(m.widthCm);
    b += char(m.heightCm);
    b += "\x78\x3a";              // gamma 2.2; features
    b += std::string(10, '\0');   // colour characteristics
    b += std::string(3, '\0');    // no established timings
    b += std::string(16, '\x01'); // no standard timings
    b += timingDescriptor(m.preferred);
    b += m.serialText.empty() ? std::string("\0\0\0\x10\0", 5) + std::string(13, '\0')
                              : textDescriptor(0xff, m.serialText);
    b += m.name.empty() ? std::string("\0\0\0\x10\0", 5) + std::string(13, '\0')
                        : textDescriptor(0xfc, m.name);
    b += rangeDescriptor();
    b += char(m.extensions);
    b += '\0';
    sealBlock(b, 0);
    for (unsigned e = 0; e < m.extensions; ++e) {
        const std::size_t start = b.size();
        // A consumer-electronics block, revision 3, holding no data blocks and no timings.
        std::string block("\x02\x03\x04\x00", 4);
        block.resize(kBlock, '\0');
        b += block;
        sealBlock(b, start);
    }
    return b;
}

MonitorBlock laptopPanel()
{
    MonitorBlock m;
    m.manufacturer = "AUO";
    m.product = 0x403d;
    m.week = 0;
    m.year = 2021;
    m.widthCm = 34;
    m.heightCm = 19;
    m.preferred = {138700, 1920, 160, 1080, 32, 344, 193};
    return m;
}

MonitorBlock externalMonitor()
{
    MonitorBlock m;
    m.manufacturer = "DEL";
    m.product = 0xa0f1;
    m.serial = 0x4c4e5a33;
    m.week = 12;
    m.year = 2019;
    m.widthCm = 60;
    m.heightCm = 34;
    m.preferred = {241500, 2560, 160, 1440, 41, 597, 336};
    m.name = "DELL U2719D";
    m.serialText = "7XKTZ33";
    return m;
}

MonitorBlock television()
{
    MonitorBlock m;
    m.manufacturer = "SAM";
    m.product = 0x0f8c;
    m.serial = 0x01000e00;
    m.week = 0xff;
    m.year = 2018;
    m.widthCm = 160;
    m.heightCm = 90;
    m.preferred = {148500, 1920, 280, 1080, 45, 1600, 900};
    m.name = "SAMSUNG";
    m.extensions = 1;
    return m;
}

} // namespace qv::test
