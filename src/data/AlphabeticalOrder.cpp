#include "AlphabeticalOrder.h"

#include <QHash>
#include <string>

namespace zantor {

namespace {

// Each UTF-16 unit as bytes that compare as the units do, none of them starting with
// the 0 that ends the letters: units below 0x7F as one byte (the unit plus one), the
// others as 0x80 and the unit's two bytes, high first.
void appendOrdered(QByteArray& bytes, const QString& text) {
    for (const QChar c : text) {
        const char16_t unit = c.unicode();
        if (unit < 0x7F) {
            bytes.append(char(unit + 1));
        } else {
            bytes.append(char(0x80));
            bytes.append(char(unit >> 8));
            bytes.append(char(unit & 0xFF));
        }
    }
}

} // namespace

QByteArray AlphabeticalKey::orderedBytes() const {
    QByteArray bytes;
    bytes.reserve(letters.size() + accented.size() + 1);
    appendOrdered(bytes, letters);
    // Ends the letters below any unit, so that letters that begin others sort first.
    bytes.append('\0');
    appendOrdered(bytes, accented);
    return bytes;
}

struct TitleFolder::Cache {
    struct Folded {
        std::u16string text;
        bool hasMarks;
    };

    const Folded& fold(char16_t code) {
        auto found = folded.find(code);
        if (found == folded.end()) {
            const QString text = QString(QChar(code)).normalized(QString::NormalizationForm_D).toCaseFolded();
            const bool hasMarks = std::any_of(text.begin(), text.end(),
                                              [](QChar c) { return c.category() == QChar::Mark_NonSpacing; });
            found = folded.insert(code, {text.toStdU16String(), hasMarks});
        }
        return *found;
    }

    QHash<char16_t, Folded> folded;
    // Reused from title to title, so that folding allocates only the keys it makes.
    std::u16string accented;
    std::u16string letters;
};

TitleFolder::TitleFolder()
    : m_cache(std::make_unique<Cache>()) {}

TitleFolder::~TitleFolder() = default;

AlphabeticalKey TitleFolder::key(const QString& title) {
    std::u16string& accented = m_cache->accented;
    accented.clear();
    bool hasMarks = false;
    for (const QChar c : title) {
        const char16_t code = c.unicode();
        if (code < 0x80) {
            accented.push_back(code >= 'A' && code <= 'Z' ? code + ('a' - 'A') : code);
            continue;
        }
        const Cache::Folded& folded = m_cache->fold(code);
        accented.append(folded.text);
        hasMarks = hasMarks || folded.hasMarks;
    }
    AlphabeticalKey key;
    key.accented = QString::fromStdU16String(accented);
    if (!hasMarks) {
        key.letters = key.accented;
        return key;
    }
    std::u16string& letters = m_cache->letters;
    letters.clear();
    for (const char16_t code : accented) {
        if (QChar::category(code) != QChar::Mark_NonSpacing)
            letters.push_back(code);
    }
    key.letters = QString::fromStdU16String(letters);
    return key;
}

} // namespace zantor
