#pragma once

#include <functional>

namespace platform {

// Requests from outside to end the program (the desktop logging out, the system shutting down, a
// user's kill), delivered on the event loop so that the normal exit can run.
class TerminationRequests {
public:
    virtual ~TerminationRequests() = default;

    // `onRequest` runs on the event loop once per request, with the signal number that carried it.
    virtual void watch(std::function<void(int signal)> onRequest) = 0;
};

} // namespace platform
