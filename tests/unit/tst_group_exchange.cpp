#include "data/DatabaseError.h"
#include "data/DbSession.h"
#include "data/GroupExchange.h"
#include "data/GroupSave.h"
#include "data/GroupStore.h"
#include "support/TestAppFolder.h"

#include <QFile>
#include <QJsonDocument>
#include <QTest>

using namespace zantor;

namespace {

const QDate kToday(2026, 3, 9);

// Every stored column but the id, in the custom order; a Null texto3 (no arguments) shows.
QList<QStringList> storedRows(const TestAppFolder& app) {
    DbSession db(app.databases().groups);
    QList<QStringList> rows;
    for (const QSqlRecord& row :
         db.select(QStringLiteral("select titulo1,texto1,texto2,qtd,dataUpd,categoria,ordem,texto3 from "
                                  "Tabela1 order by ordem, id"))) {
        QStringList columns;
        for (int i = 0; i < row.count(); ++i)
            columns << (i == 7 && row.isNull(i) ? QStringLiteral("<Null>") : row.value(i).toString());
        rows << columns;
    }
    return rows;
}

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray withGroups(const QByteArray& groups) {
    return "{\"versao\": 1, \"grupos\": [" + groups + "]}";
}

const QByteArray kGoodGroup = R"({"titulo": "Bom", "itens": [{"titulo": "a", "endereco": "/a"}]})";

} // namespace

class GroupExchangeTest : public QObject {
    Q_OBJECT
private slots:
    void exportThenImportIntoAnEmptyCopyGivesTheSameRows() {
        TestAppFolder original;
        original.createDatabases();
        const QString groups = original.databases().groups;
        // Typed as in the editor: apostrophes, a TAB, a folder that starts with "t", accents.
        insertGroup(groups, {QStringLiteral("d'Ávila\tnotas"),
                             {{QStringLiteral("Aula's"), QStringLiteral("/home/ana/\\trabalho"),
                               QStringLiteral("--pasta 'd''Ávila' \\tese \"a b\"")},
                              {QStringLiteral("Música"), QStringLiteral("  /home/ana/Música  ")},
                              {QStringLiteral("Web"),
                               QStringLiteral("https://example.org/relat%C3%B3rio?a=1&b=2#x")}},
                             QStringLiteral("01/02/2025"),
                             3});
        insertGroup(groups, {QStringLiteral("Sem categoria"),
                             {{QStringLiteral("x"), QStringLiteral("/x")}},
                             QStringLiteral("28/02/2026"),
                             0});
        insertGroup(groups, {QStringLiteral("Último"),
                             {{QStringLiteral("y"), QStringLiteral("/y")}},
                             QStringLiteral("05/03/2026"),
                             10});
        insertGroup(groups, {QStringLiteral("Sem lugar"),
                             {{QStringLiteral("z"), QStringLiteral("/z")}},
                             QStringLiteral("06/03/2026"),
                             1});
        // The custom order as the settings window stores it, from 0, and a shared place;
        // places below zero and none at all, as other tools leave them, come first.
        storeCustomOrder(groups, {3, 1, 2});
        DbSession(groups).execute(QStringLiteral("update Tabela1 set ordem=1 where id=2"));
        DbSession(groups).execute(QStringLiteral("update Tabela1 set ordem=-2 where id=3"));
        DbSession(groups).execute(QStringLiteral("update Tabela1 set ordem=NULL where id=4"));

        // The desktop entries each group has where it is exported: group 3 has none.
        const auto shortcutsOf = [](int id) {
            return id == 1 ? GroupShortcutFlags{true, false, true}
                           : GroupShortcutFlags{false, id == 2, false};
        };
        const GroupExport exported = exportGroups(original.databases(), shortcutsOf);
        QCOMPARE(exported.groupCount, 4);
        TestAppFolder copy;
        copy.createDatabases();
        copy.addGroup(QStringLiteral("Já havia"));
        DbSession(copy.databases().groups).execute(QStringLiteral("delete from Tabela1"));
        const ImportReport report = importGroups(copy.databases(), exported.json, kToday);
        QCOMPARE(report.imported, 4);
        QCOMPARE(report.notes, QStringList());
        // In the custom order 4, 3, 1, 2, the new groups get the ids 2, 3, 4, 5.
        QCOMPARE(report.shortcuts.size(), 2);
        QCOMPARE(report.shortcuts[0].groupId, 4);
        QCOMPARE(report.shortcuts[0].places, (GroupShortcutFlags{true, false, true}));
        QCOMPARE(report.shortcuts[1].groupId, 5);
        QCOMPARE(report.shortcuts[1].places, (GroupShortcutFlags{false, true, false}));
        // The same rows in the same order; the places are numbered afresh from 1, as the
        // editor numbers them.
        QList<QStringList> expected = storedRows(original);
        for (qsizetype place = 0; place < expected.size(); ++place)
            expected[place][6] = QString::number(place + 1);
        QCOMPARE(storedRows(copy), expected);
        // Only the item with arguments carries them.
        QCOMPARE(exported.json.count("\"argumentos\""), 1);
    }

