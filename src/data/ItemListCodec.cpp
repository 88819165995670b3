#include "ItemListCodec.h"

#include "TextEscaping.h"

namespace zantor {

namespace {

const QString kTitleSeparator = QStringLiteral(", ");
const QString kAddressSeparator = QString(QChar(31));

// An empty column is a list of no items, not of one empty item.
QStringList pieces(const QString& text, const QString& separator) {
    if (text.isEmpty())
        return {};
    return text.split(separator, Qt::KeepEmptyParts);
}

// Only spaces: a TAB at either end is part of the address (it may be a backslash-t).
QString withoutSurroundingSpaces(const QString& text) {
    qsizetype first = 0;
    qsizetype end = text.size();
    while (first < end && text[first] == QLatin1Char(' '))
        ++first;
    while (end > first && text[end - 1] == QLatin1Char(' '))
        --end;
    return text.mid(first, end - first);
}

} // namespace

StoredItemList writeItemList(const QVector<GroupItem>& items) {
    QStringList titles;
    QStringList addresses;
    for (const GroupItem& item : items) {
        titles << storedText(item.title);
        addresses << storedText(item.address);
    }
    return {titles.join(kTitleSeparator), addresses.join(kAddressSeparator), QString::number(items.size())};
}

bool fitsItemList(const GroupItem& item) {
    return !item.title.contains(kTitleSeparator) && !item.title.contains(kAddressSeparator) &&
           !item.address.contains(kAddressSeparator);
}

QStringList titlePieces(const QString& titles) {
    return pieces(titles, kTitleSeparator);
}

QStringList addressPieces(const QString& addresses) {
    return pieces(addresses, kAddressSeparator);
}

QStringList launchResources(const QString& storedTexto2) {
    QStringList resources = addressPieces(unescapeText(storedTexto2));
    for (QString& resource : resources)
        resource = withoutSurroundingSpaces(resource);
    return resources;
}

QVector<GroupItem> editorItems(const QString& storedTexto1, const QString& storedTexto2) {
    return viewerItems(unescapeText(storedTexto1), unescapeText(storedTexto2));
}

QVector<GroupItem> viewerItems(const QString& description, const QString& addressText) {
    const QStringList titles = titlePieces(description);
    const QStringList addresses = addressPieces(addressText);
    // Lists of different lengths (a title holding ", " splits in two) still pair by
    // position; the longer one decides the count, so no title or address is dropped.
    QVector<GroupItem> items(qMax(titles.size(), addresses.size()));
    for (qsizetype i = 0; i < items.size(); ++i) {
        items[i].title = titles.value(i);
        items[i].address = addresses.value(i);
    }
    return items;
}

QString addressAsTyped(const QString& readAddress) {
    return QString(readAddress).replace(QLatin1Char('\t'), QStringLiteral("\\t"));
}

} // namespace zantor
