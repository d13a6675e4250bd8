#pragma once

#include <string>
#include <sys/types.h>

namespace qv::test {

// A virtual X server of the test's own, on the first free display (Xvfb picks it: -displayfd), ended by
// its process id when this object goes. Without Xvfb, or when it does not start, reason() says why.
class XvfbServer {
public:
    XvfbServer();
    ~XvfbServer();
    XvfbServer(const XvfbServer&) = delete;
    XvfbServer& operator=(const XvfbServer&) = delete;

    bool running() const { return m_pid > 0; }
    std::string display() const { return m_display; } // ":3"
    std::string reason() const { return m_reason; }

private:
    void end();

    pid_t m_pid = -1;
    std::string m_display;
    std::string m_reason;
};

} // namespace qv::test
