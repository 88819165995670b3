#include "app/InstanceProtocol.h"

#include <QTest>

using namespace zantor;
using namespace zantor::instance_protocol;

Q_DECLARE_METATYPE(InstanceRequest)
Q_DECLARE_METATYPE(std::optional<CommandResult>)

// Each line is, byte for byte, what copies of Zantor wrote before the protocol had a
// file of its own: old and new copies must understand each other. (No raw strings here:
// moc loses its way in some of them.)
class InstanceProtocolTest : public QObject {
    Q_OBJECT
private slots:
    void requestsCrossBetweenVersions_data() {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<InstanceRequest>("request");
        QTest::newRow("show") << QByteArray("{\"pedido\":\"mostrar\"}") << InstanceRequest::show();
        // A start the desktop gave a token to; an older copy sends none and is read as above.
        QTest::newRow("show with a token")
            << QByteArray("{\"ativacao\":\"kwin-42_TIME1700\",\"pedido\":\"mostrar\"}")
            << InstanceRequest::show(QStringLiteral("kwin-42_TIME1700"));
        QTest::newRow("open by titles")
            << QByteArray("{\"pedido\":\"abrir\",\"titulos\":[\"Trabalho\",\"Música \\\"x\\\"\"]}")
            << InstanceRequest::openTitles({QStringLiteral("Trabalho"), QStringLiteral("Música \"x\"")});
        QTest::newRow("open by ids") << QByteArray("{\"ids\":[12,3],\"pedido\":\"abrir-id\"}")
                                     << InstanceRequest::openIds({12, 3});
        QTest::newRow("import")
            << QByteArray("{\"atalhos\":true,\"conteudo\":\"eyJncnVwb3MiOiBbXX0=\",\"pedido\":\"importar\"}")
            << InstanceRequest::importGroups("{\"grupos\": []}", true);
        InstanceRequest newer;
        newer.unknownKind = QStringLiteral("parar");
        QTest::newRow("a newer copy's kind") << QByteArray("{\"pedido\":\"parar\"}") << newer;
    }

    void requestsCrossBetweenVersions() {
        QFETCH(QByteArray, line);
        QFETCH(InstanceRequest, request);
        QCOMPARE(encodeRequest(request), line + '\n');
        QCOMPARE(decodeRequest(line), request);
    }

    void whatIsNoKnownRequestIsAnsweredAsSuch_data() {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QString>("named");
        QTest::newRow("unknown kind") << QByteArray("{\"pedido\":\"parar\",\"ids\":[1]}") << "parar";
        QTest::newRow("kind not a word") << QByteArray("{\"pedido\":7}") << "";
        QTest::newRow("no JSON") << QByteArray("mostrar") << "";
    }

    void whatIsNoKnownRequestIsAnsweredAsSuch() {
        QFETCH(QByteArray, line);
        QFETCH(QString, named);
        const InstanceRequest request = decodeRequest(line);
        QCOMPARE(request.kind, InstanceRequest::Kind::Unknown);
        QCOMPARE(unknownRequestAnswer(request),
                 CommandResult::failure(
                     64, QStringLiteral("Pedido desconhecido para o Zantor aberto: \"%1\".\n").arg(named)));
    }

    void answersCrossBetweenVersions_data() {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<std::optional<CommandResult>>("answer");
        QTest::newRow("failure")
            << QByteArray(
                   "{\"erros\":\"Nenhum grupo se chama \\\"caça\\\".\\n\",\"saida\":\"\",\"status\":3}")
            << std::optional(CommandResult::failure(3, "Nenhum grupo se chama \"caça\".\n"));
        QTest::newRow("success") << QByteArray("{\"erros\":\"\",\"saida\":\"Trabalho\\tA\\n\",\"status\":0}")
                                 << std::optional(CommandResult{0, "Trabalho\tA\n", {}});
        QTest::newRow("no status") << QByteArray("{\"erros\":\"\",\"saida\":\"\"}")
                                   << std::optional<CommandResult>();
        QTest::newRow("cut short") << QByteArray("{\"erros\":\"\",\"sa") << std::optional<CommandResult>();
    }

    void answersCrossBetweenVersions() {
        QFETCH(QByteArray, line);
        QFETCH(std::optional<CommandResult>, answer);
        QCOMPARE(decodeAnswer(line), answer);
        if (answer)
            QCOMPARE(encodeAnswer(*answer), line + '\n');
    }
};

QTEST_GUILESS_MAIN(InstanceProtocolTest)
#include "tst_instance_protocol.moc"
