#pragma once

// PLACEHOLDERS: the network and hot-key services are not written yet. These stand-ins
// let the program run without them and are to be replaced by the real services.

#include "platform/hot_key.h"
#include "platform/network.h"

namespace platform {

// Placeholder: reports no configured connection; every GET fails.
class PlaceholderNetwork : public Network {
public:
    std::uint32_t connectionState() override { return 0; }
    QString httpGet(const QString& url) override;
};

// Placeholder: the key is never grabbed.
class PlaceholderHotKey : public HotKey {
public:
    bool registerHotKey(std::function<void()> pressed) override;
    void unregisterHotKey() override {}
};

} // namespace platform
