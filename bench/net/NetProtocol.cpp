#include "bench/net/NetProtocol.h"

#include <charconv>
#include <vector>

namespace qv::bench::net {

namespace {

std::vector<std::string_view> words(std::string_view line)
{
    std::vector<std::string_view> result;
    while (!line.empty()) {
        const std::size_t space = line.find(' ');
        result.push_back(line.substr(0, space));
        if (space == std::string_view::npos)
            break;
        line.remove_prefix(space + 1);
    }
    return result;
}

std::optional<std::int64_t> number(std::string_view text, std::int64_t low, std::int64_t high)
{
    std::int64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || text.empty() || value < low ||
        value > high)
        return std::nullopt;
    return value;
}

constexpr std::string_view kVerbs[] = {"DOWNLOAD", "UPLOAD", "ECHO", "BYE"};

} // namespace

std::string helloLine(Hello kind, std::string_view token)
{
    std::string line = std::string(kMagic) + ' ' + std::to_string(kProtocolVersion);
    line += kind == Hello::Session ? " SESSION" : " STREAM " + std::string(token);
    return line + '\n';
}

std::optional<HelloLine> parseHello(std::string_view line)
{
    const std::vector<std::string_view> parts = words(line);
    if (parts.size() < 3 || parts[0] != kMagic)
        return std::nullopt;
    const auto version = number(parts[1], 0, 1'000'000);
    if (!version)
        return std::nullopt;
    HelloLine hello{int(*version), Hello::Session, {}};
    if (parts[2] == "SESSION" && parts.size() == 3)
        return hello;
    if (parts[2] == "STREAM" && parts.size() == 4) {
        hello.kind = Hello::Stream;
        hello.token = std::string(parts[3]);
        return hello;
    }
    // Another version may say other things; its number is what matters.
    if (hello.version != kProtocolVersion)
        return hello;
    return std::nullopt;
}

std::string commandLine(const Command& command)
{
    std::string line(kVerbs[int(command.verb)]);
    if (command.verb == Verb::Download || command.verb == Verb::Upload)
        line += ' ' + std::to_string(command.streams);
    if (command.verb != Verb::Bye)
        line += ' ' + std::to_string(command.count);
    return line + '\n';
}

std::optional<Command> parseCommand(std::string_view line)
{
    const std::vector<std::string_view> parts = words(line);
    if (parts.empty())
        return std::nullopt;
    Command command;
    if (parts[0] == "BYE" && parts.size() == 1)
        return command;
    if (parts[0] == "ECHO" && parts.size() == 2) {
        const auto count = number(parts[1], 1, kMaxEchoes);
        if (!count)
            return std::nullopt;
        return Command{Verb::Echo, 0, *count};
    }
    if ((parts[0] == "DOWNLOAD" || parts[0] == "UPLOAD") && parts.size() == 3) {
        const auto streams = number(parts[1], 1, kMaxStreams);
        const auto ms = number(parts[2], 1, kMaxPhaseMs);
        if (!streams || !ms)
            return std::nullopt;
        return Command{parts[0] == "DOWNLOAD" ? Verb::Download : Verb::Upload, int(*streams), *ms};
    }
    return std::nullopt;
}

std::optional<Count> parseCount(std::string_view line, std::string_view word)
{
    const std::vector<std::string_view> parts = words(line);
    const std::size_t expected = word == "RECEIVED" ? 3 : 2;
    if (parts.size() != expected || parts[0] != word)
        return std::nullopt;
    const auto bytes = number(parts[1], 0, kMaxPhaseBytes * kMaxStreams);
    const auto micros =
        expected == 3 ? number(parts[2], 0, (kMaxPhaseMs + 60'000) * 1000) : std::optional<std::int64_t>(0);
    if (!bytes || !micros)
        return std::nullopt;
    return Count{*bytes, *micros};
}

double megabitsPerSecond(std::int64_t bytes, std::chrono::nanoseconds elapsed)
{
    if (elapsed.count() <= 0)
        return 0;
    return double(bytes) * 8.0 / (double(elapsed.count()) / 1e9) / 1e6;
}

} // namespace qv::bench::net
