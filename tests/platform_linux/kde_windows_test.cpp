// The KDE source against a compositor of the test's own that speaks only the window management
// protocol, at the versions that change how windows are announced and completed.
#include "platform/linux/native_windows.h"

#include "plasma-window-management-server-protocol.h"
#include "pump_until.h"

#include <QTemporaryDir>
#include <atomic>
#include <gtest/gtest.h>
#include <mutex>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <thread>
#include <wayland-server.h>

using platform::NativeWindow;

namespace {

struct ServedWindow {
    std::string uuid, title;
    std::uint32_t pid;
    bool minimized;
    std::vector<wl_resource*> resources;
    bool closeRequested = false;
};

// Serves one client from a thread; callers lock `mutex` to look at or change the windows.
class PlasmaServer {
public:
    PlasmaServer(std::uint32_t version, std::vector<ServedWindow> windows) : m_windows(std::move(windows)) {
        m_display = wl_display_create();
        sockaddr_un address{.sun_family = AF_UNIX, .sun_path = {}};
        m_socket = m_dir.filePath("wayland-test");
        std::strncpy(address.sun_path, m_socket.toLocal8Bit().constData(), sizeof address.sun_path - 1);
        const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
        ::listen(fd, 4);
        wl_display_add_socket_fd(m_display, fd);
        wl_global_create(m_display, &org_kde_plasma_window_management_interface, version, this, bindManager);
        m_thread = std::thread([this] {
            pollfd fd{wl_event_loop_get_fd(wl_display_get_event_loop(m_display)), POLLIN, 0};
            while (!m_stop) {
                ::poll(&fd, 1, 5);
                std::lock_guard lock(mutex);
                wl_event_loop_dispatch(wl_display_get_event_loop(m_display), 0);
                wl_display_flush_clients(m_display);
            }
        });
    }
    ~PlasmaServer() {
        m_stop = true;
        m_thread.join();
        wl_display_destroy(m_display);
    }
    QString socket() const { return m_socket; }
    ServedWindow& window(std::size_t i) { return m_windows[i]; }
    template <typename Send> void sendTo(std::size_t i, Send send) {
        std::lock_guard lock(mutex);
        for (wl_resource* r : m_windows[i].resources)
            send(r);
    }

    std::mutex mutex;

private:
    static void bindManager(wl_client* client, void* data, std::uint32_t version, std::uint32_t id) {
        static const struct org_kde_plasma_window_management_interface manager {
            .show_desktop = nullptr,
            .get_window = [](wl_client* c, wl_resource* r, std::uint32_t id,
                             std::uint32_t index) { self(r)->follow(c, r, id, self(r)->m_windows.at(index)); },
            .get_window_by_uuid = [](wl_client* c, wl_resource* r, std::uint32_t id, const char* uuid) {
                for (ServedWindow& w : self(r)->m_windows)
                    if (w.uuid == uuid)
                        self(r)->follow(c, r, id, w);
            },
        };
        wl_resource* r = wl_resource_create(client, &org_kde_plasma_window_management_interface, version, id);
        wl_resource_set_implementation(r, &manager, data, nullptr);
        for (std::uint32_t i = 0; i < self(r)->m_windows.size(); ++i) {
            org_kde_plasma_window_management_send_window(r, i); // newer KWin still announces by number too
            if (version >= 13)
                org_kde_plasma_window_management_send_window_with_uuid(r, i, self(r)->m_windows[i].uuid.c_str());
        }
    }
    static PlasmaServer* self(wl_resource* r) { return static_cast<PlasmaServer*>(wl_resource_get_user_data(r)); }

    void follow(wl_client* client, wl_resource* manager, std::uint32_t id, ServedWindow& w) {
        static const struct org_kde_plasma_window_interface window = [] {
            struct org_kde_plasma_window_interface i {};
            i.close = [](wl_client*, wl_resource* r) { served(r).closeRequested = true; };
            i.destroy = [](wl_client*, wl_resource* r) { wl_resource_destroy(r); };
            return i;
        }();
        wl_resource* r =
            wl_resource_create(client, &org_kde_plasma_window_interface, wl_resource_get_version(manager), id);
        wl_resource_set_implementation(r, &window, &w, [](wl_resource* r) { std::erase(served(r).resources, r); });
        w.resources.push_back(r);
        org_kde_plasma_window_send_title_changed(r, w.title.c_str());
        org_kde_plasma_window_send_app_id_changed(r, "org.example.app");
        org_kde_plasma_window_send_pid_changed(r, w.pid);
        org_kde_plasma_window_send_state_changed(r, w.minimized ? ORG_KDE_PLASMA_WINDOW_MANAGEMENT_STATE_MINIMIZED : 0);
        if (wl_resource_get_version(r) >= 4)
            org_kde_plasma_window_send_initial_state(r);
    }
    static ServedWindow& served(wl_resource* r) { return *static_cast<ServedWindow*>(wl_resource_get_user_data(r)); }

    QTemporaryDir m_dir;
    QString m_socket;
    wl_display* m_display = nullptr;
    std::vector<ServedWindow> m_windows;
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};

} // namespace

// 16: announced by uuid and by number, completed by initial_state; 12: by number only; 3: no
// initial_state, no destroy request.
TEST(KdeWindows, ListsRetitlesClosesAndForgetsUnmappedWindows) {
    for (std::uint32_t version : {16u, 12u, 3u}) {
        SCOPED_TRACE(version);
        PlasmaServer server(version, {{"a", "Notes — draft", 4242, false, {}}, {"b", "Mail", 4343, true, {}}});
        auto source = platform::connectKdeWindows(server.socket());
        ASSERT_TRUE(source);
        const std::vector<NativeWindow> windows = source->windows();
        ASSERT_EQ(windows.size(), 2u);
        const NativeWindow &notes = windows[0].title == "Mail" ? windows[1] : windows[0],
                           &mail = windows[0].title == "Mail" ? windows[0] : windows[1];
        EXPECT_EQ(notes.title, QString::fromUtf8("Notes — draft"));
        EXPECT_EQ(std::tuple(notes.pid, notes.visible, notes.appId),
                  std::tuple(4242u, true, QString("org.example.app")));
        EXPECT_EQ(std::tuple(mail.pid, mail.visible), std::tuple(4343u, false));
        EXPECT_NE(notes.handle, mail.handle);
        EXPECT_TRUE(notes.handle & platform::kNativeHandleBit);

        std::vector<NativeWindow> seen;
        source->watch([&](const std::vector<NativeWindow>& w) { seen.insert(seen.end(), w.begin(), w.end()); });
        server.sendTo(0, [](wl_resource* r) { org_kde_plasma_window_send_title_changed(r, "Notes — final"); });
        EXPECT_TRUE(pumpUntil([&] {
            return std::any_of(seen.begin(), seen.end(),
                               [&](auto& w) { return w.handle == notes.handle && w.title == "Notes — final"; });
        }));

        EXPECT_FALSE(source->close(platform::kNativeHandleBit | 0x7fff0000));
        EXPECT_TRUE(source->close(mail.handle));
        EXPECT_TRUE(pumpUntil([&] {
            std::lock_guard lock(server.mutex);
            return server.window(1).closeRequested;
        }));
        EXPECT_FALSE(server.window(0).closeRequested);
        server.sendTo(1, [](wl_resource* r) { org_kde_plasma_window_send_unmapped(r); });
        EXPECT_TRUE(pumpUntil([&] { return source->windows().size() == 1; }));
        // The other protocol's source finds no global to bind on this compositor.
        EXPECT_EQ(platform::connectWlrToplevels(server.socket()), nullptr);
    }
}
