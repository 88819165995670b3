#include "Startup.h"

#include "chrome/Prompt.h"
#include "data/DatabaseError.h"
#include "data/DatabaseSetup.h"
#include "data/SettingsStore.h"
#include "platform/Pictures.h"

#include <QApplication>

namespace zantor::startup {

void makeDatabases(const AppFolders& folders) {
    createMissingDatabases(folders.databasePaths(), folders.seedFolder());
}

std::unique_ptr<SharedState> loadState(const QString& programFolder) {
    auto state = std::make_unique<SharedState>(programFolder);
    makeDatabases(state->folders());
    state->loadSettings();
    state->loadCategories();
    state->groups.fillFirstScreen(state->settings().groupOrder);
    return state;
}

std::unique_ptr<SharedState> loadStateOrSay(const QString& programFolder) {
    try {
        return loadState(programFolder);
    } catch (const DatabaseError& error) {
        QApplication::setWindowIcon(picture(QStringLiteral(":/icons/icon-soft.svg")));
        prompt::fatal(QStringLiteral("Erro"), error.userMessage());
        return nullptr;
    }
}

} // namespace zantor::startup
