#pragma once

#include <cstdint>
#include <string>

// EDID blocks made byte by byte from the published block layout: the monitors of the hand-made machines.
namespace qv::test {

// A detailed timing: active and blanking pixels and lines, the pixel clock, the image size.
struct Timing {
    unsigned clockKHz = 0;
    unsigned hActive = 0, hBlank = 0, vActive = 0, vBlank = 0;
    unsigned widthMm = 0, heightMm = 0;
};

struct MonitorBlock {
    std::string manufacturer; // "DEL"
    std::uint16_t product = 0;
    std::uint32_t serial = 0;
    unsigned week = 0; // 0xff: `year` is the model year
    unsigned year = 2020;
    unsigned widthCm = 0, heightCm = 0;
    Timing preferred;
    std::string name;        // the product-name descriptor, none when empty
    std::string serialText;  // the serial-number descriptor, none when empty
    unsigned extensions = 0; // consumer-electronics extension blocks that follow
};

// The base block and its extensions, every checksum right.
std::string edidBytes(const MonitorBlock& monitor);

// A laptop's built-in panel: no name, no serial text; an external monitor with both; a television with
// one extension block and a model year.
MonitorBlock laptopPanel();
MonitorBlock externalMonitor();
MonitorBlock television();

} // namespace qv::test
