#pragma once

#include <QObject>
#include <QStringList>
#include <QTimer>
#include <QVector>

namespace zantor {

class ResourceHandler;

// What a finished run has to tell: the resources that were not found, and those the
// desktop would not open.
struct LaunchResult {
    QStringList missing;
    QStringList refused;
    // The user stopped the run: the lists hold only what was tried before.
    bool cancelled = false;

    bool hasProblems() const { return !missing.isEmpty() || !refused.isEmpty(); }
    // The text of the "Erro" message at the end of a run.
    QString report() const;
};

// Opens the resources of groups one timer tick apart. Each window that opens groups
// owns one, so each keeps its own queue; the window shows the report.
class Launcher : public QObject {
    Q_OBJECT
public:
    Launcher(QString groupsPath, ResourceHandler& handler);

    // Queues every resource of the groups, in the order given, and opens the first one
    // `delayMs` from now. A run still going is replaced; a command that finds nothing
    // to open leaves everything as it was. Throws DatabaseError, and then starts
    // nothing.
    void openGroups(const QVector<int>& groupIds, int delayMs);
    // Stops the run going: nothing more of its queue opens, and it finishes at once with
    // what was tried. Without a run it does nothing.
    void cancel();

    // The launch timer, to look at: it runs exactly while a run is going, and nothing but
    // the launcher starts or stops it.
    const QTimer& timerDelay() const { return TimerDelay; }

signals:
    // A run has started; its first resource opens one delay from now.
    void runStarted();
    void runFinished(const zantor::LaunchResult& result);

private:
    void handOverNext();
    void handOver(const QString& resource);

    QTimer TimerDelay;
    QString m_groupsPath;
    ResourceHandler& m_handler;

    QStringList m_resources;
    qsizetype m_nextIndex = 0;
    LaunchResult m_result;
};

} // namespace zantor
