// The video, network and installed-applications collectors over the hand-made machines.
#include "hardware/AppsCollector.h"
#include "hardware/NetworkCollector.h"
#include "hardware/VideoCollector.h"
#include "platform/NetworkNeighbourhood.h"
#include "tests/hardware/PeripheralTrees.h"

#include <gtest/gtest.h>

#include <fstream>

namespace {

using qv::hardware::FolderTree;
using qv::hardware::InterfaceAddress;
using qv::test::FakeTree;

template<typename Collect>
auto collectFrom(void (*write)(FakeTree&), Collect collect)
{
    FakeTree files;
    write(files);
    return collect(FolderTree(files.path()));
}

TEST(VideoCollector, NamesEachControllerAndTheMonitorOnItsConnector)
{
    const auto facts = collectFrom(qv::test::writeDesktopVideo,
                                   [](const FolderTree& tree) { return qv::hardware::collectVideo(tree); });
    ASSERT_EQ(facts.adapters.size(), 2U);
    EXPECT_EQ(facts.adapters[0].driver, "i915");
    EXPECT_EQ(facts.adapters[0].revision, 0x0c);
    EXPECT_EQ(facts.adapters[0].memory, std::nullopt) << "integrated graphics share the system's memory";
    EXPECT_EQ(facts.adapters[1].driver, "amdgpu");
    EXPECT_EQ(facts.adapters[1].memory, 17163091968ULL);
    EXPECT_FALSE(facts.adapters[1].name.empty());

    ASSERT_EQ(facts.connectors.size(), 2U) << "card1, version are not connectors";
    EXPECT_EQ(facts.connectors[0].name, "card1-DP-1");
    EXPECT_EQ(facts.connectors[0].enabled, true);
    ASSERT_TRUE(facts.connectors[0].monitor);
    EXPECT_EQ(facts.connectors[0].monitor->edid.name, "DELL U2719D");
    if (std::ifstream("/usr/share/hwdata/pnp.ids")) {
        EXPECT_EQ(facts.connectors[0].monitor->manufacturer, "Dell Inc.");
    }
    EXPECT_EQ(facts.connectors[1].status, "disconnected");
    EXPECT_FALSE(facts.connectors[1].monitor);

    ASSERT_TRUE(facts.screens);
    ASSERT_EQ(facts.screens->size(), 2U);
    EXPECT_EQ((*facts.screens)[1].scale, 1.25);
    ASSERT_TRUE(facts.openGl);
    EXPECT_EQ(facts.openGl->renderer, "AMD Radeon RX 6900 XT (radeonsi, navi21)");
    EXPECT_TRUE(facts.notes.empty());
}

TEST(VideoCollector, SaysWhenAChecksumIsWrongAndNoDisplayWasUsable)
{
    const auto facts = collectFrom(qv::test::writeLaptopVideo,
                                   [](const FolderTree& tree) { return qv::hardware::collectVideo(tree); });
    ASSERT_EQ(facts.connectors.size(), 1U);
    ASSERT_TRUE(facts.connectors[0].monitor);
    EXPECT_EQ(facts.connectors[0].monitor->edid.badChecksumBlocks, std::vector<int>{0});
    EXPECT_FALSE(facts.screens);
    EXPECT_FALSE(facts.openGl);
    EXPECT_EQ(facts.notes, (std::vector<std::string>{qv::hardware::video_notes::kBadChecksum,
                                                     qv::hardware::video_notes::kNoDisplay}));
}

TEST(VideoCollector, AsksTheInstalledDisplaySourceOnlyOnTheLiveMachine)
{
    const qv::hardware::DisplayFacts display{{{"eDP-1", 1920, 1080, 60.02, 24, 141.2, 1.5}}, std::nullopt};
    int asked = 0;
    const qv::hardware::ScopedDisplayFactsSource source([&] {
        ++asked;
        return std::optional(display);
    });
    FakeTree files;
    const auto live = qv::hardware::collectVideo(FolderTree(files.path(), FolderTree::Facts::Live));
    EXPECT_EQ(live.screens, display.screens) << "the facts pass through their text unchanged";
    EXPECT_EQ(live.notes.back(), qv::hardware::video_notes::kNoOpenGl);
    qv::hardware::collectVideo(FolderTree(files.path(), FolderTree::Facts::Live), false);
    qv::hardware::collectVideo(FolderTree(files.path()));
    EXPECT_EQ(asked, 1);
}

TEST(NetworkCollector, ListsInterfacesLoopbackLastWithTheirAddresses)
{
    const auto facts = collectFrom(qv::test::writeDesktopNetwork,
                                   [](const FolderTree& tree) { return qv::hardware::collectNetwork(tree); });
    EXPECT_EQ(facts.login, "ada");
    EXPECT_EQ(facts.fullName, "Ada Lovelace");
    EXPECT_EQ(facts.hostName, "analytical");
    EXPECT_EQ(facts.workgroup, "ENGINES");
    EXPECT_EQ(facts.dnsDomain, "home.example");
    EXPECT_EQ(facts.nameServers, (std::vector<std::string>{"192.168.1.1", "fd00::1"}));
    EXPECT_EQ(facts.ipv4Gateway, "192.168.1.1");
    EXPECT_EQ(facts.ipv6Gateway, "fe80::1");
    ASSERT_EQ(facts.interfaces.size(), 3U);
    const auto& bridge = facts.interfaces[0];
    const auto& wired = facts.interfaces[1];
    const auto& loopback = facts.interfaces[2];
    EXPECT_EQ(bridge.kind, "virtual");
    EXPECT_EQ(bridge.speedMbps, std::nullopt) << "-1 is no speed";
    EXPECT_EQ(bridge.duplex, std::nullopt);
    EXPECT_EQ(wired.kind, "wired");
    EXPECT_EQ(wired.mac, "3c:7c:3f:0a:11:22");
    EXPECT_EQ(wired.speedMbps, 1000);
    EXPECT_EQ(wired.driver, "r8169");
    EXPECT_EQ(wired.ipv4, (std::vector<InterfaceAddress>{{"192.168.1.20", 24}}));
    EXPECT_EQ(wired.ipv6,
              (std::vector<InterfaceAddress>{{"2001:db8::20", 64}, {"fe80::3e7c:3fff:fe0a:1122", 64}}));
    EXPECT_EQ(loopback.name, "lo");
    EXPECT_EQ(loopback.kind, "loopback");
    EXPECT_EQ(loopback.mac, std::nullopt);
    EXPECT_EQ(loopback.ipv6, (std::vector<InterfaceAddress>{{"::1", 128}}));
    EXPECT_TRUE(facts.notes.empty());
}

TEST(NetworkCollector, WirelessWithoutGatewayOrWorkgroup)
{
    const auto facts = collectFrom(qv::test::writeLaptopNetwork,
                                   [](const FolderTree& tree) { return qv::hardware::collectNetwork(tree); });
    ASSERT_EQ(facts.interfaces.size(), 2U);
    EXPECT_EQ(facts.interfaces[0].kind, "wireless");
    EXPECT_EQ(facts.interfaces[0].driver, "iwlwifi");
    EXPECT_EQ(facts.interfaces[0].speedMbps, std::nullopt);
    EXPECT_TRUE(facts.interfaces[0].ipv4.empty());
    EXPECT_EQ(facts.fullName, std::nullopt);
    EXPECT_EQ(facts.ipv4Gateway, std::nullopt);
    EXPECT_EQ(facts.dnsDomain, std::nullopt);
    EXPECT_EQ(facts.notes, std::vector<std::string>{qv::hardware::network_notes::kNoWorkgroup});
}

TEST(NetworkCollector, AsksTheWorkgroupOnlyWhenTold)
{
    int asked = 0;
    const qv::platform::ScopedWorkgroupQuery query([&asked] {
        ++asked;
        return std::optional(QStringLiteral("MY GROUP       "));
    });
    FakeTree files;
    const FolderTree live(files.path(), FolderTree::Facts::Live);
    EXPECT_EQ(qv::hardware::collectNetwork(live).workgroup, "MYGROUP");
    const auto quick = qv::hardware::collectNetwork(live, false);
    EXPECT_EQ(quick.workgroup, std::nullopt);
    EXPECT_EQ(quick.notes, std::vector<std::string>{qv::hardware::network_notes::kWorkgroupNotAsked});
    EXPECT_EQ(asked, 1);
}

TEST(AppsCollector, InstalledPackagesAndTheDesktopEntriesTheyOwn)
{
    const auto facts = collectFrom(qv::test::writePackages, [](const FolderTree& tree) {
        return qv::hardware::collectApplications(tree);
    });
    ASSERT_EQ(facts.packages.size(), 2U) << "a package removed with its configuration kept is not installed";
    EXPECT_EQ(facts.packages[0].name, "vim-common");
    EXPECT_EQ(facts.packages[0].installedSize, 390U * 1024);
    EXPECT_EQ(facts.packages[0].section, "editors");
    EXPECT_EQ(facts.packages[0].summary, "Vi IMproved - Common files");
    EXPECT_EQ(facts.packages[1].name, "python3.11");
    EXPECT_EQ(facts.packages[1].installedSize, std::nullopt);
    EXPECT_EQ(facts.packages[1].section, std::nullopt);

    ASSERT_EQ(facts.desktopApplications.size(), 2U) << "NoDisplay entries are not shown";
    EXPECT_EQ(facts.desktopApplications[0].name, "Python (v3.11)");
    EXPECT_EQ(facts.desktopApplications[0].package, "python3.11") << "the list's name holds an architecture";
    EXPECT_EQ(facts.desktopApplications[1].name, "Vim") << "not a translation, not an action's name";
    EXPECT_EQ(facts.desktopApplications[1].comment, "Edit text files");
    EXPECT_EQ(facts.desktopApplications[1].package, "vim-common");
}

TEST(AppsCollector, ReadsALargeStatusFile)
{
    std::string status;
    for (int i = 0; i < 50000; ++i)
        status += "Package: p" + std::to_string(i) +
                  "\nStatus: install ok installed\nInstalled-Size: 12\nVersion: 1\n"
                  "Description: one\n two\n three\n\n";
    const auto packages = qv::hardware::parseDpkgStatus(status);
    ASSERT_EQ(packages.size(), 50000U);
    EXPECT_EQ(packages.back().name, "p49999");
}

} // namespace
