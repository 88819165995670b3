#include "LocalSocket.h"

#include <QFile>
#include <QSocketNotifier>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace zantor {

namespace {

// Room for the connections that arrive while the running copy is busy, a large import
// say: the later starts wait in line rather than fail.
constexpr int kBacklog = 50;

std::optional<sockaddr_un> addressOf(const QString& path) {
    const QByteArray name = QFile::encodeName(path);
    sockaddr_un address{};
    if (name.size() >= qsizetype(sizeof(address.sun_path)))
        return std::nullopt;
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, name.constData(), size_t(name.size()));
    return address;
}

int newSocket() {
    return ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
}

} // namespace

LocalClient::~LocalClient() {
    if (m_socket >= 0)
        ::close(m_socket);
}

bool LocalClient::connectTo(const QString& path) {
    const std::optional<sockaddr_un> address = addressOf(path);
    if (!address || m_socket >= 0)
        return m_socket >= 0;
    m_socket = newSocket();
    if (m_socket < 0)
        return false;
    // A full backlog (EAGAIN) or no server at all: the caller tries again.
    if (::connect(m_socket, reinterpret_cast<const sockaddr*>(&*address), sizeof(*address)) != 0) {
        ::close(m_socket);
        m_socket = -1;
    }
    return m_socket >= 0;
}

bool LocalClient::waitFor(short events, QDeadlineTimer deadline) const {
    pollfd watched{m_socket, events, 0};
    int ready;
    do
        ready = ::poll(&watched, 1, int(deadline.remainingTime()));
    while (ready < 0 && errno == EINTR);
    return ready > 0;
}

bool LocalClient::send(const QByteArray& bytes, QDeadlineTimer deadline) {
    qsizetype sent = 0;
    while (m_socket >= 0 && sent < bytes.size()) {
        const ssize_t written =
            ::send(m_socket, bytes.constData() + sent, size_t(bytes.size() - sent), MSG_NOSIGNAL);
        if (written > 0)
            sent += written;
        else if (written < 0 && errno == EINTR)
            continue;
        else if (written < 0 && errno == EAGAIN && waitFor(POLLOUT, deadline))
            continue;
        else
            return false;
    }
    return m_socket >= 0;
}

std::optional<QByteArray> LocalClient::receiveLine(QDeadlineTimer deadline) {
    while (m_socket >= 0) {
        if (const qsizetype end = m_received.indexOf('\n'); end >= 0) {
            QByteArray line = m_received.left(end);
            m_received.remove(0, end + 1);
            return line;
        }
        char chunk[4096];
        const ssize_t count = ::recv(m_socket, chunk, sizeof(chunk), 0);
        if (count > 0)
            m_received.append(chunk, count);
        else if (count < 0 && errno == EINTR)
            continue;
        else if (count < 0 && errno == EAGAIN && waitFor(POLLIN, deadline))
            continue;
        else
            break;
    }
    return std::nullopt;
}

LocalConnection::LocalConnection(int socket, QObject* parent)
    : QObject(parent)
    , m_socket(socket)
    , m_readable(new QSocketNotifier(socket, QSocketNotifier::Read, this))
    , m_writable(new QSocketNotifier(socket, QSocketNotifier::Write, this)) {
    m_writable->setEnabled(false);
    connect(m_readable, &QSocketNotifier::activated, this, &LocalConnection::receive);
    connect(m_writable, &QSocketNotifier::activated, this, &LocalConnection::sendPending);
}

LocalConnection::~LocalConnection() {
    abort();
}

void LocalConnection::receive() {
    bool closed = false;
    const qsizetype before = m_received.size();
    while (true) {
        char chunk[65536];
        const ssize_t count = ::recv(m_socket, chunk, sizeof(chunk), 0);
        if (count > 0) {
            m_received.append(chunk, count);
            continue;
        }
        if (count < 0 && errno == EINTR)
            continue;
        closed = count == 0 || errno != EAGAIN;
        break;
    }
    if (m_received.size() > before)
        emit readyRead();
    if (closed && m_socket >= 0)
        finish();
}

void LocalConnection::write(const QByteArray& bytes) {
    m_pending += bytes;
    sendPending();
}

void LocalConnection::sendPending() {
    while (m_socket >= 0 && !m_pending.isEmpty()) {
        const ssize_t written =
            ::send(m_socket, m_pending.constData(), size_t(m_pending.size()), MSG_NOSIGNAL);
        if (written > 0) {
            m_pending.remove(0, written);
        } else if (written < 0 && errno == EINTR) {
            continue;
        } else if (written < 0 && errno == EAGAIN) {
            m_writable->setEnabled(true);
            return;
        } else {
            finish();
            return;
        }
    }
    if (m_socket < 0)
        return;
    m_writable->setEnabled(false);
    if (m_closing)
        finish();
}

void LocalConnection::closeWhenWritten() {
    m_closing = true;
    sendPending();
}

void LocalConnection::finish() {
    abort();
    emit disconnected();
}

void LocalConnection::abort() {
    if (m_socket < 0)
        return;
    // The notifiers let go of the descriptor before it closes.
    m_readable->setEnabled(false);
    m_writable->setEnabled(false);
    ::close(m_socket);
    m_socket = -1;
}

LocalServer::~LocalServer() {
    close();
}

bool LocalServer::listen(const QString& path) {
    close();
    const std::optional<sockaddr_un> address = addressOf(path);
    if (!address) {
        m_error = QStringLiteral("caminho longo demais para um socket");
        return false;
    }
    const int socket = newSocket();
    if (socket < 0) {
        m_error = QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
    ::unlink(address->sun_path);
    if (::bind(socket, reinterpret_cast<const sockaddr*>(&*address), sizeof(*address)) != 0 ||
        ::chmod(address->sun_path, S_IRUSR | S_IWUSR) != 0 || ::listen(socket, kBacklog) != 0) {
        m_error = QString::fromLocal8Bit(std::strerror(errno));
        ::close(socket);
        ::unlink(address->sun_path);
        return false;
    }
    m_socket = socket;
    m_path = path;
    m_incoming = new QSocketNotifier(socket, QSocketNotifier::Read, this);
    connect(m_incoming, &QSocketNotifier::activated, this, &LocalServer::accept);
    return true;
}

void LocalServer::close() {
    if (m_socket < 0)
        return;
    m_incoming->setEnabled(false);
    m_incoming->deleteLater();
    m_incoming = nullptr;
    ::close(m_socket);
    m_socket = -1;
    ::unlink(QFile::encodeName(m_path).constData());
}

void LocalServer::accept() {
    while (m_socket >= 0) {
        const int connection = ::accept4(m_socket, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (connection >= 0) {
            emit newConnection(new LocalConnection(connection, this));
            continue;
        }
        if (errno == EINTR || errno == ECONNABORTED)
            continue;
        if (errno == EAGAIN)
            return;
        m_error = QString::fromLocal8Bit(std::strerror(errno));
        close();
        emit acceptFailed();
    }
}

} // namespace zantor
