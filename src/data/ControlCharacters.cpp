#include "ControlCharacters.h"

#include <algorithm>

namespace zantor {

namespace {

QString hexEscape(QChar c) {
    return QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'));
}

} // namespace

bool isControlCharacter(QChar c) {
    const char16_t code = c.unicode();
    return (code < 0x20 && code != u'\t') || (code >= 0x7f && code <= 0x9f);
}

bool holdsControlCharacters(const QString& text) {
    return std::any_of(text.begin(), text.end(), isControlCharacter);
}

QString visibleText(const QString& text) {
    if (!holdsControlCharacters(text))
        return text;
    QString out;
    out.reserve(text.size() + 8);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'\r' || c == u'\n') {
            out += QStringLiteral("\\n");
            if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
        } else {
            out += isControlCharacter(c) ? hexEscape(c) : QString(c);
        }
    }
    return out;
}

QString terminalText(const QString& text) {
    if (!holdsControlCharacters(text))
        return text;
    QString out;
    out.reserve(text.size() + 8);
    for (const QChar c : text)
        out += isControlCharacter(c) && c != u'\n' ? hexEscape(c) : QString(c);
    return out;
}

} // namespace zantor
