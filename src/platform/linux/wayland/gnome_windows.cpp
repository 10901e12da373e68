// Windows through Torvane's GNOME Shell extension, which answers on the shell's own bus connection.
// One list at start, then the extension's signals keep a local copy current, so an answer never
// waits for the shell.
#include "platform/linux/wayland/gnome_windows.h"

#include "platform/linux/x11/x11_text.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QObject>
#include <QStandardPaths>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <optional>

namespace platform {

namespace {

const QString kService = QStringLiteral("org.gnome.Shell");
const QString kPath = QStringLiteral("/io/github/torvane/Shell");
const QString kInterface = QStringLiteral("io.github.torvane.Shell1");
const QString kWindowSignature = QStringLiteral("(tsbusbu)");
constexpr int kBurstMs = 2;

// A window as the extension tells it, with the shell's id.
struct ShellWindow {
    quint64 id = 0;
    NativeWindow window;
};

ShellWindow readWindow(const QDBusArgument& argument) {
    ShellWindow w;
    bool x11 = false;
    argument.beginStructure();
    argument >> w.id >> w.window.title >> w.window.visible >> w.window.pid >> w.window.appId >> x11 >>
        w.window.x11Window;
    argument.endStructure();
    w.window.title = x11::cutTitle(w.window.title);
    w.window.xwayland = x11;
    if (!x11)
        w.window.x11Window = 0;
    return w;
}

// The windows of a ListWindows answer; nothing when it is not one.
std::optional<std::vector<ShellWindow>> readList(const QDBusMessage& reply) {
    if (reply.type() != QDBusMessage::ReplyMessage || reply.signature() != QLatin1Char('a') + kWindowSignature)
        return std::nullopt;
    const QDBusArgument argument = qvariant_cast<QDBusArgument>(reply.arguments().at(0));
    std::vector<ShellWindow> windows;
    argument.beginArray();
    while (!argument.atEnd())
        windows.push_back(readWindow(argument));
    argument.endArray();
    return windows;
}

bool sameState(const NativeWindow& a, const NativeWindow& b) {
    return a.title == b.title && a.visible == b.visible && a.pid == b.pid && a.appId == b.appId &&
           a.x11Window == b.x11Window && a.xwayland == b.xwayland;
}

QString nextConnectionName() {
    static std::atomic<int> counter{0};
    return QStringLiteral("torvane-gnome-shell-%1").arg(++counter);
}

} // namespace

class GnomeShellWindows final : public QObject, public NativeWindowSource {
    Q_OBJECT
public:
    // `ownedConnection` names a connection this source opened and closes, empty for the session bus.
    GnomeShellWindows(const QDBusConnection& bus, QString ownedConnection)
        : m_bus(bus), m_ownedConnection(std::move(ownedConnection)) {
        m_burst.setSingleShot(true);
        m_burst.setInterval(kBurstMs);
        QObject::connect(&m_burst, &QTimer::timeout, this, [this] { deliver(); });
    }

    ~GnomeShellWindows() override {
        for (const char* name : {"WindowAdded", "WindowChanged", "WindowRemoved"})
            m_bus.disconnect(kService, kPath, kInterface, QString::fromLatin1(name), this, slotOf(name));
        if (!m_ownedConnection.isEmpty())
            QDBusConnection::disconnectFromBus(m_ownedConnection);
    }

    // Subscribes before listing, so no change falls between the list and the first signal.
    bool start(int timeoutMs) {
        for (const char* name : {"WindowAdded", "WindowChanged", "WindowRemoved"})
            if (!m_bus.connect(kService, kPath, kInterface, QString::fromLatin1(name), this, slotOf(name)))
                return false;
        QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kInterface, "ListWindows");
        call.setAutoStartService(false); // only a running shell has windows
        const std::optional<std::vector<ShellWindow>> listed = readList(m_bus.call(call, QDBus::Block, timeoutMs));
        if (!listed)
            return false;
        for (const ShellWindow& w : *listed)
            upsert(w, false);
        return true;
    }

    QString name() const override { return QStringLiteral("GNOME Shell"); }

