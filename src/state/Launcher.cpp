#include "Launcher.h"

#include "data/ControlCharacters.h"
#include "data/GroupStore.h"
#include "data/ItemArguments.h"
#include "data/ItemListCodec.h"
#include "data/TextEscaping.h"
#include "data/WebAddress.h"
#include "platform/ResourceHandler.h"

namespace zantor {

namespace {

const QString kLineEnd = QStringLiteral("\r\n");

QString listed(const QStringList& resources, const QString& lineEnd) {
    QString lines;
    for (const QString& resource : resources)
        lines += QStringLiteral("- ") + resource + lineEnd;
    return lines;
}

QStringList shownAddresses(const QVector<MissedItem>& items) {
    QStringList addresses;
    for (const MissedItem& item : items)
        addresses << item.shownAddress;
    return addresses;
}

} // namespace

QString LaunchResult::report() const {
    QString text;
    if (!missing.isEmpty())
        text += QStringLiteral("Recurso(s) não encontrado(s): ") + kLineEnd +
                listed(shownAddresses(missing), kLineEnd);
    if (!refused.isEmpty())
        text += QStringLiteral("Não foi possível abrir:") + kLineEnd + listed(refused, kLineEnd);
    return text;
}

QString LaunchResult::terminalReport() const {
    // One line per item: a line break a stored text holds is shown, not carried out.
    const QString lineEnd = QStringLiteral("\n");
    QString text;
    if (!missing.isEmpty()) {
        text += QStringLiteral("Recurso(s) não encontrado(s):") + lineEnd;
        for (const MissedItem& item : missing)
            text += QStringLiteral("- %1 (grupo \"%2\", item \"%3\")")
                        .arg(visibleText(item.shownAddress), visibleText(item.groupTitle),
                             visibleText(item.place.title)) +
                    lineEnd;
    }
    if (!refused.isEmpty()) {
        QStringList shown;
        for (const QString& resource : refused)
            shown << visibleText(resource);
        text += QStringLiteral("Não foi possível abrir:") + lineEnd + listed(shown, lineEnd);
    }
    if (!missing.isEmpty())
        text +=
            QStringLiteral("Os itens não encontrados podem ser corrigidos na próxima abertura pela janela do "
                           "Zantor.") +
            lineEnd;
    return text;
}

Launcher::Launcher(QString groupsPath, ResourceHandler& handler)
    : m_groupsPath(std::move(groupsPath))
    , m_handler(handler) {
    m_delayTimer.setObjectName(QStringLiteral("delayTimer"));
    // A coarse timer may fire 5% of the delay early or late (50 ms at one second); the
    // pace is the user's own setting, so it is kept to the millisecond.
    m_delayTimer.setTimerType(Qt::PreciseTimer);
    connect(&m_delayTimer, &QTimer::timeout, this, &Launcher::handOverNext);
}

int Launcher::openGroups(const QVector<int>& groupIds, int delayMs) {
    QVector<Queued> queue;
    for (const int id : groupIds) {
        // A group deleted since the list was filled has nothing left to open.
        const std::optional<GroupDetails> group = readGroupDetails(m_groupsPath, id);
        if (!group)
            continue;
        const QString groupTitle = unescapeText(group->titulo1);
        const QStringList titles = titlePieces(unescapeText(group->texto1));
        const QStringList stored = addressPieces(unescapeText(group->texto2));
        const QStringList resources = launchResources(group->texto2);
        const QStringList arguments = itemArguments(group->texto3);
        for (qsizetype i = 0; i < resources.size(); ++i)
            queue.append({resources[i],
                          arguments.value(i),
                          {{id, int(i), titles.value(i), stored[i]}, groupTitle, {}}});
    }
    if (queue.isEmpty())
        return 0;

    if (m_delayTimer.isActive())
        emit runReplaced(m_result);
    m_queue = std::move(queue);
    m_result = {};
    m_result.run = ++m_lastRun;
    m_nextIndex = 0;
    m_delayTimer.start(qMax(delayMs, 0));
    emit runStarted();
    return m_result.run;
}

void Launcher::whenDone(int run, QObject* context, std::function<void(const LaunchResult&)> done) {
    // Both connections go with the first of the two ends of the run.
    auto ends = std::make_shared<QList<QMetaObject::Connection>>();
    const auto end = [run, ends, done = std::move(done)](const LaunchResult& result) {
        if (result.run != run)
            return;
        for (const QMetaObject::Connection& connection : std::as_const(*ends))
            QObject::disconnect(connection);
        done(result);
    };
    *ends << connect(this, &Launcher::runFinished, context, end)
          << connect(this, &Launcher::runReplaced, context, end);
}

void Launcher::cancel() {
    if (!m_delayTimer.isActive())
        return;
    m_delayTimer.stop();
    m_queue.clear();
    m_result.cancelled = true;
    emit runFinished(m_result);
}

void Launcher::handOverNext() {
    if (m_nextIndex >= m_queue.size()) {
        m_delayTimer.stop();
        emit runFinished(m_result);
        return;
    }
    // An empty piece opens nothing but still takes its tick: a gap the user left in the
    // list is a pause.
    const Queued& queued = m_queue[m_nextIndex++];
    if (!queued.resource.isEmpty())
        handOver(queued);
}

void Launcher::handOver(const Queued& queued) {
    // A typed backslash-t came back as a TAB; the path as typed may be the real one. A
    // URL holds no TAB: it is always the typed form.
    const QString& resource = queued.resource;
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
    if (found.isEmpty()) {
        MissedItem missed = queued.item;
        missed.shownAddress = typed;
        m_result.missing << missed;
        return;
    }
    // Arguments with a quote left open (written past the editor) start nothing.
    const std::optional<QStringList> arguments = splitArguments(queued.arguments);
    if (!arguments || !m_handler.open(found, *arguments))
        m_result.refused << found;
}

} // namespace zantor
