#include "SingleInstance.h"

#include "platform/PrivateRuntimeFolder.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QFileInfo>
#include <QJsonDocument>
#include <QThread>

namespace zantor {

namespace {

// How long a start waits for a copy that holds the lock but does not listen yet: it is
// still loading its window, or about to end.
constexpr int kStartWaitMs = 15000;
// A running copy may be busy a while with a large import.
constexpr int kAnswerWaitMs = 60000;
// A request is a line of JSON; nothing Zantor sends comes near this.
constexpr qint64 kLongestRequest = 1 << 20;

QString errorAnswer(const QString& text) {
    return text + QLatin1Char('\n');
}

} // namespace

SingleInstance::SingleInstance(const QString& databaseFolder, QObject* parent)
    : QObject(parent) {
    const QString folder = privateRuntimeFolder();
    if (folder.isEmpty()) {
        qWarning(
            "Zantor: sem uma pasta de execução só deste usuário, outra cópia pode abrir ao mesmo tempo.");
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
}

SingleInstance::~SingleInstance() {
    m_server.close();
}

bool SingleInstance::claim() {
    if (!m_lock)
        return true;
    const QDeadlineTimer deadline(kStartWaitMs);
    while (true) {
        if (m_lock->tryLock(0))
            return true;
        m_runningCopy.connectToServer(m_socketPath);
        if (m_runningCopy.waitForConnected(250) || deadline.hasExpired())
            return false;
        QThread::msleep(100);
    }
}

CommandResult SingleInstance::ask(const QJsonObject& request) {
    const CommandResult silent = CommandResult::failure(
        exit_status::kFailure, errorAnswer(QStringLiteral("O Zantor já está aberto, mas não respondeu.")));
    if (m_runningCopy.state() != QLocalSocket::ConnectedState)
        return silent;
    m_runningCopy.write(QJsonDocument(request).toJson(QJsonDocument::Compact) + '\n');
    if (!m_runningCopy.waitForBytesWritten(kAnswerWaitMs))
        return silent;
    const QDeadlineTimer deadline(kAnswerWaitMs);
    while (!m_runningCopy.canReadLine()) {
        if (deadline.hasExpired() || !m_runningCopy.waitForReadyRead(int(deadline.remainingTime())))
            return silent;
    }
    const QJsonObject answer = QJsonDocument::fromJson(m_runningCopy.readLine()).object();
    if (!answer.value(QStringLiteral("status")).isDouble())
        return silent;
    return {answer.value(QStringLiteral("status")).toInt(), answer.value(QStringLiteral("saida")).toString(),
            answer.value(QStringLiteral("erros")).toString()};
}

void SingleInstance::listen(Answer answer) {
    if (!m_lock)
        return;
    m_answer = std::move(answer);
    // Holding the lock, any socket there is left over from a copy that crashed.
    QLocalServer::removeServer(m_socketPath);
    m_server.setSocketOptions(QLocalServer::UserAccessOption);
    if (!m_server.listen(m_socketPath)) {
        qWarning("Zantor: não foi possível receber pedidos de outras cópias (%s).",
                 qPrintable(m_server.errorString()));
        return;
    }
    connect(&m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = m_server.nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] { readRequest(socket); });
        }
    });
}

void SingleInstance::readRequest(QLocalSocket* socket) {
    if (!socket->canReadLine()) {
        if (socket->bytesAvailable() > kLongestRequest)
            socket->abort();
        return;
    }
    const QJsonObject request = QJsonDocument::fromJson(socket->readLine()).object();
    const CommandResult result = m_answer(request);
    const QJsonObject answer{{QStringLiteral("status"), result.status},
                             {QStringLiteral("saida"), result.output},
                             {QStringLiteral("erros"), result.errors}};
    socket->write(QJsonDocument(answer).toJson(QJsonDocument::Compact) + '\n');
    socket->disconnectFromServer();
}

} // namespace zantor
