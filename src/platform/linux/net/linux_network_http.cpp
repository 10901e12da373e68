#include "platform/linux/net/linux_network.h"

#include "platform/linux/net/linux_network_multi.h"
#include "platform/torvane_error.h"

#include <QByteArray>
#include <QStringDecoder>
#include <QTimer>
#include <algorithm>
#include <curl/curl.h>
#include <string>

namespace platform {

// One GET: what curl collects through the callbacks' user pointer, and the completion to run.
struct HttpTransfer {
    CURL* curl = nullptr;
    curl_slist* headers = nullptr;
    char errorText[CURL_ERROR_SIZE] = {};
    std::size_t maxBody = 0;
    std::string body;
    std::string statusLine;
    bool tooLarge = false;
    LinuxNetwork* network = nullptr; // set while the transfer is in the multi handle
    Network::HttpDone done;

    HttpTransfer() = default;
    HttpTransfer(const HttpTransfer&) = delete;
    HttpTransfer& operator=(const HttpTransfer&) = delete;
    ~HttpTransfer() { release(); }
    void release() {
        if (curl)
            curl_easy_cleanup(curl);
        curl_slist_free_all(headers);
        curl = nullptr;
        headers = nullptr;
    }
};

namespace {

bool success(long code) {
    return code >= 200 && code <= 299;
}

std::size_t onHeader(char* data, std::size_t size, std::size_t count, void* user) {
    auto* transfer = static_cast<HttpTransfer*>(user);
    const std::size_t length = size * count;
    std::string_view line(data, length);
    // The last status line wins (an interim "100 Continue" comes first).
    if (line.starts_with("HTTP/")) {
        while (!line.empty() && (line.back() == '\r' || line.back() == '\n'))
            line.remove_suffix(1);
        try {
            transfer->statusLine.assign(line);
        } catch (...) {
            return 0;
        }
    }
    return length;
}

std::size_t onBody(char* data, std::size_t, std::size_t count, void* user) {
    auto* transfer = static_cast<HttpTransfer*>(user);
    // The body of a refused answer is of no use: stop reading it.
    long code = 0;
    curl_easy_getinfo(transfer->curl, CURLINFO_RESPONSE_CODE, &code);
    if (!success(code))
        return count == 0 ? 1 : 0;
    if (transfer->body.size() + count > transfer->maxBody) {
        transfer->tooLarge = true;
        return count == 0 ? 1 : 0;
    }
    try {
        transfer->body.append(data, count);
    } catch (...) {
        return 0; // no exception may cross the library; failing the transfer is enough
    }
    return count;
}

QString charsetOf(const char* contentType) {
    if (!contentType)
        return {};
    const QString type = QString::fromLatin1(contentType);
    const int at = type.indexOf(QLatin1String("charset="), 0, Qt::CaseInsensitive);
    if (at < 0)
        return {};
    QString charset = type.mid(at + 8).section(QLatin1Char(';'), 0, 0).trimmed();
    if (charset.size() >= 2 && charset.startsWith(QLatin1Char('"')) && charset.endsWith(QLatin1Char('"')))
        charset = charset.mid(1, charset.size() - 2);
    return charset;
}

// The body decoded by the charset the answer declares; without a declared charset Qt does not
// know, UTF-8, or Latin-1 when the bytes are not UTF-8.
QString decodeBody(const std::string& body, const QString& charset) {
    const QByteArrayView bytes(body.data(), static_cast<qsizetype>(body.size()));
    if (!charset.isEmpty()) {
        QStringDecoder declared(charset.toLatin1().constData());
        if (declared.isValid()) {
            QString text = declared.decode(bytes);
            if (!declared.hasError())
                return text;
        }
    }
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    return QString::fromLatin1(bytes);
}

void initialiseCurlOnce() {
    static const CURLcode initialised = curl_global_init(CURL_GLOBAL_DEFAULT);
    if (initialised != CURLE_OK)
        throw TorvaneError(QString::fromLatin1(curl_easy_strerror(initialised)));
}

// The handle given to the caller: dropping it abandons the transfer.
class CurlRequest : public HttpRequest {
public:
    explicit CurlRequest(std::shared_ptr<HttpTransfer> transfer) : m_transfer(std::move(transfer)) {}
    ~CurlRequest() override {
        m_transfer->done = nullptr;
        if (m_transfer->network)
            m_transfer->network->abandon(*m_transfer);
    }
    CurlRequest(const CurlRequest&) = delete;
    CurlRequest& operator=(const CurlRequest&) = delete;

private:
    std::shared_ptr<HttpTransfer> m_transfer;
};

void configure(HttpTransfer& transfer, const QString& url, const HttpSettings& http, CURLSH* cookies) {
    CURL* curl = transfer.curl;
    transfer.headers = curl_slist_append(nullptr, "Accept: text/html, */*");
    curl_easy_setopt(curl, CURLOPT_URL, url.toUtf8().constData());
    curl_easy_setopt(curl, CURLOPT_HTTPGET, 1L);
    curl_easy_setopt(curl, CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_1_1));
    curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(curl, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 0L);
    // An empty proxy and a no-proxy list of "*" keep the proxy variables of the environment out.
    curl_easy_setopt(curl, CURLOPT_PROXY, "");
    curl_easy_setopt(curl, CURLOPT_NOPROXY, "*");
    curl_easy_setopt(curl, CURLOPT_USERAGENT, http.userAgent.toUtf8().constData());
    curl_easy_setopt(curl, CURLOPT_HTTPHEADER, transfer.headers);
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(http.connectTimeout.count()));
    curl_easy_setopt(curl, CURLOPT_TIMEOUT_MS, static_cast<long>(http.totalTimeout.count()));
    curl_easy_setopt(curl, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(http.maxBodyBytes));
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    // Each GET has its own handle; the share handle keeps the cookies from GET to GET.
    if (cookies)
        curl_easy_setopt(curl, CURLOPT_SHARE, cookies);
    curl_easy_setopt(curl, CURLOPT_COOKIEFILE, "");
    curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, transfer.errorText);
    curl_easy_setopt(curl, CURLOPT_HEADERFUNCTION, &onHeader);
    curl_easy_setopt(curl, CURLOPT_HEADERDATA, &transfer);
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, &onBody);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &transfer);
}

