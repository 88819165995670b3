#include "platform/LocalSocket.h"

#include <QFile>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <cstring>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>

using namespace zantor;

namespace {

// A name in the abstract namespace that no other test run takes.
QString abstractAddress() {
    return QStringLiteral("@zantor-test-%1").arg(QRandomGenerator::system()->generate64(), 0, 16);
}

} // namespace

class LocalSocketTest : public QObject {
    Q_OBJECT
private slots:
    // A request and its answer cross whole, however large, while the server's event
    // loop goes on; a socket file takes the place of one a crashed copy left, only its
    // user may connect to it, and it goes with the server.
    void aRequestAndItsAnswerCrossWhole_data() {
        QTest::addColumn<bool>("file");
        QTest::addColumn<int>("requestSize");
        QTest::addColumn<int>("answerSize");
        QTest::newRow("short") << true << 10 << 10;
        QTest::newRow("many megabytes each way") << true << (12 << 20) << (3 << 20);
        QTest::newRow("a name with no file") << false << 10 << 10;
    }

    void aRequestAndItsAnswerCrossWhole() {
        QFETCH(bool, file);
        QFETCH(int, requestSize);
        QFETCH(int, answerSize);
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("zantor.socket"));
        const QString address = file ? path : abstractAddress();
        if (file) {
            QFile leftOver(path);
            QVERIFY(leftOver.open(QIODevice::WriteOnly));
        }

        LocalServer server;
        QVERIFY(server.listen(address));
        if (file) {
            struct stat status {};
            QCOMPARE(::stat(QFile::encodeName(path).constData(), &status), 0);
            QVERIFY(S_ISSOCK(status.st_mode));
            QCOMPARE(status.st_mode & 0777, mode_t(0600));
        }

        QByteArray received;
        bool closed = false;
        connect(&server, &LocalServer::newConnection, this, [&](LocalConnection* connection) {
            connect(connection, &LocalConnection::readyRead, connection, [&, connection] {
                received += connection->read(1 << 30);
                if (received.endsWith('\n')) {
                    connection->write(QByteArray(answerSize, 'a') + '\n');
                    connection->closeWhenWritten();
                }
            });
            connect(connection, &LocalConnection::disconnected, connection, [&] { closed = true; });
        });

        std::optional<QByteArray> answer;
        std::thread laterStart([&] {
            LocalClient client;
            if (client.connectTo(address) &&
                client.send(QByteArray(requestSize, 'r') + '\n', QDeadlineTimer(30000)))
                answer = client.receiveLine(QDeadlineTimer(30000));
        });
        QTRY_VERIFY_WITH_TIMEOUT(closed, 30000);
        laterStart.join();
        QCOMPARE(received.size(), requestSize + 1);
        QVERIFY(answer);
        QCOMPARE(answer->size(), answerSize);

        server.close();
        QVERIFY(!QFile::exists(path));
        QVERIFY(!LocalClient().connectTo(address));
    }

    // The server reads only what its owner asks for, and sees where a peer stops
    // sending: one that leaves, and one that only shuts its sending end and still
    // takes the answer.
    void aConnectionReadsWhatItIsAskedForAndSeesTheEnd_data() {
        QTest::addColumn<bool>("waitsForTheAnswer");
        QTest::newRow("the peer leaves") << false;
        QTest::newRow("the peer shuts its sending end") << true;
    }

    void aConnectionReadsWhatItIsAskedForAndSeesTheEnd() {
        QFETCH(bool, waitsForTheAnswer);
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("zantor.socket"));
        LocalServer server;
        QVERIFY(server.listen(path));
        QSignalSpy connections(&server, &LocalServer::newConnection);
        QByteArray answer;
        std::thread laterStart([&] {
            // Zantor's own client never shuts its sending end: a plain socket does here.
            const int client = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
            sockaddr_un address{};
            address.sun_family = AF_UNIX;
            std::strcpy(address.sun_path, QFile::encodeName(path).constData());
            if (::connect(client, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) == 0 &&
                ::send(client, "0123456789\n", 11, MSG_NOSIGNAL) == 11 && waitsForTheAnswer &&
                ::shutdown(client, SHUT_WR) == 0) {
                char chunk[64];
                for (ssize_t count; (count = ::recv(client, chunk, sizeof(chunk), 0)) > 0;)
                    answer.append(chunk, count);
            }
            ::close(client);
        });
        QTRY_COMPARE(connections.size(), 1);
        auto* connection = connections[0][0].value<LocalConnection*>();
        QByteArray received;
        qsizetype largestPiece = 0;
        QTRY_VERIFY([&] {
            const QByteArray piece = connection->read(4);
            largestPiece = std::max(largestPiece, piece.size());
            received += piece;
            return connection->atEnd();
        }());
        QCOMPARE(received, QByteArray("0123456789\n"));
        QCOMPARE(largestPiece, 4);
        QSignalSpy gone(connection, &LocalConnection::disconnected);
        connection->write("feito\n");
        connection->closeWhenWritten();
        QTRY_COMPARE(gone.size(), 1);
        laterStart.join();
        QCOMPARE(answer, waitsForTheAnswer ? QByteArray("feito\n") : QByteArray());
    }
};

QTEST_GUILESS_MAIN(LocalSocketTest)
#include "tst_local_socket.moc"
