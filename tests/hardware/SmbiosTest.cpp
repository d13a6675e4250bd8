// The SMBIOS reader against the tables' own layouts: hand-made tables read as dmidecode reads them, and
// damaged tables give the facts that are sound.
#include "hardware/Smbios.h"
#include "hardware/MemoryDevices.h"
#include "tests/hardware/SmbiosImages.h"
#include "tests/support/TestSupport.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryFile>

#include <gtest/gtest.h>

#include <functional>
#include <map>

namespace {

using qv::hardware::MemorySlot;
using qv::hardware::SmbiosTables;
using qv::test::SmbiosImage;

// dmidecode's "Key: Value" lines of each memory device, in table order.
using DeviceFields = std::map<std::string, std::string>;

std::vector<DeviceFields> dmidecodeDevices(const SmbiosImage& image)
{
    QTemporaryFile dump;
    EXPECT_TRUE(dump.open());
    const std::string bytes = image.dump();
    dump.write(bytes.data(), qint64(bytes.size()));
    dump.flush();
    QProcess dmidecode;
    dmidecode.start(QStringLiteral("dmidecode"), {QStringLiteral("--from-dump"), dump.fileName(),
                                                  QStringLiteral("--type"), QStringLiteral("17")});
    EXPECT_TRUE(dmidecode.waitForFinished(30000));
    std::vector<DeviceFields> devices;
    static const QRegularExpression field(QStringLiteral(R"(^\t([^\t:]+): (.*)$)"));
    for (const QString& line :
         QString::fromUtf8(dmidecode.readAllStandardOutput()).split(QLatin1Char('\n'))) {
        if (line == QLatin1String("Memory Device"))
            devices.emplace_back();
        else if (const auto match = field.match(line); match.hasMatch() && !devices.empty())
            devices.back()[match.captured(1).toStdString()] = match.captured(2).trimmed().toStdString();
    }
    return devices;
}

// dmidecode's word for "nothing given" is no fact.
std::optional<std::string> given(const DeviceFields& fields, const std::string& key)
{
    const auto found = fields.find(key);
    if (found == fields.end() || found->second == "Not Specified" || found->second == "Unknown")
        return std::nullopt;
    return found->second;
}

// "8 GB", "32768 MB", "3200 MT/s", "2" as a number of bytes or units.
std::optional<std::uint64_t> number(const std::optional<std::string>& text)
{
    static const std::map<std::string, int> kShifts{{"bytes", 0}, {"kB", 10}, {"MB", 20},
                                                    {"GB", 30},   {"TB", 40}, {"MT/s", 0}};
    if (!text)
        return std::nullopt;
    const QStringList words = QString::fromStdString(*text).split(QLatin1Char(' '));
    bool ok = false;
    const std::uint64_t value = words.value(0).toULongLong(&ok);
    if (!ok)
        return std::nullopt;
    const int shift = words.size() > 1 ? kShifts.at(words[1].toStdString()) : 0;
    return value << shift;
}

std::optional<std::string> folded(const std::optional<std::string>& text)
{
    return text ? std::optional(QString::fromStdString(*text).toLower().toStdString()) : std::nullopt;
}

void expectSameDevices(const SmbiosImage& image, int expectedInstalled)
{
    if (QStandardPaths::findExecutable(QStringLiteral("dmidecode")).isEmpty())
        GTEST_SKIP() << "dmidecode is not installed (scripts/test.sh installs it)";
    const SmbiosTables tables = qv::hardware::smbiosTablesFrom(image.entryPoint, image.table);
    ASSERT_EQ(tables.state, SmbiosTables::State::Read);
    const std::vector<MemorySlot> found = qv::hardware::smbiosMemorySlots(tables.structures);
    const std::vector<DeviceFields> devices = dmidecodeDevices(image);
    ASSERT_EQ(found.size(), devices.size());
    int installed = 0;
    for (std::size_t i = 0; i < found.size(); ++i) {
        const MemorySlot& slot = found[i];
        const DeviceFields& device = devices[i];
        SCOPED_TRACE(device.at("Locator"));
        EXPECT_EQ(slot.locator, given(device, "Locator"));
        EXPECT_EQ(slot.bank, given(device, "Bank Locator"));
        EXPECT_EQ(slot.installed, device.at("Size") != "No Module Installed");
        if (!slot.installed)
            continue;
        ++installed;
        EXPECT_EQ(slot.size, number(given(device, "Size")));
        EXPECT_EQ(folded(slot.formFactor), folded(given(device, "Form Factor")));
        EXPECT_EQ(slot.type, given(device, "Type"));
        EXPECT_EQ(slot.speed, number(given(device, "Speed")));
        EXPECT_EQ(slot.configuredSpeed, number(given(device, "Configured Memory Speed")));
        EXPECT_EQ(slot.manufacturer, given(device, "Manufacturer"));
        EXPECT_EQ(slot.partNumber, given(device, "Part Number"));
        EXPECT_EQ(slot.serialNumber, given(device, "Serial Number"));
        EXPECT_EQ(slot.rank ? std::optional<std::uint64_t>(*slot.rank) : std::nullopt,
                  number(given(device, "Rank")));
    }
    EXPECT_EQ(installed, expectedInstalled);
}

TEST(SmbiosAgainstDmidecode, DesktopVersion3SlotsReadAsDmidecodeReadsThem)
{
    expectSameDevices(qv::test::desktopSmbios(), 2);
}

TEST(SmbiosAgainstDmidecode, LaptopVersion2SolderedMemoryReadsAsDmidecodeReadsIt)
{
    expectSameDevices(qv::test::laptopSmbios(), 2);
}

TEST(SmbiosEntryPoint, VersionsAndDamage)
{
    const SmbiosImage desktop = qv::test::desktopSmbios();
    const SmbiosImage laptop = qv::test::laptopSmbios();
    EXPECT_EQ(qv::hardware::parseSmbiosEntryPoint(desktop.entryPoint)->versionText(), "3.3.0");
    const auto version2 = qv::hardware::parseSmbiosEntryPoint(laptop.entryPoint);
    ASSERT_TRUE(version2.has_value());
    EXPECT_EQ(version2->versionText(), "2.8");
    EXPECT_EQ(version2->structureCount, 4);

    std::string badChecksum = desktop.entryPoint;
    badChecksum[7] = 4;
    EXPECT_EQ(qv::hardware::parseSmbiosEntryPoint(badChecksum), std::nullopt);
    EXPECT_EQ(qv::hardware::parseSmbiosEntryPoint(laptop.entryPoint.substr(0, 20)), std::nullopt);
    EXPECT_EQ(qv::hardware::smbiosTablesFrom("garbage", laptop.table).state, SmbiosTables::State::Damaged);
}

// A damaged copy of the desktop's tables, and what is still to be read from it: each slot as
// "locator size maker", in table order.
struct Damage {
    std::string name;
    std::function<void(SmbiosImage&)> damage;
    std::vector<std::string> sound;
};

// The desktop's first memory device: the BIOS, processor and array structures come before it.
constexpr int kFirstSlot = 3;

// Where the n-th structure (from 0) of a well-formed table begins.
std::size_t structureStart(const std::string& table, int n)
{
    std::size_t position = 0;
    for (int i = 0; i < n; ++i)
        position = table.find(std::string(2, '\0'), position + std::uint8_t(table[position + 1])) + 2;
    return position;
}

// The entry point's table length, set to `length` with the checksum kept right.
void setTableLength(SmbiosImage& image, std::uint32_t length)
{
    std::string& entry = image.entryPoint;
    int sum = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        sum += std::uint8_t(entry[0x0C + i]);
        entry[0x0C + i] = char(std::uint8_t(length >> (8 * i)));
        sum -= std::uint8_t(entry[0x0C + i]);
    }
    entry[5] = char(std::uint8_t(std::uint8_t(entry[5]) + sum));
}

