#include "CommandLine.h"

#include "QtTexts.h"
#include "platform/DisplayServer.h"
#include "platform/Shortcuts.h"

#include <QApplication>
#include <QHash>
#include <QTranslator>
#include <algorithm>

namespace zantor {

namespace {

const QString kOpen = QStringLiteral("abrir");
const QString kOpenById = QString::fromLatin1(kOpenGroupOption);
const QString kList = QStringLiteral("listar");
const QString kExport = QStringLiteral("exportar");
const QString kImport = QStringLiteral("importar");
const QString kWithShortcuts = QStringLiteral("com-atalhos");
const QString kHelp = QStringLiteral("ajuda");
const QString kVersion = QStringLiteral("versao");

// The parser's own words (the usage line, the headings, its error messages) in
// Portuguese, like every other text of the program.
class ParserTexts : public QTranslator {
public:
    using QTranslator::QTranslator;

    bool isEmpty() const override { return false; }
    QString translate(const char* context, const char* sourceText, const char*, int) const override {
        static const QHash<QByteArray, QString> texts = {
            {"Usage: %1", QStringLiteral("Uso: %1")},
            {"[options]", QStringLiteral("[opções]")},
            {"Options:", QStringLiteral("Opções:")},
            {"Arguments:", QStringLiteral("Argumentos:")},
            {"Unknown option '%1'.", QStringLiteral("Opção desconhecida: '%1'.")},
            {"Unknown options: %1.", QStringLiteral("Opções desconhecidas: %1.")},
            {"Missing value after '%1'.", QStringLiteral("Falta o valor depois de '%1'.")},
            {"Unexpected value after '%1'.", QStringLiteral("Valor inesperado depois de '%1'.")},
        };
        if (qstrcmp(context, "QCommandLineParser") != 0)
            return {};
        return texts.value(QByteArray(sourceText));
    }
};

void installParserTexts() {
    QCoreApplication* app = QCoreApplication::instance();
    if (app && !app->findChild<ParserTexts*>())
        QCoreApplication::installTranslator(new ParserTexts(app));
}

QStringList argumentsOf(int argc, char** argv) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

} // namespace

CommandLine::CommandLine(const QStringList& arguments) {
    installParserTexts();
    m_parser.setApplicationDescription(
        QStringLiteral("Zantor (Executor de arquivos) abre grupos de arquivos, pastas e programas.\n"
                       "Sem opções, abre a janela do Zantor; se ele já estiver aberto, traz a janela dele\n"
                       "para a frente. Um Zantor aberto recebe também os pedidos das opções abaixo."));
    m_parser.addOptions({
        {{QStringLiteral("a"), kOpen},
         QStringLiteral("Abre o grupo com este título (maiúsculas e acentos não contam). Repetida, abre os "
                        "grupos na ordem dada, numa só abertura."),
         QStringLiteral("título")},
        {kOpenById,
         QStringLiteral(
             "Abre o grupo com este número, como os atalhos de um grupo fazem. Um número que nenhum "
             "grupo tem (de um grupo excluído) não abre nada."),
         QStringLiteral("número")},
        {{QStringLiteral("l"), kList},
         QStringLiteral("Mostra um grupo por linha: o título, um TAB e os títulos dos itens.")},
        {{QStringLiteral("e"), kExport},
         QStringLiteral("Grava todos os grupos neste arquivo JSON (\"-\": na saída padrão)."),
         QStringLiteral("arquivo.json")},
        {{QStringLiteral("i"), kImport},
         QStringLiteral(
             "Acrescenta os grupos deste arquivo JSON como grupos novos (\"-\": da entrada padrão)."),
         QStringLiteral("arquivo.json")},
        {kWithShortcuts,
         QStringLiteral("Com --importar: cria também os atalhos de grupo (área de trabalho, menu, "
                        "sessão) que o arquivo pede.")},
        {{QStringLiteral("h"), QStringLiteral("help"), kHelp}, QStringLiteral("Mostra esta ajuda.")},
        {{QStringLiteral("v"), QStringLiteral("version"), kVersion},
         QStringLiteral("Mostra a versão do Zantor.")},
    });
    read(arguments);
}

void CommandLine::read(const QStringList& arguments) {
    m_command = Command::UsageError;
    if (!m_parser.parse(arguments)) {
        m_usageError = m_parser.errorText();
        return;
    }
    if (m_parser.isSet(kHelp)) {
        m_command = Command::Help;
        return;
    }
    if (m_parser.isSet(kVersion)) {
        m_command = Command::Version;
        return;
    }
    if (!m_parser.positionalArguments().isEmpty()) {
        m_usageError =
            QStringLiteral("Argumento inesperado: '%1'.").arg(m_parser.positionalArguments().first());
        return;
    }
    const QList<std::pair<QString, Command>> commands = {{kOpen, Command::Open},
                                                         {kOpenById, Command::OpenById},
                                                         {kList, Command::List},
                                                         {kExport, Command::Export},
                                                         {kImport, Command::Import}};
    QStringList given;
    m_command = Command::Start;
    for (const auto& [name, command] : commands) {
        if (m_parser.isSet(name)) {
            given << QStringLiteral("--") + name;
            m_command = command;
        }
    }
    if (given.size() > 1) {
        m_command = Command::UsageError;
        m_usageError =
            QStringLiteral("Use só uma destas opções de cada vez: %1.").arg(given.join(QStringLiteral(", ")));
        return;
    }
    const QStringList titles = m_parser.values(kOpen);
    if (std::any_of(titles.begin(), titles.end(),
                    [](const QString& title) { return title.trimmed().isEmpty(); })) {
        m_command = Command::UsageError;
        m_usageError = QStringLiteral("Falta o título do grupo depois de '--abrir'.");
        return;
    }
    m_titles = titles;
    for (const QString& value : m_parser.values(kOpenById)) {
        bool number = false;
        const int id = value.toInt(&number);
        if (!number || id <= 0) {
            m_command = Command::UsageError;
            m_usageError =
                QStringLiteral("'--%1' pede o número de um grupo, não '%2'.").arg(kOpenById, value);
            return;
        }
        m_groupIds.append(id);
    }
    m_withShortcuts = m_parser.isSet(kWithShortcuts);
    if (m_withShortcuts && m_command != Command::Import) {
        m_command = Command::UsageError;
        m_usageError = QStringLiteral("'--%1' só vale com '--%2'.").arg(kWithShortcuts, kImport);
        return;
    }
    if (m_command == Command::Export || m_command == Command::Import) {
        m_file = m_parser.value(m_command == Command::Export ? kExport : kImport);
        if (m_file.isEmpty()) {
            m_command = Command::UsageError;
            m_usageError = QStringLiteral("Falta o nome do arquivo depois de '%1'.").arg(given.first());
        }
    }
}

QString CommandLine::helpText() const {
    return m_parser.helpText() +
           QStringLiteral("\nCódigos de saída:\n"
                          "  0   tudo certo\n"
                          "  1   arquivo que não pôde ser lido ou gravado, Zantor aberto que não responde,\n"
                          "      trava de cópia única que não pôde ser criada, ou atalho que --com-atalhos\n"
                          "      não pôde criar\n"
                          "  2   banco de dados que não pôde ser lido ou gravado\n"
                          "  3   nenhum grupo tem o título (ou o número) pedido\n"
                          "  4   mais de um grupo tem o título pedido\n"
                          "  64  linha de comando errada\n"
                          "  65  arquivo JSON que não é um arquivo de grupos válido\n"
                          "  69  nenhuma tela onde mostrar a janela (nem Wayland nem X11)\n");
}

namespace {

// Without a display named, no platform needs to be tried: a copy started over ssh can
// still hand its request to the copy running on the desktop.
bool hasDisplay() {
    return !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") || !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

} // namespace

std::unique_ptr<QCoreApplication> createApplication(int& argc, char** argv) {
    std::unique_ptr<QCoreApplication> app;
    if (CommandLine(argumentsOf(argc, argv)).showsWindows() && hasDisplay()) {
        const display::PlatformChoice platform;
        app = std::make_unique<QApplication>(argc, argv);
        // No display answered: the program goes on without windows, as it does without
        // a display named at all.
        if (!platform.reachedDisplay())
            app.reset();
        else
            installQtTranslations(*app);
    }
    if (!app)
        app = std::make_unique<QCoreApplication>(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Zantor"));
    QCoreApplication::setApplicationVersion(QStringLiteral(ZANTOR_VERSION));
    return app;
}

} // namespace zantor
