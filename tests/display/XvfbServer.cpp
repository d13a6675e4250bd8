#include "tests/display/XvfbServer.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>
#include <filesystem>

extern char** environ;

namespace qv::test {

namespace {

constexpr int kStartTimeoutMs = 15000;

std::string findXvfb()
{
    const char* path = std::getenv("PATH");
    std::string folders = path != nullptr ? path : "/usr/bin:/bin";
    std::size_t start = 0;
    while (start <= folders.size()) {
        const std::size_t end = std::min(folders.find(':', start), folders.size());
        const std::filesystem::path candidate =
            std::filesystem::path(folders.substr(start, end - start)) / "Xvfb";
        if (::access(candidate.c_str(), X_OK) == 0)
            return candidate.string();
        start = end + 1;
    }
    return {};
}

} // namespace

XvfbServer::XvfbServer()
{
    const std::string program = findXvfb();
    if (program.empty()) {
        m_reason = "Xvfb is not installed (Debian package xvfb)";
        return;
    }
    std::array<int, 2> pipe{};
    if (::pipe2(pipe.data(), O_CLOEXEC) != 0) {
        m_reason = std::string("no pipe: ") + std::strerror(errno);
        return;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    // The write end reaches Xvfb under a number of its own, without close-on-exec.
    constexpr int kDisplayFd = 3;
    posix_spawn_file_actions_adddup2(&actions, pipe[1], kDisplayFd);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    const std::string fd = std::to_string(kDisplayFd);
    std::array<const char*, 10> args{program.c_str(), "-displayfd", fd.c_str(), "-screen",  "0",
                                     "1280x1024x24",  "-nolisten",  "tcp",      "-noreset", nullptr};
    pid_t pid = -1;
    const int spawned =
        posix_spawn(&pid, program.c_str(), &actions, nullptr, const_cast<char**>(args.data()), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(pipe[1]);
    if (spawned != 0) {
        ::close(pipe[0]);
        m_reason = std::string("Xvfb did not start: ") + std::strerror(spawned);
        return;
    }
    m_pid = pid;
    std::string number;
    pollfd wait{pipe[0], POLLIN, 0};
    char c = 0;
    while (::poll(&wait, 1, kStartTimeoutMs) == 1 && ::read(pipe[0], &c, 1) == 1 && c != '\n')
        number += c;
    ::close(pipe[0]);
    if (number.empty()) {
        m_reason = "Xvfb gave no display number";
        end();
        return;
    }
    m_display = ':' + number;
}

XvfbServer::~XvfbServer()
{
    end();
}

void XvfbServer::end()
{
    if (m_pid <= 0)
        return;
    ::kill(m_pid, SIGTERM);
    int status = 0;
    ::waitpid(m_pid, &status, 0);
    m_pid = -1;
}

} // namespace qv::test
