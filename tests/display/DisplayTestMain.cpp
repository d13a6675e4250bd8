#include "tests/display/DisplayTestSupport.h"

#include <QGuiApplication>
#include <gtest/gtest.h>

#include <cstring>
#include <memory>

namespace qv::test {

namespace {
XvfbServer* g_server = nullptr;
}

const XvfbServer* xvfbServer()
{
    return g_server;
}

void OnXvfb::SetUp()
{
    if (g_server == nullptr || !g_server->running())
        GTEST_SKIP() << (g_server != nullptr ? g_server->reason() : std::string("no X server was started"));
}

} // namespace qv::test

// The display benchmarks' tests draw on a real X server: one Xvfb of their own (Mesa's software renderer
// serves its OpenGL), started before the application object connects to it and ended at the end. Listing
// the tests starts none.
int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    std::unique_ptr<qv::test::XvfbServer> server;
    if (!::testing::GTEST_FLAG(list_tests)) {
        server = std::make_unique<qv::test::XvfbServer>();
        qv::test::g_server = server.get();
    }
    if (server && server->running()) {
        qputenv("DISPLAY", QByteArray::fromStdString(server->display()));
        qputenv("QT_QPA_PLATFORM", "xcb");
        qunsetenv("WAYLAND_DISPLAY");
    } else {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    int status = 0;
    {
        QGuiApplication app(argc, argv);
        status = RUN_ALL_TESTS();
    }
    return status;
}