    std::vector<NativeWindow> windows() override {
        std::vector<NativeWindow> out;
        out.reserve(m_windows.size());
        for (const ShellWindow& w : m_windows)
            out.push_back(w.window);
        return out;
    }

    // Sent without waiting for the answer: the shell may be busy, the kill list may not wait.
    bool close(WindowHandle handle) override {
        const auto it = std::find_if(m_windows.begin(), m_windows.end(),
                                     [handle](const ShellWindow& w) { return w.window.handle == handle; });
        if (it == m_windows.end())
            return false;
        QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kInterface, "Close");
        call << QVariant::fromValue<qulonglong>(it->id);
        return m_bus.send(call);
    }

    void watch(Changed changed) override {
        m_changed = std::move(changed);
        m_touched.clear();
    }

private slots:
    void windowAdded(const QDBusMessage& message) { windowSignal(message); }
    void windowChanged(const QDBusMessage& message) { windowSignal(message); }
    void windowRemoved(const QDBusMessage& message) {
        if (message.signature() != QLatin1String("t"))
            return;
        const quint64 id = message.arguments().at(0).toULongLong();
        std::erase_if(m_windows, [id](const ShellWindow& w) { return w.id == id; });
    }

private:
    static const char* slotOf(const char* name) {
        const QByteArray signal(name);
        if (signal == "WindowAdded")
            return SLOT(windowAdded(QDBusMessage));
        if (signal == "WindowChanged")
            return SLOT(windowChanged(QDBusMessage));
        return SLOT(windowRemoved(QDBusMessage));
    }

    void windowSignal(const QDBusMessage& message) {
        if (message.signature() == kWindowSignature)
            upsert(readWindow(qvariant_cast<QDBusArgument>(message.arguments().at(0))), true);
    }

    // A window keeps the handle it got when first seen for as long as the shell lists it.
    void upsert(ShellWindow w, bool report) {
        auto it = std::find_if(m_windows.begin(), m_windows.end(), [&w](const ShellWindow& k) { return k.id == w.id; });
        if (it == m_windows.end()) {
            w.window.handle = nextNativeHandle();
            m_windows.push_back(w);
            it = m_windows.end() - 1;
        } else {
            w.window.handle = it->window.handle;
            if (sameState(it->window, w.window))
                return;
            *it = w;
        }
        if (!report)
            return;
        if (std::find(m_touched.begin(), m_touched.end(), it->window.handle) == m_touched.end())
            m_touched.push_back(it->window.handle);
        if (!m_burst.isActive())
            m_burst.start();
    }

    void deliver() {
        std::vector<NativeWindow> touched;
        for (WindowHandle h : m_touched) {
            auto it = std::find_if(m_windows.begin(), m_windows.end(),
                                   [h](const ShellWindow& w) { return w.window.handle == h; });
            if (it != m_windows.end())
                touched.push_back(it->window);
        }
        m_touched.clear();
        if (m_changed && !touched.empty())
            m_changed(touched);
    }

    QDBusConnection m_bus;
    QString m_ownedConnection;
    std::vector<ShellWindow> m_windows; // in the order the shell first told them
    std::vector<WindowHandle> m_touched;
    QTimer m_burst;
    Changed m_changed;
};

std::unique_ptr<NativeWindowSource> connectGnomeShell(const QString& busAddress, int timeoutMs) {
    QString owned;
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!busAddress.isEmpty()) {
        owned = nextConnectionName();
        bus = QDBusConnection::connectToBus(busAddress, owned);
    }
    if (!bus.isConnected()) {
        if (!owned.isEmpty())
            QDBusConnection::disconnectFromBus(owned);
        return nullptr;
    }
    auto source = std::make_unique<GnomeShellWindows>(bus, owned);
    if (!source->start(timeoutMs))
        return nullptr;
    return source;
}

bool gnomeExtensionInstalled() {
    // The user's data folder first, then the machine's (/usr/local/share, /usr/share).
    return !QStandardPaths::locate(QStandardPaths::GenericDataLocation,
                                   QStringLiteral("gnome-shell/extensions/") + kGnomeExtensionUuid,
                                   QStandardPaths::LocateDirectory)
                .isEmpty();
}

} // namespace platform

#include "gnome_windows.moc"