std::string summary(const MemorySlot& slot)
{
    return slot.locator.value_or("?") + ' ' +
           (slot.installed ? std::to_string(slot.size.value_or(0) >> 30) + "G" : std::string("empty")) + ' ' +
           slot.manufacturer.value_or("?");
}

void PrintTo(const Damage& damage, std::ostream* out)
{
    *out << damage.name;
}

class DamagedTable : public testing::TestWithParam<Damage> {};

TEST_P(DamagedTable, GivesTheSoundFactsAndNoMore)
{
    SmbiosImage image = qv::test::desktopSmbios();
    GetParam().damage(image);
    const SmbiosTables tables = qv::hardware::smbiosTablesFrom(image.entryPoint, image.table);
    std::vector<std::string> read;
    for (const MemorySlot& slot : qv::hardware::smbiosMemorySlots(tables.structures))
        read.push_back(summary(slot));
    EXPECT_EQ(read, GetParam().sound);
}

const std::vector<std::string> kAllSlots{"DIMM_A1 8G Kingston", "DIMM_A2 empty ?", "DIMM_B1 32G G Skill",
                                         "DIMM_B2 empty ?"};

INSTANTIATE_TEST_SUITE_P(
    Smbios, DamagedTable,
    testing::Values(
        Damage{
            "truncated inside the third slot",
            [](SmbiosImage& image) { image.table.resize(structureStart(image.table, kFirstSlot + 2) + 20); },
            {"DIMM_A1 8G Kingston", "DIMM_A2 empty ?"}},
        Damage{"a structure length below the header",
               [](SmbiosImage& image) { image.table[structureStart(image.table, kFirstSlot + 1) + 1] = 2; },
               {"DIMM_A1 8G Kingston"}},
        Damage{"a string index past the strings",
               [](SmbiosImage& image) { image.table[structureStart(image.table, kFirstSlot) + 0x17] = 9; },
               {"DIMM_A1 8G ?", "DIMM_A2 empty ?", "DIMM_B1 32G G Skill", "DIMM_B2 empty ?"}},
        Damage{"a table length longer than the table",
               [](SmbiosImage& image) { setTableLength(image, 0x10000); }, kAllSlots},
        Damage{"a table length that cuts the last slot",
               [](SmbiosImage& image) {
                   setTableLength(image, std::uint32_t(structureStart(image.table, kFirstSlot + 3) + 8));
               },
               {"DIMM_A1 8G Kingston", "DIMM_A2 empty ?", "DIMM_B1 32G G Skill"}},
        Damage{"no end of table and unterminated strings",
               [](SmbiosImage& image) {
                   image.table.resize(structureStart(image.table, kFirstSlot + 4) - 1);
                   setTableLength(image, std::uint32_t(image.table.size()));
               },
               kAllSlots},
        Damage{"a formatted area that runs past the table",
               [](SmbiosImage& image) {
                   image.table[structureStart(image.table, kFirstSlot + 3) + 1] = char(0xF0);
               },
               {"DIMM_A1 8G Kingston", "DIMM_A2 empty ?", "DIMM_B1 32G G Skill"}}),
    qv::test::RowName());

} // namespace
