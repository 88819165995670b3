#pragma once

#include "data/GroupSave.h"

#include <QObject>
#include <QStringList>
#include <QTimer>
#include <QVector>
#include <functional>
#include <memory>

namespace zantor {

class ResourceHandler;

// An item a run did not find: where it is stored, as it was then, for the user to fix it.
struct MissedItem {
    ItemPlace place;
    QString groupTitle;
    // The address as the report shows it.
    QString shownAddress;
};

// What a finished run has to tell: the items that were not found, and the resources the
// desktop would not open.
struct LaunchResult {
    QVector<MissedItem> missing;
    QStringList refused;
    // The user stopped the run: the lists hold only what was tried before.
    bool cancelled = false;
    // Which run of its launcher this was.
    int run = 0;

    bool hasProblems() const { return !missing.isEmpty() || !refused.isEmpty(); }
    // The text of the "Erro" message at the end of a run.
    QString report() const;
    // The same for a terminal, each missing item with its group; empty after a run that
    // opened everything.
    QString terminalReport() const;
};

class Launcher;

// A run a launcher has started, to follow to its end.
struct RunTicket {
    Launcher* launcher = nullptr;
    int run = 0;
};

// Opens the resources of groups one timer tick apart. Each window that opens groups
// owns one, so each keeps its own queue; the window shows the report.
class Launcher : public QObject {
    Q_OBJECT
public:
    Launcher(QString groupsPath, ResourceHandler& handler);

    // Queues every resource of the groups, in the order given, and opens the first one
    // `delayMs` from now. A run still going is replaced; a command that finds nothing
    // to open leaves everything as it was. Returns the number of the run, or 0 when it
    // found nothing to open. Throws DatabaseError, and then starts nothing.
    int openGroups(const QVector<int>& groupIds, int delayMs);
    // Stops the run going: nothing more of its queue opens, and it finishes at once with
    // what was tried. Without a run it does nothing.
    void cancel();
    // Calls `done` with what run `run` did, once it has finished or been replaced, unless
    // `context` is gone by then.
    void whenDone(int run, QObject* context, std::function<void(const LaunchResult&)> done);

    // The launch timer, to look at: it runs exactly while a run is going, and nothing but
    // the launcher starts or stops it.
    const QTimer& delayTimer() const { return m_delayTimer; }

signals:
    // A run has started; its first resource opens one delay from now.
    void runStarted();
    void runFinished(const zantor::LaunchResult& result);
    // A new run took the place of this one before it had finished.
    void runReplaced(const zantor::LaunchResult& result);

private:
    // One resource of the queue, with its arguments as typed and the item it comes from.
    struct Queued {
        QString resource;
        QString arguments;
        MissedItem item;
    };

    void handOverNext();
    void handOver(const Queued& queued);

    QTimer m_delayTimer;
    QString m_groupsPath;
    ResourceHandler& m_handler;

    QVector<Queued> m_queue;
    qsizetype m_nextIndex = 0;
    LaunchResult m_result;
    int m_lastRun = 0;
};

} // namespace zantor
