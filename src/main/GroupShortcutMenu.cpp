#include "GroupShortcutMenu.h"

#include "chrome/DatabaseAction.h"
#include "chrome/Prompt.h"
#include "state/GroupShortcuts.h"
#include "state/SharedState.h"

namespace zantor {

namespace {

ShortcutPlace placeOf(const QAction* action) {
    return kShortcutPlaces[action->data().toUInt()];
}

} // namespace

GroupShortcutMenu::GroupShortcutMenu(SharedState& state, int groupId, QWidget* parent)
    : QMenu(parent)
    , m_state(state)
    , m_groupId(groupId) {
    setObjectName(QStringLiteral("groupShortcutMenu"));
    setAccessibleName(QStringLiteral("Atalhos do grupo"));
    setAttribute(Qt::WA_DeleteOnClose);
    const ShortcutPlaceFlags existing = GroupShortcuts(m_state.folders()).placesOf(groupId);
    const QString texts[] = {QStringLiteral("Atalho na área de trabalho"),
                             QStringLiteral("No menu de aplicativos"),
                             QStringLiteral("Abrir ao entrar na sessão")};
    for (std::size_t i = 0; i < kShortcutPlaces.size(); ++i) {
        QAction* action = addAction(texts[i]);
        action->setCheckable(true);
        action->setChecked(existing[i]);
        action->setData(uint(i));
    }
    connect(this, &QMenu::triggered, this, &GroupShortcutMenu::apply);
}

void GroupShortcutMenu::apply(QAction* action) {
    const bool wanted = action->isChecked();
    QString failure;
    const GroupShortcuts shortcuts(m_state.folders());
    if (!runDatabaseAction(parentWidget(),
                           [&] { failure = shortcuts.set(m_groupId, placeOf(action), wanted); }))
        return;
    prompt::beep();
    if (!failure.isEmpty()) {
        prompt::message(parentWidget(), PromptIcon::Warning, QStringLiteral("Zantor"),
                        (wanted ? QStringLiteral("Não foi possível criar o atalho: %1.")
                                : QStringLiteral("Não foi possível apagar o atalho: %1."))
                            .arg(failure));
        return;
    }
    emit statusMessage(wanted ? QStringLiteral("Atalho criado.") : QStringLiteral("Atalho apagado."));
}

} // namespace zantor
