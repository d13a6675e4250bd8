#include "tools/cli/StressCommand.h"
#include "tools/cli/Cli.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <csignal>
#include <sstream>
#include <thread>

namespace {

struct StressRun {
    int status = -1;
    std::string out;
    std::string err;
    QJsonObject json() const { return QJsonDocument::fromJson(QByteArray::fromStdString(out)).object(); }
};

StressRun runStress(const std::vector<std::string>& options)
{
    qv::cli::StressEnvironment environment;
    environment.isTerminal = [](const std::ostream&) { return false; };
    environment.readSensors = [] { return qv::stress::SensorReading{}; };
    qv::cli::CommandRegistry registry;
    registry.add(qv::cli::stressCommand(environment));
    std::vector<std::string> args{"stress"};
    args.insert(args.end(), options.begin(), options.end());
    std::ostringstream out;
    std::ostringstream err;
    StressRun run;
    run.status = qv::cli::runCli(registry, args, out, err);
    run.out = out.str();
    run.err = err.str();
    return run;
}

TEST(StressCommandTest, SelfCheckFindsBothInjectedFaults)
{
    const StressRun run = runStress({"--self-check", "--json"});
    ASSERT_EQ(run.status, 0) << run.out << run.err;
    const QJsonObject json = run.json();
    EXPECT_TRUE(json[QStringLiteral("SelfCheck")][QStringLiteral("KernelFaultFound")].toBool());
    EXPECT_TRUE(json[QStringLiteral("SelfCheck")][QStringLiteral("MemoryFaultFound")].toBool());
    EXPECT_EQ(json[QStringLiteral("Errors")].toInt(), 2);
}

TEST(StressCommandTest, ShortRunWithoutErrorSaysThereAreNoSensors)
{
    const StressRun run = runStress({"--duration", "0.2", "--cpu", "1", "--memory", "1", "--json"});
    ASSERT_EQ(run.status, 0) << run.out << run.err;
    const QJsonObject json = run.json();
    EXPECT_EQ(json[QStringLiteral("Errors")].toInt(), 0);
    EXPECT_EQ(json[QStringLiteral("Workers")].toArray().size(), 1);
    EXPECT_EQ(json[QStringLiteral("Memory")][QStringLiteral("Bytes")].toInt(), 1 << 20);
    EXPECT_EQ(json[QStringLiteral("Sensors")].toString(),
              QStringLiteral("This machine has no temperature sensors"));
    EXPECT_TRUE(json[QStringLiteral("Verdict")].toString().startsWith(QStringLiteral("No error in ")));
}

TEST(StressCommandTest, MistakesInTheCommandLineAreUsageErrors)
{
    EXPECT_EQ(runStress({"--memory", "4", "--memory-share", "10"}).status, 2);
    EXPECT_EQ(runStress({"--duration", "ten"}).status, 2);
    EXPECT_EQ(runStress({"--memory-share", "60"}).status, 2);
    EXPECT_EQ(runStress({"--self-check", "--duration", "5"}).status, 2);
}

TEST(StressCommandTest, TerminationStopsWithTheSummarySoFar)
{
    StressRun run;
    std::thread command([&] { run = runStress({"--cpu", "1", "--memory", "0", "--json"}); });
    // The signal goes out once the command has put its handler in place.
    struct sigaction current = {};
    do {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
        sigaction(SIGTERM, nullptr, &current);
    } while (current.sa_handler == SIG_DFL);
    kill(getpid(), SIGTERM);
    command.join();

    ASSERT_EQ(run.status, 0) << run.out << run.err;
    EXPECT_EQ(run.json()[QStringLiteral("StopReason")].toString(), QStringLiteral("Terminated"));
    sigaction(SIGTERM, nullptr, &current);
    EXPECT_EQ(current.sa_handler, SIG_DFL) << "the handler before is restored";
}

} // namespace
