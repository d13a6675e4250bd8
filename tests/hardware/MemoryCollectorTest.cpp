// The memory collector over hand-made machines, a machine whose tables only the administrator may read,
// and this machine.
#include "hardware/MemoryCollector.h"
#include "tests/hardware/RootOnlyTree.h"
#include "tests/hardware/SmbiosImages.h"

#include <QProcess>

#include <gtest/gtest.h>

#include <map>

namespace {

using qv::hardware::FolderTree;
using qv::hardware::MemoryFacts;
namespace notes = qv::hardware::memory_notes;

MemoryFacts collectFrom(void (*write)(qv::test::FakeTree&))
{
    qv::test::FakeTree files;
    write(files);
    const qv::hardware::ScopedMachineTree replay(std::make_shared<FolderTree>(files.path()));
    return qv::hardware::collectMemory();
}

TEST(MemoryCollector, DesktopShowsItsFilledAndEmptySlots)
{
    const MemoryFacts facts = collectFrom(qv::test::writeDesktopTree);
    EXPECT_EQ(facts.totals.total, 16ULL << 30);
    EXPECT_EQ(facts.totals.available, 12ULL << 30);
    EXPECT_EQ(facts.totals.swapTotal, 2ULL << 30);
    EXPECT_EQ(facts.totals.swapFree, 3ULL << 29);
    EXPECT_EQ(facts.smbiosVersion, "3.3.0");
    EXPECT_EQ(facts.notes, std::vector<std::string>());
    ASSERT_TRUE(facts.memoryArrays.has_value());
    ASSERT_EQ(facts.memoryArrays->size(), 1U);
    EXPECT_EQ(facts.memoryArrays->front().slotCount, 4);
    EXPECT_EQ(facts.memoryArrays->front().maximumCapacity, 128ULL << 30);
    EXPECT_EQ(facts.memoryArrays->front().errorCorrection, "None");
    ASSERT_TRUE(facts.memorySlots.has_value());
    ASSERT_EQ(facts.memorySlots->size(), 4U);
    const auto& a2 = facts.memorySlots->at(1);
    EXPECT_FALSE(a2.installed);
    EXPECT_EQ(a2.locator, "DIMM_A2");
    EXPECT_EQ(a2.type, std::nullopt) << "an empty slot has no module facts";
    const auto& b1 = facts.memorySlots->at(2);
    EXPECT_EQ(b1.size, 32ULL << 30) << "the extended size";
    EXPECT_EQ(b1.arrayHandle, facts.memoryArrays->front().handle);
    EXPECT_EQ(facts.memorySlots->at(0).partNumber, "KHX3200C16D4/8GX") << "padding trimmed";
}

TEST(MemoryCollector, LaptopShowsSolderedLpddr5)
{
    const MemoryFacts facts = collectFrom(qv::test::writeLaptopTree);
    EXPECT_EQ(facts.smbiosVersion, "2.8");
    ASSERT_TRUE(facts.memorySlots.has_value());
    ASSERT_EQ(facts.memorySlots->size(), 2U);
    for (const auto& slot : *facts.memorySlots) {
        EXPECT_EQ(slot.type, "LPDDR5");
        EXPECT_EQ(slot.formFactor, "Row of chips");
        EXPECT_EQ(slot.size, 8ULL << 30);
        EXPECT_EQ(slot.speed, 6400U);
    }
}

TEST(MemoryCollector, VirtualMachineWithoutDmiSaysSoAndKeepsItsTotals)
{
    const MemoryFacts facts = collectFrom(qv::test::writeVirtualMachineTree);
    EXPECT_EQ(facts.totals.total, 16ULL << 30);
    EXPECT_EQ(facts.smbiosVersion, std::nullopt);
    EXPECT_EQ(facts.memoryArrays, std::nullopt);
    EXPECT_EQ(facts.memorySlots, std::nullopt);
    EXPECT_EQ(facts.notes, std::vector<std::string>{notes::kNoSlots});
}

TEST(MemoryCollector, UnreadableTablesNeedAdministratorRights)
{
    qv::test::FakeTree files;
    qv::test::writeDesktopTree(files);
    const MemoryFacts facts =
        qv::hardware::collectMemory(qv::test::RootOnlyTree(files.path(), {"/sys/firmware/dmi/tables/"}));
    EXPECT_EQ(facts.memorySlots, std::nullopt);
    EXPECT_EQ(facts.notes, std::vector<std::string>{notes::kNeedsAdministrator});
    EXPECT_EQ(facts.totals.total, 16ULL << 30);
}

TEST(MemoryCollector, TablesWithoutMemoryDevicesDescribeNoSlots)
{
    qv::test::FakeTree files;
    qv::test::writeMeminfo(files);
    qv::test::writeSmbios(files, qv::test::SmbiosTableBuilder().end().version3(3, 0, 0));
    const MemoryFacts facts = qv::hardware::collectMemory(FolderTree(files.path()));
    EXPECT_EQ(facts.smbiosVersion, "3.0.0");
    EXPECT_EQ(facts.notes, std::vector<std::string>{notes::kNoSlots});
}

std::map<std::string, std::uint64_t> liveMeminfoBytes()
{
    QProcess awk;
    awk.start(QStringLiteral("awk"),
              {QStringLiteral("{ printf \"%s %.0f\\n\", $1, $2 * 1024 }"), QStringLiteral("/proc/meminfo")});
    EXPECT_TRUE(awk.waitForFinished(10000));
    std::map<std::string, std::uint64_t> values;
    for (const QString& line :
         QString::fromUtf8(awk.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts))
        values[line.section(QLatin1Char(' '), 0, 0).chopped(1).toStdString()] =
            line.section(QLatin1Char(' '), 1, 1).toULongLong();
    return values;
}

TEST(MemoryCollectorOnThisMachine, TotalsAreTheKernelsAndMissingTablesAreExplained)
{
    const MemoryFacts facts = qv::hardware::collectMemory();
    const auto kernel = liveMeminfoBytes();
    EXPECT_EQ(facts.totals.total, kernel.at("MemTotal"));
    EXPECT_EQ(facts.totals.swapTotal, kernel.at("SwapTotal"));
    ASSERT_TRUE(facts.totals.available.has_value());
    EXPECT_NEAR(double(*facts.totals.available), double(kernel.at("MemAvailable")), 256.0 * (1 << 20));
    if (facts.memorySlots) {
        EXPECT_EQ(facts.notes, std::vector<std::string>());
        return;
    }
    ASSERT_EQ(facts.notes.size(), 1U);
    const bool tablesExist = std::filesystem::exists("/sys/firmware/dmi/tables/smbios_entry_point");
    EXPECT_EQ(facts.notes.front(), tablesExist ? notes::kNeedsAdministrator : notes::kNoSlots);
}

} // namespace
