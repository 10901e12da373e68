#include "platform/linux/session/signal_termination.h"

#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace platform {

namespace {

constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP};

// Read by the handler, which may run on any thread; set before the handlers are installed.
volatile std::sig_atomic_t g_writeEnd = -1;

void onSignal(int signal) {
    const int savedErrno = errno;
    const unsigned char number = static_cast<unsigned char>(signal);
    // A full pipe already holds a request; losing a repeat changes nothing.
    [[maybe_unused]] const ssize_t ignored = ::write(g_writeEnd, &number, 1);
    errno = savedErrno;
}

} // namespace

SignalTerminationRequests::SignalTerminationRequests() {
    // Without a pipe (no descriptors left) the signals keep their default action.
    if (::pipe2(m_pipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    g_writeEnd = m_pipe[1];
    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signal : kSignals)
        ::sigaction(signal, &action, nullptr);
}

SignalTerminationRequests::~SignalTerminationRequests() {
    if (m_pipe[0] < 0)
        return;
    for (int signal : kSignals)
        std::signal(signal, SIG_DFL);
    g_writeEnd = -1;
    m_notifier.reset();
    ::close(m_pipe[0]);
    ::close(m_pipe[1]);
}

void SignalTerminationRequests::watch(std::function<void(int)> onRequest) {
    m_onRequest = std::move(onRequest);
    if (m_pipe[0] < 0)
        return;
    m_notifier = std::make_unique<QSocketNotifier>(m_pipe[0], QSocketNotifier::Read);
    QObject::connect(m_notifier.get(), &QSocketNotifier::activated, m_notifier.get(), [this] { readRequests(); });
}

void SignalTerminationRequests::readRequests() {
    unsigned char numbers[16];
    ssize_t got;
    while ((got = ::read(m_pipe[0], numbers, sizeof numbers)) > 0)
        for (ssize_t i = 0; i < got; ++i)
            if (m_onRequest)
                m_onRequest(numbers[i]);
}

} // namespace platform