HttpResult failure(const QString& text) {
    return HttpResult{QString(), text};
}

HttpResult resultOf(const HttpTransfer& transfer, CURLcode result) {
    long code = 0;
    curl_easy_getinfo(transfer.curl, CURLINFO_RESPONSE_CODE, &code);
    const char* contentType = nullptr;
    curl_easy_getinfo(transfer.curl, CURLINFO_CONTENT_TYPE, &contentType);
    if (code != 0 && !success(code)) {
        const std::string& status = transfer.statusLine;
        if (!status.empty())
            return failure(QString::fromLatin1(status.data(), qsizetype(status.size())));
        return failure(QStringLiteral("HTTP error %1").arg(code));
    }
    if (transfer.tooLarge || result == CURLE_FILESIZE_EXCEEDED)
        return failure(QStringLiteral("The page is larger than %1 bytes").arg(transfer.maxBody));
    if (result != CURLE_OK) {
        const QString detail = QString::fromLocal8Bit(transfer.errorText).trimmed();
        return failure(detail.isEmpty() ? QString::fromLatin1(curl_easy_strerror(result)) : detail);
    }
    if (code == 0)
        return failure(QStringLiteral("The server sent no HTTP answer"));
    return HttpResult{decodeBody(transfer.body, charsetOf(contentType)), std::nullopt};
}

} // namespace

LinuxNetwork::~LinuxNetwork() {
    for (const std::shared_ptr<HttpTransfer>& transfer : m_transfers) {
        m_loop->remove(transfer->curl);
        transfer->network = nullptr;
        transfer->release();
    }
    m_transfers.clear();
    m_loop.reset();
    if (m_cookies)
        curl_share_cleanup(static_cast<CURLSH*>(m_cookies));
}

std::unique_ptr<HttpRequest> LinuxNetwork::startHttpGet(const QString& url, HttpDone done) {
    auto transfer = std::make_shared<HttpTransfer>();
    transfer->done = std::move(done);
    transfer->maxBody = m_http.maxBodyBytes;
    auto request = std::make_unique<CurlRequest>(transfer);
    try {
        initialiseCurlOnce();
        if (!m_loop)
            m_loop = std::make_unique<CurlMultiLoop>(
                [this](CURL* easy, CURLcode result) { finish(easy, static_cast<int>(result)); });
        if (!m_cookies && (m_cookies = curl_share_init()))
            curl_share_setopt(static_cast<CURLSH*>(m_cookies), CURLSHOPT_SHARE, CURL_LOCK_DATA_COOKIE);
        transfer->curl = curl_easy_init();
        if (!transfer->curl || !m_loop->valid())
            throw TorvaneError(QStringLiteral("The HTTP client could not be started"));
        configure(*transfer, url, m_http, static_cast<CURLSH*>(m_cookies));
        const CURLMcode added = m_loop->add(transfer->curl);
        if (added != CURLM_OK)
            throw TorvaneError(QString::fromLatin1(curl_multi_strerror(added)));
        transfer->network = this;
        m_transfers.push_back(transfer);
    } catch (const TorvaneError& e) {
        transfer->release();
        deliver(transfer, failure(e.text()));
    }
    return request;
}

void LinuxNetwork::finish(void* easy, int result) {
    const auto found = std::find_if(m_transfers.begin(), m_transfers.end(),
                                    [easy](const auto& transfer) { return transfer->curl == easy; });
    if (found == m_transfers.end())
        return;
    const std::shared_ptr<HttpTransfer> transfer = *found;
    m_transfers.erase(found);
    transfer->network = nullptr;
    HttpResult outcome = resultOf(*transfer, static_cast<CURLcode>(result));
    transfer->release();
    deliver(transfer, std::move(outcome));
}

void LinuxNetwork::abandon(HttpTransfer& transfer) {
    const auto found = std::find_if(m_transfers.begin(), m_transfers.end(),
                                    [&transfer](const auto& entry) { return entry.get() == &transfer; });
    if (found == m_transfers.end())
        return;
    m_loop->remove(transfer.curl);
    transfer.network = nullptr;
    transfer.release();
    m_transfers.erase(found);
}

// The completion runs from the event loop, never inside curl or the call that started the GET,
// and not at all once the caller has dropped its request (then nothing holds the transfer).
void LinuxNetwork::deliver(const std::shared_ptr<HttpTransfer>& transfer, HttpResult result) {
    QTimer::singleShot(0, [weak = std::weak_ptr<HttpTransfer>(transfer), result = std::move(result)] {
        const std::shared_ptr<HttpTransfer> alive = weak.lock();
        if (!alive || !alive->done)
            return;
        const Network::HttpDone done = std::move(alive->done);
        alive->done = nullptr;
        done(result);
    });
}

} // namespace platform
