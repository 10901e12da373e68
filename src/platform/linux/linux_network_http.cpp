#include "platform/linux/linux_network.h"

#include "platform/torvane_error.h"

#include <QByteArray>
#include <QStringDecoder>
#include <curl/curl.h>
#include <string>

namespace platform {

namespace {

// What one transfer collects; the callbacks see it through their user pointer.
struct Transfer {
    CURL* curl = nullptr;
    std::size_t maxBody = 0;
    std::string body;
    std::string statusLine;
    bool tooLarge = false;
};

bool success(long code) {
    return code >= 200 && code <= 299;
}

std::size_t onHeader(char* data, std::size_t size, std::size_t count, void* user) {
    auto* transfer = static_cast<Transfer*>(user);
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
    auto* transfer = static_cast<Transfer*>(user);
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

} // namespace

LinuxNetwork::~LinuxNetwork() {
    if (m_curl)
        curl_easy_cleanup(static_cast<CURL*>(m_curl));
}

QString LinuxNetwork::httpGet(const QString& url) {
    initialiseCurlOnce();
    if (!m_curl) {
        m_curl = curl_easy_init();
        if (!m_curl)
            throw TorvaneError(QStringLiteral("The HTTP client could not be started"));
        // The cookie engine, switched on once: the handle keeps its cookies from GET to GET.
        curl_easy_setopt(static_cast<CURL*>(m_curl), CURLOPT_COOKIEFILE, "");
    }
    CURL* curl = static_cast<CURL*>(m_curl);

    Transfer transfer;
    transfer.curl = curl;
    transfer.maxBody = m_http.maxBodyBytes;
    char errorText[CURL_ERROR_SIZE] = {};
    const QByteArray address = url.toUtf8();
    const QByteArray userAgent = m_http.userAgent.toUtf8();
    curl_slist* headers = curl_slist_append(nullptr, "Accept: text/html, */*");

    curl_easy_setopt(curl, CURLOPT_URL, address.constData());
    curl_easy_setopt(curl, CURLOPT_HTTPGET, 1L);
    curl_easy_setopt(curl, CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_1_1));
    curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(curl, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 0L);
    // An empty proxy and a no-proxy list of "*" keep the proxy variables of the environment out.
    curl_easy_setopt(curl, CURLOPT_PROXY, "");
    curl_easy_setopt(curl, CURLOPT_NOPROXY, "*");
    curl_easy_setopt(curl, CURLOPT_USERAGENT, userAgent.constData());
    curl_easy_setopt(curl, CURLOPT_HTTPHEADER, headers);
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(m_http.connectTimeout.count()));
    curl_easy_setopt(curl, CURLOPT_TIMEOUT_MS, static_cast<long>(m_http.totalTimeout.count()));
    curl_easy_setopt(curl, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(m_http.maxBodyBytes));
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, errorText);
    curl_easy_setopt(curl, CURLOPT_HEADERFUNCTION, &onHeader);
    curl_easy_setopt(curl, CURLOPT_HEADERDATA, &transfer);
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, &onBody);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &transfer);

    const CURLcode result = curl_easy_perform(curl);
    long code = 0;
    curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &code);
    const char* contentType = nullptr;
    curl_easy_getinfo(curl, CURLINFO_CONTENT_TYPE, &contentType);
    const QString charset = charsetOf(contentType);
    // Nothing of this call may stay pointed at by the handle once it returns.
    curl_easy_setopt(curl, CURLOPT_HTTPHEADER, nullptr);
    curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, nullptr);
    curl_easy_setopt(curl, CURLOPT_HEADERDATA, nullptr);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, nullptr);
    curl_slist_free_all(headers);

    if (code != 0 && !success(code)) {
        if (!transfer.statusLine.empty())
            throw TorvaneError(QString::fromLatin1(transfer.statusLine.data(), qsizetype(transfer.statusLine.size())));
        throw TorvaneError(QStringLiteral("HTTP error %1").arg(code));
    }
    if (transfer.tooLarge || result == CURLE_FILESIZE_EXCEEDED)
        throw TorvaneError(QStringLiteral("The page is larger than %1 bytes").arg(m_http.maxBodyBytes));
    if (result != CURLE_OK) {
        const QString detail = QString::fromLocal8Bit(errorText).trimmed();
        throw TorvaneError(detail.isEmpty() ? QString::fromLatin1(curl_easy_strerror(result)) : detail);
    }
    if (code == 0)
        throw TorvaneError(QStringLiteral("The server sent no HTTP answer"));
    return decodeBody(transfer.body, charset);
}

} // namespace platform
