#include "LocalSocket.h"

#include <QFile>
#include <QSocketNotifier>
#include <algorithm>
#include <cerrno>
#include <cstddef>
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

// The first byte of an address in the abstract namespace, and what stands for it in ours.
constexpr char kAbstract = '@';

struct SocketAddress {
    sockaddr_un address{};
    socklen_t size = 0;
    bool isFile() const { return address.sun_path[0] != '\0'; }
};

std::optional<SocketAddress> addressOf(const QString& text) {
    const QByteArray name = QFile::encodeName(text);
    SocketAddress socket;
    if (name.isEmpty() || name.size() >= qsizetype(sizeof(socket.address.sun_path)))
        return std::nullopt;
    socket.address.sun_family = AF_UNIX;
    std::memcpy(socket.address.sun_path, name.constData(), size_t(name.size()));
    if (name.startsWith(kAbstract)) {
#ifdef Q_OS_LINUX
        socket.address.sun_path[0] = '\0';
        socket.size = socklen_t(offsetof(sockaddr_un, sun_path) + size_t(name.size()));
        return socket;
#else
        return std::nullopt;
#endif
    }
    socket.size = sizeof(socket.address);
    return socket;
}

int newSocket() {
    return ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
}

// A name in the abstract namespace has no file permissions: anyone may connect to it.
bool peerIsThisUser(int socket) {
    ucred peer{};
    socklen_t size = sizeof(peer);
    return ::getsockopt(socket, SOL_SOCKET, SO_PEERCRED, &peer, &size) == 0 && peer.uid == ::geteuid();
}

} // namespace

LocalClient::~LocalClient() {
    if (m_socket >= 0)
        ::close(m_socket);
}

bool LocalClient::connectTo(const QString& address) {
    const std::optional<SocketAddress> server = addressOf(address);
    if (!server || m_socket >= 0)
        return m_socket >= 0;
    m_socket = newSocket();
    if (m_socket < 0)
        return false;
    // A full backlog (EAGAIN) or no server at all: the caller tries again.
    if (::connect(m_socket, reinterpret_cast<const sockaddr*>(&server->address), server->size) != 0 ||
        !peerIsThisUser(m_socket)) {
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
    connect(m_readable, &QSocketNotifier::activated, this, &LocalConnection::readyRead);
    connect(m_writable, &QSocketNotifier::activated, this, &LocalConnection::sendPending);
}

LocalConnection::~LocalConnection() {
    abort();
}

QByteArray LocalConnection::read(qint64 most) {
    QByteArray received;
    while (m_socket >= 0 && !m_atEnd && received.size() < most) {
        char chunk[65536];
        const ssize_t count = ::recv(
            m_socket, chunk, size_t(std::min<qint64>(qint64(sizeof(chunk)), most - received.size())), 0);
        if (count > 0) {
            received.append(chunk, count);
            continue;
        }
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0 && errno == EAGAIN)
            break;
        // The peer has shut its end, or the connection broke: nothing more will come, and
        // the notifier would only report that again and again.
        m_atEnd = true;
        m_readable->setEnabled(false);
    }
    return received;
}

void LocalConnection::stopReading() {
    m_readable->setEnabled(false);
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

bool LocalServer::listen(const QString& address) {
    close();
    const std::optional<SocketAddress> own = addressOf(address);
    if (!own) {
        m_error = QStringLiteral("endereço longo demais para um socket");
        return false;
    }
    const int socket = newSocket();
    if (socket < 0) {
        m_error = QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
    const char* file = own->address.sun_path;
    if (own->isFile())
        ::unlink(file);
    if (::bind(socket, reinterpret_cast<const sockaddr*>(&own->address), own->size) != 0 ||
        (own->isFile() && ::chmod(file, S_IRUSR | S_IWUSR) != 0) || ::listen(socket, kBacklog) != 0) {
        m_error = QString::fromLocal8Bit(std::strerror(errno));
        ::close(socket);
        if (own->isFile())
            ::unlink(file);
        return false;
    }
    m_socket = socket;
    m_address = address;
    m_incoming = new QSocketNotifier(socket, QSocketNotifier::Read, this);
    connect(m_incoming, &QSocketNotifier::activated, this, &LocalServer::accept);
    return true;
}

void LocalServer::resumeAccepting() {
    if (m_incoming)
        m_incoming->setEnabled(true);
}

void LocalServer::close() {
    if (m_socket < 0)
        return;
    m_incoming->setEnabled(false);
    m_incoming->deleteLater();
    m_incoming = nullptr;
    ::close(m_socket);
    m_socket = -1;
    if (!m_address.startsWith(QLatin1Char(kAbstract)))
        ::unlink(QFile::encodeName(m_address).constData());
}

void LocalServer::accept() {
    while (m_socket >= 0) {
        const int connection = ::accept4(m_socket, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (connection >= 0) {
            if (peerIsThisUser(connection))
                emit newConnection(new LocalConnection(connection, this));
            else
                ::close(connection);
            continue;
        }
        if (errno == EINTR || errno == ECONNABORTED)
            continue;
        if (errno == EAGAIN)
            return;
        // Out of file descriptors, say: the queue would wake the notifier again and again.
        m_error = QString::fromLocal8Bit(std::strerror(errno));
        m_incoming->setEnabled(false);
        emit acceptPaused();
        return;
    }
}

} // namespace zantor
