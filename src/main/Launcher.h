#pragma once

#include <QObject>
#include <QStringList>
#include <QTimer>
#include <QVector>
#include <functional>

class QWidget;

namespace zantor {

class ResourceHandler;

// Opens the resources of groups one timer tick apart and reports, once the run is
// over, the ones that were not found. Each window that opens groups owns one, so each
// keeps its own queue.
class Launcher : public QObject {
    Q_OBJECT
public:
    // `afterStart` runs once a run has started, before its first resource opens.
    Launcher(QString groupsPath, ResourceHandler& handler, QWidget* reportParent,
             std::function<void()> afterStart = {}, QObject* parent = nullptr);

    // Queues every resource of the groups, in the order given, and opens the first one
    // `delayMs` from now. A run still going is replaced; a command that finds nothing
    // to open leaves everything as it was.
    void openGroups(const QVector<int>& groupIds, int delayMs);

    // The launch timer; it runs exactly while a run is going.
    QTimer TimerDelay;

private:
    void handOverNext();
    void handOver(const QString& resource);

    QString m_groupsPath;
    ResourceHandler& m_handler;
    QWidget* m_reportParent;
    std::function<void()> m_afterStart;

    QStringList m_resources;
    qsizetype m_nextIndex = 0;
    int m_missingCount = 0;
    QString m_missingText;
};

} // namespace zantor
