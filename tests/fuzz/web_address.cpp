// The rule that tells a web address from a path, and the path a file URL names: a web
// address is never opened as a local file, any other address is opened as the path it
// is or names, and that path is never taken for a web address.
#include "FuzzCheck.h"
#include "data/WebAddress.h"

#include <QDir>
#include <QUrl>

using namespace zantor;
using zantor::fuzz::check;
using zantor::fuzz::checkEqual;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString address = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    const bool fileUrl = address.startsWith(QStringLiteral("file://"), Qt::CaseInsensitive);

    if (isWebAddress(address)) {
        check(!fileUrl, "a file URL is no web address");
        // As the desktop is handed it.
        const QUrl url(address, QUrl::TolerantMode);
        check(!url.isLocalFile(), "a web address never opens as a local file");
    }
    if (!fileUrl) {
        checkEqual(localPath(address), address, "a path is its own path");
        return 0;
    }
    const QString path = localPath(address);
    if (path.isEmpty())
        return 0;
    check(QDir::isAbsolutePath(path), "a file URL names an absolute path");
    check(!isWebAddress(path), "a file URL's path is no web address");
    return 0;
}
