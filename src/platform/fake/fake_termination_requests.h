#pragma once

#include "platform/termination_requests.h"

namespace platform::fake {

// Termination requests a test sends by hand.
class FakeTerminationRequests : public TerminationRequests {
public:
    void watch(std::function<void(int)> onRequest) override { m_onRequest = std::move(onRequest); }
    void request(int signal) {
        if (m_onRequest)
            m_onRequest(signal);
    }

private:
    std::function<void(int)> m_onRequest;
};

} // namespace platform::fake
