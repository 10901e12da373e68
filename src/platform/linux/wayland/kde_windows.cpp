// Windows through KDE Plasma's window management protocol: titles, app ids, process ids,
// minimised state and close requests. KWin lists XWayland windows here too.
#include "platform/linux/wayland/kde_windows.h"

#include "platform/linux/wayland/wayland_window_source.h"

#include "plasma-window-management-client-protocol.h"

#include <unordered_map>
#include <wayland-client.h>

namespace platform {

namespace {

constexpr std::uint32_t kVersion = 16;
constexpr std::uint32_t kUuidVersion = 13;        // windows are announced with a uuid
constexpr std::uint32_t kInitialStateVersion = 4; // a window's first state ends with initial_state
constexpr std::uint32_t kDestroyVersion = 4;

class KdeWindows final : public WaylandWindowSource {
public:
    explicit KdeWindows(wl_display* display)
        : WaylandWindowSource(display, org_kde_plasma_window_management_interface, kVersion) {}
    ~KdeWindows() override { clear(); }

    QString name() const override { return QStringLiteral("KDE Plasma"); }

protected:
    void managerBound() override {
        static const org_kde_plasma_window_management_listener listener{
            .show_desktop_changed = [](void*, org_kde_plasma_window_management*, std::uint32_t) {},
            .window = [](void* data, org_kde_plasma_window_management*,
                         std::uint32_t id) { self(data)->announcedById(id); },
            .stacking_order_changed = [](void*, org_kde_plasma_window_management*, wl_array*) {},
            .stacking_order_uuid_changed = [](void*, org_kde_plasma_window_management*, const char*) {},
            .window_with_uuid = [](void* data, org_kde_plasma_window_management*, std::uint32_t,
                                   const char* uuid) { self(data)->announcedByUuid(uuid); },
        };
        org_kde_plasma_window_management_add_listener(windowManagement(), &listener, this);
    }

    void requestClose(void* object) override {
        org_kde_plasma_window_close(static_cast<org_kde_plasma_window*>(object));
    }

    void destroyObject(void* object) override {
        m_states.erase(object);
        auto* window = static_cast<org_kde_plasma_window*>(object);
        if (org_kde_plasma_window_get_version(window) >= kDestroyVersion)
            org_kde_plasma_window_destroy(window);
        else
            wl_proxy_destroy(reinterpret_cast<wl_proxy*>(window));
    }

private:
    struct State {
        NativeWindow window;
        bool complete = false; // the first state is in
    };

    static KdeWindows* self(void* data) { return static_cast<KdeWindows*>(data); }

    org_kde_plasma_window_management* windowManagement() const { return manager<org_kde_plasma_window_management>(); }

    // Newer compositors announce each window twice, by number and by uuid; the uuid is used then.
    void announcedById(std::uint32_t id) {
        if (managerVersion() < kUuidVersion)
            follow(org_kde_plasma_window_management_get_window(windowManagement(), id));
    }

    void announcedByUuid(const char* uuid) {
        follow(org_kde_plasma_window_management_get_window_by_uuid(windowManagement(), uuid));
    }

    void follow(org_kde_plasma_window* window) {
        static const org_kde_plasma_window_listener listener{
            .title_changed =
                [](void* data, org_kde_plasma_window* w, const char* title) {
                    self(data)->change(w, [&](NativeWindow& n) { n.title = QString::fromUtf8(title); });
                },
            .app_id_changed =
                [](void* data, org_kde_plasma_window* w, const char* id) {
                    self(data)->change(w, [&](NativeWindow& n) { n.appId = QString::fromUtf8(id); });
                },
            .state_changed = [](void* data, org_kde_plasma_window* w,
                                std::uint32_t flags) { self(data)->stateChanged(w, flags); },
            .virtual_desktop_changed = [](void*, org_kde_plasma_window*, std::int32_t) {},
            .themed_icon_name_changed = [](void*, org_kde_plasma_window*, const char*) {},
            .unmapped = [](void* data, org_kde_plasma_window* w) { self(data)->remove(w); },
            .initial_state = [](void* data, org_kde_plasma_window* w) { self(data)->complete(w); },
            .parent_window = [](void*, org_kde_plasma_window*, org_kde_plasma_window*) {},
            .geometry = [](void*, org_kde_plasma_window*, std::int32_t, std::int32_t, std::uint32_t, std::uint32_t) {},
            .icon_changed = [](void*, org_kde_plasma_window*) {},
            .pid_changed = [](void* data, org_kde_plasma_window* w,
                              std::uint32_t pid) { self(data)->change(w, [&](NativeWindow& n) { n.pid = pid; }); },
            .virtual_desktop_entered = [](void*, org_kde_plasma_window*, const char*) {},
            .virtual_desktop_left = [](void*, org_kde_plasma_window*, const char*) {},
            .application_menu = [](void*, org_kde_plasma_window*, const char*, const char*) {},
            .activity_entered = [](void*, org_kde_plasma_window*, const char*) {},
            .activity_left = [](void*, org_kde_plasma_window*, const char*) {},
            // KWin names native windows' resources too (after the program), so the name tells
            // nothing about XWayland: the merged desktop finds those windows by title and process.
            .resource_name_changed = [](void*, org_kde_plasma_window*, const char*) {},
        };
        add(window);
        State& state = m_states[window];
        state.window.visible = true;
        state.complete = managerVersion() < kInitialStateVersion;
        org_kde_plasma_window_add_listener(window, &listener, this);
    }

    template <typename Change> void change(org_kde_plasma_window* window, Change&& apply) {
        State& state = m_states[window];
        apply(state.window);
        if (state.complete)
            if (Entry* entry = find(window))
                update(*entry, state.window);
    }

    void stateChanged(org_kde_plasma_window* window, std::uint32_t flags) {
        change(window,
               [flags](NativeWindow& n) { n.visible = !(flags & ORG_KDE_PLASMA_WINDOW_MANAGEMENT_STATE_MINIMIZED); });
        if (flags & ORG_KDE_PLASMA_WINDOW_MANAGEMENT_STATE_ACTIVE)
            if (Entry* entry = find(window))
                focus(*entry);
    }

    void complete(org_kde_plasma_window* window) {
        m_states[window].complete = true;
        change(window, [](NativeWindow&) {});
    }

    std::unordered_map<void*, State> m_states;
};

} // namespace

std::unique_ptr<NativeWindowSource> connectKdeWindows(const QString& waylandDisplay) {
    return WaylandWindowSource::connect<KdeWindows>(waylandDisplay);
}

} // namespace platform
