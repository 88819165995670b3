#pragma once

#include "CommandResult.h"
#include "InstanceProtocol.h"
#include "platform/LocalSocket.h"
#include "platform/LockFile.h"

#include <QHash>
#include <QTimer>
#include <functional>
#include <memory>

namespace zantor {

// What the running copy takes from later starts, so that no client, stalled or hostile,
// can make it hold more.
struct InstanceLimits {
    // A later start sends its request as soon as it is connected: a connection that stays
    // silent this long before its request is whole is dropped.
    int idleMs = 5000;
    // One user starts Zantor a few times at once at most; more connections could use up
    // the process's file descriptors.
    int connections = 32;
    // A request is a line of JSON: the largest is an import file of 64 MiB in base64.
    qint64 requestBytes = qint64(96) << 20;
    // What all connections may hold at once: two of the largest requests.
    qint64 bufferedBytes = qint64(192) << 20;
};

// One running Zantor for one set of databases, whatever the environment of each start
// (a desktop session, cron, su, ssh). The running copy holds a lock file in the
// databases' folder (made first, and known by its canonical path, so that a link on the
// way leads to the same lock) and writes in it where it listens for later starts; a
// later start hands its request over and ends with the answer. Only where that folder
// cannot be written does the lock live in the user's private runtime folder.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    // Sends the answer to the copy that asked; once only.
    using Reply = std::function<void(const CommandResult& result)>;
    // Answers a request now or later (as when it waits for a run to end).
    using Answer = std::function<void(const InstanceRequest& request, const Reply& reply)>;

    explicit SingleInstance(const QString& databaseFolder, InstanceLimits limits = {},
                            QObject* parent = nullptr);
    ~SingleInstance() override;

    enum class Claim {
        // This process is now the running copy.
        Claimed,
        // Another copy runs and takes requests.
        RunningElsewhere,
        // The lock could not be taken or checked, or the running copy takes no requests:
        // starting anyway could let two copies work on the same databases. failure()
        // says why.
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
    // What the open connections hold of requests not yet whole.
    qint64 bufferedBytes() const { return m_buffered; }

private:
    bool prepareLock();
    void startListening();
    void acceptConnection(LocalConnection* socket);
    // The connection to let go for a new one: the oldest that has sent nothing, else the
    // oldest still sending; never one that waits for its answer.
    LocalConnection* connectionToDrop() const;
    void closeConnection(LocalConnection* socket);
    void readRequest(LocalConnection* socket);

    QString m_databaseFolder;
    InstanceLimits m_limits;
    // Names the lock and the socket after the databases' folder.
    QString m_name;
    QString m_failure;
    std::unique_ptr<LockFile> m_lock;
    LocalClient m_runningCopy;
    LocalServer m_server;
    // Takes connections again a moment after the server could not, as when the process
    // was out of file descriptors.
    QTimer m_acceptAgain;
    // The open connections, oldest first, each with what it has sent of its request so
    // far and the timer that drops it while it stays silent.
    struct Connection {
        QByteArray request;
        QTimer* idle = nullptr;
        // Its request is in: it waits for the answer, however long the run takes.
        bool answering = false;
    };
    QList<LocalConnection*> m_connections;
    QHash<LocalConnection*, Connection> m_requests;
    qint64 m_buffered = 0;
    Answer m_answer;
};

} // namespace zantor
