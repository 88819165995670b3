#include "WebAddress.h"

#include <QRegularExpression>
#include <QUrl>

namespace zantor {

namespace {

// Two letters at least: one letter and a colon is a drive.
const QRegularExpression kScheme(QStringLiteral("^([A-Za-z]{2,})://|^mailto:"),
                                 QRegularExpression::CaseInsensitiveOption);

bool isFileUrl(const QString& address) {
    return address.startsWith(QStringLiteral("file://"), Qt::CaseInsensitive);
}

} // namespace

bool isWebAddress(const QString& address) {
    return !isFileUrl(address) && kScheme.match(address).hasMatch();
}

QString localPath(const QString& address) {
    if (!isFileUrl(address))
        return address;
    return QUrl(address).toLocalFile();
}

} // namespace zantor
