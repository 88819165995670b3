#pragma once

#include "CommandResult.h"
#include "InstanceProtocol.h"
#include "platform/LocalSocket.h"

#include <QHash>
#include <QLockFile>
#include <QTimer>
#include <functional>
#include <memory>

namespace zantor {

// One running Zantor for one set of databases. The running copy holds a lock file and
// listens on a local socket, both in the user's private runtime folder and named after
// the databases' folder; a later start hands its request over the socket and ends with
// the answer. A copy that crashed leaves a lock and a socket that the next start takes
// over.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    // Sends the answer to the copy that asked; once only.
    using Reply = std::function<void(const CommandResult& result)>;
    // Answers a request now or later (as when it waits for a run to end).
    using Answer = std::function<void(const InstanceRequest& request, const Reply& reply)>;

    explicit SingleInstance(const QString& databaseFolder, QObject* parent = nullptr);
    ~SingleInstance() override;

    enum class Claim {
        // This process is now the running copy.
        Claimed,
        // Another copy runs and takes requests.
        RunningElsewhere,
        // The lock could not be taken or checked: starting anyway could let two copies
        // work on the same databases. failure() says why.
        Failed,
    };
    // A copy still starting up is given a few seconds to listen.
    Claim claim();
    const QString& failure() const { return m_failure; }
    // From a later start: the running copy's answer to the request, waited for at most
    // `waitMs` (-1: as long as the running copy is there).
    CommandResult ask(const InstanceRequest& request, int waitMs = kAnswerWaitMs);

    // A running copy may be busy a while with a large import.
    static constexpr int kAnswerWaitMs = 60000;
    // As the running copy: answers every request of a later start.
    void listen(Answer answer);

private:
    void startListening();
    void acceptConnection(LocalConnection* socket);
    void closeConnection(LocalConnection* socket);
    void readRequest(LocalConnection* socket);

    QString m_socketPath;
    QString m_failure;
    std::unique_ptr<QLockFile> m_lock;
    LocalClient m_runningCopy;
    LocalServer m_server;
    // Listens again a moment after the server could not, as when the process was out of
    // file descriptors.
    QTimer m_listenAgain;
    // The open connections, oldest first, each with what it has sent of its request so far
    // and the timer that drops it while it stays silent.
    struct Connection {
        QByteArray request;
        QTimer* idle = nullptr;
    };
    QList<LocalConnection*> m_connections;
    QHash<LocalConnection*, Connection> m_requests;
    Answer m_answer;
};

} // namespace zantor
