#include "app/SingleInstance.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <cerrno>
#include <cstring>
#include <sys/socket.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>

using namespace zantor;

namespace {

// A later start as any program could be: a plain socket, read without waiting while the
// running copy's event loop goes on.
class PlainClient {
public:
    explicit PlainClient(const QString& path)
        : m_socket(::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0)) {
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::strncpy(address.sun_path, QFile::encodeName(path).constData(), sizeof(address.sun_path) - 1);
        m_connected = ::connect(m_socket, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) == 0;
    }
    ~PlainClient() { ::close(m_socket); }
    PlainClient(const PlainClient&) = delete;
    PlainClient& operator=(const PlainClient&) = delete;

    bool isConnected() const { return m_connected; }
    // How much of `bytes` the socket took before it would have had to wait.
    qsizetype send(const QByteArray& bytes) {
        qsizetype sent = 0;
        while (sent < bytes.size()) {
            const ssize_t count =
                ::send(m_socket, bytes.constData() + sent, size_t(bytes.size() - sent), MSG_NOSIGNAL);
            if (count <= 0)
                break;
            sent += count;
        }
        return sent;
    }
    void finishSending() { ::shutdown(m_socket, SHUT_WR); }
    // True once the running copy has closed the connection; what it sent is in received().
    bool closed() {
        char chunk[4096];
        while (!m_closed) {
            const ssize_t count = ::recv(m_socket, chunk, sizeof(chunk), 0);
            if (count > 0)
                m_received.append(chunk, count);
            else if (count < 0 && errno == EAGAIN)
                break;
            else
                m_closed = true;
        }
        return m_closed;
    }
    const QByteArray& received() const { return m_received; }

private:
    int m_socket;
    bool m_connected = false;
    bool m_closed = false;
    QByteArray m_received;
};

const QByteArray kShow = "{\"pedido\":\"mostrar\"}\n";
const QByteArray kAnswer = "{\"erros\":\"\",\"saida\":\"feito\\n\",\"status\":0}\n";

// A running copy over the databases in a temporary folder, its socket in a runtime
// folder of its own; each answer waits until the test lets the answers go.
class RunningCopy {
public:
    explicit RunningCopy(InstanceLimits limits, const QByteArray& runtime = {})
        : m_savedRuntime(qgetenv("XDG_RUNTIME_DIR"))
        , m_savedCache(qgetenv("XDG_CACHE_HOME")) {
        qputenv("XDG_RUNTIME_DIR",
                runtime.isEmpty() ? m_folder.filePath(QStringLiteral("run")).toUtf8() : runtime);
        QDir().mkdir(QString::fromUtf8(qgetenv("XDG_RUNTIME_DIR")));
        qputenv("XDG_CACHE_HOME", m_folder.filePath(QStringLiteral("cache")).toUtf8());
        m_instance = std::make_unique<SingleInstance>(databases(), limits);
        m_claimed = m_instance->claim() == SingleInstance::Claim::Claimed;
        m_instance->listen([this](const InstanceRequest& request, const SingleInstance::Reply& reply) {
            m_asked << request;
            m_waiting << reply;
            if (m_answerAtOnce)
                answer();
        });
    }
    ~RunningCopy() {
        m_instance.reset();
        qputenv("XDG_RUNTIME_DIR", m_savedRuntime);
        qputenv("XDG_CACHE_HOME", m_savedCache);
    }

    bool claimed() const { return m_claimed; }
    QString databases() const { return m_folder.filePath(QStringLiteral("BD")); }
    SingleInstance& instance() { return *m_instance; }
    QString socketPath() const {
        return m_folder.filePath(QStringLiteral("run/zantor/")) +
               QDir(m_folder.filePath(QStringLiteral("run/zantor"))).entryList(QDir::System).value(0);
    }
    const QList<InstanceRequest>& asked() const { return m_asked; }
    void answerAtOnce() { m_answerAtOnce = true; }
    void answer() {
        for (const SingleInstance::Reply& reply : std::exchange(m_waiting, {}))
            reply({0, QStringLiteral("feito\n"), {}});
    }

private:
    QByteArray m_savedRuntime;
    QByteArray m_savedCache;
    QTemporaryDir m_folder;
    std::unique_ptr<SingleInstance> m_instance;
    bool m_claimed = false;
    bool m_answerAtOnce = false;
    QList<InstanceRequest> m_asked;
    QList<SingleInstance::Reply> m_waiting;
};

