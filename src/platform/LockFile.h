#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace zantor {

// A file that one process at a time holds, with a line from its holder that the others
// read (where the holder can be reached). The hold is an flock, which the system lets go
// of however the process ends: a copy that crashed leaves nothing that keeps the next
// one out. A link at the path is never followed.
class LockFile {
public:
    explicit LockFile(QString path);
    ~LockFile();
    LockFile(const LockFile&) = delete;
    LockFile& operator=(const LockFile&) = delete;

    enum class Outcome { Held, HeldElsewhere, Failed };
    // Takes the lock without waiting, when nobody holds it; the line starts empty.
    Outcome tryHold();
    // Why the file could not be made or locked, after Failed.
    const QString& errorString() const { return m_error; }
    const QString& path() const { return m_path; }
    // As the holder: the line the others read, without its line break. False where it
    // could not be written.
    bool setNote(const QByteArray& line);
    // The holder's line once it is written whole; nothing before, and nothing where the
    // file cannot be read.
    std::optional<QByteArray> note() const;

private:
    QString m_path;
    QString m_error;
    int m_file = -1;
};

} // namespace zantor
