#include "DroppedItems.h"

#include "platform/ApplicationEntries.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QMimeData>
#include <QRegularExpression>
#include <QUrl>

namespace zantor {

namespace {

// Browsers write text/x-moz-url in UTF-16, with or without a byte order mark.
QString mozText(const QByteArray& bytes) {
    const bool utf16 = bytes.startsWith("\xff\xfe") || (bytes.size() > 1 && bytes[1] == '\0');
    if (!utf16)
        return QString::fromUtf8(bytes);
    const qsizetype skip = bytes.startsWith("\xff\xfe") ? 2 : 0;
    return QString::fromUtf16(reinterpret_cast<const char16_t*>(bytes.constData() + skip),
                              (bytes.size() - skip) / 2);
}

// Both link formats are lines of address, then title, pair after pair.
QHash<QUrl, QString> linkTitles(const QMimeData* mime) {
    QHash<QUrl, QString> titles;
    const QString formats[] = {mozText(mime->data(QStringLiteral("text/x-moz-url"))),
                               QString::fromUtf8(mime->data(QStringLiteral("_NETSCAPE_URL")))};
    for (const QString& text : formats) {
        const QStringList lines = text.split(QLatin1Char('\n'));
        for (qsizetype i = 0; i + 1 < lines.size(); i += 2) {
            const QUrl url(lines[i].trimmed());
            if (!titles.contains(url))
                titles.insert(url, lines[i + 1].trimmed());
        }
    }
    return titles;
}

// A title the stored list can hold on one line.
QString itemTitle(QString title) {
    for (QChar& c : title) {
        if (c.category() == QChar::Other_Control)
            c = QLatin1Char(' ');
    }
    // A whole run of commas goes: replacing only the last one would leave a new ", ".
    static const QRegularExpression commas(QStringLiteral(",+ "));
    return title.replace(commas, QStringLiteral(" - ")).trimmed();
}

QString hostAndLastSegment(const QUrl& url) {
    const QStringList segments = url.path(QUrl::FullyDecoded).split(QLatin1Char('/'), Qt::SkipEmptyParts);
    return segments.isEmpty() ? url.host() : url.host() + QStringLiteral(" - ") + segments.last();
}

// With a host: "http:page" is no link a browser opens, and the launcher would take it for
// a path.
bool isWebLink(const QUrl& url) {
    return (url.scheme() == QStringLiteral("http") || url.scheme() == QStringLiteral("https")) &&
           url.isValid() && !url.host().isEmpty();
}

} // namespace

QVector<GroupItem> droppedItems(const QMimeData* mime) {
    QVector<GroupItem> items;
    if (!mime || !mime->hasUrls())
        return items;
    const QHash<QUrl, QString> titles = linkTitles(mime);
    for (const QUrl& url : mime->urls()) {
        // "file:notes.txt" names no file: it would be looked for wherever Zantor runs.
        if (url.isLocalFile() && QDir::isAbsolutePath(url.toLocalFile())) {
            const QString path = QDir::cleanPath(url.toLocalFile());
            // An application, from a file manager or a desktop's menu, by the name its
            // menu shows.
            const QString name = itemTitle(applications::isEntry(path) ? applications::name(path)
                                                                       : QFileInfo(path).fileName());
            items.append({name.isEmpty() ? itemTitle(path) : name, path});
        } else if (isWebLink(url)) {
            const QString title = itemTitle(titles.value(url));
            items.append({title.isEmpty() ? itemTitle(hostAndLastSegment(url)) : title, url.toString()});
        }
    }
    return items;
}

} // namespace zantor
