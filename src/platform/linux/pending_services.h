#pragma once

// PLACEHOLDERS: the hot-key service is not written yet. These stand-ins
// let the program run without them and are to be replaced by the real services.

#include "platform/hot_key.h"

namespace platform {

// Placeholder: the key is never grabbed.
class PlaceholderHotKey : public HotKey {
public:
    bool registerHotKey(std::function<void()> pressed) override;
    void unregisterHotKey() override {}
};

} // namespace platform
