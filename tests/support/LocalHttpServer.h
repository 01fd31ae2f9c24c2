#pragma once

// A small HTTP/1.1 server on 127.0.0.1 for download tests. It answers on threads of its own, so a
// test may block its main thread while a download runs.

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <atomic>
#include <map>
#include <mutex>
#include <thread>
#include <vector>

namespace kora::test {

class LocalHttpServer
{
public:
    enum class Behaviour {
        Answer,  // the status, headers and body below
        Silent,  // reads the request and never answers
        Endless, // a 200 without a length, then bytes until the client hangs up
    };

    struct Response
    {
        Response(int status = 200, QByteArray body = {}, QByteArray headers = {}, qint64 declaredLength = -1,
                 Behaviour behaviour = Behaviour::Answer)
            : status(status)
            , body(std::move(body))
            , headers(std::move(headers))
            , declaredLength(declaredLength)
            , behaviour(behaviour)
        {
        }

        int status;
        QByteArray body;
        QByteArray headers;    // extra header lines, each ending in CR LF
        qint64 declaredLength; // the Content-Length to announce in place of the body's
        Behaviour behaviour;
    };

    LocalHttpServer();
    ~LocalHttpServer();
    LocalHttpServer(const LocalHttpServer &) = delete;
    LocalHttpServer &operator=(const LocalHttpServer &) = delete;

    // Unknown paths answer 404.
    void route(const QByteArray &path, Response response);
    // "http://127.0.0.1:port" + path.
    QString url(const QString &path) const;
    // The request targets received so far, in order.
    QStringList requests() const;

private:
    void acceptLoop();
    void serve(int socket);

    int m_listener = -1;
    int m_port = 0;
    std::atomic_bool m_stop{false};
    mutable std::mutex m_mutex;
    std::map<QByteArray, Response> m_routes;
    QStringList m_requests;
    std::vector<std::thread> m_connections;
    std::thread m_acceptor;
};

} // namespace kora::test
