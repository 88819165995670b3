#include "OptionRules.h"

#include <algorithm>
#include <limits>

namespace zantor::option_rules {

namespace {

constexpr qint64 kMinRows = 1;
constexpr qint64 kMaxRows = 15;
constexpr qint64 kMinTempo = 500;

// Digits only: what the boxes let through the keyboard. A number too long to read is
// as large as a number gets.
std::optional<qint64> typedNumber(const QString& text) {
    if (text.isEmpty() ||
        !std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; }))
        return std::nullopt;
    bool ok = false;
    const qint64 value = text.toLongLong(&ok);
    return ok ? value : std::numeric_limits<qint64>::max();
}

} // namespace

QString miniListRowsAfterKey(const QString& text) {
    const std::optional<qint64> rows = typedNumber(text);
    if (!rows)
        return text;
    if (*rows < kMinRows)
        return QString::number(kMinRows);
    if (*rows > kMaxRows)
        return QString::number(kMaxRows);
    return text;
}

QString tempoAfterLeaving(const QString& text) {
    const std::optional<qint64> tempo = typedNumber(text);
    return tempo && *tempo < kMinTempo ? QString::number(kMinTempo) : text;
}

QString tempoToStore(const QString& text) {
    // The launcher reads the delay as an int: a longer number would read as no delay.
    const std::optional<qint64> tempo = typedNumber(text);
    if (!tempo || *tempo < kMinTempo || *tempo > std::numeric_limits<int>::max())
        return QString::number(kMinTempo);
    return text;
}

std::optional<QString> miniListRowsToStore(const QString& text, int groups) {
    const std::optional<qint64> rows = typedNumber(text);
    if (!rows)
        return std::nullopt;
    return QString::number(std::min(std::clamp(*rows, kMinRows, kMaxRows), qint64(groups)));
}

} // namespace zantor::option_rules
