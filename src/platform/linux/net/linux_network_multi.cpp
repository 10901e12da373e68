#include "platform/linux/net/linux_network_multi.h"

#include <QSocketNotifier>
#include <QTimer>
#include <algorithm>
#include <utility>

namespace platform {

namespace {

// A notifier may be the one whose signal is being delivered: it is switched off at once and
// deleted once control is back in the event loop.
void retire(QSocketNotifier*& notifier) {
    if (!notifier)
        return;
    notifier->setEnabled(false);
    notifier->deleteLater();
    notifier = nullptr;
}

} // namespace

CurlMultiLoop::CurlMultiLoop(Finished finished) : m_finished(std::move(finished)) {
    m_timer = new QTimer(this);
    m_timer->setSingleShot(true);
    m_timer->setTimerType(Qt::PreciseTimer);
    connect(m_timer, &QTimer::timeout, this, [this] { act(CURL_SOCKET_TIMEOUT, 0); });
    m_multi = curl_multi_init();
    if (!m_multi)
        return;
    curl_multi_setopt(m_multi, CURLMOPT_SOCKETFUNCTION, &CurlMultiLoop::onSocket);
    curl_multi_setopt(m_multi, CURLMOPT_SOCKETDATA, this);
    curl_multi_setopt(m_multi, CURLMOPT_TIMERFUNCTION, &CurlMultiLoop::onTimeout);
    curl_multi_setopt(m_multi, CURLMOPT_TIMERDATA, this);
}

CurlMultiLoop::~CurlMultiLoop() {
    // Transfers still in the multi handle belong to the caller, who removed them before.
    if (m_multi)
        curl_multi_cleanup(m_multi);
    m_watches.clear(); // the notifiers are children and go with this object
}

CURLMcode CurlMultiLoop::add(CURL* easy) {
    return curl_multi_add_handle(m_multi, easy);
}

void CurlMultiLoop::remove(CURL* easy) {
    curl_multi_remove_handle(m_multi, easy);
}

int CurlMultiLoop::onSocket(CURL*, curl_socket_t socket, int what, void* self, void*) {
    auto* loop = static_cast<CurlMultiLoop*>(self);
    if (what == CURL_POLL_REMOVE)
        loop->unwatch(socket);
    else
        loop->watch(socket, what);
    return 0;
}

// Curl asks for a call after `timeoutMs`; it must not be called back from inside this function,
// so even a timeout of 0 goes through the event loop.
int CurlMultiLoop::onTimeout(CURLM*, long timeoutMs, void* self) {
    auto* loop = static_cast<CurlMultiLoop*>(self);
    if (timeoutMs < 0)
        loop->m_timer->stop();
    else
        loop->m_timer->start(int(std::min<long>(timeoutMs, 24L * 3600 * 1000)));
    return 0;
}

void CurlMultiLoop::watch(curl_socket_t socket, int what) {
    Watch& entry = m_watches[socket];
    const auto follow = [this, socket](QSocketNotifier*& notifier, QSocketNotifier::Type type, bool wanted,
                                       int events) {
        if (!wanted) {
            if (notifier)
                notifier->setEnabled(false);
            return;
        }
        if (!notifier) {
            notifier = new QSocketNotifier(socket, type, this);
            connect(notifier, &QSocketNotifier::activated, this, [this, socket, events] { act(socket, events); });
        }
        notifier->setEnabled(true);
    };
    follow(entry.read, QSocketNotifier::Read, what & CURL_POLL_IN, CURL_CSELECT_IN);
    follow(entry.write, QSocketNotifier::Write, what & CURL_POLL_OUT, CURL_CSELECT_OUT);
}

void CurlMultiLoop::unwatch(curl_socket_t socket) {
    const auto found = m_watches.find(socket);
    if (found == m_watches.end())
        return;
    retire(found->second.read);
    retire(found->second.write);
    m_watches.erase(found);
}

void CurlMultiLoop::act(curl_socket_t socket, int events) {
    int running = 0;
    curl_multi_socket_action(m_multi, socket, events, &running);
    collectFinished();
}

void CurlMultiLoop::collectFinished() {
    int left = 0;
    while (CURLMsg* message = curl_multi_info_read(m_multi, &left)) {
        if (message->msg != CURLMSG_DONE)
            continue;
        // The message is invalid once its handle leaves the multi handle.
        CURL* easy = message->easy_handle;
        const CURLcode result = message->data.result;
        curl_multi_remove_handle(m_multi, easy);
        m_finished(easy, result);
    }
}

} // namespace platform
