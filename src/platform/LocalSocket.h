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

// The later start's end: calls that wait, each until its deadline, as no event loop runs.
class LocalClient {
public:
    LocalClient() = default;
    ~LocalClient();
    LocalClient(const LocalClient&) = delete;
    LocalClient& operator=(const LocalClient&) = delete;

    // True when a server at `path` took the connection.
    bool connectTo(const QString& path);
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

// One connection the server took, driven by the event loop.
class LocalConnection : public QObject {
    Q_OBJECT
public:
    // Takes `socket`, non-blocking.
    LocalConnection(int socket, QObject* parent);
    ~LocalConnection() override;

    // What came since the last call.
    QByteArray readAll() { return std::exchange(m_received, {}); }
    // Sends `bytes` as the peer takes them.
    void write(const QByteArray& bytes);
    // Closes once all that was written has gone; disconnected() follows.
    void closeWhenWritten();
    // Closes at once, with no signal.
    void abort();

signals:
    void readyRead();
    void disconnected();

private:
    void receive();
    void sendPending();
    void finish();

    int m_socket;
    QSocketNotifier* m_readable;
    QSocketNotifier* m_writable;
    QByteArray m_received;
    QByteArray m_pending;
    bool m_closing = false;
};

// The running copy's end.
class LocalServer : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    ~LocalServer() override;

    // Listens at `path`, in place of any socket file left there; only this user may
    // connect.
    bool listen(const QString& path);
    bool isListening() const { return m_socket >= 0; }
    QString errorString() const { return m_error; }
    // Stops listening and removes the socket file.
    void close();

signals:
    // A new connection, which the server owns; the receiver deletes it when done with it.
    void newConnection(LocalConnection* connection);
    // No connection could be taken (no file descriptor left, say): the server has closed.
    void acceptFailed();

private:
    void accept();

    int m_socket = -1;
    QString m_path;
    QString m_error;
    QSocketNotifier* m_incoming = nullptr;
};

} // namespace zantor
