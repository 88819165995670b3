#include "CommandRunner.h"

#include "GroupCommands.h"
#include "chrome/BorderlessWindow.h"
#include "chrome/DatabaseAction.h"
#include "chrome/TrayHelper.h"
#include "main/Frm1_ZT_ini.h"

#include <QApplication>
#include <QFileInfo>
#include <QJsonArray>
#include <cstdio>

namespace zantor {

namespace {

const QString kRequest = QStringLiteral("pedido");
const QString kShow = QStringLiteral("mostrar");
const QString kOpen = QStringLiteral("abrir");
const QString kImport = QStringLiteral("importar");
const QString kTitles = QStringLiteral("titulos");
const QString kFile = QStringLiteral("arquivo");

int finish(const CommandResult& result) {
    const QByteArray output = result.output.toUtf8();
    const QByteArray errors = result.errors.toUtf8();
    std::fwrite(output.constData(), 1, size_t(output.size()), stdout);
    std::fwrite(errors.constData(), 1, size_t(errors.size()), stderr);
    std::fflush(stdout);
    return result.status;
}

// A modal window first, then whichever of ours shows.
QWidget* shownWindow() {
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (qobject_cast<BorderlessWindow*>(window) && window->isVisible())
            return window;
    }
    return nullptr;
}

TrayHelper* trayInUse() {
    for (QWidget* window : QApplication::topLevelWidgets()) {
        auto* tray = window->findChild<TrayHelper*>(QString(), Qt::FindDirectChildrenOnly);
        if (tray && tray->isInTray())
            return tray;
    }
    return nullptr;
}

// The window the user works in comes to the front: the one that shows, else the one
// hidden in the tray, else the main window.
void bringToFront(QWidget& mainWindow) {
    QWidget* window = shownWindow();
    if (!window) {
        if (TrayHelper* tray = trayInUse()) {
            tray->restoreFromTray();
            return;
        }
        window = &mainWindow;
    }
    window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    window->show();
    window->raise();
    window->activateWindow();
}

} // namespace

CommandRunner::CommandRunner(const QStringList& arguments, const QString& appFolder)
    : m_commandLine(arguments)
    , m_folders(AppFolders::forProgramFolder(appFolder))
    , m_paths(m_folders.databasePaths())
    , m_instance(m_folders.databases) {}

std::optional<int> CommandRunner::runWithoutMainWindow() {
    const CommandResult result = run();
    if (!m_running)
        return finish(result);
    if (!qobject_cast<QApplication*>(QCoreApplication::instance())) {
        return finish(CommandResult::failure(
            exit_status::kNoDisplay,
            QStringLiteral(
                "Não há tela onde mostrar o Zantor: nenhuma sessão Wayland ou X11 pôde ser aberta.\n")));
    }
    return std::nullopt;
}

CommandResult CommandRunner::run() {
    using Command = CommandLine::Command;
    const auto withDatabases = [this](const auto& command) {
        const std::optional<CommandResult> failed =
            createMissingDatabasesCommand(m_paths, m_folders.seedFolder());
        return failed ? *failed : command();
    };
    switch (m_commandLine.command()) {
    case Command::Help:
        return {exit_status::kSuccess, m_commandLine.helpText(), {}};
    case Command::Version:
        return {exit_status::kSuccess,
                QStringLiteral("%1 %2\n").arg(QCoreApplication::applicationName(),
                                              QCoreApplication::applicationVersion()),
                {}};
    case Command::UsageError:
        return CommandResult::failure(exit_status::kUsage, m_commandLine.usageError() +
                                                               QStringLiteral("\n\n") +
                                                               m_commandLine.helpText());
    case Command::List:
        return withDatabases([this] { return listGroupsCommand(m_paths); });
    case Command::Export:
        return withDatabases([this] { return exportGroupsCommand(m_paths, m_commandLine.file()); });
    case Command::Import:
        // With no copy running, this process writes; a running copy writes itself and
        // shows the new groups at once.
        if (!m_instance.claim()) {
            return m_instance.ask(
                {{kRequest, kImport}, {kFile, QFileInfo(m_commandLine.file()).absoluteFilePath()}});
        }
        return withDatabases([this] { return importGroupsCommand(m_paths, m_commandLine.file()); });
    case Command::Start:
        if (!m_instance.claim())
            return m_instance.ask({{kRequest, kShow}});
        m_running = true;
        return {};
    case Command::Open:
        if (!m_instance.claim())
            return m_instance.ask(
                {{kRequest, kOpen}, {kTitles, QJsonArray::fromStringList(m_commandLine.titles())}});
        // Nothing shows unless every title names its group.
        return withDatabases([this] {
            const GroupChoice choice = chooseGroups(m_paths.groups, m_commandLine.titles());
            m_groupsToOpen = choice.ids;
            m_running = choice.result.status == exit_status::kSuccess;
            return choice.result;
        });
    }
    return {};
}

void CommandRunner::serve(Frm1_ZT_ini& window) {
    m_instance.listen([this, &window](const QJsonObject& request) { return answer(window, request); });
    if (!m_groupsToOpen.isEmpty())
        window.openGroups(m_groupsToOpen);
}

CommandResult CommandRunner::answer(Frm1_ZT_ini& window, const QJsonObject& request) {
    const QString kind = request.value(kRequest).toString();
    if (kind == kShow) {
        bringToFront(window);
        return {};
    }
    if (kind == kOpen) {
        QStringList titles;
        for (const QJsonValue& title : request.value(kTitles).toArray())
            titles << title.toString();
        const GroupChoice choice = chooseGroups(m_paths.groups, titles);
        if (!choice.ids.isEmpty())
            window.openGroups(choice.ids);
        return choice.result;
    }
    if (kind == kImport) {
        const CommandResult result = importGroupsCommand(m_paths, request.value(kFile).toString());
        if (result.status == exit_status::kSuccess)
            runDatabaseAction(&window, [&window] { window.state().groups.refill(); });
        return result;
    }
    return CommandResult::failure(
        exit_status::kUsage, QStringLiteral("Pedido desconhecido para o Zantor aberto: \"%1\".\n").arg(kind));
}

} // namespace zantor
