#pragma once

#include <QString>
#include <cstdint>

namespace platform {

// Connection-state flags with the program's numbers.
enum ConnectionFlag : std::uint32_t {
    ConnectionModem = 0x01,
    ConnectionLan = 0x02,
    ConnectionProxy = 0x04,
    ConnectionModemBusy = 0x08,
    ConnectionRasInstalled = 0x10,
    ConnectionOffline = 0x20,
    ConnectionConfigured = 0x40,
};

class Network {
public:
    virtual ~Network() = default;

    // The connection-state flags; 0 when no connection is configured.
    virtual std::uint32_t connectionState() = 0;

    // A blocking GET returning the body as text; throws TorvaneError on any failure, with the
    // status line for a non-2xx answer.
    virtual QString httpGet(const QString& url) = 0;
};

} // namespace platform
