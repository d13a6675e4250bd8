#include "tools/cli/ServeCommand.h"

#include "bench/net/NetServer.h"
#include "tools/cli/ArgParser.h"

#include <atomic>
#include <csignal>
#include <ostream>

namespace qv::cli {

namespace {

namespace bn = bench::net;

constexpr std::string_view kSummary = "Answer the network benchmark of another machine (bench net)";

std::atomic<bool> g_interrupted = false;

// Ctrl+C and SIGTERM end the server between two polls instead of killing it mid-session.
class InterruptCatcher {
public:
    InterruptCatcher()
    {
        g_interrupted = false;
        struct sigaction action {};
        action.sa_handler = [](int) { g_interrupted = true; };
        sigemptyset(&action.sa_mask);
        sigaction(SIGINT, &action, &m_previousInt);
        sigaction(SIGTERM, &action, &m_previousTerm);
    }
    ~InterruptCatcher()
    {
        sigaction(SIGINT, &m_previousInt, nullptr);
        sigaction(SIGTERM, &m_previousTerm, nullptr);
    }
    InterruptCatcher(const InterruptCatcher&) = delete;
    InterruptCatcher& operator=(const InterruptCatcher&) = delete;

private:
    struct sigaction m_previousInt {};
    struct sigaction m_previousTerm {};
};

ArgParser serveArguments()
{
    ArgParser parser;
    parser.integerOption("--port", "N", 1, 65535, "the TCP port (default: 52003)");
    parser.option("--bind", "ADDRESS",
                  "the address to listen on (default: 127.0.0.1, this machine only); any other lets whoever "
                  "reaches it make this machine send data");
    parser.flag("--once", "end after the first session");
    return parser;
}

bool isLoopback(const std::string& address)
{
    return address.starts_with("127.") || address == "::1";
}

int runServe(std::span<const std::string> args, std::ostream& out, std::ostream& err)
{
    const ParsedArgs parsed = serveArguments().parse(args);
    bn::ServerSettings settings;
    settings.bind = parsed.text("--bind").value_or(settings.bind);
    settings.port = int(parsed.integer("--port").value_or(settings.port));
    settings.once = parsed.has("--once");
    bn::NetServer server(settings);
    if (!isLoopback(settings.bind)) {
        err << "quorvex-cli serve: warning: anyone who can reach " << settings.bind
            << " can now make this machine send and receive data\n";
    }
    out << "Listening on " << settings.bind << " port " << server.port()
        << "; measure with: quorvex-cli bench net HOST --port " << server.port() << " (Ctrl+C ends)\n";
    out.flush();
    const InterruptCatcher catcher;
    server.run(g_interrupted, [&out](const std::string& line) {
        out << line << '\n';
        out.flush();
    });
    return exit_status::kSuccess;
}

} // namespace

Subcommand serveCommand()
{
    return {"serve", std::string(kSummary), serveArguments().usage("serve", kSummary), runServe};
}

} // namespace qv::cli
