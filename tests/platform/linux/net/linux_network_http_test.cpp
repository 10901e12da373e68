#include "platform/linux/net/linux_network.h"
#include "support/http_test_server.h"
#include "support/pump_until.h"

#include <QTimer>
#include <cstdlib>
#include <gtest/gtest.h>
#include <optional>

using namespace platform;

namespace {

// Only the local test server is ever contacted.
class LinuxNetworkHttp : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(server.listening()); }

    // Runs one GET to its end on the event loop.
    static HttpResult get(LinuxNetwork& network, const QString& url) {
        std::optional<HttpResult> result;
        const auto request = network.startHttpGet(url, [&result](const HttpResult& answer) { result = answer; });
        pumpUntil([&result] { return result.has_value(); });
        return result.value_or(HttpResult{QString(), QStringLiteral("no answer")});
    }
    // The error text of a GET that must fail, or nothing when it succeeded.
    static std::optional<QString> failure(LinuxNetwork& network, const QString& url) { return get(network, url).error; }

    HttpTestServer server;
    LinuxNetwork network;
};

const QByteArray kPage = "<html><head><title>Current IP Check</title></head>"
                         "<body>Current IP Address: 203.0.113.7</body></html>\r\n";

} // namespace

TEST(LinuxNetworkSettings, DefaultsOfTheClient) {
    const LinuxNetwork network;
    EXPECT_EQ(network.httpSettings().connectTimeout, std::chrono::seconds(5));
    EXPECT_EQ(network.httpSettings().totalTimeout, std::chrono::seconds(10));
    EXPECT_EQ(network.httpSettings().maxBodyBytes, 1048576u);
    EXPECT_EQ(network.httpSettings().userAgent, QStringLiteral("Torvane/4.4.0"));
}

TEST_F(LinuxNetworkHttp, ReturnsTheBodyAndSendsTheProgramsRequest) {
    server.queueAnswer(HttpTestServer::answer("HTTP/1.1 200 OK", kPage, "Content-Type: text/html\r\n"));
    EXPECT_EQ(get(network, server.url(QStringLiteral("/ip"))).body, QString::fromLatin1(kPage));
    ASSERT_EQ(server.requests().size(), 1);
    const QByteArray request = server.requests().front();
    EXPECT_TRUE(request.startsWith("GET /ip HTTP/1.1\r\n")) << request.constData();
    EXPECT_TRUE(request.contains("\r\nAccept: text/html, */*\r\n")) << request.constData();
    EXPECT_TRUE(request.contains("\r\nUser-Agent: Torvane/4.4.0\r\n")) << request.constData();
    EXPECT_FALSE(request.contains("Proxy-")) << request.constData();
}

TEST_F(LinuxNetworkHttp, DecodesTheDeclaredCharset) {
    const struct {
        QByteArray contentType;
        QByteArray body;
        QString expected;
    } cases[] = {
        {"text/html; charset=ISO-8859-1", "Adr\xe9sse", QStringLiteral("Adr\u00e9sse")},
        {"text/html; charset=\"utf-8\"", "Adr\xc3\xa9sse", QStringLiteral("Adr\u00e9sse")},
        {"text/html", "Adr\xc3\xa9sse", QStringLiteral("Adr\u00e9sse")},
        {"text/html", "Adr\xe9sse", QStringLiteral("Adr\u00e9sse")},
    };
    for (const auto& c : cases) {
        server.queueAnswer(
            HttpTestServer::answer("HTTP/1.1 200 OK", c.body, "Content-Type: " + c.contentType + "\r\n"));
        EXPECT_EQ(get(network, server.url()).body, c.expected) << c.contentType.constData();
    }
}

TEST_F(LinuxNetworkHttp, NonSuccessAnswersFailWithTheirStatusLine) {
    const struct {
        QByteArray answer;
        QString expected;
    } cases[] = {
        {HttpTestServer::answer("HTTP/1.1 404 Not Found", "<html>missing</html>"),
         QStringLiteral("HTTP/1.1 404 Not Found")},
        {HttpTestServer::answer("HTTP/1.1 302 Found", "", "Location: /elsewhere\r\n"),
         QStringLiteral("HTTP/1.1 302 Found")},
        {HttpTestServer::answer("HTTP/1.1 500 Internal Server Error", QByteArray(2 * 1024 * 1024, 'x')),
         QStringLiteral("HTTP/1.1 500 Internal Server Error")},
        {HttpTestServer::answer("HTTP/1.0 503 Service Unavailable", "busy"),
         QStringLiteral("HTTP/1.0 503 Service Unavailable")},
    };
    for (const auto& c : cases) {
        server.queueAnswer(c.answer);
        EXPECT_EQ(failure(network, server.url()), c.expected);
    }
    // The redirect was not followed.
    for (const QByteArray& request : server.requests())
        EXPECT_FALSE(request.startsWith("GET /elsewhere"));
}

TEST_F(LinuxNetworkHttp, BodiesAboveOneMebibyteAreRefused) {
    const QByteArray exact(1024 * 1024, 'a');
    server.queueAnswer(HttpTestServer::answer("HTTP/1.1 200 OK", exact));
    EXPECT_EQ(get(network, server.url()).body.size(), exact.size());

    const QString tooLarge = QStringLiteral("The page is larger than 1048576 bytes");
    server.queueAnswer(HttpTestServer::answer("HTTP/1.1 200 OK", exact + "b"));
    EXPECT_EQ(failure(network, server.url()), tooLarge);
    // Without a length announced, the transfer is cut once the cap is passed.
    server.queueAnswer("HTTP/1.1 200 OK\r\nConnection: close\r\n\r\n" + QByteArray(3 * 1024 * 1024, 'c'));
    EXPECT_EQ(failure(network, server.url()), tooLarge);
}

