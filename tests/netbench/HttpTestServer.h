#pragma once

#include "bench/net/Socket.h"

#include <QString>

#include <atomic>
#include <list>
#include <thread>

namespace qv::test {

// A small HTTP/1.1 server on a free loopback port, one thread per connection, for the Internet
// benchmark's tests. Paths: /data/N (N bytes), /hop/N (N redirects, the last to /data/1000000), /loop
// (redirects to itself), /stall (headers and 1,000 bytes of 1,000,000, then silence), anything else 404.
class HttpTestServer {
public:
    HttpTestServer();
    ~HttpTestServer();
    HttpTestServer(const HttpTestServer&) = delete;
    HttpTestServer& operator=(const HttpTestServer&) = delete;

    int port() const { return m_port; }
    QString url(const char* path) const;

private:
    void answer(const bench::net::Socket& socket);

    bench::net::Socket m_listener;
    int m_port;
    std::atomic<bool> m_stop = false;
    std::list<std::thread> m_threads;
    std::thread m_acceptor;
};

} // namespace qv::test
