#include "libs/qvconsl/qvconsl.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <set>
#include <string>
#include <vector>

namespace {

// What the tip window's 272 x 84 label holds in its 13-pixel font, word-wrapped.
constexpr std::size_t kMaxTipCharacters = 230;

std::vector<std::string> allTips()
{
    std::vector<std::string> tips;
    for (std::int32_t number = 1; number <= GetNbConseil(); ++number) {
        std::string text;
        GetConseil(number, text);
        tips.push_back(text);
    }
    return tips;
}

std::size_t codePoints(const std::string& utf8)
{
    std::size_t count = 0;
    for (const char c : utf8)
        count += (static_cast<unsigned char>(c) & 0xC0) != 0x80 ? 1 : 0;
    return count;
}

std::size_t sentences(const std::string& text)
{
    std::size_t count = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool endMark = text[i] == '.' || text[i] == '!' || text[i] == '?';
        if (endMark && (i + 1 == text.size() || text[i + 1] == ' '))
            ++count;
    }
    return count;
}

TEST(QvConsl, HoldsAtLeastThirtyTips)
{
    EXPECT_GE(GetNbConseil(), 30);
}

TEST(QvConsl, EveryTipIsOneToThreeFinishedSentencesThatFitTheLabel)
{
    const std::vector<std::string> tips = allTips();
    for (std::size_t i = 0; i < tips.size(); ++i) {
        const std::string& tip = tips[i];
        SCOPED_TRACE("tip " + std::to_string(i + 1) + ": " + tip);
        ASSERT_FALSE(tip.empty());
        EXPECT_LE(codePoints(tip), kMaxTipCharacters);
        EXPECT_NE(tip.front(), ' ');
        EXPECT_TRUE(tip.back() == '.' || tip.back() == '!' || tip.back() == '?');
        EXPECT_GE(sentences(tip), 1u);
        EXPECT_LE(sentences(tip), 3u);
        // Literal pieces joined with a blank on both sides.
        EXPECT_EQ(tip.find("  "), std::string::npos);
    }
}

TEST(QvConsl, NoTipIsRepeated)
{
    const std::vector<std::string> tips = allTips();
    const std::set<std::string> distinct(tips.begin(), tips.end());
    EXPECT_EQ(distinct.size(), tips.size());
}

TEST(QvConsl, ATipReplacesWhateverTheTextHeld)
{
    std::string fresh;
    GetConseil(1, fresh);
    std::string reused = "left over from an earlier call";
    GetConseil(1, reused);
    EXPECT_EQ(reused, fresh);
}

struct OutOfRangeCase {
    const char* name;
    std::int32_t number;
};

class QvConslOutOfRange : public testing::TestWithParam<OutOfRangeCase> {};

TEST_P(QvConslOutOfRange, LeavesTheTextUnchanged)
{
    std::string text = "unchanged";
    GetConseil(GetParam().number, text);
    EXPECT_EQ(text, "unchanged");
}

INSTANTIATE_TEST_SUITE_P(Numbers, QvConslOutOfRange,
                         testing::Values(OutOfRangeCase{"Zero", 0}, OutOfRangeCase{"MinusOne", -1},
                                         OutOfRangeCase{"OnePastTheLast", GetNbConseil() + 1},
                                         OutOfRangeCase{"Smallest", std::numeric_limits<std::int32_t>::min()},
                                         OutOfRangeCase{"Largest", std::numeric_limits<std::int32_t>::max()}),
                         qv::test::RowName());

} // namespace
