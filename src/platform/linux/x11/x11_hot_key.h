#pragma once

#include "platform/hot_key.h"

#include <QAbstractNativeEventFilter>
#include <cstdint>
#include <functional>
#include <vector>
#include <xcb/xcb.h>

namespace platform {

// Ctrl+Alt+F8 grabbed on every root window of an X display. The key is grabbed once for each state
// of NumLock and CapsLock, since X matches a passive grab on the exact modifier set.
class X11HotKey : public HotKey, private QAbstractNativeEventFilter {
public:
    // Uses the application's own X connection (the xcb platform) and receives the presses through
    // a native event filter. Without an X11 application nothing can be grabbed.
    X11HotKey();
    // Uses `connection` (not owned); the caller delivers the presses with processPendingEvents().
    explicit X11HotKey(xcb_connection_t* connection);
    ~X11HotKey() override;
    X11HotKey(const X11HotKey&) = delete;
    X11HotKey& operator=(const X11HotKey&) = delete;

    bool registerHotKey(std::function<void()> pressed) override;
    void unregisterHotKey() override;

    // Reads every event waiting on an explicitly given connection and runs the handler for each
    // press of the key. Does nothing on the application's connection, where Qt reads the events.
    void processPendingEvents();

    // Whether the event is a press of the grabbed key; runs the handler when it is.
    bool handleEvent(const xcb_generic_event_t* event);

private:
    struct Grab {
        xcb_window_t root;
        xcb_keycode_t keycode;
        std::uint16_t modifiers;
    };

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;
    xcb_connection_t* connection() const;

    xcb_connection_t* m_connection = nullptr;
    bool m_ownConnection = false; // false: Qt's connection, read through the event filter
    bool m_filterInstalled = false;
    std::function<void()> m_pressed;
    std::vector<Grab> m_grabs;
    std::uint16_t m_ignoredModifiers = 0; // NumLock and CapsLock
    std::uint16_t m_modifiers = 0;        // Ctrl and Alt
};

} // namespace platform
