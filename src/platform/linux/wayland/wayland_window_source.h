#pragma once

#include "platform/linux/wayland/native_windows.h"

#include <QTimer>
#include <memory>
#include <vector>

class QSocketNotifier;
struct wl_display;
struct wl_registry;

namespace platform {

// The windows one Wayland protocol reports, on a connection of its own. Events are read whenever
// the socket has some (and before every answer, so a caller without an event loop still sees the
// present); windows they touched are handed to the watch shortly after, once a burst is in.
// A protocol subclass binds its global and turns its events into add/update/remove calls.
class WaylandWindowSource : public NativeWindowSource {
public:
    ~WaylandWindowSource() override;

    // The display named as in WAYLAND_DISPLAY or by an absolute socket path (empty: the session's);
    // nullptr when it cannot be reached.
    static wl_display* openDisplay(const QString& name);

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

    // Takes over `display`, which is open.
    explicit WaylandWindowSource(wl_display* display);

    // Binds the protocol's global and reads the windows there are now; false when the compositor
    // lacks the protocol or the connection failed.
    bool start();

    // Called for every global; binds the protocol's and returns true when this one was it.
    virtual bool bindGlobal(wl_registry* registry, std::uint32_t name, const char* interface,
                            std::uint32_t version) = 0;
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
    void readEvents();
    void deliver();
    bool failed();

    wl_display* m_display = nullptr;
    wl_registry* m_registry = nullptr;
    std::unique_ptr<QSocketNotifier> m_notifier;
    QTimer m_burst;
    std::vector<std::unique_ptr<Entry>> m_entries; // most recently focused first
    std::vector<WindowHandle> m_touched;
    Changed m_changed;
};

} // namespace platform
