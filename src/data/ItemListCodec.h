#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>

namespace zantor {

// One item of a group: what the user calls it, the path it opens and, for a program,
// the arguments it starts with, as typed (splitArguments takes them apart).
struct GroupItem {
    QString title;
    QString address;
    QString arguments = {};

    friend bool operator==(const GroupItem&, const GroupItem&) = default;
};

// A group's item list as its row keeps it: the titles joined by ", " in texto1, the
// addresses joined by the unit separator in texto2, their number in qtd, and in texto3
// each item's arguments escaped as the addresses are, joined by the same separator.
struct StoredItemList {
    QString texto1;
    QString texto2;
    QString qtd;
    // Null when no item has any, as every row written before arguments existed.
    QVariant texto3;
};

// The column texts to bind for these items: exactly what the quoted-literal statements
// would store, so that every reader sees the same bytes.
StoredItemList writeItemList(const QVector<GroupItem>& items);

// Readers that show a whole column (the group list, the details panel) just pass it
// through unescapeText; the readers below take the columns apart.

// The addresses to open, in stored order, from a stored texto2. Empty pieces are kept
// (each one still takes its turn) and every piece loses its surrounding spaces.
QStringList launchResources(const QString& storedTexto2);

// The arguments of each item, in stored order, from a stored texto3, as typed: an item
// past the pieces has none.
QStringList itemArguments(const QString& storedTexto3);

// Whether the stored format can hold the item as it is: a title holding ", " or a text
// holding the unit separator would split into extra pieces and pair titles with the
// wrong addresses when read back; arguments with a quote left open could never start, and
// a TAB in them would read back as the backslash-t it is stored as.
bool fitsItemList(const GroupItem& item);
// The pieces of a title or an address text already unescaped; an empty text is no
// piece at all.
QStringList titlePieces(const QString& titles);
QStringList addressPieces(const QString& addresses);

// The editor's reading of the stored columns.
QVector<GroupItem> editorItems(const QString& storedTexto1, const QString& storedTexto2,
                               const QString& storedTexto3);
// The items viewer's reading of texts already unescaped: the shown description and the
// address and argument texts kept beside it.
QVector<GroupItem> viewerItems(const QString& description, const QString& addressText,
                               const QString& argumentText);

// A read-back address as the user typed it: stored backslash-t came back as a TAB,
// which in a path was far more likely a folder name starting with "t".
QString addressAsTyped(const QString& readAddress);

} // namespace zantor
