#include "platform/DisplayCheck.h"
#include "tests/support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QLibraryInfo>
#include <gtest/gtest.h>

#include <cstring>
#include <optional>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

using qv::platform::checkDisplay;

namespace {

// Sets environment variables for one test and puts the old values back afterwards.
class ScopedEnvironment {
public:
    void set(const char* name, std::optional<QByteArray> value)
    {
        m_saved.emplace_back(name,
                             qEnvironmentVariableIsSet(name) ? std::optional(qgetenv(name)) : std::nullopt);
        value ? qputenv(name, *value) : qunsetenv(name);
    }
    ~ScopedEnvironment()
    {
        for (auto it = m_saved.rbegin(); it != m_saved.rend(); ++it)
            it->second ? qputenv(it->first, *it->second) : qunsetenv(it->first);
    }

private:
    std::vector<std::pair<const char*, std::optional<QByteArray>>> m_saved;
};

// A stand-in compositor: a listening AF_UNIX socket at `path`, closed and removed at the end.
class ListeningSocket {
public:
    explicit ListeningSocket(const QByteArray& path)
        : m_path(path)
    {
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::memcpy(address.sun_path, path.constData(), static_cast<std::size_t>(path.size()));
        m_descriptor = ::socket(AF_UNIX, SOCK_STREAM, 0);
        if (::bind(m_descriptor, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) != 0 ||
            ::listen(m_descriptor, 1) != 0)
            ADD_FAILURE() << "cannot listen on " << path.constData();
    }
    ~ListeningSocket()
    {
        ::close(m_descriptor);
        QFile::remove(QString::fromLocal8Bit(m_path));
    }

private:
    QByteArray m_path;
    int m_descriptor = -1;
};

// Every variable the check reads starts out unset; XDG_RUNTIME_DIR is a fresh folder. withWaylandPlugin()
// adds a plugin folder holding a Wayland plugin file, which this machine may not have installed.
class DisplayCheck : public testing::Test {
protected:
    DisplayCheck()
    {
        for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY", "XDG_SESSION_TYPE",
                                 "QT_PLUGIN_PATH", "QT_QPA_PLATFORM_PLUGIN_PATH"})
            environment.set(name, std::nullopt);
        environment.set("XDG_RUNTIME_DIR", runtimeFolder.toLocal8Bit());
    }

    void withWaylandPlugin()
    {
        const QString plugins = qv::test::scratchDirectory();
        QDir(plugins).mkpath(QStringLiteral("platforms"));
        QFile plugin(plugins + QStringLiteral("/platforms/libqwayland-generic.so"));
        ASSERT_TRUE(plugin.open(QIODevice::WriteOnly));
        environment.set("QT_PLUGIN_PATH", QByteArray("/nonexistent:") + plugins.toLocal8Bit());
    }

    QByteArray inRuntimeFolder(const char* name) const { return (runtimeFolder + '/' + name).toLocal8Bit(); }

    ScopedEnvironment environment;
    const QString runtimeFolder = qv::test::scratchDirectory();
};

TEST_F(DisplayCheck, NoDisplayVariableAtAllIsReportedInOneLine)
{
    const QString problem = checkDisplay();
    EXPECT_TRUE(problem.contains(QStringLiteral("no display"))) << problem.toStdString();
    EXPECT_FALSE(problem.contains(QLatin1Char('\n')));
}

TEST_F(DisplayCheck, AnXDisplayThatCannotBeOpenedIsReported)
{
    environment.set("QT_QPA_PLATFORM", QByteArray("xcb"));
    environment.set("DISPLAY", QByteArray(":987"));
    EXPECT_EQ(checkDisplay(), QStringLiteral("cannot open display \":987\""));
}

TEST_F(DisplayCheck, AWaylandDisplayNobodyServesIsReported)
{
    withWaylandPlugin();
    environment.set("WAYLAND_DISPLAY", QByteArray("wayland-7"));
    EXPECT_EQ(checkDisplay(), QStringLiteral("cannot connect to the Wayland display \"%1\"; no display "
                                             "available: DISPLAY is not set")
                                  .arg(QString::fromLocal8Bit(inRuntimeFolder("wayland-7"))));

    environment.set("QT_QPA_PLATFORM", QByteArray("wayland"));
    environment.set("XDG_RUNTIME_DIR", std::nullopt);
    EXPECT_EQ(checkDisplay(),
              QStringLiteral("cannot find the Wayland display \"wayland-7\": XDG_RUNTIME_DIR is not set"));
}

TEST_F(DisplayCheck, AServedWaylandDisplayIsEnoughWhereQtTriesWaylandFirst)
{
    withWaylandPlugin();
    const ListeningSocket byName(inRuntimeFolder("wayland-1"));
    const ListeningSocket byPath(inRuntimeFolder("compositor"));
    environment.set("DISPLAY", QByteArray(":987"));
    environment.set("WAYLAND_DISPLAY", QByteArray("wayland-1"));
    EXPECT_EQ(checkDisplay(), QString());
    environment.set("WAYLAND_DISPLAY", inRuntimeFolder("compositor"));
    EXPECT_EQ(checkDisplay(), QString());

    // A Wayland session without WAYLAND_DISPLAY uses the default name.
    const ListeningSocket byDefault(inRuntimeFolder("wayland-0"));
    environment.set("WAYLAND_DISPLAY", std::nullopt);
    environment.set("XDG_SESSION_TYPE", QByteArray("wayland"));
    EXPECT_EQ(checkDisplay(), QString());
}

TEST_F(DisplayCheck, WithoutTheWaylandPluginQtFallsBackToX11)
{
    if (QFile::exists(QLibraryInfo::path(QLibraryInfo::PluginsPath) + "/platforms/libqwayland-generic.so"))
        GTEST_SKIP() << "the Wayland plugin is installed";
    const ListeningSocket compositor(inRuntimeFolder("wayland-1"));
    environment.set("WAYLAND_DISPLAY", QByteArray("wayland-1"));
    EXPECT_EQ(checkDisplay(), QStringLiteral("no Qt platform plugin \"wayland\" is installed; no display "
                                             "available: DISPLAY is not set"));
}

TEST_F(DisplayCheck, APlatformWithoutPluginIsReportedUnlessAFallbackHasOne)
{
    environment.set("QT_QPA_PLATFORM", QByteArray("nosuch"));
    EXPECT_EQ(checkDisplay(), QStringLiteral("no Qt platform plugin \"nosuch\" is installed"));

    environment.set("QT_QPA_PLATFORM", QByteArray("nosuch:option=1;OffScreen:size=640x480"));
    EXPECT_EQ(checkDisplay(), QString());
}

} // namespace
