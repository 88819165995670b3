#pragma once

#include "platform/ResourceHandler.h"

#include <QElapsedTimer>
#include <QList>
#include <QSet>
#include <QStringList>

// Stands in for the desktop: the paths in `existing` exist, those in `refused` (paths or
// web addresses) have no application that takes them, and every opening is kept with its
// arguments and the time it happened, counted from the handler's creation or
// restartClock().
class RecordingResourceHandler : public zantor::ResourceHandler {
public:
    struct Opening {
        QString path;
        qint64 atMs;
        QStringList arguments;
    };

    explicit RecordingResourceHandler(QSet<QString> existingPaths = {});

    bool exists(const QString& path) const override { return existing.contains(path); }
    bool open(const QString& path, const QStringList& arguments) override;
    // Web addresses are recorded with the paths, in one order.
    bool openWebAddress(const QString& url) override { return open(url, {}); }

    void restartClock() { m_clock.start(); }
    QStringList openedPaths() const;

    QSet<QString> existing;
    QSet<QString> refused;
    QList<Opening> opened;

private:
    QElapsedTimer m_clock;
};
