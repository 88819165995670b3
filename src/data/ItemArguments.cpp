#include "ItemArguments.h"

#include <utility>

namespace zantor {

namespace {

bool isBlank(QChar c) {
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\n');
}

// The characters a backslash escapes inside double quotes; before any other it is
// itself.
bool escapableInDoubleQuotes(QChar c) {
    return c == QLatin1Char('$') || c == QLatin1Char('`') || c == QLatin1Char('"') ||
           c == QLatin1Char('\\') || c == QLatin1Char('\n');
}

} // namespace

std::optional<QStringList> splitArguments(const QString& text) {
    QStringList words;
    QString word;
    // Quotes make a word even when nothing stands between them: '' is an empty argument.
    bool inWord = false;
    const qsizetype end = text.size();
    for (qsizetype i = 0; i < end; ++i) {
        const QChar c = text[i];
        // A backslash and a line break join two lines: neither is part of any word.
        if (c == QLatin1Char('\\') && i + 1 < end && text[i + 1] == QLatin1Char('\n')) {
            ++i;
            continue;
        }
        if (isBlank(c)) {
            if (inWord)
                words << std::exchange(word, QString());
            inWord = false;
            continue;
        }
        inWord = true;
        if (c == QLatin1Char('\\')) {
            // A backslash at the very end has nothing to keep: it stays, as in the shell.
            word += i + 1 == end ? c : text[++i];
        } else if (c == QLatin1Char('\'')) {
            const qsizetype close = text.indexOf(QLatin1Char('\''), i + 1);
            if (close < 0)
                return std::nullopt;
            word += text.mid(i + 1, close - i - 1);
            i = close;
        } else if (c == QLatin1Char('"')) {
            for (++i;; ++i) {
                if (i == end)
                    return std::nullopt;
                if (text[i] == QLatin1Char('"'))
                    break;
                if (text[i] == QLatin1Char('\\') && i + 1 < end && escapableInDoubleQuotes(text[i + 1])) {
                    if (text[++i] != QLatin1Char('\n'))
                        word += text[i];
                } else {
                    word += text[i];
                }
            }
        } else {
            word += c;
        }
    }
    if (inWord)
        words << word;
    return words;
}

} // namespace zantor