    void importStoresWhatTheEditorStoresAfterTheGroupsThere() {
        // The first group's items as an export from before arguments wrote them, the second
        // with them.
        const QByteArray file = withGroups(R"(
            {"titulo": " Ação d'água ", "categoria": "Estudos",
             "itens": [{"titulo": "Nota\tfinal", "endereco": "/d'água/\\tese.txt"}, {"titulo": "b", "endereco": "/b"}]},
            {"titulo": "Sem data", "ordem": 0, "itens": [{"titulo": "c", "endereco": "/c", "argumentos": "-a"}]})");
        TestAppFolder imported;
        imported.addGroup(QStringLiteral("Já havia"), {}, {}, 1, 7);
        importGroups(imported.databases(), file, kToday);

        TestAppFolder edited;
        edited.createDatabases();
        const QString today = kToday.toString(QStringLiteral("dd/MM/yyyy"));
        insertGroup(edited.databases().groups,
                    {QStringLiteral(" Ação d'água "),
                     {{QStringLiteral("Nota\tfinal"), QStringLiteral("/d'água/\\tese.txt")},
                      {QStringLiteral("b"), QStringLiteral("/b")}},
                     today,
                     2});
        insertGroup(edited.databases().groups, {QStringLiteral("Sem data"), {{"c", "/c", "-a"}}, today, 0});

        const QList<QStringList> rows = storedRows(imported);
        QCOMPARE(rows.size(), 3);
        QCOMPARE(rows[0][0], QStringLiteral("Já havia"));
        const QList<QStringList> editorRows = storedRows(edited);
        // Both keep their order among themselves (the first by its place in the file), in
        // the places right after the group that was there.
        QCOMPARE(rows[1].mid(0, 6) << rows[1][7], editorRows[0].mid(0, 6) << editorRows[0][7]);
        QCOMPARE(rows[2].mid(0, 6) << rows[2][7], editorRows[1].mid(0, 6) << editorRows[1][7]);
        QCOMPARE(rows[1][7], QStringLiteral("<Null>"));
        QCOMPARE(rows[1][6], QStringLiteral("8"));
        QCOMPARE(rows[2][6], QStringLiteral("9"));
    }

    // Rows no editor writes but older copies or other tools left: whatever the export
    // writes of them, the import takes back.
    void whateverTheExportWritesTheImportTakesBack_data() {
        QTest::addColumn<QVariantList>("stored");
        QTest::addColumn<QStringList>("imported");
        const QString today = kToday.toString(QStringLiteral("dd/MM/yyyy"));
        const QVariant null;
        const QString unit(QChar(31));
        QTest::newRow("nothing but nulls") << QVariantList({null, null, null, null, null, null, null, null})
                                           << QStringList({"", "", "", "0", today, "0", "1", "<Null>"});
        QTest::newRow("more titles than addresses, a loose date, a far place")
            << QVariantList({"T", "a, b", "/a", "1", "1/1/2020", 3, 5000000, null})
            << QStringList({"T", "a, b", "/a" + unit, "2", "1/1/2020", "3", "1", "<Null>"});
        QTest::newRow("below zero") << QVariantList({"N", "n", "/n", "1", "01/01/2026", 1, -3, null})
                                    << QStringList({"N", "n", "/n", "1", "01/01/2026", "1", "1", "<Null>"});
        QTest::newRow("terminal controls and line breaks")
            << QVariantList({QStringLiteral("\x1b]0;x\x07\x1b[2J"), QStringLiteral("Linha\r\ndois"),
                             QStringLiteral("/a") + QChar(0) + QStringLiteral("b"), "1", "01/01/2026", 2, 1,
                             QStringLiteral("-t \x1b[2J")})
            << QStringList({"\\x1b]0;x\\x07\\x1b[2J", "Linha\\ndois", "/a\\x00b", "1", "01/01/2026", "2", "1",
                            "-t \\x1b[2J"});
        // Pieces past the items, and items past the pieces, as a hand-made row may hold.
        QTest::newRow("arguments that do not match the items")
            << QVariantList({"A", "a, b, c", "/a" + unit + "/b" + unit + "/c", "3", "01/01/2026", 1, 0,
                             unit + "-b" + unit + unit + "-d"})
            << QStringList({"A", "a, b, c", "/a" + unit + "/b" + unit + "/c", "3", "01/01/2026", "1", "1",
                            unit + "-b" + unit});
        // A TAB written by hand reads as the backslash-t it is stored as, and '' stays an
        // empty argument.
        QTest::newRow("a TAB and empty quotes in the arguments")
            << QVariantList({"Q", "q", "/q", "1", "01/01/2026", 1, 0, QStringLiteral("-a\tb ''")})
            << QStringList({"Q", "q", "/q", "1", "01/01/2026", "1", "1", "-a\\tb ''"});
        QTest::newRow("only empty arguments")
            << QVariantList({"E", "e", "/e", "1", "01/01/2026", 1, 0, unit})
            << QStringList({"E", "e", "/e", "1", "01/01/2026", "1", "1", "<Null>"});
    }

