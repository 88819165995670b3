#include "Launcher.h"

#include "data/GroupStore.h"
#include "data/ItemListCodec.h"
#include "data/WebAddress.h"
#include "platform/ResourceHandler.h"

namespace zantor {

namespace {

const QString kLineEnd = QStringLiteral("\r\n");

QString listed(const QStringList& resources) {
    QString lines;
    for (const QString& resource : resources)
        lines += QStringLiteral("- ") + resource + kLineEnd;
    return lines;
}

} // namespace

QString LaunchResult::report() const {
    QString text;
    if (!missing.isEmpty())
        text += QStringLiteral("Recurso(s) não encontrado(s): ") + kLineEnd + listed(missing);
    if (!refused.isEmpty())
        text += QStringLiteral("Não foi possível abrir:") + kLineEnd + listed(refused);
    return text;
}

Launcher::Launcher(QString groupsPath, ResourceHandler& handler)
    : m_groupsPath(std::move(groupsPath))
    , m_handler(handler) {
    TimerDelay.setObjectName(QStringLiteral("TimerDelay"));
    // A coarse timer may fire 5% of the delay early or late (50 ms at one second); the
    // pace is the user's own setting, so it is kept to the millisecond.
    TimerDelay.setTimerType(Qt::PreciseTimer);
    connect(&TimerDelay, &QTimer::timeout, this, &Launcher::handOverNext);
}

void Launcher::openGroups(const QVector<int>& groupIds, int delayMs) {
    QStringList resources;
    for (const int id : groupIds) {
        // A group deleted since the list was filled has nothing left to open.
        if (const std::optional<QString> stored = readResourceList(m_groupsPath, id))
            resources += launchResources(*stored);
    }
    if (resources.isEmpty())
        return;

    m_resources = resources;
    m_result = {};
    m_nextIndex = 0;
    TimerDelay.start(qMax(delayMs, 0));
    emit runStarted();
}

void Launcher::cancel() {
    if (!TimerDelay.isActive())
        return;
    TimerDelay.stop();
    m_resources.clear();
    m_result.cancelled = true;
    emit runFinished(m_result);
}

void Launcher::handOverNext() {
    if (m_nextIndex >= m_resources.size()) {
        TimerDelay.stop();
        emit runFinished(m_result);
        return;
    }
    // An empty piece opens nothing but still takes its tick: a gap the user left in the
    // list is a pause.
    const QString resource = m_resources[m_nextIndex++];
    if (!resource.isEmpty())
        handOver(resource);
}

void Launcher::handOver(const QString& resource) {
    // A typed backslash-t came back as a TAB; the path as typed may be the real one. A
    // URL holds no TAB: it is always the typed form.
    const QString typed = addressAsTyped(resource);
    if (isWebAddress(typed)) {
        if (!m_handler.openWebAddress(typed))
            m_result.refused << typed;
        return;
    }
    const QString path = localPath(resource);
    const QString typedPath = localPath(typed);
    const QString found = m_handler.exists(path)                             ? path
                          : typedPath != path && m_handler.exists(typedPath) ? typedPath
                                                                             : QString();
    if (found.isEmpty())
        m_result.missing << typed;
    else if (!m_handler.open(found))
        m_result.refused << found;
}

} // namespace zantor
