#pragma once

#include "internet/internet_controls.h"

#include <QString>
#include <cstdint>
#include <optional>

class MessagePolicy;

namespace platform {
class Network;
}

inline const QString kDefaultAddressPage = QStringLiteral("http://checkip.dyndns.org/");

// The handlers of the "Internet" tab: the connection check run by the memory timer and the
// retrieval of the public address, on demand or by `Timer5`.
class InternetController {
public:
    InternetController(InternetControls& controls, platform::Network& network, MessagePolicy& policy);

    // Run by `Timer1Timer` before its memory work. Cheap when nothing changed.
    void ConnectionCheck();
    // "Get IP from": throws TorvaneError when the GET fails (the caller reports it). Returns at
    // once while another retrieval or its report is still open.
    void Button16Click();
    // A tick of `Timer5`. Reports its own failures, at most one open at a time.
    void Timer5Timer();
    void CheckBox13Click();
    void SpinEdit12Change();

    // The button's click: `Button16Click` with its failure reported while the retrieval still
    // counts as running, so that `Timer5` ticks in the report's loop do not stack reports.
    void button16Clicked();

    bool internetConnected() const { return InternetConnected; }
    // Whether `Timer5` is switched on; it fires only while its interval is above 0 as well.
    bool timer5Enabled() const { return m_timer5Enabled; }

private:
    void retrieve();
    void applyTimer5();

    InternetControls& m_controls;
    platform::Network& m_network;
    MessagePolicy& m_policy;
    bool InternetConnected = false;
    bool m_timer5Enabled = false;
    bool m_retrieving = false;
    std::optional<std::uint32_t> m_shownFlags; // the flags `Memo1` shows now
};
