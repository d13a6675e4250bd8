#pragma once

#include "tests/support/FakeTree.h"

#include <string>

// Display controllers and monitors, network interfaces and installed packages of the hand-made machines.
namespace qv::test {

// Adds `lines` ("key<TAB>value" each, already escaped) to the tree's recorded facts.
void appendFacts(FakeTree& tree, const std::string& lines);

// An integrated and a discrete display controller; the discrete one drives the external monitor on
// DisplayPort, its HDMI connector is empty. Two screens and OpenGL strings are recorded facts.
void writeDesktopVideo(FakeTree& tree);
// One integrated controller whose built-in panel's EDID has a wrong checksum; no display was usable
// when it was recorded.
void writeLaptopVideo(FakeTree& tree);

// A wired interface with IPv4 and IPv6 addresses and the default routes, a virtual bridge, loopback;
// the user, host and workgroup are recorded facts.
void writeDesktopNetwork(FakeTree& tree);
// A wireless interface (no link speed) with IPv6, and loopback; no workgroup answered.
void writeLaptopNetwork(FakeTree& tree);

// A dpkg status file with continuation lines, a package removed with its configuration kept, one
// without a size; desktop entries, one of them hidden, and the file lists that own them.
void writePackages(FakeTree& tree);

} // namespace qv::test