TEST_F(LinuxNetworkHttp, CookiesAreKeptBetweenRequests) {
    server.queueAnswer(HttpTestServer::answer("HTTP/1.1 200 OK", "one", "Set-Cookie: visit=1; Path=/\r\n"));
    server.queueAnswer(HttpTestServer::answer("HTTP/1.1 200 OK", "two"));
    get(network, server.url());
    get(network, server.url());
    ASSERT_EQ(server.requests().size(), 2);
    EXPECT_FALSE(server.requests()[0].contains("Cookie:"));
    EXPECT_TRUE(server.requests()[1].contains("\r\nCookie: visit=1\r\n")) << server.requests()[1].constData();
}

TEST_F(LinuxNetworkHttp, ProxyVariablesAreIgnored) {
    // A proxy on a closed local port: going through it would fail.
    HttpTestServer closed;
    const QByteArray proxy = "http://127.0.0.1:" + QByteArray::number(closed.port());
    const std::optional<QByteArray> saved =
        qEnvironmentVariableIsSet("http_proxy") ? std::optional(qgetenv("http_proxy")) : std::nullopt;
    qputenv("http_proxy", proxy);
    server.queueAnswer(HttpTestServer::answer("HTTP/1.1 200 OK", "direct"));
    EXPECT_EQ(failure(network, server.url()), std::nullopt);
    if (saved)
        qputenv("http_proxy", *saved);
    else
        qunsetenv("http_proxy");
    EXPECT_TRUE(closed.requests().isEmpty());
}

TEST_F(LinuxNetworkHttp, TransportFailuresHaveAClearText) {
    const struct {
        QString url;
        const char* expectedPart;
    } cases[] = {
        {QStringLiteral("file:///etc/hostname"), "file"},
        {QStringLiteral("ftp://127.0.0.1:%1/").arg(server.port()), "ftp"},
        {QString(), "URL"},
    };
    for (const auto& c : cases) {
        const std::optional<QString> text = failure(network, c.url);
        ASSERT_TRUE(text.has_value()) << c.url.toStdString();
        EXPECT_TRUE(text->contains(QLatin1String(c.expectedPart), Qt::CaseInsensitive)) << text->toStdString();
    }
    EXPECT_TRUE(server.requests().isEmpty());
}

TEST_F(LinuxNetworkHttp, ARefusedConnectionFails) {
    std::optional<QString> text;
    quint16 port = 0;
    {
        HttpTestServer gone;
        port = gone.port();
    }
    text = failure(network, QStringLiteral("http://127.0.0.1:%1/").arg(port));
    ASSERT_TRUE(text.has_value());
    EXPECT_TRUE(text->contains(QLatin1String("127.0.0.1"))) << text->toStdString();
}

TEST_F(LinuxNetworkHttp, AServerThatNeverAnswersEndsAtTheTotalTimeout) {
    HttpSettings quick;
    quick.totalTimeout = std::chrono::milliseconds(300);
    LinuxNetwork impatient(QStringLiteral("/proc"), QStringLiteral("/sys"), quick);
    server.neverAnswer();
    const std::optional<QString> text = failure(impatient, server.url());
    ASSERT_TRUE(text.has_value());
    EXPECT_TRUE(text->contains(QLatin1String("timed out"))) << text->toStdString();
    EXPECT_EQ(server.requests().size(), 1);
}

TEST_F(LinuxNetworkHttp, TheEventLoopRunsWhileTheAnswerIsOut) {
    server.holdAnswers(true);
    server.queueAnswer(HttpTestServer::answer("HTTP/1.1 200 OK", kPage));
    std::optional<HttpResult> result;
    const auto request = network.startHttpGet(server.url(), [&](const HttpResult& answer) { result = answer; });
    int ticks = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&ticks] { ++ticks; });
    timer.start(1);
    ASSERT_TRUE(pumpUntil([&] { return server.requests().size() == 1 && ticks >= 3; }));
    EXPECT_FALSE(result.has_value());
    server.holdAnswers(false);
    ASSERT_TRUE(pumpUntil([&result] { return result.has_value(); }));
    EXPECT_EQ(result->body, QString::fromLatin1(kPage));
}

TEST_F(LinuxNetworkHttp, AnAbandonedGetNeverCompletes) {
    server.queueAnswer(HttpTestServer::answer("HTTP/1.1 200 OK", "later"));
    server.holdAnswers(true);
    bool completed = false;
    auto dropped = network.startHttpGet(server.url(), [&completed](const HttpResult&) { completed = true; });
    ASSERT_TRUE(pumpUntil([this] { return server.requests().size() == 1; }));
    dropped.reset();
    auto gone = std::make_unique<LinuxNetwork>();
    const auto outliving = gone->startHttpGet(server.url(), [&completed](const HttpResult&) { completed = true; });
    gone.reset();
    server.holdAnswers(false);
    EXPECT_EQ(get(network, server.url()).body, QStringLiteral("later"));
    EXPECT_FALSE(completed);
}