    void whateverTheExportWritesTheImportTakesBack() {
        QFETCH(QVariantList, stored);
        QFETCH(QStringList, imported);
        TestAppFolder original;
        original.createDatabases();
        DbSession(original.databases().groups)
            .execute(QStringLiteral(
                         "insert into Tabela1 (titulo1,texto1,texto2,qtd,dataUpd,categoria,ordem,texto3) "
                         "values (?,?,?,?,?,?,?,?)"),
                     stored);
        const QByteArray exported = exportGroups(original.databases()).json;
        QVERIFY2(!exported.contains('\x1b'), exported.constData());

        TestAppFolder copy;
        copy.createDatabases();
        try {
            QCOMPARE(importGroups(copy.databases(), exported, kToday).imported, 1);
        } catch (const ExchangeFormatError& error) {
            QFAIL(qPrintable(error.message()));
        }
        QCOMPARE(storedRows(copy), QList<QStringList>({imported}));
        // And again: the copy's export comes back as the copy.
        TestAppFolder again;
        again.createDatabases();
        importGroups(again.databases(), exportGroups(copy.databases()).json, kToday);
        QCOMPARE(storedRows(again), storedRows(copy));
    }

    // A retry after a failure partway must not add the groups that went in before it.
    void anImportThatFailsPartwayWritesNothing() {
        TestAppFolder app;
        app.addGroup(QStringLiteral("Já havia"));
        DbSession(app.databases().groups)
            .execute(QStringLiteral("create trigger refuse before insert on Tabela1 when new.titulo1 = 'B' "
                                    "begin select raise(abort, 'recusado'); end"));
        const QList<QStringList> before = storedRows(app);
        const QByteArray file = withGroups(R"({"titulo": "A", "itens": [{"titulo": "a", "endereco": "/a"}]},
                                              {"titulo": "B", "itens": [{"titulo": "b", "endereco": "/b"}]},
                                              {"titulo": "C", "itens": [{"titulo": "c", "endereco": "/c"}]})");
        QVERIFY_THROWS_EXCEPTION(DatabaseError, importGroups(app.databases(), file, kToday));
        QCOMPARE(storedRows(app), before);
    }

    // Groups that share a place keep the order of the file among themselves, however many
    // they are, and the others fall in around them by their places.
    void groupsSharingAPlaceKeepTheirOrder() {
        QByteArrayList groups;
        QStringList titles;
        for (int i = 0; i < 40; ++i) {
            titles << QStringLiteral("G%1").arg(i);
            groups << QStringLiteral(
                          R"({"titulo": "%1", "ordem": 5, "itens": [{"titulo": "a", "endereco": "/a"}]})")
                          .arg(titles.last())
                          .toUtf8();
        }
        groups.insert(17,
                      R"({"titulo": "Depois", "ordem": 9, "itens": [{"titulo": "a", "endereco": "/a"}]})");
        groups.insert(3, R"({"titulo": "Antes", "ordem": -1, "itens": [{"titulo": "a", "endereco": "/a"}]})");
        titles.prepend(QStringLiteral("Antes"));
        titles.append(QStringLiteral("Depois"));
        TestAppFolder app;
        app.createDatabases();
        importGroups(app.databases(), withGroups(groups.join(',')), kToday);
        QStringList stored;
        for (const QStringList& row : storedRows(app))
            stored << row[0];
        QCOMPARE(stored, titles);
    }

