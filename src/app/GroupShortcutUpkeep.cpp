#include "GroupShortcutUpkeep.h"

#include "chrome/DatabaseAction.h"
#include "state/GroupShortcuts.h"
#include "state/SharedState.h"

namespace zantor {

namespace {

void tellFailure(QWidget* parent, const QString& what, const QString& failure) {
    if (failure.isEmpty())
        return;
    prompt::beep();
    prompt::message(parent, PromptIcon::Warning, QStringLiteral("Zantor"),
                    what + QLatin1Char('\n') + failure);
}

} // namespace

void refreshGroupShortcuts(QWidget* parent, const SharedState& state, int groupId) {
    QString failure;
    runDatabaseAction(parent, [&] { failure = GroupShortcuts(state.folders()).refresh(groupId); });
    tellFailure(parent, QStringLiteral("Não foi possível atualizar os atalhos do grupo:"), failure);
}

void removeGroupShortcuts(QWidget* parent, const SharedState& state, const QVector<int>& groupIds) {
    tellFailure(parent, QStringLiteral("Não foi possível apagar os atalhos do grupo:"),
                GroupShortcuts(state.folders()).removeAll(groupIds));
}

} // namespace zantor
