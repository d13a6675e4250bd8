#pragma once

#include "bench/net/NetProtocol.h"
#include "bench/net/Socket.h"

#include <atomic>
#include <condition_variable>
#include <functional>
#include <list>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace qv::bench::net {

struct ServerSettings {
    std::string bind = "127.0.0.1";
    int port = kDefaultPort; // 0: any free port
    bool once = false;       // return after the first session
    std::chrono::milliseconds peerTimeout = kPeerTimeout;
};

// Called from the server's threads, one call at a time, with one line (no line break).
using ServerLog = std::function<void(const std::string&)>;

// The measuring end of the network benchmark: one session at a time (a second client is told it is
// busy), every phase bounded in time and bytes, a silent or malformed peer dropped after peerTimeout.
// Nothing is written to disk.
class NetServer {
public:
    // Listens at once; throws NetBenchError.
    explicit NetServer(ServerSettings settings);
    ~NetServer();
    NetServer(const NetServer&) = delete;
    NetServer& operator=(const NetServer&) = delete;

    int port() const;

    // Serves until `stop` is set (within a tenth of a second), or after one session with `once`.
    // Logs one line per session and per refused peer.
    void run(const std::atomic<bool>& stop, const ServerLog& log);

private:
    struct Worker {
        std::thread thread;
        std::shared_ptr<std::atomic<bool>> done;
    };
    void serveConnection(Socket socket, const std::string& peer);
    std::string runSession(const Socket& control);
    std::string download(const Socket& control, int streams, std::chrono::milliseconds duration);
    std::string upload(const Socket& control, int streams, std::chrono::milliseconds duration);
    std::vector<Socket> takeStreams(int count);
    void log(const std::string& line);
    void reap(bool all);

    ServerSettings m_settings;
    Socket m_listener;
    std::atomic<bool> m_stopping = false;
    std::atomic<int> m_sessions = 0;
    std::list<Worker> m_workers;

    std::mutex m_mutex; // guards what follows
    bool m_busy = false;
    std::string m_token;
    std::vector<Socket> m_streams;
    std::condition_variable m_streamsArrived;
    ServerLog m_log;
};

} // namespace qv::bench::net
