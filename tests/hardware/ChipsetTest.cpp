#include "hardware/Chipset.h"
#include "tests/support/FakeTree.h"

#include <gtest/gtest.h>

#include <fstream>
#include <optional>
#include <string>

namespace {

using qv::hardware::collectChipset;
using qv::hardware::FolderTree;
using qv::hardware::pciHostBridge;
using qv::hardware::PciId;

constexpr char kIds[] = "/usr/share/hwdata/pci.ids";

// The vendor's name and, when listed, the device's, read from the hwdata file itself, so the check does
// not rest on our own reading of it.
std::pair<std::string, std::string> listedNames(const std::string& vendor, const std::string& device)
{
    std::ifstream ids(kIds);
    std::string line;
    std::string vendorName;
    std::string deviceName;
    bool inVendor = false;
    while (std::getline(ids, line)) {
        if (!line.empty() && line[0] != '\t' && line[0] != '#') {
            inVendor = line.starts_with(vendor + "  ");
            if (inVendor)
                vendorName = line.substr(vendor.size() + 2);
        } else if (inVendor && line.starts_with("\t" + device + "  ")) {
            deviceName = line.substr(device.size() + 3);
        }
    }
    return {vendorName, deviceName};
}

// A machine whose PCI devices are a network card, then the given host bridge.
void writePci(qv::test::FakeTree& tree, const std::string& vendor, const std::string& device)
{
    tree.write("sys/bus/pci/devices/0000:00:00.0/class", "0x020000\n")
        .write("sys/bus/pci/devices/0000:00:00.0/vendor", "0x8086\n")
        .write("sys/bus/pci/devices/0000:00:00.0/device", "0x100e\n")
        .write("sys/bus/pci/devices/0000:00:01.0/class", "0x060000\n")
        .write("sys/bus/pci/devices/0000:00:01.0/vendor", "0x" + vendor + "\n")
        .write("sys/bus/pci/devices/0000:00:01.0/device", "0x" + device + "\n");
}

class Chipset : public testing::Test {
protected:
    void SetUp() override
    {
        if (!std::ifstream(kIds))
            GTEST_SKIP() << "no PCI names (hwdata) installed";
    }
    std::optional<std::string> chipsetOf(const std::string& vendor, const std::string& device)
    {
        writePci(m_tree, vendor, device);
        return collectChipset(FolderTree(m_tree.path()));
    }
    qv::test::FakeTree m_tree;
};

TEST_F(Chipset, TheHostBridgeIsNamedAsTheHwdataListNamesIt)
{
    const auto [vendor, device] = listedNames("8086", "1237");
    ASSERT_FALSE(device.empty());
    EXPECT_EQ(chipsetOf("8086", "1237"), vendor + ' ' + device);
    EXPECT_EQ(pciHostBridge(FolderTree(m_tree.path())), (PciId{0x8086, 0x1237})) << "not the network card";
}

TEST_F(Chipset, ADeviceTheListDoesNotKnowKeepsItsMakersNameAndItsNumber)
{
    const auto [vendor, device] = listedNames("8086", "fffe");
    ASSERT_EQ(device, "");
    EXPECT_EQ(chipsetOf("8086", "fffe"), vendor + " device fffe");
}

TEST_F(Chipset, AnUnknownMakerGivesTheNumbers)
{
    ASSERT_EQ(listedNames("0002", "0001").first, "");
    EXPECT_EQ(chipsetOf("0002", "0001"), "PCI host bridge 0002:0001");
}

TEST(ChipsetWithoutPci, NoHostBridgeIsNoChipset)
{
    qv::test::FakeTree tree;
    tree.write("sys/bus/pci/devices/0000:00:01.0/class", "0x060000\n")
        .write("sys/bus/pci/devices/0000:00:01.0/vendor", "garbage\n");
    EXPECT_EQ(collectChipset(FolderTree(tree.path())), std::nullopt);
}

} // namespace
