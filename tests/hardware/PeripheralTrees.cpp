#include "tests/hardware/PeripheralTrees.h"

#include "hardware/tree/MachineTree.h"
#include "tests/hardware/EdidBlocks.h"

#include <fstream>
#include <sstream>

namespace qv::test {

namespace {

void writePciDisplay(FakeTree& tree, const std::string& address, const std::string& vendor,
                     const std::string& device, const std::string& revision, const std::string& driver)
{
    const std::string folder = "sys/bus/pci/devices/" + address;
    tree.write(folder + "/class", "0x030000\n")
        .write(folder + "/vendor", "0x" + vendor + "\n")
        .write(folder + "/device", "0x" + device + "\n")
        .write(folder + "/revision", "0x" + revision + "\n")
        .write("sys/bus/pci/drivers/" + driver + "/bind", "")
        .link(folder + "/driver", "../../drivers/" + driver);
}

void writeConnector(FakeTree& tree, const std::string& name, const std::string& status,
                    const std::string& edid)
{
    const std::string folder = "sys/class/drm/" + name;
    tree.write(folder + "/status", status + "\n")
        .write(folder + "/enabled", status == "connected" ? "enabled\n" : "disabled\n")
        .write(folder + "/edid", edid);
}

void writeInterface(FakeTree& tree, const std::string& name, const std::string& type, const std::string& mac,
                    const std::string& state, const std::string& mtu)
{
    const std::string folder = "sys/class/net/" + name;
    tree.write(folder + "/type", type + "\n")
        .write(folder + "/address", mac + "\n")
        .write(folder + "/operstate", state + "\n")
        .write(folder + "/mtu", mtu + "\n");
}

void writeNetworkDevice(FakeTree& tree, const std::string& name, const std::string& driver)
{
    const std::string device = "sys/devices/pci0000:00/0000:00:1c.0/0000:02:00.0";
    tree.write(device + "/vendor", "0x10ec\n")
        .write("sys/bus/pci/drivers/" + driver + "/bind", "")
        .link(device + "/driver", "../../../../bus/pci/drivers/" + driver)
        .link("sys/class/net/" + name + "/device", "../../../" + device.substr(4));
}

std::string fact(const std::string& key, const std::string& value)
{
    return key + '\t' + hardware::escapedFactText(value) + '\n';
}

} // namespace

void appendFacts(FakeTree& tree, const std::string& lines)
{
    const auto file = tree.path() / "recording/facts";
    std::ostringstream before;
    before << std::ifstream(file, std::ios::binary).rdbuf();
    tree.write("recording/facts", before.str() + lines);
}

void writeDesktopVideo(FakeTree& tree)
{
    writePciDisplay(tree, "0000:00:02.0", "8086", "4680", "0c", "i915");
    writePciDisplay(tree, "0000:03:00.0", "1002", "73bf", "c1", "amdgpu");
    tree.write("sys/bus/pci/devices/0000:03:00.0/mem_info_vram_total", "17163091968\n");
    writeConnector(tree, "card1-DP-1", "connected", edidBytes(externalMonitor()));
    writeConnector(tree, "card1-HDMI-A-1", "disconnected", "");
    tree.write("sys/class/drm/card1/dev", "226:1\n").write("sys/class/drm/version", "drm 1.1.0 20060810\n");
    appendFacts(
        tree,
        fact("display",
             "screen\tDP-1\t2560\t1440\t59.95\t24\t108.8\t1\n"
             "screen\tHDMI-A-2\t1920\t1080\t60\t24\t96\t1.25\n"
             "opengl\tAMD\tAMD Radeon RX 6900 XT (radeonsi, navi21)\t4.6 (Core Profile) Mesa 22.3.6\n"));
}

void writeLaptopVideo(FakeTree& tree)
{
    writePciDisplay(tree, "0000:00:02.0", "8086", "a7a0", "04", "i915");
    std::string panel = edidBytes(laptopPanel());
    panel[127] = char(panel[127] + 1);
    writeConnector(tree, "card0-eDP-1", "connected", panel);
}

void writeDesktopNetwork(FakeTree& tree)
{
    writeInterface(tree, "lo", "772", "00:00:00:00:00:00", "unknown", "65536");
    writeInterface(tree, "enp2s0", "1", "3c:7c:3f:0a:11:22", "up", "1500");
    writeNetworkDevice(tree, "enp2s0", "r8169");
    tree.write("sys/class/net/enp2s0/speed", "1000\n").write("sys/class/net/enp2s0/duplex", "full\n");
    writeInterface(tree, "docker0", "1", "02:42:ac:11:00:01", "down", "1500");
    tree.write("sys/class/net/docker0/speed", "-1\n").write("sys/class/net/docker0/duplex", "unknown\n");
    tree.write("proc/net/route",
               "Iface\tDestination\tGateway \tFlags\tRefCnt\tUse\tMetric\tMask\t\tMTU\tWindow\tIRTT\n"
               "enp2s0\t00000000\t0101A8C0\t0003\t0\t0\t100\t00000000\t0\t0\t0\n"
               "enp2s0\t0001A8C0\t00000000\t0001\t0\t0\t100\t00FFFFFF\t0\t0\t0\n");
    tree.write("proc/net/ipv6_route",
               "fe800000000000000000000000000000 40 00000000000000000000000000000000 00 "
               "00000000000000000000000000000000 00000100 00000001 00000000 00000001 enp2s0\n"
               "00000000000000000000000000000000 00 00000000000000000000000000000000 00 "
               "fe800000000000000000000000000001 00000400 00000001 00000000 00000003 enp2s0\n");
    tree.write("etc/resolv.conf", "# made by hand\nsearch home.example\nnameserver 192.168.1.1\n"
                                  "nameserver fd00::1\n");
    appendFacts(tree, fact("identity", "ada\tAda Lovelace\tanalytical") + fact("workgroup", "ENGINES") +
                          fact("addresses", "lo\t127.0.0.1/8\nenp2s0\t192.168.1.20/24\nenp2s0\t"
                                            "2001:db8::20/64\nenp2s0\tfe80::3e7c:3fff:fe0a:1122/64\n"
                                            "docker0\t172.17.0.1/16\nlo\t::1/128\n"));
}

void writeLaptopNetwork(FakeTree& tree)
{
    writeInterface(tree, "lo", "772", "00:00:00:00:00:00", "unknown", "65536");
    writeInterface(tree, "wlp0s20f3", "1", "a4:c3:f0:12:34:56", "up", "1500");
    writeNetworkDevice(tree, "wlp0s20f3", "iwlwifi");
    tree.write("sys/class/net/wlp0s20f3/wireless/.keep", "");
    tree.write("proc/net/route", "Iface\tDestination\tGateway \tFlags\n");
    tree.write("etc/resolv.conf", "nameserver 127.0.0.53\noptions edns0\n");
    appendFacts(tree, fact("identity", "bob\t\tlaptop") +
                          fact("addresses", "wlp0s20f3\t2001:db8:1::5/64\nlo\t127.0.0.1/8\n"));
}

void writePackages(FakeTree& tree)
{
    tree.write("var/lib/dpkg/status",
               "Package: vim-common\n"
               "Status: install ok installed\n"
               "Priority: important\n"
               "Section: editors\n"
               "Installed-Size: 390\n"
               "Architecture: all\n"
               "Version: 2:9.0.1378-2\n"
               "Description: Vi IMproved - Common files\n"
               " Vim is an almost compatible version of the UNIX editor Vi.\n"
               " .\n"
               " This package contains files shared by all non GUI-enabled vim variants.\n"
               "\n"
               "Package: oldtool\n"
               "Status: deinstall ok config-files\n"
               "Architecture: amd64\n"
               "Version: 1.0\n"
               "Description: removed, configuration kept\n"
               "\n"
               "Package: python3.11\n"
               "Status: hold ok installed\n"
               "Architecture: amd64\n"
               "Version: 3.11.2-6\n"
               "Description: Interactive high-level object-oriented language (version 3.11)\n"
               "\n");
    tree.write("usr/share/applications/vim.desktop",
               "[Desktop Entry]\nName=Vim\nName[de]=Vim-Editor\nComment=Edit text files\nType=Application\n"
               "[Desktop Action new]\nName=New window\n");
    tree.write("usr/share/applications/python3.11.desktop",
               "[Desktop Entry]\nName=Python (v3.11)\nType=Application\n");
    tree.write("usr/share/applications/hidden.desktop", "[Desktop Entry]\nName=Hidden\nType=Application\n"
                                                        "NoDisplay=true\n");
    tree.write("var/lib/dpkg/info/vim-common.list", "/.\n/usr\n/usr/share/applications/vim.desktop\n");
    tree.write("var/lib/dpkg/info/python3.11:amd64.list", "/usr/share/applications/python3.11.desktop\n");
}

} // namespace qv::test