    // A \u escape names a character of the text; a surrogate pair (what Python's json
    // writes for an emoji) names one character together.
    void escapesReadAsTheCharactersTheyName_data() {
        QTest::addColumn<QByteArray>("escaped");
        QTest::addColumn<QString>("title");
        QTest::newRow("surrogate pair") << QByteArray("x\\ud83d\\ude00y") << QStringLiteral("x\U0001F600y");
        QTest::newRow("capitals") << QByteArray("x\\uD83D\\uDE00y") << QStringLiteral("x\U0001F600y");
        QTest::newRow("accent") << QByteArray("A\\u00e7\\u00e3o") << QStringLiteral("Ação");
        QTest::newRow("escaped quote and slash") << QByteArray("a\\\"b\\/c") << QStringLiteral("a\"b/c");
    }
    void escapesReadAsTheCharactersTheyName() {
        QFETCH(QByteArray, escaped);
        QFETCH(QString, title);
        TestAppFolder app;
        app.createDatabases();
        importGroups(
            app.databases(),
            withGroups(R"({"titulo": ")" + escaped + R"(", "itens": [{"titulo": "a", "endereco": "/a"}]})"),
            kToday);
        QCOMPARE(storedRows(app).value(0).value(0), title);
    }

    void aCategoryThatDoesNotExistTakesTheFirstAndSaysSo() {
        TestAppFolder app;
        app.createDatabases();
        const QByteArray file = withGroups(R"(
            {"titulo": "A", "categoria": "MUSICA", "itens": [{"titulo": "a", "endereco": "/a"}]},
            {"titulo": "B", "categoria": "Receitas", "itens": [{"titulo": "b", "endereco": "/b"}]},
            {"titulo": "C", "categoria": "", "itens": [{"titulo": "c", "endereco": "/c"}]})");
        const ImportReport report = importGroups(app.databases(), file, kToday);
        QCOMPARE(report.notes,
                 QStringList({QStringLiteral(
                     "Grupo \"B\": a categoria \"Receitas\" não existe; ficou \"Trabalho\".")}));
        const QList<QStringList> rows = storedRows(app);
        QCOMPARE(QStringList({rows[0][5], rows[1][5], rows[2][5]}), QStringList({"3", "1", "0"}));
    }

