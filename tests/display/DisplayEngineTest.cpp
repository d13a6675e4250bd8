// Both display engines on a real X server with Mesa's software renderer: every test draws its scene, in its
// colours, and yields a finite positive rate; a stopped run ends at once and takes its window with it.
#include "bench/display/Bench2D.h"
#include "bench/display/Bench3D.h"
#include "bench/display/DisplayTests.h"
#include "tests/display/DisplayTestSupport.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QTest>
#include <QWindow>

#include <cmath>
#include <map>

namespace {

namespace bd = qv::bench::display;
using namespace std::chrono_literals;

struct EngineRun {
    std::optional<bd::DisplayResult> result;
    std::string failure;
};

// Each engine runs once, briefly, for all the checks of its tests.
const EngineRun& shortRun(bd::DisplayKind kind)
{
    static std::map<bd::DisplayKind, EngineRun> runs;
    const auto found = runs.find(kind);
    if (found != runs.end())
        return found->second;
    std::unique_ptr<bd::DisplayBench> bench;
    if (kind == bd::DisplayKind::TwoD)
        bench = std::make_unique<bd::Bench2D>();
    else
        bench = std::make_unique<bd::Bench3D>();
    EngineRun run;
    run.result = qv::test::runToEnd(*bench, {150ms, 50ms, true}, &run.failure);
    return runs[kind] = std::move(run);
}

// Every row is named after its `name`, already a valid test name.
const auto rowName = [](const auto& info) { return info.param.name; };

struct SceneRow {
    std::string name;
    bd::DisplayKind kind;
    std::size_t test;
};

std::vector<SceneRow> sceneRows()
{
    std::vector<SceneRow> rows;
    for (const bd::DisplayKind kind : {bd::DisplayKind::TwoD, bd::DisplayKind::ThreeD}) {
        const auto tests = bd::displayTests(kind);
        for (std::size_t i = 0; i < tests.size(); ++i)
            rows.push_back({std::string(bd::displayKindName(kind)) + std::string(tests[i].key), kind, i});
    }
    return rows;
}

class DisplayScene : public qv::test::OnXvfb, public testing::WithParamInterface<SceneRow> {};

TEST_P(DisplayScene, DrawsItsColoursAtAFinitePositiveRate)
{
    const SceneRow& row = GetParam();
    const EngineRun& run = shortRun(row.kind);
    ASSERT_TRUE(run.result) << run.failure;
    ASSERT_EQ(run.result->tests.size(), bd::displayTests(row.kind).size());
    const bd::DisplayTestResult& test = run.result->tests[row.test];
    EXPECT_EQ(test.key, bd::displayTests(row.kind)[row.test].key);
    EXPECT_TRUE(std::isfinite(test.rate) && test.rate > 0) << test.rate;
    EXPECT_TRUE(std::isfinite(test.primitivesPerSecond) && test.primitivesPerSecond >= test.rate);
    ASSERT_GT(test.frame.width, 0);
    EXPECT_EQ(test.frame.pixels.size(), std::size_t(test.frame.width) * std::size_t(test.frame.height));
    const bd::SceneColours colours = bd::sceneColours(row.kind, row.test);
    const qv::test::InkShares shares = qv::test::inkShares(test.frame, colours.background, colours.ink);
    EXPECT_GT(shares.inked, 0.01) << "the scene drew too little of its colour";
    EXPECT_LT(shares.foreign, 0.01) << "the frame holds colours the scene never draws";
}

INSTANTIATE_TEST_SUITE_P(Scenes, DisplayScene, testing::ValuesIn(sceneRows()), rowName);

using DisplayRun = qv::test::OnXvfb;

TEST_F(DisplayRun, TwoDRecordsTheWindowAndIndexes)
{
    const EngineRun& run = shortRun(bd::DisplayKind::TwoD);
    ASSERT_TRUE(run.result) << run.failure;
    EXPECT_EQ(run.result->width, 640);
    EXPECT_EQ(run.result->height, 480);
    EXPECT_GT(run.result->scale, 0);
    EXPECT_EQ(run.result->platform, "xcb");
    EXPECT_GT(bd::displayIndex(bd::DisplayKind::TwoD, bd::displayRates(*run.result)), 0);
}

TEST_F(DisplayRun, ThreeDNamesTheSoftwareRenderer)
{
    const EngineRun& run = shortRun(bd::DisplayKind::ThreeD);
    ASSERT_TRUE(run.result) << run.failure;
    EXPECT_FALSE(run.result->version.empty());
    EXPECT_FALSE(run.result->vendor.empty());
    EXPECT_TRUE(run.result->software) << run.result->renderer;
    EXPECT_GT(bd::displayIndex(bd::DisplayKind::ThreeD, bd::displayRates(*run.result)), 0);
}

struct StopRow {
    std::string name;
    bd::DisplayKind kind;
    bool destroy; // the owner destroys the engine instead of stopping it
};

class DisplayStop : public qv::test::OnXvfb, public testing::WithParamInterface<StopRow> {};

TEST_P(DisplayStop, EndsTheRunAndClosesItsWindow)
{
    std::unique_ptr<bd::DisplayBench> bench;
    if (GetParam().kind == bd::DisplayKind::TwoD)
        bench = std::make_unique<bd::Bench2D>();
    else
        bench = std::make_unique<bd::Bench3D>();
    bool ended = false;
    bench->start(
        {60s, 0ms, false},
        {{}, [&](const bd::DisplayResult&) { ended = true; }, [&](const std::string&) { ended = true; }});
    ASSERT_TRUE(bench->running());
    QTest::qWait(300);
    ASSERT_FALSE(ended);
    if (GetParam().destroy)
        bench.reset();
    else
        bench->stop();
    QTest::qWait(50);
    EXPECT_TRUE(bench == nullptr || !bench->running());
    EXPECT_FALSE(ended) << "a stopped run reports nothing";
    for (const QWindow* window : QGuiApplication::topLevelWindows())
        EXPECT_FALSE(window->isVisible()) << window->title().toStdString();
}

INSTANTIATE_TEST_SUITE_P(Kinds, DisplayStop,
                         testing::Values(StopRow{"TwoDStopped", bd::DisplayKind::TwoD, false},
                                         StopRow{"ThreeDStopped", bd::DisplayKind::ThreeD, false},
                                         StopRow{"ThreeDDestroyed", bd::DisplayKind::ThreeD, true}),
                         rowName);

} // namespace
