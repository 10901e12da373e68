#include "internet/internet_controller.h"

#include "core/digits_to_int.h"
#include "core/error_report.h"
#include "core/message_policy.h"
#include "internet/address_extraction.h"
#include "internet/connection_lines.h"
#include "platform/dialogs.h"
#include "platform/network.h"
#include "platform/torvane_error.h"
#include "widgets/spin_edit.h"

#include <QAction>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTimer>
#include <exception>

namespace {

const QString kLineBreak = QStringLiteral("\n\r");

} // namespace

InternetController::InternetController(InternetControls& controls, const InternetOptions& options, QTimer& lookupTimer,
                                       platform::Network& network, MessagePolicy& policy)
    : m_controls(controls), m_options(options), m_lookupTimer(lookupTimer), m_network(network), m_policy(policy) {}

InternetController::~InternetController() = default;

void InternetController::ConnectionCheck() {
    std::uint32_t flags = 0;
    for (int call = 0; call < kMaxConnectionQueries; ++call) {
        flags = m_network.connectionState();
        if (!connectionQueryRepeats(flags))
            break;
    }
    // `connectionStateText` is rewritten only when the flags change: the same flags give the same lines and the
    // same `InternetConnected`, and rewriting it every 150 ms would relayout and repaint it.
    if (m_shownFlags == flags)
        return;
    const ConnectionReport report = connectionReport(flags);
    m_controls.connectionStateText->setPlainText(report.lines.join(QLatin1Char('\n')));
    InternetConnected = report.connected;
    m_shownFlags = flags;
}

void InternetController::onGetAddressClicked() {
    if (m_retrieving)
        return;
    m_retrieving = true;
    try {
        m_policy.show(BoxKind::SilentGated,
                      QStringLiteral("Trying to access the page ") + m_options.addressPage + QLatin1Char('.') +
                          kLineBreak + QStringLiteral("If you have any other firewall running, you should allow ") +
                          QStringLiteral("the program to access the internet, if promted.") + kLineBreak + kLineBreak +
                          QStringLiteral("Your IP adress will now be retrieved."),
                      QStringLiteral("Retrieve IP"), platform::MbOk);
        m_request = m_network.startHttpGet(m_options.addressPage,
                                           [this](const platform::HttpResult& result) { answered(result); });
    } catch (...) {
        m_retrieving = false;
        throw;
    }
}

// The retrieval counts as running until its report is closed, so that `addressLookupTimer` ticks in the
// report's loop do not stack reports.
void InternetController::answered(const platform::HttpResult& result) {
    m_request.reset();
    runGuarded(m_policy, [this, &result] {
        if (result.error)
            throw TorvaneError(*result.error);
        // A page without "Address:" is not the kind of page expected: the address shown stays.
        if (const std::optional<QString> address = extractAddress(result.body))
            m_controls.publicAddressEdit->setText(*address);
    });
    m_retrieving = false;
}

void InternetController::onAddressLookupTick() {
    if (m_retrieving)
        return;
    if (m_options.lookupOnlyWhenConnected && !InternetConnected)
        return;
    // The flag only hides the notice; it is back before the answer, and before any other handler.
    QAction* silent = m_controls.silentModeAction;
    const bool wasSilent = silent && silent->isChecked();
    if (silent)
        silent->setChecked(true);
    std::exception_ptr failure;
    try {
        onGetAddressClicked();
    } catch (...) {
        failure = std::current_exception();
    }
    if (silent)
        silent->setChecked(wasSilent);
    if (failure)
        std::rethrow_exception(failure);
}

// The timer fires only while it is switched on and its interval is above 0 (a QTimer of interval
// 0 would fire on every pass of the event loop).
void InternetController::applyLookupTimer() {
    if (m_lookupTimerEnabled && m_lookupTimer.interval() > 0) {
        if (!m_lookupTimer.isActive())
            m_lookupTimer.start();
    } else {
        m_lookupTimer.stop();
    }
}

void InternetController::onPeriodicLookupToggled() {
    m_lookupTimerEnabled = m_options.periodicLookup;
    m_controls.lookupIntervalSpin->setEnabled(m_lookupTimerEnabled);
    applyLookupTimer();
    const QString& text = m_options.lookupInterval;
    if (!text.isEmpty()) {
        m_lookupTimer.setInterval(DigitsToInt(text));
        applyLookupTimer();
    }
}

void InternetController::onLookupIntervalChanged() {
    const QString& text = m_options.lookupInterval;
    if (text.isEmpty())
        return;
    m_lookupTimer.setInterval(DigitsToInt(text));
    applyLookupTimer();
}
