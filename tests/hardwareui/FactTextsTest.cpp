#include "hardware/FactTexts.h"

#include <gtest/gtest.h>

namespace {

using namespace qv::hardware;

TEST(FactTexts, UsageRoundsToWholePercentAndNeedsBothFigures)
{
    const auto third = usageOf(3000, 2000);
    ASSERT_TRUE(third);
    EXPECT_EQ(third->used, 1000u);
    EXPECT_EQ(third->percent, 33);
    EXPECT_EQ(usageOf(3, 1)->percent, 67);
    EXPECT_EQ(usageOf(100, 200)->percent, 0) << "more available than the total is no use, not negative";
    EXPECT_FALSE(usageOf(0, 0));
    EXPECT_FALSE(usageOf(100, std::nullopt));
    EXPECT_EQ(usageCaption(17179869184u, 12884901888u), "25 % in use (4 GiB of 16 GiB)");
    EXPECT_EQ(usageCaption(0u, 0u), "None") << "no swap space";
    EXPECT_EQ(usageCaption(std::nullopt, 0u), kUnknownText);
}

TEST(FactTexts, AnEmptySlotReadsEmptyAndAFilledOneLeavesOutWhatItDoesNotSay)
{
    MemorySlot empty;
    empty.locator = "DIMM_B1";
    empty.type = "DDR4"; // what an empty slot's structure may still claim is not shown
    EXPECT_EQ(memorySlotRow(empty), (std::vector<std::string>{"DIMM_B1", "Empty", "", "", "", "", ""}));

    MemorySlot filled;
    filled.installed = true;
    filled.formFactor = "SODIMM";
    EXPECT_EQ(memorySlotRow(filled), (std::vector<std::string>{"", kUnknownText, "SODIMM", "", "", "", ""}));
    filled.type = "DDR5";
    filled.speed = 4800;
    EXPECT_EQ(memorySlotRow(filled)[2], "DDR5 SODIMM");
    EXPECT_EQ(memorySlotRow(filled)[3], "4800 MT/s");
    EXPECT_EQ(memorySlotRow(filled).size(), memorySlotColumns().size());
}

TEST(FactTexts, MissingFactsReadUnknown)
{
    const BoardFacts none;
    for (const auto& lines : {systemLines(none), biosLines(none), boardLines(none)})
        for (const FactLine& line : lines)
            EXPECT_EQ(line.value, kUnknownText) << line.label;
    MemoryFacts memory;
    EXPECT_EQ(memorySummaryLines(memory).back(), (FactLine{"Memory slots", kUnknownText}));
    memory.memorySlots = std::vector<MemorySlot>(4);
    (*memory.memorySlots)[2].installed = true;
    EXPECT_EQ(memorySummaryLines(memory).back(), (FactLine{"Memory slots", "1 of 4 filled"}));
}

} // namespace
