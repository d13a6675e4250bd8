#pragma once

#include "hardware/Chipset.h"
#include "hardware/Edid.h"
#include "hardware/tree/MachineTree.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace qv::hardware {

// A display controller: PCI class 03 (VGA compatible, 3D, other display controllers).
struct DisplayAdapter {
    std::string address; // "0000:00:02.0"
    PciId id;
    std::string name; // as the PCI name database calls it
    std::optional<int> revision;
    std::optional<std::string> driver;   // the kernel driver bound to it: "i915", "amdgpu"
    std::optional<std::uint64_t> memory; // bytes of video memory, where the driver tells it
};

// The monitor a connector's EDID describes.
struct Monitor {
    Edid edid;
    std::optional<std::string> manufacturer; // the PNP id's maker: "Dell Inc."
};

// A connector under /sys/class/drm: "card1-eDP-1".
struct DisplayConnector {
    std::string name;
    std::optional<std::string> status; // "connected", "disconnected", "unknown"
    std::optional<bool> enabled;
    std::optional<Monitor> monitor;
};

// A screen the program can draw on, as the window system reports it.
struct ScreenFacts {
    std::string name;
    int width = 0; // in device-independent pixels
    int height = 0;
    double refreshHertz = 0;
    int depth = 0;
    double dotsPerInch = 0;
    double scale = 1;
    bool operator==(const ScreenFacts&) const = default;
};

struct OpenGlFacts {
    std::string vendor;
    std::string renderer;
    std::string version;
    bool operator==(const OpenGlFacts&) const = default;
};

// What a usable display gives: its screens, and OpenGL's strings when a context could be made.
struct DisplayFacts {
    std::vector<ScreenFacts> screens;
    std::optional<OpenGlFacts> openGl;
    bool operator==(const DisplayFacts&) const = default;
};

// Display facts as one text (the machine tree's facts file keeps them), and back.
std::string displayFactsText(const DisplayFacts& facts);
std::optional<DisplayFacts> parseDisplayFacts(std::string_view text);

struct VideoFacts {
    std::vector<DisplayAdapter> adapters;
    std::vector<DisplayConnector> connectors;
    std::optional<std::vector<ScreenFacts>> screens; // nothing without a usable display
    std::optional<OpenGlFacts> openGl;
    std::vector<std::string> notes;
};

namespace video_notes {
inline constexpr const char* kNoAdapter = "The kernel lists no display controller";
inline constexpr const char* kNoDisplay = "No display is usable here: screens and OpenGL are not known";
inline constexpr const char* kNoOpenGl = "OpenGL could not be started on this display";
inline constexpr const char* kBadChecksum =
    "A monitor's EDID block is damaged (wrong checksum): its facts may be wrong";
} // namespace video_notes

// Where the live machine's display facts come from: nothing (the default) where no display is usable or
// the caller may not open one. Tests and the graphical callers install a source.
using DisplayFactsSource = std::function<std::optional<DisplayFacts>()>;
DisplayFactsSource setDisplayFactsSource(DisplayFactsSource source);
using ScopedDisplayFactsSource = platform::ScopedHook<DisplayFactsSource, &setDisplayFactsSource>;

// The PNP id's maker from hwdata's list ("DEL" gives "Dell Inc."); nothing when the list lacks it.
std::optional<std::string> pnpManufacturer(std::string_view id);

// Display controllers under /sys/bus/pci/devices, connectors under /sys/class/drm, and the display facts
// (the fact "display" of the tree). With `display` false the display facts are not asked for.
VideoFacts collectVideo(const MachineTree& tree = installedMachineTree(), bool display = true);

} // namespace qv::hardware
