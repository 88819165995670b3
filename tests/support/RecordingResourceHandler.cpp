#include "RecordingResourceHandler.h"

RecordingResourceHandler::RecordingResourceHandler(QSet<QString> existingPaths)
    : existing(std::move(existingPaths)) {
    m_clock.start();
}

bool RecordingResourceHandler::open(const QString& path, const QStringList& arguments) {
    opened.append({path, m_clock.elapsed(), arguments});
    return !refused.contains(path);
}

QStringList RecordingResourceHandler::openedPaths() const {
    QStringList paths;
    for (const Opening& opening : opened)
        paths << opening.path;
    return paths;
}
