#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>

namespace zantor {

class GroupListModel;

// For the start-up benchmark: the longest time the event loop went without turning while
// the rest of the group list came in, that is, the longest a click or a key could have
// waited for an answer. Written in milliseconds to the file the environment variable
// ZANTOR_PAUSE_PROBE names; without it nothing runs.
class EventLoopPauseProbe : public QObject {
    Q_OBJECT
public:
    // Call just before the rest is read.
    static void startIfAsked(GroupListModel& groups, QObject* parent);

private:
    EventLoopPauseProbe(QString file, GroupListModel& groups, QObject* parent);
    void tick();
    void write();

    QString m_file;
    QTimer m_ticks;
    QElapsedTimer m_sinceTick;
    qint64 m_longestNs = 0;
};

} // namespace zantor