    void aBadFieldWritesNothing_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("message");
        QTest::newRow("not JSON") << QByteArray("{\"grupos\": [\n  {\"titulo\": }]}")
                                  << QStringLiteral("O arquivo não é um JSON válido (linha 2, coluna 15).");
        QTest::newRow("no list") << QByteArray(R"({"versao": 1})")
                                 << QStringLiteral("Campo \"grupos\": precisa ser uma lista de grupos.");
        QTest::newRow("newer form") << QByteArray(R"({"versao": 2, "grupos": []})")
                                    << QStringLiteral(
                                           "Campo \"versao\": este Zantor lê a versão 1 do formato.");
        QTest::newRow("title that splits")
            << withGroups(kGoodGroup + R"(, {"titulo": "Ruim", "itens": [{"titulo": "a", "endereco": "/a"},
                                                                      {"titulo": "b, c", "endereco": "/b"}]})")
            << QStringLiteral("Campo \"titulo\" do item 2 do grupo 2 (\"Ruim\"): não pode conter \", \".");
        QTest::newRow("line break")
            << withGroups(kGoodGroup +
                          R"(, {"titulo": "Ruim", "itens": [{"titulo": "a", "endereco": "/a\n/b"}]})")
            << QStringLiteral(
                   "Campo \"endereco\" do item 1 do grupo 2 (\"Ruim\"): não pode conter quebras de "
                   "linha nem outros caracteres de controle.");
        // Escape sequences that would clear the screen and retitle the terminal of --listar.
        QTest::newRow("terminal control")
            << withGroups(kGoodGroup + ", {\"titulo\": \"\\u001b]0;x\\u0007\\u001b[2J\", \"itens\": []}")
            << QStringLiteral("Campo \"titulo\" do grupo 2: não pode conter quebras de linha nem outros "
                              "caracteres de controle.");
        // Half a surrogate pair: the JSON reader would join it to the "b" and lose the "b".
        QTest::newRow("lone surrogate")
            << withGroups(kGoodGroup + ", {\"titulo\": \"a\\ud800b\", \"itens\": []}")
            << QStringLiteral("O arquivo tem meio caractere (\\ud800 sem o seu par, linha 1, coluna 104): "
                              "não é um texto válido.");
        // Half a pair the other way round: a low surrogate with no high one before it.
        QTest::newRow("lone low surrogate")
            << withGroups(kGoodGroup + ", {\"titulo\": \"a\\udc00b\", \"itens\": []}")
            << QStringLiteral("O arquivo tem meio caractere (\\udc00 sem o seu par, linha 1, coluna 104): "
                              "não é um texto válido.");
        // What the editor refuses, new input cannot bring in either.
        QTest::newRow("blank title")
            << withGroups(kGoodGroup + R"(, {"titulo": "  ", "itens": [{"titulo": "a", "endereco": "/a"}]})")
            << QStringLiteral("Campo \"titulo\" do grupo 2: não pode ficar em branco.");
        QTest::newRow("an empty list of items")
            << withGroups(kGoodGroup + R"(, {"titulo": "Ruim", "itens": []})")
            << QStringLiteral("Campo \"itens\" do grupo 2 (\"Ruim\"): precisa ter pelo menos um item.");
        QTest::newRow("item without a title")
            << withGroups(kGoodGroup + R"(, {"titulo": "Ruim", "itens": [{"titulo": "", "endereco": "/a"}]})")
            << QStringLiteral("Campo \"titulo\" do item 1 do grupo 2 (\"Ruim\"): não pode ficar vazio.");
        QTest::newRow("item without an address")
            << withGroups(kGoodGroup + R"(, {"titulo": "Ruim", "itens": [{"titulo": "a", "endereco": ""}]})")
            << QStringLiteral("Campo \"endereco\" do item 1 do grupo 2 (\"Ruim\"): não pode ficar vazio.");
        QTest::newRow("backup flag") << QByteArray(R"({"copiaDeSeguranca": 1, "grupos": []})")
                                     << QStringLiteral(
                                            "Campo \"copiaDeSeguranca\": precisa ser true ou false.");
        QTest::newRow("item not object")
            << withGroups(kGoodGroup + R"(, {"titulo": "Ruim", "itens": ["/a"]})")
            << QStringLiteral("O item 1 do grupo 2 (\"Ruim\") precisa ser um objeto "
                              "com \"titulo\" e \"endereco\".");
        QTest::newRow("no items")
            << withGroups(kGoodGroup + R"(, {"titulo": "Ruim"})")
            << QStringLiteral("Campo \"itens\" do grupo 2 (\"Ruim\"): precisa ser uma lista de itens.");
        QTest::newRow("order")
            << withGroups(kGoodGroup + R"(, {"titulo": "Ruim", "ordem": "2", "itens": []})")
            << QStringLiteral("Campo \"ordem\" do grupo 2 (\"Ruim\"): precisa ser um número.");
        QTest::newRow("category")
            << withGroups(kGoodGroup + R"(, {"titulo": "Ruim", "categoria": 3, "itens": []})")
            << QStringLiteral("Campo \"categoria\" do grupo 2 (\"Ruim\"): precisa ser um texto.");
        const QByteArray badArguments = ", {\"titulo\": \"Ruim\", \"itens\": [{\"titulo\": \"a\", "
                                        "\"endereco\": \"/a\", \"argumentos\": %1}]}";
        QTest::newRow("arguments with a quote left open")
            << withGroups(kGoodGroup + QByteArray(badArguments).replace("%1", "\"\\\"a\""))
            << QStringLiteral("Campo \"argumentos\" do item 1 do grupo 2 (\"Ruim\"): tem aspas que não foram "
                              "fechadas.");
        QTest::newRow("arguments with a TAB")
            << withGroups(kGoodGroup + QByteArray(badArguments).replace("%1", "\"-a\\tb\""))
            << QStringLiteral("Campo \"argumentos\" do item 1 do grupo 2 (\"Ruim\"): não pode conter TAB.");
        QTest::newRow("arguments not a text")
            << withGroups(kGoodGroup + QByteArray(badArguments).replace("%1", "[\"-a\"]"))
            << QStringLiteral("Campo \"argumentos\" do item 1 do grupo 2 (\"Ruim\"): precisa ser um texto.");
        QTest::newRow("shortcut flag")
            << withGroups(kGoodGroup + R"(, {"titulo": "Ruim", "atalhos": {"menu": "sim"},
                                             "itens": [{"titulo": "a", "endereco": "/a"}]})")
            << QStringLiteral("Campo \"atalhos.menu\" do grupo 2 (\"Ruim\"): precisa ser true ou false.");
    }

    void aBadFieldWritesNothing() {
        QFETCH(QByteArray, file);
        QFETCH(QString, message);
        TestAppFolder app;
        app.addGroup(QStringLiteral("Já havia"));
        const QByteArray before = fileBytes(app.databases().groups);
        try {
            importGroups(app.databases(), file, kToday);
            QFAIL("The file was taken");
        } catch (const ExchangeFormatError& error) {
            QCOMPARE(error.message(), message);
        }
        QCOMPARE(fileBytes(app.databases().groups), before);
    }
};

QTEST_GUILESS_MAIN(GroupExchangeTest)
#include "tst_group_exchange.moc"
