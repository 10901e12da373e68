#pragma once

#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

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

// How a GET ended: the body as text, or the error text (the status line for a non-2xx answer).
struct HttpResult {
    QString body;
    std::optional<QString> error;
};

// A GET under way. Destroying it abandons the GET: its completion never runs afterwards.
class HttpRequest {
public:
    virtual ~HttpRequest() = default;
};

class Network {
public:
    using HttpDone = std::function<void(const HttpResult&)>;

    virtual ~Network() = default;

    // The connection-state flags; 0 when no connection is configured.
    virtual std::uint32_t connectionState() = 0;

    // Starts a GET and returns at once. `done` runs once, later, from the event loop (never
    // within this call), unless the returned request is destroyed first.
    virtual std::unique_ptr<HttpRequest> startHttpGet(const QString& url, HttpDone done) = 0;
};

} // namespace platform
