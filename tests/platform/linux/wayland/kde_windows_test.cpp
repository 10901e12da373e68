// The KDE source against a compositor of the test's own that speaks only the window management
// protocol, at the versions that change how windows are announced and completed.
#include "platform/fake/fake_platform.h"
#include "platform/linux/wayland/kde_windows.h"
#include "platform/linux/wayland/merged_window_system.h"
#include "platform/linux/wayland/wlr_toplevels.h"

#include "plasma-window-management-server-protocol.h"
#include "support/pump_until.h"

#include <QTemporaryDir>
#include <atomic>
#include <gtest/gtest.h>
#include <mutex>
#include <poll.h>
#include <thread>
#include <wayland-server.h>

using platform::NativeWindow;

namespace {

// A window as the test's compositor serves it; its index is its uuid.
struct ServedWindow {
    std::string title;
    std::uint32_t pid;
    bool minimized;
    std::vector<wl_resource*> resources = {};
    bool closeRequested = false;
};

// Serves from a thread; the test locks `mutex` to look at or change `windows`.
class PlasmaServer {
public:
    PlasmaServer(std::uint32_t version, std::vector<ServedWindow> served) : windows(std::move(served)) {
        wl_display_add_socket(m_display, socket().toLocal8Bit().constData());
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
    QString socket() const { return m_dir.filePath("wayland-test"); }

    std::mutex mutex;
    std::vector<ServedWindow> windows;

private:
    static void bindManager(wl_client* client, void* data, std::uint32_t version, std::uint32_t id) {
        static const struct org_kde_plasma_window_management_interface manager {
            .show_desktop = nullptr,
            .get_window = [](wl_client* c, wl_resource* r, std::uint32_t id,
                             std::uint32_t index) { follow(c, r, id, self(r)->windows.at(index)); },
            .get_window_by_uuid = [](wl_client* c, wl_resource* r, std::uint32_t id, const char* uuid) {
                follow(c, r, id, self(r)->windows.at(std::stoul(uuid)));
            },
        };
        wl_resource* r = wl_resource_create(client, &org_kde_plasma_window_management_interface, version, id);
        wl_resource_set_implementation(r, &manager, data, nullptr);
        for (std::uint32_t i = 0; i < self(r)->windows.size(); ++i) {
            org_kde_plasma_window_management_send_window(r, i); // newer KWin still announces by number too
            if (version >= 13)
                org_kde_plasma_window_management_send_window_with_uuid(r, i, std::to_string(i).c_str());
        }
    }
    static PlasmaServer* self(wl_resource* r) { return static_cast<PlasmaServer*>(wl_resource_get_user_data(r)); }
    static ServedWindow& served(wl_resource* r) { return *static_cast<ServedWindow*>(wl_resource_get_user_data(r)); }

    static void follow(wl_client* client, wl_resource* manager, std::uint32_t id, ServedWindow& w) {
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
        if (wl_resource_get_version(r) >= 16) // KWin names native windows' resources too
            org_kde_plasma_window_send_resource_name_changed(r, "wayland_test_client");
        if (wl_resource_get_version(r) >= 4)
            org_kde_plasma_window_send_initial_state(r);
    }

    QTemporaryDir m_dir;
    wl_display* m_display = wl_display_create();
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};

} // namespace

// 16: announced by uuid and by number, completed by initial_state; 12: by number only; 3: no
// initial_state, no destroy request.
TEST(KdeWindows, ListsRetitlesClosesAndForgetsUnmappedWindows) {
    for (std::uint32_t version : {16u, 12u, 3u}) {
        SCOPED_TRACE(version);
        PlasmaServer server(version, {{"Notes — draft", 4242, false}, {"Mail", 4343, true}});
        auto source = platform::connectKdeWindows(server.socket());
        ASSERT_TRUE(source);
        std::vector<NativeWindow> windows = source->windows();
        ASSERT_EQ(windows.size(), 2u);
        if (windows[0].title == "Mail")
            std::swap(windows[0], windows[1]);
        const auto [notes, mail] = std::pair(windows[0], windows[1]);
        EXPECT_EQ(std::tuple(notes.title, notes.pid, notes.visible, notes.appId),
                  std::tuple(QString::fromUtf8("Notes — draft"), 4242u, true, QString("org.example.app")));
        EXPECT_EQ(std::tuple(mail.pid, mail.visible), std::tuple(4343u, false));
        EXPECT_TRUE(notes.handle & mail.handle & platform::kNativeHandleBit);
        EXPECT_NE(notes.handle, mail.handle);

        std::vector<NativeWindow> seen;
        source->watch([&](const std::vector<NativeWindow>& w) { seen.insert(seen.end(), w.begin(), w.end()); });
        auto sendTo = [&](std::size_t i, auto send) {
            std::lock_guard lock(server.mutex);
            std::for_each(server.windows[i].resources.begin(), server.windows[i].resources.end(), send);
        };
        sendTo(0, [](wl_resource* r) { org_kde_plasma_window_send_title_changed(r, "Notes — final"); });
        EXPECT_TRUE(pumpUntil([&] {
            return std::any_of(seen.begin(), seen.end(),
                               [&](auto& w) { return w.handle == notes.handle && w.title == "Notes — final"; });
        }));

        EXPECT_FALSE(source->close(platform::kNativeHandleBit | 0x7fff0000));
        EXPECT_TRUE(source->close(mail.handle));
        EXPECT_TRUE(pumpUntil([&] {
            std::lock_guard lock(server.mutex);
            return server.windows[1].closeRequested && !server.windows[0].closeRequested;
        }));
        sendTo(1, [](wl_resource* r) { org_kde_plasma_window_send_unmapped(r); });
        EXPECT_TRUE(pumpUntil([&] { return source->windows().size() == 1; }));
        // The other protocol's source finds no global to bind on this compositor.
        EXPECT_EQ(platform::connectWlrToplevels(server.socket()), nullptr);
    }
}

// The X11 side shows "xterm" of process 8, which KWin lists again; a native window titled alike but
// of another process is its own, and so is every native window with a resource name.
TEST(KdeWindows, MergedDesktopListsNativeWindowsAndDropsXWaylandCopiesOnce) {
    PlasmaServer server(16, {{"Notes", 4242, false}, {"xterm", 8, false}, {"xterm", 9, false}});
    platform::fake::FakePlatform x11;
    x11.addWindow("xterm", true, 8);
    platform::MergedWindowSystem merged(x11, platform::connectKdeWindows(server.socket()),
                                        platform::MergedWindowSystem::XWaylandWindows::ByTitle, {1, {"own"}});
    std::vector<std::pair<std::string, platform::ProcessId>> listed;
    platform::WindowHandle notes = 0;
    for (const platform::WindowInfo& w : merged.topLevelWindows()) {
        listed.emplace_back(w.title.toStdString(), merged.windowProcessId(w.handle));
        if (w.title == "Notes")
            notes = w.handle;
    }
    EXPECT_EQ(listed, (decltype(listed){{"Notes", 4242}, {"xterm", 9}, {"xterm", 8}}));
    merged.postCloseMessage(notes);
    EXPECT_TRUE(pumpUntil([&] {
        std::lock_guard lock(server.mutex);
        return server.windows[0].closeRequested;
    }));
}
