#pragma once

#include "platform/linux/net/linux_network_routes.h"
#include "platform/network.h"

#include <QString>
#include <chrono>
#include <cstddef>
#include <memory>
#include <string>
#include <vector>

namespace platform {

// How the one GET of the program talks to the server.
struct HttpSettings {
    std::chrono::milliseconds connectTimeout{5000};
    std::chrono::milliseconds totalTimeout{10000};
    std::size_t maxBodyBytes = 1024 * 1024;
    QString userAgent = QStringLiteral("Torvane/4.4.0");
};

class CurlMultiLoop;
struct HttpTransfer;

// The connection state from the kernel's route tables and sysfs, and the GET through libcurl's
// multi interface on the event loop. Used from one thread only (the user-interface thread).
class LinuxNetwork : public Network {
public:
    // `procRoot` and `sysRoot` are where procfs and sysfs are mounted. A check repeated within
    // `reuseWithin` of the previous one answers the same flags without reading the files again
    // (the connection check asks several times in a row when there is no connection).
    explicit LinuxNetwork(const QString& procRoot = QStringLiteral("/proc"),
                          const QString& sysRoot = QStringLiteral("/sys"), HttpSettings http = {},
                          std::chrono::milliseconds reuseWithin = std::chrono::milliseconds(20));
    ~LinuxNetwork() override;
    LinuxNetwork(const LinuxNetwork&) = delete;
    LinuxNetwork& operator=(const LinuxNetwork&) = delete;

    std::uint32_t connectionState() override;
    std::unique_ptr<HttpRequest> startHttpGet(const QString& url, HttpDone done) override;

    const HttpSettings& httpSettings() const { return m_http; }

    // Ends a transfer still under way; its completion does not run.
    void abandon(HttpTransfer& transfer);

private:
    void refreshInterfaces();
    void finish(void* easy, int result);
    void deliver(const std::shared_ptr<HttpTransfer>& transfer, HttpResult result);

    std::string m_ipv4Path;
    std::string m_ipv6Path;
    std::string m_sysRoot;
    HttpSettings m_http;
    std::chrono::milliseconds m_reuseWithin;

    // The route tables as last read, the interfaces they name (with their media, read from sysfs
    // only when the tables change) and scratch space reused on every check.
    std::string m_ipv4Routes;
    std::string m_ipv6Routes;
    std::string m_scratch;
    std::vector<netroutes::InterfaceRoutes> m_interfaces;
    bool m_haveTables = false;
    std::chrono::steady_clock::time_point m_lastCheck;
    std::uint32_t m_lastFlags = 0;
    bool m_haveLastFlags = false;

    void* m_cookies = nullptr; // a curl share handle: cookies live as long as the program
    std::unique_ptr<CurlMultiLoop> m_loop;
    std::vector<std::shared_ptr<HttpTransfer>> m_transfers; // those in the multi handle
};

} // namespace platform
