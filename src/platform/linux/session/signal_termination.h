#pragma once

#include "platform/termination_requests.h"

#include <memory>

class QSocketNotifier;

namespace platform {

// SIGTERM, SIGINT and SIGHUP as termination requests. The signal handler only writes the signal
// number into a pipe; the event loop reads it there, so no work ever runs inside the handler.
// One instance per process; it installs the handlers when constructed, so construct it early.
class SignalTerminationRequests : public TerminationRequests {
public:
    SignalTerminationRequests();
    ~SignalTerminationRequests() override;
    SignalTerminationRequests(const SignalTerminationRequests&) = delete;
    SignalTerminationRequests& operator=(const SignalTerminationRequests&) = delete;

    // Needs a QCoreApplication.
    void watch(std::function<void(int)> onRequest) override;

private:
    void readRequests();

    int m_pipe[2] = {-1, -1};
    std::unique_ptr<QSocketNotifier> m_notifier;
    std::function<void(int)> m_onRequest;
};

} // namespace platform
