#include "SingleInstance.h"

#include "platform/PrivateRuntimeFolder.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QPointer>
#include <QThread>

namespace zantor {

namespace {

// How long a start waits for a copy that holds the lock but does not listen yet: it is
// still loading its window, or about to end.
constexpr int kStartWaitMs = 15000;
// A request is a line of JSON: the largest is an import file of 64 MiB in base64.
constexpr qint64 kLongestRequest = qint64(96) << 20;
// A later start sends its request as soon as it is connected: a connection that stays
// silent this long is dropped, so that stalled clients cannot hold the server.
constexpr int kIdleConnectionMs = 5000;
// One user starts Zantor a few times at once at most. Past this many connections the
// oldest goes, before they can use up the process's file descriptors: a later start
// sends its request the moment it is connected, so the newest are the ones to keep.
constexpr int kMostConnections = 32;
constexpr int kListenRetryMs = 1000;

QString errorAnswer(const QString& text) {
    return text + QLatin1Char('\n');
}

} // namespace

SingleInstance::SingleInstance(const QString& databaseFolder, QObject* parent)
    : QObject(parent) {
    const QString folder = privateRuntimeFolder();
    if (folder.isEmpty()) {
        m_failure = QStringLiteral("Não há uma pasta só deste usuário para a trava do Zantor (nem em "
                                   "$XDG_RUNTIME_DIR nem na pasta de cache): sem ela, duas cópias poderiam "
                                   "abrir ao mesmo tempo.");
        return;
    }
    const QFileInfo databases(databaseFolder);
    const QString key = databases.exists() ? databases.canonicalFilePath() : databases.absoluteFilePath();
    const QString name =
        QStringLiteral("zantor-") +
        QString::fromLatin1(
            QCryptographicHash::hash(key.toUtf8(), QCryptographicHash::Sha1).toHex().left(16));
    m_socketPath = folder + QLatin1Char('/') + name + QStringLiteral(".socket");
    m_lock = std::make_unique<QLockFile>(folder + QLatin1Char('/') + name + QStringLiteral(".lock"));
    // A lock is stale only when its process is gone: the running copy keeps it for days.
    m_lock->setStaleLockTime(0);

    m_listenAgain.setSingleShot(true);
    m_listenAgain.setInterval(kListenRetryMs);
    connect(&m_listenAgain, &QTimer::timeout, this, &SingleInstance::startListening);
    connect(&m_server, &LocalServer::newConnection, this, &SingleInstance::acceptConnection);
    // The server closes when it cannot take a connection: it listens again as one goes,
    // or a moment later.
    connect(&m_server, &LocalServer::acceptFailed, &m_listenAgain, qOverload<>(&QTimer::start));
}

SingleInstance::~SingleInstance() {
    m_server.close();
}

SingleInstance::Claim SingleInstance::claim() {
    if (!m_lock)
        return Claim::Failed;
    const QDeadlineTimer deadline(kStartWaitMs);
    while (true) {
        if (m_lock->tryLock(0))
            return Claim::Claimed;
        if (m_lock->error() != QLockFile::LockFailedError) {
            m_failure = QStringLiteral("Não foi possível criar a trava do Zantor (%1).")
                            .arg(QDir::toNativeSeparators(m_lock->fileName()));
            return Claim::Failed;
        }
        if (m_runningCopy.connectTo(m_socketPath) || deadline.hasExpired())
            return Claim::RunningElsewhere;
        QThread::msleep(100);
    }
}

CommandResult SingleInstance::ask(const InstanceRequest& request, int waitMs) {
    const CommandResult silent = CommandResult::failure(
        exit_status::kFailure, errorAnswer(QStringLiteral("O Zantor já está aberto, mas não respondeu.")));
    if (!m_runningCopy.isConnected() ||
        !m_runningCopy.send(instance_protocol::encodeRequest(request), QDeadlineTimer(kAnswerWaitMs)))
        return silent;
    const std::optional<QByteArray> line = m_runningCopy.receiveLine(
        waitMs < 0 ? QDeadlineTimer(QDeadlineTimer::Forever) : QDeadlineTimer(waitMs));
    if (!line)
        return silent;
    return instance_protocol::decodeAnswer(*line).value_or(silent);
}

void SingleInstance::listen(Answer answer) {
    if (!m_lock)
        return;
    m_answer = std::move(answer);
    startListening();
}

void SingleInstance::startListening() {
    if (m_server.isListening())
        return;
    // Holding the lock, any socket there is left over from a copy that crashed, or from
    // this server, which closes and removes its socket when it cannot accept: listening
    // takes its place.
    if (!m_server.listen(m_socketPath)) {
        qWarning("Zantor: não foi possível receber pedidos de outras cópias (%s).",
                 qPrintable(m_server.errorString()));
        m_listenAgain.start();
    }
}

void SingleInstance::acceptConnection(LocalConnection* socket) {
    if (m_connections.size() >= kMostConnections)
        closeConnection(m_connections.first());
    auto* idle = new QTimer(socket);
    idle->setSingleShot(true);
    idle->start(kIdleConnectionMs);
    m_connections.append(socket);
    m_requests.insert(socket, {{}, idle});
    connect(idle, &QTimer::timeout, this, [this, socket] { closeConnection(socket); });
    connect(socket, &LocalConnection::disconnected, this, [this, socket] { closeConnection(socket); });
    connect(socket, &LocalConnection::readyRead, this, [this, socket, idle] {
        idle->start();
        readRequest(socket);
    });
}

void SingleInstance::closeConnection(LocalConnection* socket) {
    // Once only, whether the peer left or the connection went idle.
    if (!m_requests.remove(socket))
        return;
    m_connections.removeOne(socket);
    socket->abort();
    socket->deleteLater();
    // The server stops listening for good when it cannot accept (no file descriptor left):
    // a connection that goes frees one.
    startListening();
}

void SingleInstance::readRequest(LocalConnection* socket) {
    // The line grows piece by piece: look for its end only in what came last, as an import
    // request can be many megabytes long.
    const auto open = m_requests.find(socket);
    if (open == m_requests.end())
        return;
    QByteArray& request = open->request;
    const qsizetype searched = request.size();
    request += socket->readAll();
    const qsizetype end = request.indexOf('\n', searched);
    if (end < 0) {
        if (request.size() > kLongestRequest)
            closeConnection(socket);
        return;
    }
    const InstanceRequest asked = instance_protocol::decodeRequest(request.left(end));
    request.clear();
    // The copy that asked now waits for its answer, which may come at the end of a run.
    open->idle->stop();
    disconnect(socket, &LocalConnection::readyRead, this, nullptr);
    m_answer(asked, [socket = QPointer<LocalConnection>(socket)](const CommandResult& result) {
        if (!socket)
            return;
        socket->write(instance_protocol::encodeAnswer(result));
        socket->closeWhenWritten();
    });
}

} // namespace zantor
