#pragma once

#include "CommandLine.h"
#include "GroupCommands.h"
#include "SingleInstance.h"
#include "data/AppFolders.h"
#include "data/DatabasePaths.h"

#include <QVector>
#include <optional>

namespace zantor {

class WindowCoordinator;

// Does what the command line asks, in this process or through the running copy.
class CommandRunner {
public:
    // The databases are those of the app folder, as the main window's. A start that
    // hands over to the running copy passes it `activationToken`, the desktop's.
    CommandRunner(const QStringList& arguments, const QString& appFolder,
                  const QString& activationToken = {});

    // Everything that needs no main window in this process: help, version, the listing,
    // export and import, and what a running copy does instead. Returns the exit status
    // when that was all, or nothing when this process goes on as the running copy.
    std::optional<int> runWithoutMainWindow();
    // As the running copy, with its windows made: answers later starts, and opens the
    // groups this command line asked for.
    void serve(WindowCoordinator& windows);

private:
    CommandResult run();
    // This process goes on as the running copy to open the chosen groups, when there are.
    CommandResult chosenToOpen(const GroupChoice& choice);
    // Hands the request to the running copy and gives its answer, or why no copy can
    // run; nothing when this process has become the running copy.
    std::optional<CommandResult> handOver(const InstanceRequest& request);
    void answer(WindowCoordinator& windows, const InstanceRequest& request,
                const SingleInstance::Reply& reply);

    CommandLine m_commandLine;
    AppFolders m_folders;
    DatabasePaths m_paths;
    SingleInstance m_instance;
    QString m_activationToken;
    QVector<int> m_groupsToOpen;
    // This process goes on as the running copy.
    bool m_running = false;
};

} // namespace zantor
