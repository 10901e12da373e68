#include "platform/linux/pending_services.h"

#include "platform/torvane_error.h"

namespace platform {

QString PlaceholderNetwork::httpGet(const QString&) {
    throw TorvaneError(QStringLiteral("not available yet"));
}


bool PlaceholderHotKey::registerHotKey(std::function<void()>) {
    return false;
}

} // namespace platform
