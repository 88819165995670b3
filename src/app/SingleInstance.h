#pragma once

#include "CommandResult.h"

#include <QJsonObject>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <functional>
#include <memory>

namespace zantor {

// One running Zantor for one set of databases. The running copy holds a lock file and
// listens on a local socket, both in the user's runtime folder and named after the
// databases' folder; a later start hands its request over the socket and ends with the
// answer. A copy that crashed leaves a lock and a socket that the next start takes over.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    using Answer = std::function<CommandResult(const QJsonObject& request)>;

    explicit SingleInstance(const QString& databaseFolder, QObject* parent = nullptr);
    ~SingleInstance() override;

    // True when this process is now the running copy; false when another copy runs. A
    // copy still starting up is given a few seconds to listen.
    bool claim();
    // From a later start: the running copy's answer to the request.
    CommandResult ask(const QJsonObject& request);
    // As the running copy: answers every request of a later start.
    void listen(Answer answer);

private:
    void readRequest(QLocalSocket* socket);

    QString m_socketPath;
    std::unique_ptr<QLockFile> m_lock;
    QLocalSocket m_runningCopy;
    QLocalServer m_server;
    Answer m_answer;
};

} // namespace zantor
