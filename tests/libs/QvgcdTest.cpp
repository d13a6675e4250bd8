#include "libs/qvgcd/qvgcd.h"
#include "platform/CpuidDump.h"
#include "platform/CpuidSource.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <set>
#include <sstream>
#include <string>

namespace {

using qv::platform::RecordedCpuidSource;
using qv::platform::ScopedCpuidSource;

std::shared_ptr<const RecordedCpuidSource> dump(const char* text)
{
    return std::make_shared<RecordedCpuidSource>(RecordedCpuidSource::parse(text));
}

TEST(Qvgcd, ReturnsLeafTwoOfTheInstalledSourceInRegisterOrder)
{
    ScopedCpuidSource scope(dump("CPUID 00000002: 03020101-00000000-00000000-0C040843\n"
                                 "CPUID 00000001: 11111111-22222222-33333333-44444444\n"));
    EXPECT_EQ(getcda(), 0x03020101u);
    EXPECT_EQ(getcdb(), 0u);
    EXPECT_EQ(getcdc(), 0u);
    EXPECT_EQ(getcdd(), 0x0C040843u);
}

TEST(Qvgcd, FollowsAReplacedSource)
{
    ScopedCpuidSource first(dump("CPUID 00000002: 1-2-3-4\n"));
    ASSERT_EQ(getcdc(), 3u);
    ScopedCpuidSource second(dump("CPUID 00000002: 5-6-7-8\n"));
    EXPECT_EQ(getcda(), 5u);
    EXPECT_EQ(getcdb(), 6u);
    EXPECT_EQ(getcdc(), 7u);
    EXPECT_EQ(getcdd(), 8u);
}

TEST(Qvgcd, AProcessorWithoutCpuidGivesZeros)
{
    ScopedCpuidSource scope(dump("# no CPUID\n"));
    EXPECT_EQ(getcda() | getcdb() | getcdc() | getcdd(), 0u);
}

TEST(Qvgcd, MatchesThisProcessorsLeafTwo)
{
    const auto& processor = qv::platform::processorCpuidSource();
    if (!processor.identificationFlagToggles())
        GTEST_SKIP() << "no CPUID on this processor";
    const qv::platform::CpuidRegisters leaf2 = processor.execute(2);
    EXPECT_EQ(getcda(), leaf2.eax);
    EXPECT_EQ(getcdd(), leaf2.edx);
}

TEST(Qvgcd, ExportsExactlyTheFourFunctions)
{
    const std::string command =
        std::string("nm -D --defined-only ").append(QVGCD_FILE).append(" 2>/dev/null");
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr)
        GTEST_SKIP() << "cannot run nm";
    std::set<std::string> functions;
    char line[512];
    while (std::fgets(line, sizeof line, pipe) != nullptr) {
        std::istringstream fields(line);
        std::string address, type, name;
        if (fields >> address >> type >> name && (type == "T" || type == "W"))
            functions.insert(name);
    }
    if (pclose(pipe) != 0 && functions.empty())
        GTEST_SKIP() << "nm is not available";
    functions.erase("_init");
    functions.erase("_fini");
    EXPECT_EQ(functions, (std::set<std::string>{"getcda", "getcdb", "getcdc", "getcdd"}));
}

} // namespace
