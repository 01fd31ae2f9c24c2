#include "support/LocalHttpServer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <stdexcept>

namespace kora::test {

namespace {

constexpr int kPollMilliseconds = 20;

// Waits for the socket to become readable; false when the server stops first.
bool waitReadable(int socket, const std::atomic_bool &stop)
{
    while (!stop) {
        pollfd fd{socket, POLLIN, 0};
        const int ready = ::poll(&fd, 1, kPollMilliseconds);
        if (ready > 0)
            return true;
        if (ready < 0)
            return false;
    }
    return false;
}

bool sendAll(int socket, const QByteArray &bytes)
{
    qsizetype sent = 0;
    while (sent < bytes.size()) {
        const ssize_t n = ::send(socket, bytes.constData() + sent, size_t(bytes.size() - sent), MSG_NOSIGNAL);
        if (n <= 0)
            return false;
        sent += n;
    }
    return true;
}

QByteArray reason(int status)
{
    switch (status) {
    case 200:
        return "OK";
    case 301:
        return "Moved Permanently";
    case 302:
        return "Found";
    case 404:
        return "Not Found";
    default:
        return "Status";
    }
}

} // namespace

LocalHttpServer::LocalHttpServer()
{
    m_listener = ::socket(AF_INET, SOCK_STREAM, 0);
    const int on = 1;
    ::setsockopt(m_listener, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    if (m_listener < 0 || ::bind(m_listener, reinterpret_cast<sockaddr *>(&address), sizeof address) != 0 ||
        ::listen(m_listener, 16) != 0) {
        throw std::runtime_error("no local test server");
    }
    socklen_t length = sizeof address;
    ::getsockname(m_listener, reinterpret_cast<sockaddr *>(&address), &length);
    m_port = ntohs(address.sin_port);
    m_acceptor = std::thread([this] { acceptLoop(); });
}

LocalHttpServer::~LocalHttpServer()
{
    m_stop = true;
    m_acceptor.join();
    for (std::thread &connection : m_connections)
        connection.join();
    ::close(m_listener);
}

void LocalHttpServer::route(const QByteArray &path, Response response)
{
    std::lock_guard lock(m_mutex);
    m_routes[path] = std::move(response);
}

QString LocalHttpServer::url(const QString &path) const
{
    return QStringLiteral("http://127.0.0.1:%1%2").arg(m_port).arg(path);
}

QStringList LocalHttpServer::requests() const
{
    std::lock_guard lock(m_mutex);
    return m_requests;
}

void LocalHttpServer::acceptLoop()
{
    while (waitReadable(m_listener, m_stop)) {
        const int socket = ::accept(m_listener, nullptr, nullptr);
        if (socket >= 0)
            m_connections.emplace_back([this, socket] { serve(socket); });
    }
}

void LocalHttpServer::serve(int socket)
{
    QByteArray request;
    char buffer[4096];
    while (!request.contains("\r\n\r\n") && waitReadable(socket, m_stop)) {
        const ssize_t n = ::recv(socket, buffer, sizeof buffer, 0);
        if (n <= 0)
            break;
        request.append(buffer, n);
    }
    const QList<QByteArray> requestLine = request.left(request.indexOf("\r\n")).split(' ');
    const QByteArray target = requestLine.size() > 1 ? requestLine[1] : QByteArray();
    Response response{404, "not found"};
    {
        std::lock_guard lock(m_mutex);
        m_requests << QString::fromLatin1(target);
        const auto found = m_routes.find(target);
        if (found != m_routes.end())
            response = found->second;
    }

    switch (response.behaviour) {
    case Behaviour::Silent:
        // Holds the connection until the client gives up or the server stops.
        while (waitReadable(socket, m_stop) && ::recv(socket, buffer, sizeof buffer, 0) > 0) {
        }
        break;
    case Behaviour::Endless: {
        const QByteArray chunk(64 * 1024, 'x');
        if (sendAll(socket, "HTTP/1.1 200 OK\r\nContent-Type: text/plain\r\nConnection: close\r\n\r\n")) {
            while (!m_stop && sendAll(socket, chunk)) {
            }
        }
        break;
    }
    case Behaviour::Answer:
        sendAll(socket,
                "HTTP/1.1 " + QByteArray::number(response.status) + ' ' + reason(response.status) + "\r\n" +
                    "Content-Length: " +
                    QByteArray::number(response.declaredLength >= 0 ? response.declaredLength : response.body.size()) +
                    "\r\n" + response.headers + "Connection: close\r\n\r\n" + response.body);
        break;
    }
    ::close(socket);
}

} // namespace kora::test
