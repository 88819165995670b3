#pragma once

#include "ItemListCodec.h"

#include <QString>

namespace zantor {

// What a group may hold, for every door a group or an item comes in by: the editor,
// drops onto it, the fix window and the import. Each door tells the fault in its own words.

enum class ItemFault {
    None,
    // A title or an address with nothing in it.
    EmptyText,
    // The unit separator, which parts the stored addresses.
    UnitSeparator,
    // Any other control character (a line break, ESC, NUL...), which would break the
    // one-line readers or steer the terminal that lists the groups.
    ControlCharacter,
    // A title holding ", ", which parts the stored titles.
    TitleSeparator,
    // Arguments with a quote left open, which could never start.
    OpenQuote,
    // A TAB in the arguments, which reads back as the backslash-t it is stored as.
    TabInArguments,
};

enum class GroupFault {
    None,
    // A title of spaces alone, or none.
    BlankTitle,
    ControlCharacter,
    NoItems,
};

ItemFault itemFault(const GroupItem& item);
// The group's own title and its number of items; each item is checked with itemFault.
GroupFault groupFault(const QString& title, qsizetype itemCount);

// The faults only new input is refused for: older copies of Zantor and other tools left
// such groups in databases, and a backup brings them back as they were stored. The others
// no stored group can carry out of Zantor, since an export writes control characters
// visibly and the stored lists cannot hold the separators.
bool storedGroupsMayHave(ItemFault fault);
bool storedGroupsMayHave(GroupFault fault);

} // namespace zantor
