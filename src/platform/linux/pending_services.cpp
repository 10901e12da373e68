#include "platform/linux/pending_services.h"

#include "platform/torvane_error.h"

namespace platform {

bool PlaceholderHotKey::registerHotKey(std::function<void()>) {
    return false;
}

} // namespace platform
