// What another program drops onto the editor: a URI list with the link titles of
// text/x-moz-url (UTF-16 or UTF-8) and _NETSCAPE_URL. Whatever it holds, each item it
// gives has a title the stored list can hold on one line, and an address the launcher
// opens as what was dropped: a local path as a path, a web link as a web address.
#include "FuzzCheck.h"
#include "data/ControlCharacters.h"
#include "data/GroupRules.h"
#include "data/WebAddress.h"
#include "editor/DroppedItems.h"

#include <QDir>
#include <QMimeData>
#include <QUrl>

using namespace zantor;
using zantor::fuzz::check;
using zantor::fuzz::checkEqual;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // The three formats, parted at the record separator: UTF-16 is full of NUL bytes.
    const QList<QByteArray> formats =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size)).split('\x1e');
    QMimeData mime;
    mime.setData(QStringLiteral("text/uri-list"), formats.value(0));
    mime.setData(QStringLiteral("text/x-moz-url"), formats.value(1));
    mime.setData(QStringLiteral("_NETSCAPE_URL"), formats.value(2));

    for (const GroupItem& item : droppedItems(&mime)) {
        check(!item.title.isEmpty() && !item.address.isEmpty(), "an item has a title and an address");
        check(!holdsControlCharacters(item.title), "a title is one line of shown characters", item.title);
        check(itemFault({item.title, QStringLiteral("/")}) == ItemFault::None,
              "a title the stored list can hold", item.title);
        if (isWebAddress(item.address)) {
            // As the launcher hands it to the desktop.
            const QUrl url(item.address, QUrl::TolerantMode);
            check(url.isValid(), "a web link is a valid URL", item.address);
            check(url.scheme() == QStringLiteral("http") || url.scheme() == QStringLiteral("https"),
                  "only web links come from a drop");
            checkEqual(url.toString(), item.address, "a web link is stored as it reads back");
        } else {
            check(QDir::isAbsolutePath(item.address), "a dropped file is an absolute path", item.address);
            checkEqual(QDir::cleanPath(item.address), item.address, "a dropped path is clean");
            checkEqual(localPath(item.address), item.address, "a dropped path opens as that path");
        }
    }
    return 0;
}