InstanceLimits shortIdleLimit() {
    InstanceLimits limits;
    limits.idleMs = 200;
    return limits;
}

} // namespace

class SingleInstanceTest : public QObject {
    Q_OBJECT
private slots:
    // Whatever pace a later start keeps, within the idle limit between its pieces, and
    // however long its run makes it wait, it gets its answer.
    void everyLaterStartThatAsksIsAnswered_data() {
        QTest::addColumn<int>("pieces");
        QTest::addColumn<int>("pauseMs");
        QTest::addColumn<int>("answerAfterMs");
        QTest::addColumn<bool>("finishesSending");
        QTest::newRow("at once") << 1 << 0 << 0 << false;
        QTest::newRow("in pieces, longer in all than the idle limit") << 5 << 120 << 0 << false;
        QTest::newRow("a run longer than the idle limit") << 1 << 0 << 600 << false;
        QTest::newRow("a client that shuts its sending end") << 1 << 0 << 300 << true;
    }

    void everyLaterStartThatAsksIsAnswered() {
        QFETCH(int, pieces);
        QFETCH(int, pauseMs);
        QFETCH(int, answerAfterMs);
        QFETCH(bool, finishesSending);
        RunningCopy copy(shortIdleLimit());
        QVERIFY(copy.claimed());
        PlainClient client(copy.socketPath());
        QVERIFY(client.isConnected());
        const qsizetype pieceSize = kShow.size() / pieces + 1;
        for (qsizetype at = 0; at < kShow.size(); at += pieceSize) {
            if (at > 0)
                QTest::qWait(pauseMs);
            QCOMPARE(client.send(kShow.mid(at, pieceSize)), std::min(pieceSize, kShow.size() - at));
        }
        if (finishesSending)
            client.finishSending();
        QTRY_COMPARE(copy.asked().size(), 1);
        QCOMPARE(copy.asked().first(), InstanceRequest::show());
        QTest::qWait(answerAfterMs);
        QVERIFY(!client.closed());
        copy.answer();
        QTRY_VERIFY(client.closed());
        QCOMPARE(client.received(), kAnswer);
    }

    // No client makes the running copy hold more than one request's worth, nor all of
    // them together more than their share; what comes after a request is left unread.
    void whatTheRunningCopyHoldsIsCapped_data() {
        QTest::addColumn<QList<int>>("unfinished");
        QTest::addColumn<int>("dropped");
        QTest::newRow("one line past the longest request") << QList<int>{1001} << 0;
        QTest::newRow("several, more in all than their share") << QList<int>{900, 500, 400} << 2;
    }

    void whatTheRunningCopyHoldsIsCapped() {
        QFETCH(QList<int>, unfinished);
        QFETCH(int, dropped);
        InstanceLimits limits;
        limits.requestBytes = 1000;
        limits.bufferedBytes = 1500;
        RunningCopy copy(limits);
        std::vector<std::unique_ptr<PlainClient>> clients;
        qint64 held = 0;
        for (const int size : unfinished) {
            clients.push_back(std::make_unique<PlainClient>(copy.socketPath()));
            QVERIFY(clients.back()->isConnected());
            clients.back()->send(QByteArray(size, 'x'));
            QTRY_VERIFY(copy.instance().bufferedBytes() == held + size || clients.back()->closed());
            if (!clients.back()->closed())
                held += size;
            QVERIFY(copy.instance().bufferedBytes() <= limits.bufferedBytes);
        }
        for (size_t i = 0; i < clients.size(); ++i)
            QCOMPARE(clients[i]->closed(), i == size_t(dropped));
        QCOMPARE(clients[size_t(dropped)]->received(), QByteArray());
        QVERIFY(copy.asked().isEmpty());
    }

