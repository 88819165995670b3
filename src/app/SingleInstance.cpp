#include "SingleInstance.h"

#include "platform/PrivateRuntimeFolder.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QPointer>
#include <QRandomGenerator>
#include <QThread>
#include <algorithm>

namespace zantor {

namespace {

// How long a start waits for a copy that holds the lock but does not listen yet: it is
// still loading its window, or about to end.
constexpr int kStartWaitMs = 15000;
constexpr int kAcceptAgainMs = 1000;

QString errorAnswer(const QString& text) {
    return text + QLatin1Char('\n');
}

} // namespace

SingleInstance::SingleInstance(const QString& databaseFolder, InstanceLimits limits, QObject* parent)
    : QObject(parent)
    , m_databaseFolder(databaseFolder)
    , m_limits(limits) {
    m_acceptAgain.setSingleShot(true);
    m_acceptAgain.setInterval(kAcceptAgainMs);
    connect(&m_acceptAgain, &QTimer::timeout, &m_server, &LocalServer::resumeAccepting);
    connect(&m_server, &LocalServer::newConnection, this, &SingleInstance::acceptConnection);
    connect(&m_server, &LocalServer::acceptPaused, &m_acceptAgain, qOverload<>(&QTimer::start));
}

SingleInstance::~SingleInstance() {
    m_server.close();
}

bool SingleInstance::prepareLock() {
    // Made first: a start before the folder exists and one after must find the same lock,
    // and only an existing folder has a canonical path.
    QDir().mkpath(m_databaseFolder);
    const QFileInfo folder(m_databaseFolder);
    const QString canonical = folder.canonicalFilePath();
    const QString key = canonical.isEmpty() ? QDir::cleanPath(folder.absoluteFilePath()) : canonical;
    m_name = QStringLiteral("zantor-") +
             QString::fromLatin1(
                 QCryptographicHash::hash(key.toUtf8(), QCryptographicHash::Sha1).toHex().left(16));
    if (!canonical.isEmpty() && QFileInfo(canonical).isWritable()) {
        m_lock = std::make_unique<LockFile>(canonical + QStringLiteral("/.zantor.lock"));
        return true;
    }
    // Nothing can be written to these databases, so no two copies can spoil them: a start
    // in another environment may find another folder here, and that is all it risks.
    const QString runtime = privateRuntimeFolder();
    if (runtime.isEmpty()) {
        m_failure = QStringLiteral("Não há uma pasta só deste usuário para a trava do Zantor (nem em "
                                   "$XDG_RUNTIME_DIR nem na pasta de cache): sem ela, duas cópias poderiam "
                                   "abrir ao mesmo tempo.");
        return false;
    }
    m_lock = std::make_unique<LockFile>(runtime + QLatin1Char('/') + m_name + QStringLiteral(".lock"));
    return true;
}

SingleInstance::Claim SingleInstance::claim() {
    if (!m_lock && !prepareLock())
        return Claim::Failed;
    const QDeadlineTimer deadline(kStartWaitMs);
    while (true) {
        switch (m_lock->tryHold()) {
        case LockFile::Outcome::Held:
            return Claim::Claimed;
        case LockFile::Outcome::Failed:
            m_failure = QStringLiteral("Não foi possível criar a trava do Zantor (%1: %2).")
                            .arg(QDir::toNativeSeparators(m_lock->path()), m_lock->errorString());
            return Claim::Failed;
        case LockFile::Outcome::HeldElsewhere:
            break;
        }
        if (const std::optional<QByteArray> address = m_lock->note()) {
            if (address->isEmpty()) {
                m_failure =
                    QStringLiteral("O Zantor já está aberto, mas não pode receber pedidos de outras cópias.");
                return Claim::Failed;
            }
            if (m_runningCopy.connectTo(QFile::decodeName(*address)))
                return Claim::RunningElsewhere;
        }
        if (deadline.hasExpired())
            return Claim::RunningElsewhere;
        QThread::msleep(100);
    }
}

CommandResult SingleInstance::ask(const InstanceRequest& request, int waitMs) {
    const CommandResult silent = CommandResult::failure(
        exit_status::kFailure, errorAnswer(QStringLiteral("O Zantor já está aberto, mas não respondeu.")));
    const QDeadlineTimer sending(kAnswerWaitMs);
    if (!m_runningCopy.isConnected() ||
        !instance_protocol::sendRequest(request, [this, &sending](const QByteArray& piece) {
            return m_runningCopy.send(piece, sending);
        }))
        return silent;
    const std::optional<QByteArray> line = m_runningCopy.receiveLine(
        waitMs < 0 ? QDeadlineTimer(QDeadlineTimer::Forever) : QDeadlineTimer(waitMs));
    if (!line)
        return silent;
    return instance_protocol::decodeAnswer(*line).value_or(silent);
}

void SingleInstance::listen(Answer answer) {
    if (!m_lock || m_server.isListening())
        return;
    m_answer = std::move(answer);
    startListening();
}

void SingleInstance::startListening() {
    QStringList addresses;
    if (const QString runtime = privateRuntimeFolder(); !runtime.isEmpty())
        addresses << runtime + QLatin1Char('/') + m_name + QStringLiteral(".socket");
    // Where that path is too long for a socket (a deep cache folder) or there is no
    // private folder: a name that no file holds and no other user can guess.
    addresses << QStringLiteral("@%1-%2").arg(m_name).arg(QRandomGenerator::system()->generate64(), 16, 16,
                                                          QLatin1Char('0'));
    for (const QString& address : std::as_const(addresses)) {
        // Holding the lock, any socket file there is left over from a copy that crashed:
        // listening takes its place.
        if (!m_server.listen(address))
            continue;
        if (!m_lock->setNote(QFile::encodeName(address)))
            qWarning("Zantor: não foi possível dizer às outras cópias onde esta recebe pedidos (%s).",
                     qPrintable(QDir::toNativeSeparators(m_lock->path())));
        return;
    }
    // Said once, and told to every later start at once rather than after a wait.
    qWarning("Zantor: não foi possível receber pedidos de outras cópias (%s).",
             qPrintable(m_server.errorString()));
    m_lock->setNote({});
}

LocalConnection* SingleInstance::connectionToDrop() const {
    const auto oldestWhere = [this](auto condition) -> LocalConnection* {
        const auto found =
            std::find_if(m_connections.cbegin(), m_connections.cend(),
                         [&](LocalConnection* socket) { return condition(m_requests.value(socket)); });
        return found == m_connections.cend() ? nullptr : *found;
    };
    if (LocalConnection* silent =
            oldestWhere([](const Connection& open) { return !open.answering && open.request.isEmpty(); }))
        return silent;
    return oldestWhere([](const Connection& open) { return !open.answering; });
}

void SingleInstance::acceptConnection(LocalConnection* socket) {
    if (m_connections.size() >= m_limits.connections) {
        LocalConnection* dropped = connectionToDrop();
        if (!dropped) {
            // Every connection waits for the end of its run: the newcomer is turned away.
            socket->abort();
            socket->deleteLater();
            return;
        }
        closeConnection(dropped);
    }
    auto* idle = new QTimer(socket);
    idle->setSingleShot(true);
    idle->start(m_limits.idleMs);
    m_connections.append(socket);
    m_requests.insert(socket, {{}, idle, false});
    connect(idle, &QTimer::timeout, this, [this, socket] { closeConnection(socket); });
    connect(socket, &LocalConnection::disconnected, this, [this, socket] { closeConnection(socket); });
    connect(socket, &LocalConnection::readyRead, this, [this, socket] { readRequest(socket); });
}

void SingleInstance::closeConnection(LocalConnection* socket) {
    // Once only, whether the peer left or the connection went idle.
    const auto open = m_requests.find(socket);
    if (open == m_requests.end())
        return;
    m_buffered -= open->request.size();
    m_requests.erase(open);
    m_connections.removeOne(socket);
    socket->abort();
    socket->deleteLater();
    // A file descriptor has come free.
    m_server.resumeAccepting();
}

void SingleInstance::readRequest(LocalConnection* socket) {
    const auto open = m_requests.find(socket);
    if (open == m_requests.end() || open->answering)
        return;
    open->idle->start();
    QByteArray& request = open->request;
    // A byte past either limit tells a request that is too long from one that just fits.
    const qint64 room =
        std::min(m_limits.requestBytes - request.size(), m_limits.bufferedBytes - m_buffered) + 1;
    const QByteArray piece = socket->read(room);
    const qsizetype end = piece.indexOf('\n');
    if (end < 0) {
        request += piece;
        m_buffered += piece.size();
        // Too long, or the peer stopped sending before its request was whole.
        if (request.size() > m_limits.requestBytes || m_buffered > m_limits.bufferedBytes || socket->atEnd())
            closeConnection(socket);
        return;
    }
    m_buffered -= request.size();
    request += piece.left(end);
    const InstanceRequest asked = instance_protocol::decodeRequest(std::exchange(request, {}));
    // The copy that asked now waits for its answer, which may come at the end of a run;
    // whatever else it sends is never read, and a peer that has shut its sending end
    // still gets the answer.
    open->answering = true;
    open->idle->stop();
    socket->stopReading();
    m_answer(asked, [socket = QPointer<LocalConnection>(socket)](const CommandResult& result) {
        if (!socket)
            return;
        socket->write(instance_protocol::encodeAnswer(result));
        socket->closeWhenWritten();
    });
}

} // namespace zantor
