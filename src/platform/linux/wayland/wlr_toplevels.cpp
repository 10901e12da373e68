// Windows through the wlroots foreign toplevel protocol (labwc, river, Wayfire, Hyprland, sway):
// titles, app ids, minimised state and close requests. The protocol tells no process id.
#include "platform/linux/wayland/wlr_toplevels.h"

#include "platform/linux/wayland/wayland_window_source.h"

#include "wlr-foreign-toplevel-management-unstable-v1-client-protocol.h"

#include <cstring>
#include <unordered_map>
#include <wayland-client.h>

namespace platform {

namespace {

constexpr std::uint32_t kVersion = 3;

class WlrToplevels final : public WaylandWindowSource {
public:
    static std::unique_ptr<WlrToplevels> connect(wl_display* display) {
        std::unique_ptr<WlrToplevels> source(new WlrToplevels(display));
        if (!source->start() || !source->m_manager)
            return nullptr;
        return source;
    }

    ~WlrToplevels() override {
        clear();
        if (m_manager)
            zwlr_foreign_toplevel_manager_v1_destroy(m_manager);
    }

    QString name() const override { return QStringLiteral("wlr foreign toplevel"); }

protected:
    bool bindGlobal(wl_registry* registry, std::uint32_t name, const char* interface, std::uint32_t version) override {
        if (m_manager || std::strcmp(interface, zwlr_foreign_toplevel_manager_v1_interface.name) != 0)
            return false;
        m_manager = static_cast<zwlr_foreign_toplevel_manager_v1*>(
            wl_registry_bind(registry, name, &zwlr_foreign_toplevel_manager_v1_interface, std::min(version, kVersion)));
        static const zwlr_foreign_toplevel_manager_v1_listener listener{
            .toplevel =
                [](void* data, zwlr_foreign_toplevel_manager_v1*, zwlr_foreign_toplevel_handle_v1* toplevel) {
                    static_cast<WlrToplevels*>(data)->added(toplevel);
                },
            .finished =
                [](void* data, zwlr_foreign_toplevel_manager_v1* manager) {
                    // The compositor withdrew the global: no new windows are announced, the known
                    // ones still report until they close.
                    zwlr_foreign_toplevel_manager_v1_destroy(manager);
                    self(data)->m_manager = nullptr;
                },
        };
        zwlr_foreign_toplevel_manager_v1_add_listener(m_manager, &listener, this);
        return true;
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

    explicit WlrToplevels(wl_display* display) : WaylandWindowSource(display) {}

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

    zwlr_foreign_toplevel_manager_v1* m_manager = nullptr;
    // Properties are sent only when they change, so each batch builds on the previous one.
    std::unordered_map<void*, Pending> m_pending;
};

} // namespace

std::unique_ptr<NativeWindowSource> connectWlrToplevels(const QString& waylandDisplay) {
    wl_display* display = WaylandWindowSource::openDisplay(waylandDisplay);
    return display ? WlrToplevels::connect(display) : nullptr;
}

} // namespace platform
