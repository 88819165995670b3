#include "TextEscaping.h"

namespace zantor {

namespace {
const QString kTab = QStringLiteral("\t");
const QString kEscapedTab = QStringLiteral("\\t");
} // namespace

QString escapeText(const QString& text) {
    QString out = text;
    out.replace(QStringLiteral("'"), QStringLiteral("''"));
    out.replace(kTab, kEscapedTab);
    return out;
}

QString unescapeText(const QString& stored) {
    // Most texts hold neither an apostrophe nor a backslash: hand them back untouched
    // (a shared copy) instead of searching them twice.
    if (!stored.contains(QLatin1Char('\'')) && !stored.contains(QLatin1Char('\\')))
        return stored;
    QString out = stored;
    out.replace(QStringLiteral("''"), QStringLiteral("'"));
    out.replace(kEscapedTab, kTab);
    return out;
}

QString unescapeTextWithLineBreaks(const QString& stored) {
    return unescapeText(stored).replace(QStringLiteral("\\n"), QStringLiteral("\r\n"));
}

QString literalValue(const QString& literalBody) {
    return QString(literalBody).replace(QStringLiteral("''"), QStringLiteral("'"));
}

QString storedText(const QString& text) {
    return literalValue(escapeText(text));
}

} // namespace zantor
