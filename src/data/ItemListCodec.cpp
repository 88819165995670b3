#include "ItemListCodec.h"

#include "TextEscaping.h"

#include <algorithm>

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
    QStringList arguments;
    for (const GroupItem& item : items) {
        titles << storedText(item.title);
        addresses << storedText(item.address);
        arguments << storedText(item.arguments);
    }
    const bool anyArguments = std::any_of(items.begin(), items.end(),
                                          [](const GroupItem& item) { return !item.arguments.isEmpty(); });
    return {titles.join(kTitleSeparator), addresses.join(kAddressSeparator), QString::number(items.size()),
            anyArguments ? QVariant(arguments.join(kAddressSeparator))
                         : QVariant(QMetaType::fromType<QString>())};
}

QStringList itemArguments(const QString& storedTexto3) {
    // Arguments hold no TAB, so the stored text is the typed one: reading it as the
    // shared columns are read would make a typed '' (an empty argument) one apostrophe,
    // a quote left open. A TAB written by hand stands for the backslash-t it is stored as.
    QStringList arguments = addressPieces(storedTexto3);
    for (QString& piece : arguments)
        piece = addressAsTyped(piece);
    return arguments;
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

QVector<GroupItem> editorItems(const QString& storedTexto1, const QString& storedTexto2,
                               const QString& storedTexto3) {
    QVector<GroupItem> items = viewerItems(unescapeText(storedTexto1), unescapeText(storedTexto2), {});
    const QStringList arguments = itemArguments(storedTexto3);
    for (qsizetype i = 0; i < items.size(); ++i)
        items[i].arguments = arguments.value(i);
    return items;
}

QVector<GroupItem> viewerItems(const QString& description, const QString& addressText,
                               const QString& argumentText) {
    const QStringList titles = titlePieces(description);
    const QStringList addresses = addressPieces(addressText);
    const QStringList arguments = addressPieces(argumentText);
    // Lists of different lengths (a title holding ", " splits in two) still pair by
    // position; the longer one decides the count, so no title or address is dropped.
    // Arguments only go with an item: most items have none.
    QVector<GroupItem> items(qMax(titles.size(), addresses.size()));
    for (qsizetype i = 0; i < items.size(); ++i)
        items[i] = {titles.value(i), addresses.value(i), arguments.value(i)};
    return items;
}

QString addressAsTyped(const QString& readAddress) {
    return QString(readAddress).replace(QLatin1Char('\t'), QStringLiteral("\\t"));
}

} // namespace zantor
