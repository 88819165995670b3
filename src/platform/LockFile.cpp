#include "LockFile.h"

#include <QFile>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#include <utility>

namespace zantor {

namespace {

QString systemError(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

// The holder's line is short: a socket's address.
constexpr qsizetype kLongestNote = 4096;

} // namespace

LockFile::LockFile(QString path)
    : m_path(std::move(path)) {}

LockFile::~LockFile() {
    if (m_file < 0)
        return;
    // The line names a copy that is going.
    [[maybe_unused]] const int emptied = ::ftruncate(m_file, 0);
    ::close(m_file);
}

LockFile::Outcome LockFile::tryHold() {
    if (m_file >= 0)
        return Outcome::Held;
    // Not emptied as it opens: until the lock is ours, the line is the holder's.
    const int file = ::open(QFile::encodeName(m_path).constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW,
                            S_IRUSR | S_IWUSR);
    if (file < 0) {
        m_error = systemError(errno);
        return Outcome::Failed;
    }
    int locked;
    do
        locked = ::flock(file, LOCK_EX | LOCK_NB);
    while (locked != 0 && errno == EINTR);
    if (locked != 0) {
        const int error = errno;
        ::close(file);
        if (error == EWOULDBLOCK)
            return Outcome::HeldElsewhere;
        m_error = systemError(error);
        return Outcome::Failed;
    }
    // What an earlier holder wrote names a copy that is gone.
    if (::ftruncate(file, 0) != 0) {
        m_error = systemError(errno);
        ::close(file);
        return Outcome::Failed;
    }
    m_file = file;
    return Outcome::Held;
}

bool LockFile::setNote(const QByteArray& line) {
    if (m_file < 0 || ::ftruncate(m_file, 0) != 0)
        return false;
    const QByteArray whole = line + '\n';
    return ::pwrite(m_file, whole.constData(), size_t(whole.size()), 0) == ssize_t(whole.size());
}

std::optional<QByteArray> LockFile::note() const {
    const int file = ::open(QFile::encodeName(m_path).constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (file < 0)
        return std::nullopt;
    QByteArray read(kLongestNote, Qt::Uninitialized);
    ssize_t count;
    do
        count = ::pread(file, read.data(), size_t(read.size()), 0);
    while (count < 0 && errno == EINTR);
    ::close(file);
    read.truncate(count < 0 ? 0 : count);
    const qsizetype end = read.indexOf('\n');
    if (end < 0)
        return std::nullopt;
    return read.left(end);
}

} // namespace zantor
