#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace zantor {

// A program's arguments as typed in one line, taken apart as a shell takes words apart:
// blanks separate them, single quotes keep everything up to the next one, double quotes
// keep everything but a backslash before $ ` " \ or a line break, and a backslash
// outside quotes keeps the character after it. Nothing is expanded ($HOME, ~, *, ;,
// backticks stay as typed) and no shell ever sees the words. Empty when a quote is left
// open.
std::optional<QStringList> splitArguments(const QString& text);

} // namespace zantor
