#pragma once

#include "hardware/AppsCollector.h"
#include "hardware/FactTexts.h"
#include "hardware/NetworkCollector.h"
#include "hardware/VideoCollector.h"

#include <cstdint>
#include <string>
#include <vector>

// The video, network and installed-applications windows' texts: column titles and one row per item, plain
// texts, no widgets.
namespace qv::hardware {

// A monitor in one line: "Dell Inc. DELL U2719D, 60 × 34 cm, 2560 × 1440 at 59.95 Hz".
std::string monitorText(const Monitor& monitor);
// An interface's addresses in one line: "192.168.1.20/24, 2001:db8::20/64"; "none" without any.
std::string addressesText(const NetworkInterface& interface);

const std::vector<std::string>& adapterColumns();
std::vector<std::string> adapterRow(const DisplayAdapter& adapter);

const std::vector<std::string>& connectorColumns();
// A connector without a monitor leaves the monitor's columns blank.
std::vector<std::string> connectorRow(const DisplayConnector& connector);

const std::vector<std::string>& screenColumns();
std::vector<std::string> screenRow(const ScreenFacts& screen);
std::vector<FactLine> openGlLines(const OpenGlFacts& openGl);

std::vector<FactLine> networkIdentityLines(const NetworkFacts& facts);
const std::vector<std::string>& interfaceColumns();
std::vector<std::string> interfaceRow(const NetworkInterface& interface);

const std::vector<std::string>& packageColumns();
std::vector<std::string> packageRow(const InstalledPackage& package);
const std::vector<std::string>& desktopColumns();
std::vector<std::string> desktopRow(const DesktopApplication& application);
// The packages' installed sizes added up, bytes.
std::uint64_t installedTotal(const std::vector<InstalledPackage>& packages);
// "1205 packages, 6.9 GiB installed".
std::string packagesTotalText(const std::vector<InstalledPackage>& packages);

} // namespace qv::hardware
