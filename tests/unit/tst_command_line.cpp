#include "app/CommandLine.h"
#include "app/GroupCommands.h"
#include "support/TemporaryHome.h"
#include "support/TestAppFolder.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace zantor;

using Command = CommandLine::Command;
Q_DECLARE_METATYPE(CommandLine::Command)

class CommandLineTest : public QObject {
    Q_OBJECT
private slots:
    void readsWhatTheUserAsked_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<Command>("command");
        QTest::addColumn<QStringList>("titles");
        QTest::addColumn<QString>("fileOrError");
        QTest::newRow("nothing") << QStringList() << Command::Start << QStringList() << QString();
        QTest::newRow("several groups, in order")
            << QStringList({"--abrir", "Trabalho", "-a", "Música"}) << Command::Open
            << QStringList({"Trabalho", "Música"}) << QString();
        QTest::newRow("export") << QStringList({"--exportar", "copia.json"}) << Command::Export
                                << QStringList() << QStringLiteral("copia.json");
        QTest::newRow("import") << QStringList({"-i", "copia.json"}) << Command::Import << QStringList()
                                << QStringLiteral("copia.json");
        QTest::newRow("help wins") << QStringList({"--listar", "--ajuda"}) << Command::Help << QStringList()
                                   << QString();
        QTest::newRow("unknown option") << QStringList({"--abra", "x"}) << Command::UsageError
                                        << QStringList() << QStringLiteral("Opção desconhecida: 'abra'.");
        QTest::newRow("missing value") << QStringList({"--importar"}) << Command::UsageError << QStringList()
                                       << QStringLiteral("Falta o valor depois de '--importar'.");
        QTest::newRow("stray argument") << QStringList({"Trabalho"}) << Command::UsageError << QStringList()
                                        << QStringLiteral("Argumento inesperado: 'Trabalho'.");
        QTest::newRow("two commands")
            << QStringList({"-a", "x", "--listar"}) << Command::UsageError << QStringList()
            << QStringLiteral("Use só uma destas opções de cada vez: --abrir, --listar.");
        QTest::newRow("blank title") << QStringList({"--abrir", "  "}) << Command::UsageError << QStringList()
                                     << QStringLiteral("Falta o título do grupo depois de '--abrir'.");
        QTest::newRow("no file name")
            << QStringList({"--exportar", ""}) << Command::UsageError << QStringList()
            << QStringLiteral("Falta o nome do arquivo depois de '--exportar'.");
    }

    void readsWhatTheUserAsked() {
        QFETCH(QStringList, arguments);
        QFETCH(Command, command);
        QFETCH(QStringList, titles);
        QFETCH(QString, fileOrError);
        const CommandLine commandLine(QStringList(QStringLiteral("Zantor")) + arguments);
        QCOMPARE(commandLine.command(), command);
        QCOMPARE(commandLine.titles(), titles);
        QCOMPARE(command == Command::UsageError ? commandLine.usageError() : commandLine.file(), fileOrError);
        QCOMPARE(commandLine.showsWindows(), command == Command::Start || command == Command::Open);
    }

    // A group's desktop entries name it by its id; an id no group has opens nothing.
    void groupIdsOpenTheirGroupsOrSayTheyAreGone_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QVector<int>>("opened");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("errors");
        QTest::newRow("two ids, in order") << QStringList({"--abrir-id", "2", "--abrir-id", "1"})
                                           << QVector<int>{2, 1} << exit_status::kSuccess << QString();
        QTest::newRow("a deleted group") << QStringList({"--abrir-id", "1", "--abrir-id", "3"})
                                         << QVector<int>() << exit_status::kNoSuchGroup
                                         << QStringLiteral("Nenhum grupo tem o número 3; ele pode ter sido "
                                                           "excluído.\n");
        QTest::newRow("not a number")
            << QStringList({"--abrir-id", "Um"}) << QVector<int>() << exit_status::kUsage
            << QStringLiteral("'--abrir-id' pede o número de um grupo, não 'Um'.");
        QTest::newRow("with --abrir")
            << QStringList({"--abrir-id", "1", "-a", "Um"}) << QVector<int>() << exit_status::kUsage
            << QStringLiteral("Use só uma destas opções de cada vez: --abrir, --abrir-id.");
    }
    void groupIdsOpenTheirGroupsOrSayTheyAreGone() {
        QFETCH(QStringList, arguments);
        QFETCH(QVector<int>, opened);
        QFETCH(int, status);
        QFETCH(QString, errors);
        TestAppFolder app;
        QCOMPARE(app.addGroup(QStringLiteral("Um")), 1);
        QCOMPARE(app.addGroup(QStringLiteral("Dois")), 2);
        const CommandLine commandLine(QStringList(QStringLiteral("Zantor")) + arguments);
        if (status == exit_status::kUsage) {
            QCOMPARE(commandLine.command(), Command::UsageError);
            QCOMPARE(commandLine.usageError(), errors);
            return;
        }
        QCOMPARE(commandLine.command(), Command::OpenById);
        QVERIFY(commandLine.showsWindows());
        const GroupChoice choice = groupsWithIds(app.databases().groups, commandLine.groupIds());
        QCOMPARE(choice.ids, opened);
        QCOMPARE(choice.result.status, status);
        QCOMPARE(choice.result.errors, errors);
    }

    void titlesNameGroupsAsTheListSortsThem_data() {
        QTest::addColumn<QStringList>("typed");
        QTest::addColumn<QStringList>("opened");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("errors");
        QTest::newRow("case, accents and spaces do not count")
            << QStringList({" MUSICA ", "relatorios"}) << QStringList({"Música", "Relatórios"})
            << exit_status::kSuccess << QString();
        QTest::newRow("the very text wins")
            << QStringList({"ação"}) << QStringList({"ação"}) << exit_status::kSuccess << QString();
        QTest::newRow("several") << QStringList({"Relatórios", "ACAO"}) << QStringList()
                                 << exit_status::kSeveralGroups
                                 << QStringLiteral("Mais de um grupo se chama \"ACAO\":\n"
                                                   "  Acao (a)\n"
                                                   "  ação (b)\n");
        QTest::newRow("none, with the titles that hold it")
            << QStringList({"rio"}) << QStringList() << exit_status::kNoSuchGroup
            << QStringLiteral("Nenhum grupo se chama \"rio\".\n"
                              "Grupos parecidos:\n"
                              "  Relatórios (c)\n"
                              "  Rios\\nlagos (e\\nf)\n");
        QTest::newRow("none at all") << QStringList({"xyz", "Música"}) << QStringList()
                                     << exit_status::kNoSuchGroup
                                     << QStringLiteral("Nenhum grupo se chama \"xyz\".\n"
                                                       "Veja os grupos com: %1 --listar\n")
                                            .arg(QCoreApplication::applicationName());
    }

    void titlesNameGroupsAsTheListSortsThem() {
        QFETCH(QStringList, typed);
        QFETCH(QStringList, opened);
        QFETCH(int, status);
        QFETCH(QString, errors);
        TestAppFolder app;
        QHash<int, QString> titleOf;
        for (const auto& [title, items] : {std::pair{"Acao", "a"},
                                           {"ação", "b"},
                                           {"Relatórios", "c"},
                                           {"Música", "d"},
                                           {"Rios\nlagos", "e\nf"}})
            titleOf.insert(app.addGroup(QString::fromUtf8(title), QString::fromUtf8(items)),
                           QString::fromUtf8(title));
        const GroupChoice choice = chooseGroups(app.databases().groups, typed);
        QStringList chosen;
        for (const int id : choice.ids)
            chosen << titleOf.value(id);
        QCOMPARE(chosen, opened);
        QCOMPARE(choice.result.status, status);
        QCOMPARE(choice.result.errors, errors);
    }

    // The export says which shortcuts a group has; the import makes them again only when
    // asked to, for the new group.
    void anImportMakesTheExportedShortcutsOnlyWhenAsked() {
        TemporaryHome home;
        QTemporaryDir files;
        const QString file = files.filePath(QStringLiteral("grupos.json"));
        TestAppFolder from;
        const int exported =
            from.addGroup(QStringLiteral("Manhã"), QStringLiteral("a"), QStringLiteral("/a"));
        const GroupShortcuts fromShortcuts(from.folders());
        QCOMPARE(fromShortcuts.set(exported, ShortcutPlace::Startup, true), QString());
        QCOMPARE(exportGroupsCommand(from.databases(), file, fromShortcuts).status, exit_status::kSuccess);
        QCOMPARE(fromShortcuts.removeAll({exported}), QString());
        QFile read(file);
        QVERIFY(read.open(QIODevice::ReadOnly));
        const QByteArray json = read.readAll();

        TestAppFolder to;
        to.addGroup(QStringLiteral("Já havia"));
        const GroupShortcuts toShortcuts(to.folders());
        QCOMPARE(importGroupsCommand(to.databases(), json, nullptr).output,
                 QStringLiteral("1 grupo importado.\n"));
        QCOMPARE(toShortcuts.placesOf(2), (ShortcutPlaceFlags{false, false, false}));
        const CommandResult asked = importGroupsCommand(to.databases(), json, &toShortcuts);
        QCOMPARE(asked.output, QStringLiteral("1 grupo importado.\n1 atalho criado.\n"));
        QCOMPARE(asked.status, exit_status::kSuccess);
        QCOMPARE(toShortcuts.placesOf(3), (ShortcutPlaceFlags{false, false, true}));
    }
};

QTEST_GUILESS_MAIN(CommandLineTest)
#include "tst_command_line.moc"
