#pragma once

#include <QObject>
#include <curl/curl.h>
#include <functional>
#include <map>

class QSocketNotifier;
class QTimer;

namespace platform {

// Runs libcurl's multi interface on the Qt event loop: curl names the sockets to watch and its next
// timeout, socket notifiers and a single-shot timer tell it what became ready. No call blocks.
class CurlMultiLoop : public QObject {
public:
    // Called for each transfer that ended, after its handle left the multi handle.
    using Finished = std::function<void(CURL* easy, CURLcode result)>;

    explicit CurlMultiLoop(Finished finished);
    ~CurlMultiLoop() override;
    CurlMultiLoop(const CurlMultiLoop&) = delete;
    CurlMultiLoop& operator=(const CurlMultiLoop&) = delete;

    bool valid() const { return m_multi != nullptr; }
    CURLMcode add(CURL* easy);
    void remove(CURL* easy);

private:
    struct Watch {
        QSocketNotifier* read = nullptr;
        QSocketNotifier* write = nullptr;
    };

    static int onSocket(CURL* easy, curl_socket_t socket, int what, void* self, void* socketData);
    static int onTimeout(CURLM* multi, long timeoutMs, void* self);
    void watch(curl_socket_t socket, int what);
    void unwatch(curl_socket_t socket);
    void act(curl_socket_t socket, int events);
    void collectFinished();

    CURLM* m_multi = nullptr;
    QTimer* m_timer = nullptr;
    Finished m_finished;
    std::map<curl_socket_t, Watch> m_watches;
};

} // namespace platform
