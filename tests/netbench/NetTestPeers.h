#pragma once

#include "bench/net/NetServer.h"
#include "bench/net/Socket.h"

#include <atomic>
#include <chrono>
#include <list>
#include <string>
#include <thread>

namespace qv::test {

// The benchmark's server on a free loopback port, serving on a thread until the object goes.
class LoopbackServer {
public:
    explicit LoopbackServer(std::chrono::milliseconds peerTimeout = std::chrono::milliseconds(1000),
                            const std::string& bind = "127.0.0.1");
    ~LoopbackServer();
    LoopbackServer(const LoopbackServer&) = delete;
    LoopbackServer& operator=(const LoopbackServer&) = delete;
    int port() const { return m_port; }

private:
    bench::net::NetServer m_server;
    int m_port;
    std::atomic<bool> m_stop = false;
    std::thread m_thread;
};

// A relay on a free loopback port to `targetPort`: each chunk waits `delay` before it is passed on, each
// way; freeze() makes it swallow everything from then on, as a peer that stopped answering.
class DelayingRelay {
public:
    DelayingRelay(int targetPort, std::chrono::milliseconds delay);
    ~DelayingRelay();
    DelayingRelay(const DelayingRelay&) = delete;
    DelayingRelay& operator=(const DelayingRelay&) = delete;
    int port() const { return m_port; }
    void freeze() { m_frozen = true; }

private:
    void pump(int from, int to);

    bench::net::Socket m_listener;
    int m_port;
    int m_target;
    std::chrono::milliseconds m_delay;
    std::atomic<bool> m_stop = false;
    std::atomic<bool> m_frozen = false;
    std::list<bench::net::Socket> m_sockets;
    std::list<std::thread> m_threads;
    std::thread m_acceptor;
};

// A connected socket to 127.0.0.1:port; an invalid one when nobody listens there.
bench::net::Socket connectLoopback(int port);

// A port on which nothing listens (just closed).
int closedLoopbackPort();

} // namespace qv::test
