#pragma once

#include <QByteArray>
#include <QDeadlineTimer>
#include <QObject>
#include <QString>
#include <optional>
#include <utility>

class QSocketNotifier;

namespace zantor {

// The two ends of a local stream socket (AF_UNIX), over which a later start hands its
// request to the running copy. Qt Network would do the same with libraries that every
// start would load before its first window.
//
// An address is a socket file's path, or, starting with '@', a name in Linux's abstract
// namespace, which needs no folder and is not limited by a folder's path length. Either
// end takes only a peer of the same user.

// The later start's end: calls that wait, each until its deadline, as no event loop runs.
class LocalClient {
public:
    LocalClient() = default;
    ~LocalClient();
    LocalClient(const LocalClient&) = delete;
    LocalClient& operator=(const LocalClient&) = delete;

    // True when a server of this user's at `address` took the connection.
    bool connectTo(const QString& address);
    bool isConnected() const { return m_socket >= 0; }
    // True when every byte went.
    bool send(const QByteArray& bytes, QDeadlineTimer deadline);
    // The next line, without its line break; nothing when the server closed or the
    // deadline passed first.
    std::optional<QByteArray> receiveLine(QDeadlineTimer deadline);

private:
    bool waitFor(short events, QDeadlineTimer deadline) const;

    int m_socket = -1;
    QByteArray m_received;
};

// One connection the server took, driven by the event loop. Nothing is read but what
// its owner asks for, so that a peer cannot make it hold more than the owner wants.
class LocalConnection : public QObject {
    Q_OBJECT
public:
    // Takes `socket`, non-blocking.
    LocalConnection(int socket, QObject* parent);
    ~LocalConnection() override;

    // What has come, up to `most` bytes; the rest waits for the next call.
    QByteArray read(qint64 most);
    // The peer has sent all it will: it left, or shut down its sending end only.
    bool atEnd() const { return m_atEnd; }
    // Reads no more: whatever else the peer sends waits, unread, until the connection
    // closes. Writing goes on.
    void stopReading();
    // Sends `bytes` as the peer takes them.
    void write(const QByteArray& bytes);
    // Closes once all that was written has gone; disconnected() follows.
    void closeWhenWritten();
    // Closes at once, with no signal.
    void abort();

signals:
    // Something waits to be read, or the end of what the peer sends.
    void readyRead();
    // Closed: all was written, or the peer is gone.
    void disconnected();

private:
    void sendPending();
    void finish();

    int m_socket;
    QSocketNotifier* m_readable;
    QSocketNotifier* m_writable;
    QByteArray m_pending;
    bool m_closing = false;
    bool m_atEnd = false;
};

// The running copy's end.
class LocalServer : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    ~LocalServer() override;

    // Listens at `address`, in place of any socket file left there; only this user may
    // connect.
    bool listen(const QString& address);
    bool isListening() const { return m_socket >= 0; }
    QString errorString() const { return m_error; }
    // Takes connections again after acceptPaused().
    void resumeAccepting();
    // Stops listening and removes the socket file.
    void close();

signals:
    // A new connection, which the server owns; the receiver deletes it when done with it.
    void newConnection(LocalConnection* connection);
    // No connection could be taken (no file descriptor left, say): the next wait in the
    // queue until resumeAccepting().
    void acceptPaused();

private:
    void accept();

    int m_socket = -1;
    QString m_address;
    QString m_error;
    QSocketNotifier* m_incoming = nullptr;
};

} // namespace zantor
