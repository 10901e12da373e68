// Native windows through sway's IPC socket: one connection answers requests (the tree, commands),
// a second one carries the window events it subscribed to. While that watch lasts, the window list
// is kept from its events and from trees asked for on the same connection without waiting, so a
// slow compositor never holds the caller; only without a watch is the tree asked for and awaited.
#include "platform/linux/wayland/sway_ipc.h"
#include "platform/linux/wayland/sway_ipc_messages.h"

#include <QDeadlineTimer>
#include <QSocketNotifier>
#include <QTimer>
#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#include <unordered_map>

namespace platform {

namespace {

// A bound on each answer, so a compositor that hangs cannot hold Torvane for long.
constexpr int kReplyTimeoutMs = 3000;
constexpr int kBurstMs = 2;

int connectSocket(const QString& path) {
    const QByteArray bytes = path.toLocal8Bit();
    sockaddr_un address{};
    if (bytes.isEmpty() || bytes.size() >= qsizetype(sizeof address.sun_path))
        return -1;
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return -1;
    address.sun_family = AF_UNIX;
    memcpy(address.sun_path, bytes.constData(), bytes.size());
    if (::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

bool waitFor(int fd, short events, const QDeadlineTimer& deadline) {
    pollfd p{fd, events, 0};
    for (;;) {
        const int ready = poll(&p, 1, int(deadline.remainingTime()));
        if (ready < 0 && errno == EINTR)
            continue;
        return ready > 0 && (p.revents & events);
    }
}

// Sends one message and reads until the reply of the same type, dropping other messages before it;
// none on an error or timeout. Bytes after the reply stay in the reader.
std::optional<QByteArray> exchange(int fd, std::uint32_t type, QByteArrayView payload, sway::MessageReader& reader) {
    const QDeadlineTimer deadline(kReplyTimeoutMs);
    const QByteArray out = sway::encodeMessage(type, payload);
    for (qsizetype sent = 0; sent < out.size();) {
        if (!waitFor(fd, POLLOUT, deadline))
            return std::nullopt;
        const ssize_t n = send(fd, out.constData() + sent, out.size() - sent, MSG_NOSIGNAL | MSG_DONTWAIT);
        if (n < 0 && (errno == EINTR || errno == EAGAIN))
            continue;
        if (n <= 0)
            return std::nullopt;
        sent += n;
    }
    for (;;) {
        while (std::optional<sway::Message> message = reader.next())
            if (message->type == type)
                return message->payload;
        if (reader.corrupt() || !waitFor(fd, POLLIN, deadline))
            return std::nullopt;
        char buffer[65536];
        const ssize_t n = recv(fd, buffer, sizeof buffer, MSG_DONTWAIT);
        if (n < 0 && (errno == EINTR || errno == EAGAIN))
            continue;
        if (n <= 0)
            return std::nullopt;
        reader.append(QByteArrayView(buffer, n));
    }
}

bool sameState(const NativeWindow& a, const NativeWindow& b) {
    return a.title == b.title && a.visible == b.visible && a.pid == b.pid && a.appId == b.appId &&
           a.x11Window == b.x11Window && a.xwayland == b.xwayland;
}

class SwayIpcSource : public NativeWindowSource {
public:
    explicit SwayIpcSource(const QString& socketPath) : m_path(socketPath) {
        m_burst.setSingleShot(true);
        m_burst.setInterval(kBurstMs);
        QObject::connect(&m_burst, &QTimer::timeout, [this] { askTree(); });
    }

    ~SwayIpcSource() override {
        endWatch();
        if (m_fd >= 0)
            ::close(m_fd);
    }

    QString name() const override { return QStringLiteral("sway IPC"); }

    std::vector<NativeWindow> windows() override {
        if (m_current)
            return *m_current;
        return tree().value_or(std::vector<NativeWindow>{});
    }

    bool close(WindowHandle handle) override {
        if (!(handle & kNativeHandleBit))
            return false;
        const QByteArray command = "[con_id=" + QByteArray::number(handle & ~kNativeHandleBit) + "] kill";
        // While watching, the command goes out on the event connection without waiting: its reply
        // comes among the events and is passed over, so a slow compositor never holds up a kill.
        if (m_current) {
            const bool known = std::any_of(m_current->begin(), m_current->end(),
                                           [handle](const NativeWindow& w) { return w.handle == handle; });
            return known && sendWithoutWaiting(sway::RunCommand, command);
        }
        const std::optional<QByteArray> reply = request(sway::RunCommand, command);
        return reply && sway::succeeded(*reply);
    }

    void watch(Changed changed) override {
        endWatch();
        if (!changed)
            return;
        m_eventFd = connectSocket(m_path);
        // Events may follow the subscription's reply in the same read: the reader keeps them. Those
        // before the tree's reply are in that tree; those after it are changes since.
        const std::optional<QByteArray> reply =
            m_eventFd < 0 ? std::nullopt : exchange(m_eventFd, sway::Subscribe, R"(["window"])", m_events);
        const std::optional<QByteArray> tree =
            reply && sway::succeeded(*reply) ? exchange(m_eventFd, sway::GetTree, {}, m_events) : std::nullopt;
        const auto windows = tree ? sway::windowsInTree(*tree) : std::nullopt;
        if (!windows) {
            endWatch();
            return;
        }
        fcntl(m_eventFd, F_SETFL, fcntl(m_eventFd, F_GETFL) | O_NONBLOCK);
        m_changed = std::move(changed);
        // Only what changes after this point is reported.
        remember(*windows);
        m_current = *windows;
        m_notifier = std::make_unique<QSocketNotifier>(m_eventFd, QSocketNotifier::Read);
        QObject::connect(m_notifier.get(), &QSocketNotifier::activated, [this] { readEvents(); });
        takeMessages();
    }

    std::optional<std::vector<NativeWindow>> tree() {
        const std::optional<QByteArray> reply = request(sway::GetTree, {});
        return reply ? sway::windowsInTree(*reply) : std::nullopt;
    }

private:
    // A failed exchange leaves the connection in an unknown state: it is dropped and opened anew
    // for the next request.
    std::optional<QByteArray> request(std::uint32_t type, QByteArrayView payload) {
        if (m_fd < 0)
            m_fd = connectSocket(m_path);
        sway::MessageReader reader;
        std::optional<QByteArray> reply = m_fd < 0 ? std::nullopt : exchange(m_fd, type, payload, reader);
        if (!reply && m_fd >= 0) {
            ::close(m_fd);
            m_fd = -1;
        }
        return reply;
    }

    void readEvents() {
        char buffer[65536];
        for (;;) {
            const ssize_t n = recv(m_eventFd, buffer, sizeof buffer, 0);
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0 && errno == EAGAIN)
                break;
            if (n <= 0) { // sway ended or the connection broke: no events come any more
                endWatch();
                return;
            }
            m_events.append(QByteArrayView(buffer, n));
        }
        takeMessages();
    }

    void takeMessages() {
        while (std::optional<sway::Message> message = m_events.next()) {
            if (message->type == sway::GetTree) {
                treeArrived(message->payload);
                if (m_eventFd < 0) // the report ended the watch
                    return;
            } else if (message->type == sway::WindowEvent) {
                if (const std::optional<sway::WindowChange> change = sway::windowChange(message->payload))
                    sway::applyWindowChange(*m_current, *change);
                // The event alone cannot tell every change (the scratchpad, the order): a tree
                // follows, unless one is on its way, which sway made after this event.
                if (!m_treeAsked && !m_burst.isActive())
                    m_burst.start();
            }
        }
        if (m_events.corrupt())
            endWatch();
    }

    void askTree() {
        if (sendWithoutWaiting(sway::GetTree, {}))
            m_treeAsked = true;
    }

    // A socket that cannot take a few bytes has a compositor that stopped reading: the watch ends.
    bool sendWithoutWaiting(std::uint32_t type, QByteArrayView payload) {
        const QByteArray message = sway::encodeMessage(type, payload);
        ssize_t n;
        do
            n = send(m_eventFd, message.constData(), message.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
        while (n < 0 && errno == EINTR);
        if (n == message.size())
            return true;
        endWatch();
        return false;
    }

    // The tree tells what the events only hinted, compared with the tree before.
    void treeArrived(const QByteArray& json) {
        m_treeAsked = false;
        std::optional<std::vector<NativeWindow>> now = sway::windowsInTree(json);
        std::vector<NativeWindow> changed;
        if (now) {
            for (const NativeWindow& window : *now) {
                const auto known = m_known.find(window.handle);
                if (known == m_known.end() || !sameState(known->second, window))
                    changed.push_back(window);
            }
            remember(*now);
            m_current = std::move(*now);
        }
        if (!changed.empty() && m_changed) {
            const Changed report = m_changed; // the callback may end the watch
            report(changed);
        }
    }

    void remember(const std::vector<NativeWindow>& windows) {
        m_known.clear();
        for (const NativeWindow& window : windows)
            m_known.emplace(window.handle, window);
    }

    void endWatch() {
        m_burst.stop();
        m_notifier.reset();
        if (m_eventFd >= 0)
            ::close(m_eventFd);
        m_eventFd = -1;
        m_events = {};
        m_changed = {};
        m_known.clear();
        m_current.reset();
        m_treeAsked = false;
    }

    QString m_path;
    int m_fd = -1;      // requests and their replies
    int m_eventFd = -1; // subscribed events
    sway::MessageReader m_events;
    std::unique_ptr<QSocketNotifier> m_notifier;
    QTimer m_burst;
    Changed m_changed;
    std::unordered_map<WindowHandle, NativeWindow> m_known; // as the last tree told
    std::optional<std::vector<NativeWindow>> m_current;     // while watching: the list as now known
    bool m_treeAsked = false;                               // a tree is on its way on the event connection
};

} // namespace

std::unique_ptr<NativeWindowSource> connectSwayIpc(const QString& socketPath) {
    auto source = std::make_unique<SwayIpcSource>(socketPath);
    if (!source->tree())
        return nullptr;
    return source;
}

} // namespace platform
