#include "CommandRunner.h"

#include "GroupCommands.h"
#include "Startup.h"
#include "WindowCoordinator.h"
#include "chrome/DatabaseAction.h"
#include "data/ControlCharacters.h"
#include "data/DatabaseError.h"
#include "main/MainWindow.h"

#include <QApplication>
#include <QTimer>
#include <cstdio>

namespace zantor {

namespace {

int finish(const CommandResult& result) {
    // Stored titles reach the terminal here: none of their control characters may steer it.
    const QByteArray output = terminalText(result.output).toUtf8();
    const QByteArray errors = terminalText(result.errors).toUtf8();
    std::fwrite(output.constData(), 1, size_t(output.size()), stdout);
    std::fwrite(errors.constData(), 1, size_t(errors.size()), stderr);
    std::fflush(stdout);
    return result.status;
}

} // namespace

CommandRunner::CommandRunner(const QStringList& arguments, const QString& appFolder,
                             const QString& activationToken)
    : m_commandLine(arguments)
    , m_folders(AppFolders::forProgramFolder(appFolder))
    , m_paths(m_folders.databasePaths())
    , m_instance(m_folders.databases)
    , m_activationToken(activationToken) {}

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
        try {
            startup::makeDatabases(m_folders);
        } catch (const DatabaseError& error) {
            return CommandResult::failure(exit_status::kDatabase, error.userMessage() + QLatin1Char('\n'));
        }
        CommandResult result = command();
        if (m_folders.databasesReadOnly)
            result.errors.prepend(m_folders.readOnlyWarning() + QLatin1Char('\n'));
        return result;
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
        return withDatabases(
            [this] { return exportGroupsCommand(m_paths, m_commandLine.file(), GroupShortcuts(m_folders)); });
    case Command::Import: {
        const ImportFile file = readImportFile(m_commandLine.file());
        if (file.failure)
            return *file.failure;
        // With no copy running, this process writes; a running copy writes itself and
        // shows the new groups at once.
        if (const std::optional<CommandResult> answer =
                handOver(InstanceRequest::importGroups(file.json, m_commandLine.withShortcuts())))
            return *answer;
        const GroupShortcuts shortcuts(m_folders);
        return withDatabases([&] {
            return importGroupsCommand(m_paths, file.json,
                                       m_commandLine.withShortcuts() ? &shortcuts : nullptr);
        });
    }
    case Command::Start:
        if (const std::optional<CommandResult> answer = handOver(InstanceRequest::show(m_activationToken)))
            return *answer;
        m_running = true;
        return {};
    case Command::OpenById: {
        if (const std::optional<CommandResult> answer =
                handOver(InstanceRequest::openIds(m_commandLine.groupIds())))
            return *answer;
        return withDatabases(
            [this] { return chosenToOpen(groupsWithIds(m_paths.groups, m_commandLine.groupIds())); });
    }
    case Command::Open:
        if (const std::optional<CommandResult> answer =
                handOver(InstanceRequest::openTitles(m_commandLine.titles())))
            return *answer;
        return withDatabases(
            [this] { return chosenToOpen(chooseGroups(m_paths.groups, m_commandLine.titles())); });
    }
    return {};
}

CommandResult CommandRunner::chosenToOpen(const GroupChoice& choice) {
    // Nothing shows unless every title or id names its group.
    m_groupsToOpen = choice.ids;
    m_running = choice.result.status == exit_status::kSuccess;
    return choice.result;
}

std::optional<CommandResult> CommandRunner::handOver(const InstanceRequest& request) {
    switch (m_instance.claim()) {
    case SingleInstance::Claim::Claimed:
        return std::nullopt;
    case SingleInstance::Claim::RunningElsewhere: {
        // An opening is answered when its run has ended, however long the run takes.
        const bool waitsForARun = request.kind == InstanceRequest::Kind::OpenByTitles ||
                                  request.kind == InstanceRequest::Kind::OpenByIds;
        return m_instance.ask(request, waitsForARun ? -1 : SingleInstance::kAnswerWaitMs);
    }
    case SingleInstance::Claim::Failed:
        break;
    }
    return CommandResult::failure(exit_status::kFailure, m_instance.failure() + QLatin1Char('\n'));
}

void CommandRunner::serve(WindowCoordinator& windows) {
    m_instance.listen([this, &windows](const InstanceRequest& request, const SingleInstance::Reply& reply) {
        answer(windows, request, reply);
    });
    if (m_groupsToOpen.isEmpty())
        return;
    // Started from a terminal to open groups, this copy tells that terminal what it could
    // not open, as a copy that hands the request over does.
    const RunTicket ticket = windows.openGroups(m_groupsToOpen);
    if (ticket.run)
        ticket.launcher->whenDone(ticket.run, &windows, [](const LaunchResult& result) {
            finish({exit_status::kSuccess, {}, result.terminalReport()});
        });
}

void CommandRunner::answer(WindowCoordinator& windows, const InstanceRequest& request,
                           const SingleInstance::Reply& reply) {
    // What a request shows comes after its answer has gone, or after its run has begun: a
    // message box it may open must never keep the copy that asked waiting, nor run inside
    // the socket's handler.
    const auto afterAnswer = [&windows](auto show) { QTimer::singleShot(0, &windows, show); };
    // The groups chosen open as one run, and the copy that asked hears, at its end, what
    // could not be opened.
    const auto openChosen = [&](const GroupChoice& choice) {
        if (choice.ids.isEmpty()) {
            reply(choice.result);
            return;
        }
        afterAnswer([&windows, reply, choice] {
            const RunTicket ticket = windows.openGroups(choice.ids);
            if (!ticket.run) {
                reply(choice.result);
                return;
            }
            ticket.launcher->whenDone(ticket.run, &windows, [reply, choice](const LaunchResult& result) {
                CommandResult told = choice.result;
                told.errors += result.terminalReport();
                reply(told);
            });
        });
    };
    using Kind = InstanceRequest::Kind;
    switch (request.kind) {
    case Kind::Show:
        reply({});
        afterAnswer([&windows, token = request.activationToken] { windows.bringToFront(token); });
        return;
    case Kind::OpenByTitles:
        openChosen(chooseGroups(m_paths.groups, request.titles));
        return;
    case Kind::OpenByIds:
        openChosen(groupsWithIds(m_paths.groups, request.ids));
        return;
    case Kind::Import: {
        const GroupShortcuts shortcuts(m_folders);
        const CommandResult result =
            importGroupsCommand(m_paths, request.importFile, request.withShortcuts ? &shortcuts : nullptr);
        reply(result);
        if (result.status == exit_status::kSuccess) {
            afterAnswer([&windows] {
                MainWindow& window = windows.mainWindow();
                runDatabaseAction(&window, [&window] { window.state().groups.refill(); });
            });
        }
        return;
    }
    case Kind::Unknown:
        break;
    }
    reply(instance_protocol::unknownRequestAnswer(request));
}

} // namespace zantor
