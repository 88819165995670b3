#include "DatabaseError.h"

#include <QDir>

namespace zantor {

DatabaseError::DatabaseError(QString file, QString reason)
    : std::runtime_error((file + QStringLiteral(": ") + reason).toStdString())
    , m_file(std::move(file))
    , m_reason(std::move(reason)) {}

QString DatabaseError::userMessage() const {
    return QStringLiteral("Erro no banco de dados:\n%1\n\n%2")
        .arg(QDir::toNativeSeparators(m_file), m_reason);
}

} // namespace zantor
