#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <atomic>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

// A tiny HTTP server on 127.0.0.1 for tests, serving on its own thread. Each connection gets one
// scripted answer and is closed. It stops when destroyed, and by itself after two minutes.
class HttpTestServer {
public:
    HttpTestServer();
    ~HttpTestServer();
    HttpTestServer(const HttpTestServer&) = delete;
    HttpTestServer& operator=(const HttpTestServer&) = delete;

    bool listening() const { return m_listener >= 0; }
    quint16 port() const { return m_port; }
    QString url(const QString& path = QStringLiteral("/")) const;

    // Answers, in order, to the next connections; the last one is repeated. `raw` is sent as it
    // is: status line, headers and body.
    void queueAnswer(const QByteArray& raw);
    // From now on a request is read and never answered; the connection stays open until the
    // server stops.
    void neverAnswer();
    // While held, each answer waits (its request is already recorded).
    void holdAnswers(bool held) { m_held = held; }

    // A complete answer with Content-Length and "Connection: close".
    static QByteArray answer(const QByteArray& statusLine, const QByteArray& body, const QByteArray& headers = {});

    // The requests received so far (request line and headers).
    QList<QByteArray> requests() const;

private:
    void serve();
    void handle(int client);

    int m_listener = -1;
    int m_wakeRead = -1;
    int m_wakeWrite = -1;
    quint16 m_port = 0;
    std::thread m_thread;
    mutable std::mutex m_mutex;
    std::deque<QByteArray> m_answers;
    QByteArray m_lastAnswer;
    bool m_silent = false;
    std::atomic<bool> m_held = false;
    QList<QByteArray> m_requests;
    std::vector<int> m_heldConnections;
};
