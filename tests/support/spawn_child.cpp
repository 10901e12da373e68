#include "support/spawn_child.h"

#include <QFile>
#include <csignal>
#include <fcntl.h>
#include <stdexcept>
#include <sys/prctl.h>
#include <unistd.h>

pid_t spawnChild(std::vector<std::string> args, std::vector<std::string> env, const QString& log) {
    std::vector<char*> argv, envp;
    for (std::string& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    for (std::string& e : env)
        envp.push_back(e.data());
    envp.push_back(nullptr);
    const int devNull = open("/dev/null", O_RDONLY | O_CLOEXEC);
    const int logFd = open(QFile::encodeName(log).constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    const pid_t parent = getpid();
    const pid_t pid = fork();
    if (pid == 0) {
        // Only async-signal-safe calls until exec.
        prctl(PR_SET_PDEATHSIG, SIGTERM);
        if (getppid() != parent)
            _exit(127);
        if (devNull >= 0)
            dup2(devNull, 0);
        if (logFd >= 0) {
            dup2(logFd, 1);
            dup2(logFd, 2);
        }
        execve(argv[0], argv.data(), envp.data());
        _exit(127);
    }
    if (devNull >= 0)
        close(devNull);
    if (logFd >= 0)
        close(logFd);
    if (pid < 0)
        throw std::runtime_error("fork failed");
    return pid;
}
