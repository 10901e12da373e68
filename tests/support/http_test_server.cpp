#include "support/http_test_server.h"

#include <arpa/inet.h>
#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

constexpr auto kLifetime = std::chrono::minutes(2);
constexpr int kRequestWaitMs = 2000;

void sendAll(int fd, const QByteArray& data) {
    qsizetype sent = 0;
    while (sent < data.size()) {
        const ssize_t n = ::send(fd, data.constData() + sent, size_t(data.size() - sent), MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return; // the client went away (a refused, oversized body)
        sent += n;
    }
}

} // namespace

HttpTestServer::HttpTestServer() {
    m_lastAnswer = answer("HTTP/1.1 200 OK", "");
    m_listener = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (m_listener < 0)
        return;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    socklen_t length = sizeof(address);
    int pipeFds[2];
    if (::bind(m_listener, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0 ||
        ::listen(m_listener, 16) != 0 ||
        ::getsockname(m_listener, reinterpret_cast<sockaddr*>(&address), &length) != 0 ||
        ::pipe2(pipeFds, O_CLOEXEC) != 0) {
        ::close(m_listener);
        m_listener = -1;
        return;
    }
    m_port = ntohs(address.sin_port);
    m_wakeRead = pipeFds[0];
    m_wakeWrite = pipeFds[1];
    m_thread = std::thread([this] { serve(); });
}

HttpTestServer::~HttpTestServer() {
    if (m_thread.joinable()) {
        const char stop = 's';
        [[maybe_unused]] const ssize_t n = ::write(m_wakeWrite, &stop, 1);
        m_thread.join();
    }
    for (int fd : m_heldConnections)
        ::close(fd);
    for (int fd : {m_listener, m_wakeRead, m_wakeWrite})
        if (fd >= 0)
            ::close(fd);
}

QString HttpTestServer::url(const QString& path) const {
    return QStringLiteral("http://127.0.0.1:%1%2").arg(m_port).arg(path);
}

void HttpTestServer::queueAnswer(const QByteArray& raw) {
    std::lock_guard lock(m_mutex);
    m_answers.push_back(raw);
}

void HttpTestServer::neverAnswer() {
    std::lock_guard lock(m_mutex);
    m_silent = true;
}

QByteArray HttpTestServer::answer(const QByteArray& statusLine, const QByteArray& body, const QByteArray& headers) {
    return statusLine + "\r\nContent-Length: " + QByteArray::number(body.size()) + "\r\nConnection: close\r\n" +
           headers + "\r\n" + body;
}

QList<QByteArray> HttpTestServer::requests() const {
    std::lock_guard lock(m_mutex);
    return m_requests;
}

void HttpTestServer::serve() {
    const auto deadline = std::chrono::steady_clock::now() + kLifetime;
    while (std::chrono::steady_clock::now() < deadline) {
        pollfd fds[2] = {{m_listener, POLLIN, 0}, {m_wakeRead, POLLIN, 0}};
        const int ready = ::poll(fds, 2, 100);
        if (ready < 0 && errno != EINTR)
            return;
        if (fds[1].revents)
            return;
        if (!(fds[0].revents & POLLIN))
            continue;
        const int client = ::accept4(m_listener, nullptr, nullptr, SOCK_CLOEXEC);
        if (client >= 0)
            handle(client);
    }
}

void HttpTestServer::handle(int client) {
    QByteArray request;
    while (!request.contains("\r\n\r\n")) {
        pollfd fds[2] = {{client, POLLIN, 0}, {m_wakeRead, POLLIN, 0}};
        if (::poll(fds, 2, kRequestWaitMs) <= 0 || fds[1].revents)
            break;
        char chunk[4096];
        const ssize_t n = ::recv(client, chunk, sizeof(chunk), 0);
        if (n <= 0)
            break;
        request.append(chunk, n);
    }
    QByteArray reply;
    {
        std::lock_guard lock(m_mutex);
        m_requests << request;
        if (m_silent) {
            m_heldConnections.push_back(client);
            return;
        }
        if (!m_answers.empty()) {
            m_lastAnswer = m_answers.front();
            m_answers.pop_front();
        }
        reply = m_lastAnswer;
    }
    while (m_held) {
        pollfd wake{m_wakeRead, POLLIN, 0};
        if (::poll(&wake, 1, 10) > 0) {
            ::close(client);
            return;
        }
    }
    sendAll(client, reply);
    ::shutdown(client, SHUT_WR);
    ::close(client);
}
