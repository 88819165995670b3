#pragma once

#include <QString>
#include <optional>

// The rules the settings window applies to the numbers typed (or pasted) into its boxes.
namespace zantor::option_rules {

// The compact list's rows after a key: below 1 gives "1", above 15 gives "15". A text
// that is no number (an emptied box, pasted letters) stays as it is.
QString miniListRowsAfterKey(const QString& text);
// The delay once the box is left: below 500 gives "500"; anything else stays.
QString tempoAfterLeaving(const QString& text);
// The delay to store: the text as typed ("0700" stays "0700"), or "500" when it is
// below 500, empty or no number a delay can be.
QString tempoToStore(const QString& text);
// The rows to store: 1 to 15, at most `groups`, without leading zeros. Nothing when
// the text is no number: the stored value is kept.
std::optional<QString> miniListRowsToStore(const QString& text, int groups);

} // namespace zantor::option_rules
