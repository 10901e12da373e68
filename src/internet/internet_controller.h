#pragma once

#include "internet/internet_controls.h"
#include "internet/internet_options.h"

#include <QString>
#include <cstdint>
#include <memory>
#include <optional>

class MessagePolicy;
class QTimer;

namespace platform {
class HttpRequest;
class Network;
struct HttpResult;
} // namespace platform

// The handlers of the "Internet" tab: the connection check run by the memory timer and the
// retrieval of the public address, on demand or by `addressLookupTimer`.
class InternetController {
public:
    // `controls` are the ones it shows into or sets; `lookupTimer` is the tab's `addressLookupTimer`.
    InternetController(InternetControls& controls, const InternetOptions& options, QTimer& lookupTimer,
                       platform::Network& network, MessagePolicy& policy);
    ~InternetController();
    InternetController(const InternetController&) = delete;
    InternetController& operator=(const InternetController&) = delete;

    // Run by `onStatusTick` before its memory work. Cheap when nothing changed.
    void ConnectionCheck();
    // "Get IP from": the notice, then the GET is started and the handler returns. The address, or
    // the failure in the general error report, follows when the answer arrives. Does nothing
    // while another retrieval (its notice, its GET or its report) is under way.
    void onGetAddressClicked();
    // A tick of `addressLookupTimer`: the same retrieval without the notice, skipped while one is under way.
    void onAddressLookupTick();
    void onPeriodicLookupToggled();
    void onLookupIntervalChanged();

    bool retrieving() const { return m_retrieving; }
    bool internetConnected() const { return InternetConnected; }
    // Whether `addressLookupTimer` is switched on; it fires only while its interval is above 0 as well.
    bool lookupTimerEnabled() const { return m_lookupTimerEnabled; }

private:
    void answered(const platform::HttpResult& result);
    void applyLookupTimer();

    InternetControls& m_controls;
    const InternetOptions& m_options;
    QTimer& m_lookupTimer;
    platform::Network& m_network;
    MessagePolicy& m_policy;
    bool InternetConnected = false;
    bool m_lookupTimerEnabled = false;
    bool m_retrieving = false;
    std::unique_ptr<platform::HttpRequest> m_request; // dropped with the controller: no late answer
    std::optional<std::uint32_t> m_shownFlags;        // the flags `connectionStateText` shows now
};
