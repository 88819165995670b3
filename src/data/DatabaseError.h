#pragma once

#include <QString>
#include <stdexcept>

namespace zantor {

// A database that could not be opened, read or written. It names the file and the
// reason so that the user can be told exactly what went wrong.
class DatabaseError : public std::runtime_error {
public:
    DatabaseError(QString file, QString reason);

    const QString& file() const { return m_file; }
    const QString& reason() const { return m_reason; }
    // The Portuguese text shown to the user.
    QString userMessage() const;

private:
    QString m_file;
    QString m_reason;
};

} // namespace zantor
