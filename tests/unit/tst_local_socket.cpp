#include "platform/LocalSocket.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <sys/stat.h>
#include <thread>

using namespace zantor;

class LocalSocketTest : public QObject {
    Q_OBJECT
private slots:
    // A request and its answer cross whole, however large, while the server's event
    // loop goes on; the socket takes the place of one a crashed copy left, and only its
    // user may connect to it.
    void aRequestAndItsAnswerCrossWhole_data() {
        QTest::addColumn<int>("requestSize");
        QTest::addColumn<int>("answerSize");
        QTest::newRow("short") << 10 << 10;
        QTest::newRow("many megabytes each way") << (12 << 20) << (3 << 20);
    }

    void aRequestAndItsAnswerCrossWhole() {
        QFETCH(int, requestSize);
        QFETCH(int, answerSize);
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("zantor.socket"));
        QFile leftOver(path);
        QVERIFY(leftOver.open(QIODevice::WriteOnly));
        leftOver.close();

        LocalServer server;
        QVERIFY(server.listen(path));
        struct stat file {};
        QCOMPARE(::stat(QFile::encodeName(path).constData(), &file), 0);
        QVERIFY(S_ISSOCK(file.st_mode));
        QCOMPARE(file.st_mode & 0777, mode_t(0600));

        QByteArray received;
        bool closed = false;
        connect(&server, &LocalServer::newConnection, this, [&](LocalConnection* connection) {
            connect(connection, &LocalConnection::readyRead, connection, [&, connection] {
                received += connection->readAll();
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
            if (client.connectTo(path) &&
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
        QVERIFY(!LocalClient().connectTo(path));
    }

    // A later start that connects and leaves without a word is let go.
    void aClientThatLeavesIsDisconnected() {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("zantor.socket"));
        LocalServer server;
        QVERIFY(server.listen(path));
        QSignalSpy connections(&server, &LocalServer::newConnection);
        {
            LocalClient client;
            QVERIFY(client.connectTo(path));
            QTRY_COMPARE(connections.size(), 1);
        }
        auto* connection = connections[0][0].value<LocalConnection*>();
        QSignalSpy gone(connection, &LocalConnection::disconnected);
        QTRY_COMPARE(gone.size(), 1);
    }
};

QTEST_GUILESS_MAIN(LocalSocketTest)
#include "tst_local_socket.moc"
