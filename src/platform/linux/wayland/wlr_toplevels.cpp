// Windows through the wlroots foreign toplevel protocol (labwc, river, Wayfire, Hyprland, sway):
// titles, app ids, minimised state and close requests. The protocol tells no process id.
#include "platform/linux/wayland/wlr_toplevels.h"

#include "platform/linux/wayland/wayland_window_source.h"

#include "wlr-foreign-toplevel-management-unstable-v1-client-protocol.h"

#include <unordered_map>
#include <wayland-client.h>

namespace platform {

namespace {

constexpr std::uint32_t kVersion = 3;

class WlrToplevels final : public WaylandWindowSource {
public:
    explicit WlrToplevels(wl_display* display)
        : WaylandWindowSource(display, zwlr_foreign_toplevel_manager_v1_interface, kVersion) {}
    ~WlrToplevels() override { clear(); }

    QString name() const override { return QStringLiteral("wlr foreign toplevel"); }

protected:
    void managerBound() override {
        static const zwlr_foreign_toplevel_manager_v1_listener listener{
            .toplevel =
                [](void* data, zwlr_foreign_toplevel_manager_v1*, zwlr_foreign_toplevel_handle_v1* toplevel) {
                    static_cast<WlrToplevels*>(data)->added(toplevel);
                },
            .finished = [](void* data, zwlr_foreign_toplevel_manager_v1*) { self(data)->dropManager(); },
        };
        zwlr_foreign_toplevel_manager_v1_add_listener(manager<zwlr_foreign_toplevel_manager_v1>(), &listener, this);
    }

    void requestClose(void* object) override {
        zwlr_foreign_toplevel_handle_v1_close(static_cast<zwlr_foreign_toplevel_handle_v1*>(object));
    }

    void destroyObject(void* object) override {
        m_pending.erase(object);
        zwlr_foreign_toplevel_handle_v1_destroy(static_cast<zwlr_foreign_toplevel_handle_v1*>(object));
    }

private:
    // What the events of the current batch said; it takes effect with `done`.
    struct Pending {
        NativeWindow state;
        bool activated = false;
    };

    static WlrToplevels* self(void* data) { return static_cast<WlrToplevels*>(data); }

    void added(zwlr_foreign_toplevel_handle_v1* toplevel) {
        static const zwlr_foreign_toplevel_handle_v1_listener listener{
            .title = [](void* data, zwlr_foreign_toplevel_handle_v1* t,
                        const char* title) { self(data)->m_pending[t].state.title = QString::fromUtf8(title); },
            .app_id = [](void* data, zwlr_foreign_toplevel_handle_v1* t,
                         const char* appId) { self(data)->m_pending[t].state.appId = QString::fromUtf8(appId); },
            .output_enter = [](void*, zwlr_foreign_toplevel_handle_v1*, wl_output*) {},
            .output_leave = [](void*, zwlr_foreign_toplevel_handle_v1*, wl_output*) {},
            .state = [](void* data, zwlr_foreign_toplevel_handle_v1* t,
                        wl_array* states) { self(data)->stateChanged(t, states); },
            .done = [](void* data, zwlr_foreign_toplevel_handle_v1* t) { self(data)->done(t); },
            .closed = [](void* data, zwlr_foreign_toplevel_handle_v1* t) { self(data)->remove(t); },
            .parent = [](void*, zwlr_foreign_toplevel_handle_v1*, zwlr_foreign_toplevel_handle_v1*) {},
        };
        add(toplevel);
        // A window is visible until a state event says it is minimised.
        Pending& pending = m_pending[toplevel];
        pending.state.visible = true;
        zwlr_foreign_toplevel_handle_v1_add_listener(toplevel, &listener, this);
    }

    void stateChanged(zwlr_foreign_toplevel_handle_v1* toplevel, wl_array* states) {
        Pending& pending = m_pending[toplevel];
        pending.state.visible = true;
        pending.activated = false;
        const auto* values = static_cast<const std::uint32_t*>(states->data);
        for (std::size_t i = 0; i < states->size / sizeof(std::uint32_t); ++i) {
            if (values[i] == ZWLR_FOREIGN_TOPLEVEL_HANDLE_V1_STATE_MINIMIZED)
                pending.state.visible = false;
            else if (values[i] == ZWLR_FOREIGN_TOPLEVEL_HANDLE_V1_STATE_ACTIVATED)
                pending.activated = true;
        }
    }

    void done(zwlr_foreign_toplevel_handle_v1* toplevel) {
        Entry* entry = find(toplevel);
        if (!entry)
            return;
        const Pending& pending = m_pending[toplevel];
        update(*entry, pending.state);
        if (pending.activated)
            focus(*entry);
    }

    // Properties are sent only when they change, so each batch builds on the previous one.
    std::unordered_map<void*, Pending> m_pending;
};

} // namespace

std::unique_ptr<NativeWindowSource> connectWlrToplevels(const QString& waylandDisplay) {
    return WaylandWindowSource::connect<WlrToplevels>(waylandDisplay);
}

} // namespace platform
