#include "EventLoopPauseProbe.h"

#include "state/GroupListModel.h"

#include <QSaveFile>

namespace zantor {

namespace {

// What the views still lay out after the last rows came counts too.
constexpr int kAfterLastRowsMs = 250;

} // namespace

void EventLoopPauseProbe::startIfAsked(GroupListModel& groups, QObject* parent) {
    const QString file = qEnvironmentVariable("ZANTOR_PAUSE_PROBE");
    if (!file.isEmpty())
        new EventLoopPauseProbe(file, groups, parent);
}

EventLoopPauseProbe::EventLoopPauseProbe(QString file, GroupListModel& groups, QObject* parent)
    : QObject(parent)
    , m_file(std::move(file)) {
    m_ticks.setTimerType(Qt::PreciseTimer);
    m_ticks.setInterval(1);
    connect(&m_ticks, &QTimer::timeout, this, &EventLoopPauseProbe::tick);
    connect(&groups, &GroupListModel::restShown, this,
            [this] { QTimer::singleShot(kAfterLastRowsMs, this, &EventLoopPauseProbe::write); });
    m_sinceTick.start();
    m_ticks.start();
}

void EventLoopPauseProbe::tick() {
    m_longestNs = std::max(m_longestNs, m_sinceTick.nsecsElapsed());
    m_sinceTick.restart();
}

void EventLoopPauseProbe::write() {
    tick();
    m_ticks.stop();
    // Whole or not at all: the benchmark reads it as soon as it is there.
    QSaveFile out(m_file);
    if (out.open(QIODevice::WriteOnly)) {
        out.write(QByteArray::number(m_longestNs / 1e6, 'f', 1) + '\n');
        out.commit();
    }
    deleteLater();
}

} // namespace zantor