    void whatComesAfterARequestIsNeverRead() {
        RunningCopy copy(InstanceLimits{});
        PlainClient client(copy.socketPath());
        QCOMPARE(client.send(kShow), kShow.size());
        QTRY_COMPARE(copy.asked().size(), 1);
        // The system's buffers take a little; with nobody reading, not many megabytes.
        const QByteArray more(16 << 20, 'x');
        qsizetype taken = 0;
        for (int tries = 0; tries < 20; ++tries) {
            taken += client.send(more.mid(taken));
            QTest::qWait(10);
        }
        QVERIFY2(taken < more.size() / 2, qPrintable(QString::number(taken)));
        copy.answer();
        QTRY_VERIFY(client.closed());
        QCOMPARE(client.received(), kAnswer);
    }

    // Past the most connections, a silent one goes first, then one still sending; one
    // that waits for its answer never goes: the newcomer is turned away instead.
    void aNewConnectionNeverPushesOutOneWaitingForItsAnswer_data() {
        QTest::addColumn<QStringList>("before");
        QTest::addColumn<int>("dropped");
        QTest::newRow("waiting, then silent") << QStringList{"waiting", "silent"} << 1;
        QTest::newRow("sending, then silent") << QStringList{"sending", "silent"} << 1;
        QTest::newRow("waiting, then sending") << QStringList{"waiting", "sending"} << 1;
        QTest::newRow("all waiting") << QStringList{"waiting", "waiting"} << 2;
    }

    void aNewConnectionNeverPushesOutOneWaitingForItsAnswer() {
        QFETCH(QStringList, before);
        QFETCH(int, dropped);
        InstanceLimits limits;
        limits.connections = 2;
        RunningCopy copy(limits);
        std::vector<std::unique_ptr<PlainClient>> clients;
        int waiting = 0;
        for (const QString& kind : before) {
            clients.push_back(std::make_unique<PlainClient>(copy.socketPath()));
            if (kind == QLatin1String("waiting")) {
                clients.back()->send(kShow);
                ++waiting;
                QTRY_COMPARE(copy.asked().size(), waiting);
            } else if (kind == QLatin1String("sending")) {
                clients.back()->send(kShow.left(5));
                QTRY_VERIFY(copy.instance().bufferedBytes() == 5);
            }
        }
        clients.push_back(std::make_unique<PlainClient>(copy.socketPath()));
        QTRY_VERIFY(clients[size_t(dropped)]->closed());
        QCOMPARE(clients[size_t(dropped)]->received(), QByteArray());
        copy.answer();
        for (size_t i = 0; i < clients.size(); ++i) {
            if (before.value(int(i)) == QLatin1String("waiting")) {
                QTRY_VERIFY(clients[i]->closed());
                QCOMPARE(clients[i]->received(), kAnswer);
            }
        }
    }

    // A runtime folder too deep for a socket's path, or none private at all, leaves the
    // running copy reachable all the same.
    void aLaterStartFindsTheRunningCopyWhereverItListens_data() {
        QTest::addColumn<int>("runtimeDepth");
        QTest::newRow("the runtime folder") << 0;
        QTest::newRow("a runtime folder too deep for a socket") << 120;
    }

    void aLaterStartFindsTheRunningCopyWhereverItListens() {
        QFETCH(int, runtimeDepth);
        QTemporaryDir deep;
        const QString runtime = deep.filePath(QString(runtimeDepth, QLatin1Char('r')));
        QVERIFY(QDir().mkpath(runtime));
        RunningCopy copy(InstanceLimits{}, runtimeDepth ? runtime.toUtf8() : QByteArray());
        QVERIFY(copy.claimed());
        copy.answerAtOnce();
        SingleInstance later(copy.databases());
        std::optional<CommandResult> answer;
        std::thread laterStart([&] {
            if (later.claim() == SingleInstance::Claim::RunningElsewhere)
                answer = later.ask(InstanceRequest::show());
        });
        QTRY_VERIFY_WITH_TIMEOUT(answer.has_value(), 20000);
        laterStart.join();
        QCOMPARE(*answer, (CommandResult{0, QStringLiteral("feito\n"), {}}));
    }
};

QTEST_GUILESS_MAIN(SingleInstanceTest)
#include "tst_single_instance.moc"
