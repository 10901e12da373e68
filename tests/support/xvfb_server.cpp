#include "support/xvfb_server.h"
#include "support/stop_child.h"

#include <QStandardPaths>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <stdexcept>
#include <string>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr int StartTimeoutMs = 30000;

// The display number Xvfb writes to the pipe once it listens; -1 when it exits or says nothing.
int readDisplayNumber(int fd) {
    std::string text;
    pollfd p{fd, POLLIN, 0};
    while (text.find('\n') == std::string::npos) {
        const int ready = poll(&p, 1, StartTimeoutMs);
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0)
            return -1;
        char buffer[32];
        const ssize_t n = read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        text.append(buffer, static_cast<std::size_t>(n));
    }
    try {
        return std::stoi(text);
    } catch (const std::exception&) {
        return -1;
    }
}

bool acceptsConnections(int display) {
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::string path = "/tmp/.X11-unix/X" + std::to_string(display);
    path.copy(address.sun_path, sizeof address.sun_path - 1);
    const bool ok = connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    close(fd);
    return ok;
}

} // namespace

XvfbServer::XvfbServer(const std::string& screen) {
    const std::string program = QStandardPaths::findExecutable(QStringLiteral("Xvfb")).toStdString();
    if (program.empty())
        throw std::runtime_error("Xvfb is not installed");
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0)
        throw std::runtime_error("pipe2 failed");
    const int devNull = open("/dev/null", O_RDWR | O_CLOEXEC);
    const std::string displayFd = std::to_string(fds[1]);
    std::vector<std::string> args = {program,    "-displayfd", displayFd, "-nolisten",   "tcp",
                                     "-noreset", "-screen",    "0",       screen + "x24"};
    std::vector<char*> argv;
    for (std::string& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);

    const pid_t parent = getpid();
    m_pid = fork();
    if (m_pid == 0) {
        // Only async-signal-safe calls until exec. The server dies with the test process.
        prctl(PR_SET_PDEATHSIG, SIGTERM);
        if (getppid() != parent)
            _exit(127);
        fcntl(fds[1], F_SETFD, 0);
        if (devNull >= 0) {
            dup2(devNull, 0);
            dup2(devNull, 1);
            dup2(devNull, 2);
        }
        execv(argv[0], argv.data());
        _exit(127);
    }
    close(fds[1]);
    if (devNull >= 0)
        close(devNull);
    if (m_pid < 0) {
        close(fds[0]);
        throw std::runtime_error("fork failed");
    }
    const int display = readDisplayNumber(fds[0]);
    close(fds[0]);
    bool ready = display >= 0;
    for (int attempt = 0; ready && !acceptsConnections(display); ++attempt) {
        if (waitpid(m_pid, nullptr, WNOHANG) == m_pid)
            m_pid = -1; // already ended and reaped: nothing left to stop
        if (m_pid < 0 || attempt == 300)
            ready = false;
        else
            usleep(10000);
    }
    if (!ready) {
        stop();
        throw std::runtime_error("Xvfb did not start");
    }
    m_display = QStringLiteral(":%1").arg(display);
}

XvfbServer::~XvfbServer() {
    stop();
}

void XvfbServer::stop() {
    stopChild(m_pid);
}
