#include "platform/DisplayCheck.h"

#include <gtest/gtest.h>

#include <optional>

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

} // namespace

TEST(DisplayCheck, NoDisplayVariableAtAllIsReportedInOneLine)
{
    ScopedEnvironment environment;
    environment.set("QT_QPA_PLATFORM", std::nullopt);
    environment.set("DISPLAY", std::nullopt);
    environment.set("WAYLAND_DISPLAY", std::nullopt);
    const QString problem = checkDisplay();
    EXPECT_TRUE(problem.contains(QStringLiteral("no display"))) << problem.toStdString();
    EXPECT_FALSE(problem.contains(QLatin1Char('\n')));
}

TEST(DisplayCheck, AnXDisplayThatCannotBeOpenedIsReported)
{
    ScopedEnvironment environment;
    environment.set("QT_QPA_PLATFORM", QByteArray("xcb"));
    environment.set("DISPLAY", QByteArray(":987"));
    environment.set("WAYLAND_DISPLAY", std::nullopt);
    EXPECT_EQ(checkDisplay(), QStringLiteral("cannot open display \":987\""));
}

TEST(DisplayCheck, AnExplicitHeadlessPlatformNeedsNoDisplay)
{
    ScopedEnvironment environment;
    environment.set("QT_QPA_PLATFORM", QByteArray("offscreen"));
    environment.set("DISPLAY", std::nullopt);
    environment.set("WAYLAND_DISPLAY", std::nullopt);
    EXPECT_TRUE(checkDisplay().isEmpty());
}
