#include "AlphabeticalOrder.h"

#include <QHash>
#include <string>

namespace zantor {

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

TitleFolder::KeyStart TitleFolder::keyStart(QStringView title) {
    KeyStart start;
    const auto append = [&start](char16_t code) {
        if (QChar::category(code) != QChar::Mark_NonSpacing)
            start.letters[start.length++] = code;
        return start.length < int(start.letters.size());
    };
    for (const QChar c : title) {
        const char16_t code = c.unicode();
        if (code < 0x80) {
            if (!append(code >= 'A' && code <= 'Z' ? code + ('a' - 'A') : code))
                return start;
            continue;
        }
        for (const char16_t folded : m_cache->fold(code).text) {
            if (!append(folded))
                return start;
        }
    }
    return start;
}

} // namespace zantor
