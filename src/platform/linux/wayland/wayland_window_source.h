#pragma once

#include "platform/linux/wayland/native_windows.h"

#include <QTimer>
#include <memory>
#include <vector>

class QSocketNotifier;
struct wl_display;
struct wl_interface;
struct wl_registry;

namespace platform {

// The windows one Wayland protocol reports, on a connection of its own. Events are read whenever
// the socket has some (and before every answer, so a caller without an event loop still sees the
// present); windows they touched are handed to the watch shortly after, once a burst is in.
// A protocol subclass names its manager global, listens to it once bound and turns its events into
// add/update/remove calls.
class WaylandWindowSource : public NativeWindowSource {
public:
    ~WaylandWindowSource() override;

    // The display named as in WAYLAND_DISPLAY or by an absolute socket path (empty: the session's);
    // nullptr when it cannot be reached.
    static wl_display* openDisplay(const QString& name);
    // Opens the display and starts a `Source` (made from the open display) on it; nullptr when the
    // display cannot be reached, the compositor lacks the protocol or the connection failed.
    template <typename Source> static std::unique_ptr<NativeWindowSource> connect(const QString& waylandDisplay) {
        wl_display* display = openDisplay(waylandDisplay);
        if (!display)
            return nullptr;
        std::unique_ptr<Source> source(new Source(display));
        if (!source->start())
            return nullptr;
        return source;
    }

    std::vector<NativeWindow> windows() override;
    bool close(WindowHandle handle) override;
    void watch(Changed changed) override;

protected:
    // One window and the protocol object that stands for it. A window is listed only once the
    // compositor has told its first complete state.
    struct Entry {
        NativeWindow window;
        void* object = nullptr;
        bool listed = false;
    };

    // Takes over `display`, which is open. The protocol's global is `manager`, bound at the highest
    // version both sides know, at most `highestVersion`.
    WaylandWindowSource(wl_display* display, const wl_interface& manager, std::uint32_t highestVersion);

    // The manager global was bound: the subclass listens to it.
    virtual void managerBound() = 0;
    // The manager as its protocol's type; null before it is bound and after it was dropped.
    template <typename Manager> Manager* manager() const { return static_cast<Manager*>(m_manager); }
    std::uint32_t managerVersion() const { return m_managerVersion; }
    // The compositor withdrew the global: no new windows are announced, the known ones still report
    // until they close.
    void dropManager();
    // Sends the protocol's close request for the window's object.
    virtual void requestClose(void* object) = 0;
    // Destroys the window's protocol object (its window is gone or the source ends).
    virtual void destroyObject(void* object) = 0;
    // True while windows are announced whose first state has not come yet.
    bool awaitingState() const;

    Entry& add(void* object);
    Entry* find(void* object);
    // The window's state is complete as `state`: listed, and reported when it differs.
    void update(Entry& entry, const NativeWindow& state);
    // The window gets the focus: it moves to the front of the list.
    void focus(Entry& entry);
    void remove(void* object);
    // Destroys every window's object; the subclass's destructor calls it while its objects exist.
    void clear();

    wl_display* display() const { return m_display; }

private:
    // Binds the manager global and reads the windows there are now; false when the compositor lacks
    // the protocol or the connection failed.
    bool start();
    void bindGlobal(wl_registry* registry, std::uint32_t name, const char* interface, std::uint32_t version);
    void readEvents();
    void deliver();
    bool failed();

    wl_display* m_display = nullptr;
    wl_registry* m_registry = nullptr;
    const wl_interface& m_managerInterface;
    std::uint32_t m_highestVersion;
    void* m_manager = nullptr;
    std::uint32_t m_managerVersion = 0;
    std::unique_ptr<QSocketNotifier> m_notifier;
    QTimer m_burst;
    std::vector<std::unique_ptr<Entry>> m_entries; // most recently focused first
    std::vector<WindowHandle> m_touched;
    Changed m_changed;
};

} // namespace platform
