#pragma once

#include "internet/internet_controls.h"

#include <QString>
#include <cstdint>
#include <memory>
#include <optional>

class MessagePolicy;

namespace platform {
class HttpRequest;
class Network;
struct HttpResult;
} // namespace platform

inline const QString kDefaultAddressPage = QStringLiteral("http://checkip.dyndns.org/");

// The handlers of the "Internet" tab: the connection check run by the memory timer and the
// retrieval of the public address, on demand or by `Timer5`.
class InternetController {
public:
    InternetController(InternetControls& controls, platform::Network& network, MessagePolicy& policy);
    ~InternetController();
    InternetController(const InternetController&) = delete;
    InternetController& operator=(const InternetController&) = delete;

    // Run by `Timer1Timer` before its memory work. Cheap when nothing changed.
    void ConnectionCheck();
    // "Get IP from": the notice, then the GET is started and the handler returns. The address, or
    // the failure in the general error report, follows when the answer arrives. Does nothing
    // while another retrieval (its notice, its GET or its report) is under way.
    void Button16Click();
    // A tick of `Timer5`: the same retrieval without the notice, skipped while one is under way.
    void Timer5Timer();
    void CheckBox13Click();
    void SpinEdit12Change();

    bool retrieving() const { return m_retrieving; }
    bool internetConnected() const { return InternetConnected; }
    // Whether `Timer5` is switched on; it fires only while its interval is above 0 as well.
    bool timer5Enabled() const { return m_timer5Enabled; }

private:
    void answered(const platform::HttpResult& result);
    void applyTimer5();

    InternetControls& m_controls;
    platform::Network& m_network;
    MessagePolicy& m_policy;
    bool InternetConnected = false;
    bool m_timer5Enabled = false;
    bool m_retrieving = false;
    std::unique_ptr<platform::HttpRequest> m_request; // dropped with the controller: no late answer
    std::optional<std::uint32_t> m_shownFlags;        // the flags `Memo1` shows now
};
