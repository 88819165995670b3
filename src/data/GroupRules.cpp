#include "GroupRules.h"

#include "ControlCharacters.h"
#include "ItemArguments.h"

#include <algorithm>

namespace zantor {

ItemFault itemFault(const GroupItem& item) {
    if (item.title.isEmpty() || item.address.isEmpty())
        return ItemFault::EmptyText;
    const QChar unit(31);
    if (item.title.contains(unit) || item.address.contains(unit) || item.arguments.contains(unit))
        return ItemFault::UnitSeparator;
    if (holdsControlCharacters(item.title) || holdsControlCharacters(item.address) ||
        holdsControlCharacters(item.arguments))
        return ItemFault::ControlCharacter;
    if (item.title.contains(QStringLiteral(", ")))
        return ItemFault::TitleSeparator;
    if (!splitArguments(item.arguments))
        return ItemFault::OpenQuote;
    if (item.arguments.contains(QLatin1Char('\t')))
        return ItemFault::TabInArguments;
    return ItemFault::None;
}

GroupFault groupFault(const QString& title, qsizetype itemCount) {
    if (std::all_of(title.begin(), title.end(), [](QChar c) { return c == QLatin1Char(' '); }))
        return GroupFault::BlankTitle;
    if (holdsControlCharacters(title))
        return GroupFault::ControlCharacter;
    if (itemCount == 0)
        return GroupFault::NoItems;
    return GroupFault::None;
}

bool storedGroupsMayHave(ItemFault fault) {
    return fault == ItemFault::EmptyText;
}

bool storedGroupsMayHave(GroupFault fault) {
    return fault == GroupFault::BlankTitle || fault == GroupFault::NoItems;
}

} // namespace zantor
