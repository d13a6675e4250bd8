#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The measurement protocol between `quorvex-cli serve` and the network benchmark. Every message on the
// session connection is one line of ASCII ended by "\n":
//
//   client                              server
//   QVNET 1 SESSION                     OK <token> | BUSY | ERROR <why>
//   (per stream) QVNET 1 STREAM <token> OK | BUSY | ERROR <why>
//   DOWNLOAD <streams> <ms>             sends on the streams for <ms>, closes them, then SENT <bytes>
//   UPLOAD <streams> <ms>               counts what arrives until the client closes, RECEIVED <bytes> <us>
//   ECHO <count>                        OK, then echoes <count> blocks of kEchoBlock bytes
//   BYE                                 closes the session
//
// Stream connections carry the bulk data; the receiver counts the bytes.
namespace qv::bench::net {

inline constexpr int kProtocolVersion = 1;
inline constexpr std::string_view kMagic = "QVNET";
inline constexpr int kDefaultPort = 52003;

inline constexpr int kMaxStreams = 8;
inline constexpr std::int64_t kMaxPhaseMs = 60'000;
inline constexpr std::int64_t kMaxPhaseBytes = std::int64_t(1) << 38; // 256 GiB: a minute at 35 Gbit/s
inline constexpr int kMaxEchoes = 1000;
inline constexpr std::size_t kEchoBlock = 32;
// What one send or receive of bulk data moves at most.
inline constexpr std::size_t kBulkBlock = std::size_t(128) * 1024;
// A peer that says nothing for this long is dropped.
inline constexpr std::chrono::milliseconds kPeerTimeout{5000};

enum class Hello { Session, Stream };

struct HelloLine {
    int version = 0;
    Hello kind = Hello::Session;
    std::string token; // of a stream
};
std::string helloLine(Hello kind, std::string_view token = {});
// nullopt: not our protocol at all; a version other than ours parses, for a clear answer.
std::optional<HelloLine> parseHello(std::string_view line);

enum class Verb { Download, Upload, Echo, Bye };
struct Command {
    Verb verb = Verb::Bye;
    int streams = 0;
    std::int64_t count = 0; // milliseconds, or echoes
};
std::string commandLine(const Command& command);
// nullopt for anything malformed or out of bounds.
std::optional<Command> parseCommand(std::string_view line);

// "RECEIVED 123 456" -> {123, 456}; "SENT 123" -> {123, 0}.
struct Count {
    std::int64_t bytes = 0;
    std::int64_t micros = 0;
};
std::optional<Count> parseCount(std::string_view line, std::string_view word);

// Throughput in Mbit/s (10^6 bit).
double megabitsPerSecond(std::int64_t bytes, std::chrono::nanoseconds elapsed);

} // namespace qv::bench::net
