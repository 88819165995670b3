#include "WebAddress.h"

#include <QRegularExpression>
#include <QUrl>

namespace zantor {

namespace {

// A URL scheme (a letter, then letters, digits, "+", "-" or ".") of two characters at
// least, since one letter and a colon is a drive, followed by "://"; or one of the
// schemes whose addresses never have the slashes.
const QRegularExpression kScheme(QStringLiteral("^[a-z][a-z0-9+.-]+://|^(mailto|magnet|tel|sms|news):"),
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
