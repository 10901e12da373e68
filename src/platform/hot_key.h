#pragma once

#include <functional>

namespace platform {

// The global hot key Ctrl+Alt+F8.
class HotKey {
public:
    virtual ~HotKey() = default;

    // Grabs the key; `pressed` runs on the event loop each time it is pressed. A grab refused by
    // another client is ignored. Returns whether the key was grabbed.
    virtual bool registerHotKey(std::function<void()> pressed) = 0;
    virtual void unregisterHotKey() = 0;
};

} // namespace platform
