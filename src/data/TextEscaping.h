#pragma once

#include <QString>

namespace zantor {

// Texts typed by the user are stored with each TAB as backslash-t. escapeText gives the
// body of a quoted SQL literal (apostrophes doubled); literalValue gives what such a
// literal stores, which is what our bound parameters write.
QString escapeText(const QString& text);
QString unescapeText(const QString& stored);
// The reading used where a stored backslash-n stands for a line break.
QString unescapeTextWithLineBreaks(const QString& stored);

QString literalValue(const QString& literalBody);
// escapeText followed by literalValue: the exact stored form of a typed text.
QString storedText(const QString& text);

} // namespace zantor
