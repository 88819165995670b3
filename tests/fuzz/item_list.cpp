// The stored item list and the text escaping: whatever older programs and hand edits left
// in texto1, texto2 and texto3 is read without fault, and what is read writes back and
// reads again as the same items. Items the editor would accept come back as typed,
// wherever the format can hold them.
#include "FuzzCheck.h"
#include "data/ControlCharacters.h"
#include "data/GroupRules.h"
#include "data/ItemArguments.h"
#include "data/ItemListCodec.h"
#include "data/TextEscaping.h"

#include <algorithm>

using namespace zantor;
using zantor::fuzz::check;
using zantor::fuzz::checkEqual;

namespace {

// What the escaping cannot give back: a doubled apostrophe reads back as one, and a
// typed backslash-t as a TAB.
bool escapingKeeps(const QString& text) {
    return !text.contains(QStringLiteral("''")) && !text.contains(QStringLiteral("\\t"));
}

// Read-back items against the items written, field by field where the format can hold
// the field.
void checkReadBack(const QVector<GroupItem>& read, const QVector<GroupItem>& written) {
    checkEqual(read.size(), written.size(), "the number of items read back");
    for (qsizetype i = 0; i < written.size(); ++i) {
        if (escapingKeeps(written[i].title))
            checkEqual(read[i].title, written[i].title, "an item's title");
        if (escapingKeeps(written[i].address))
            checkEqual(read[i].address, written[i].address, "an item's address");
        // Arguments are the program's own column: they always come back as written.
        checkEqual(read[i].arguments, written[i].arguments, "an item's arguments");
    }
}

QVector<GroupItem> readBack(const StoredItemList& stored) {
    return editorItems(stored.texto1, stored.texto2, stored.texto3.toString());
}

void checkEscaping(const QString& text) {
    if (escapingKeeps(text))
        checkEqual(unescapeText(storedText(text)), text, "a typed text, stored and read");
    // A stored text without doubled apostrophes or raw TABs is what some typed text
    // stores, so reading it and storing that gives the same bytes.
    if (!text.contains(QStringLiteral("''")) && !text.contains(QLatin1Char('\t')))
        checkEqual(storedText(unescapeText(text)), text, "a stored text, read and stored");
    checkEqual(literalValue(escapeText(text)), storedText(text), "a literal's stored value");
}

// The editor's reading of any stored columns, written back, reads as the same items.
void checkStoredColumns(const QStringList& columns) {
    const QVector<GroupItem> read = editorItems(columns.value(0), columns.value(1), columns.value(2));
    checkReadBack(readBack(writeItemList(read)), read);
    checkEqual(launchResources(columns.value(1)).size(), addressPieces(unescapeText(columns.value(1))).size(),
               "one resource per stored address");
}

// Items as typed: every third field is a title, an address and the item's arguments.
void checkTypedItems(const QStringList& fields) {
    QVector<GroupItem> items;
    for (qsizetype i = 0; i + 2 < fields.size(); i += 3) {
        const GroupItem item{fields[i], fields[i + 1], fields[i + 2]};
        // What the list can hold: what the editor takes, apart from the control characters
        // that older databases hold; the unit separator, which parts the stored items, is
        // none of them.
        const auto heldControl = [](QChar c) { return isControlCharacter(c) && c != QChar(31); };
        GroupItem plain = item;
        for (QString* text : {&plain.title, &plain.address, &plain.arguments})
            std::replace_if(text->begin(), text->end(), heldControl, QLatin1Char('x'));
        if (itemFault(plain) == ItemFault::None)
            items << item;
    }
    const StoredItemList stored = writeItemList(items);
    checkEqual(stored.qtd, QString::number(items.size()), "the stored count");
    const QVector<GroupItem> read = readBack(stored);
    checkReadBack(read, items);
    for (const GroupItem& item : read)
        check(splitArguments(item.arguments).has_value(), "read-back arguments still part into words");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QStringList texts = zantor::fuzz::fields(data, size);
    for (const QString& text : texts)
        checkEscaping(text);
    checkStoredColumns(texts);
    checkTypedItems(texts);
    return 0;
}
