#include "Launcher.h"

#include "data/DatabaseError.h"
#include "data/GroupStore.h"
#include "data/ItemListCodec.h"
#include "platform/Prompt.h"
#include "platform/ResourceHandler.h"

namespace zantor {

namespace {
const QString kLineEnd = QStringLiteral("\r\n");
} // namespace

Launcher::Launcher(QString groupsPath, ResourceHandler& handler, QWidget* reportParent,
                   std::function<void()> afterStart, QObject* parent)
    : QObject(parent)
    , TimerDelay(this)
    , m_groupsPath(std::move(groupsPath))
    , m_handler(handler)
    , m_reportParent(reportParent)
    , m_afterStart(std::move(afterStart)) {
    TimerDelay.setObjectName(QStringLiteral("TimerDelay"));
    // A coarse timer may fire 5% of the delay early or late (50 ms at one second); the
    // pace is the user's own setting, so it is kept to the millisecond.
    TimerDelay.setTimerType(Qt::PreciseTimer);
    connect(&TimerDelay, &QTimer::timeout, this, &Launcher::handOverNext);
}

void Launcher::openGroups(const QVector<int>& groupIds, int delayMs) {
    QStringList resources;
    try {
        for (const int id : groupIds) {
            // A group deleted since the list was filled has nothing left to open.
            if (const std::optional<QString> stored = readResourceList(m_groupsPath, id))
                resources += launchResources(*stored);
        }
    } catch (const DatabaseError& error) {
        prompt::message(m_reportParent, PromptIcon::Critical, QStringLiteral("Erro"), error.userMessage());
        return;
    }
    if (resources.isEmpty())
        return;

    m_resources = resources;
    m_missingCount = 0;
    m_missingText.clear();
    m_nextIndex = 0;
    TimerDelay.start(qMax(delayMs, 0));
    if (m_afterStart)
        m_afterStart();
}

void Launcher::handOverNext() {
    if (m_nextIndex >= m_resources.size()) {
        TimerDelay.stop();
        if (m_missingCount > 0) {
            const QString report =
                QStringLiteral("Recurso(s) não encontrado(s): ") + kLineEnd + m_missingText;
            prompt::message(m_reportParent, PromptIcon::Warning, QStringLiteral("Erro"), report);
        }
        return;
    }
    // An empty piece opens nothing but still takes its tick: a gap the user left in the
    // list is a pause.
    const QString resource = m_resources[m_nextIndex++];
    if (!resource.isEmpty())
        handOver(resource);
}

void Launcher::handOver(const QString& resource) {
    if (m_handler.exists(resource)) {
        m_handler.open(resource);
        return;
    }
    // A typed backslash-t came back as a TAB; the path as typed may be the real one.
    const QString typed = addressAsTyped(resource);
    if (typed != resource && m_handler.exists(typed)) {
        m_handler.open(typed);
        return;
    }
    m_missingText += QStringLiteral("- ") + typed + kLineEnd;
    ++m_missingCount;
}

} // namespace zantor
