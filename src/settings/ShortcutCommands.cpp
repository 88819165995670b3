#include "ShortcutCommands.h"

namespace zantor {

namespace {

// The words each line of a report has for its place.
struct PlaceWords {
    const char* created;
    const char* deleted;
    const char* missing;
    const char* notCreated;
    const char* notDeleted;
    // Every line but the last place's ends the line.
    const char* lineEnd;
};

const PlaceWords& wordsFor(ShortcutPlace place) {
    static const PlaceWords desktop{"Atalho criado no desktop.",
                                    "Atalho deletado do desktop.",
                                    "Erro ao apagar. Arquivo não existe mais no desktop.",
                                    "Erro ao criar o atalho no desktop: %1.",
                                    "Erro ao apagar o atalho do desktop: %1.",
                                    "\r\n"};
    static const PlaceWords menu{"Atalho criado no menu iniciar.",
                                 "Atalho deletado do menu iniciar.",
                                 "Erro ao apagar. Arquivo não existe mais no menu iniciar.",
                                 "Erro ao criar o atalho no menu iniciar: %1.",
                                 "Erro ao apagar o atalho do menu iniciar: %1.",
                                 "\r\n"};
    static const PlaceWords startup{"Atalho criado na pasta iniciar com o Windows.",
                                    "Atalho deletado da pasta iniciar.",
                                    "Erro ao apagar. Arquivo não existe mais na pasta iniciar.",
                                    "Erro ao criar o atalho na pasta iniciar com o Windows: %1.",
                                    "Erro ao apagar o atalho da pasta iniciar: %1.",
                                    ""};
    switch (place) {
    case ShortcutPlace::Desktop:
        return desktop;
    case ShortcutPlace::Menu:
        return menu;
    case ShortcutPlace::Startup:
        break;
    }
    return startup;
}

void addLine(ShortcutReport& report, ShortcutPlace place, const QString& line) {
    report.text += line + QString::fromUtf8(wordsFor(place).lineEnd);
}

QString words(const char* line) {
    return QString::fromUtf8(line);
}

void writeEntry(const Shortcuts& shortcuts, ShortcutPlace place, ShortcutFlags& flags, ShortcutReport& report,
                bool reportSuccess) {
    const QString failure = shortcuts.write(place);
    if (!failure.isEmpty()) {
        report.failed = true;
        addLine(report, place, words(wordsFor(place).notCreated).arg(failure));
        return;
    }
    flags[place] = QStringLiteral("1");
    if (reportSuccess)
        addLine(report, place, words(wordsFor(place).created));
}

void deleteEntry(const Shortcuts& shortcuts, ShortcutPlace place, ShortcutFlags& flags,
                 ShortcutReport& report, bool reportSuccess) {
    const QString failure = shortcuts.remove(place);
    if (!failure.isEmpty()) {
        report.failed = true;
        addLine(report, place, words(wordsFor(place).notDeleted).arg(failure));
        return;
    }
    flags[place] = QStringLiteral("0");
    if (reportSuccess)
        addLine(report, place, words(wordsFor(place).deleted));
}

} // namespace

ShortcutReport createShortcuts(const Shortcuts& shortcuts, const ShortcutTicks& ticked,
                               ShortcutFlags& flags) {
    ShortcutReport report;
    for (std::size_t i = 0; i < kShortcutPlaces.size(); ++i) {
        if (ticked[i])
            writeEntry(shortcuts, kShortcutPlaces[i], flags, report, true);
    }
    return report;
}

ShortcutReport deleteShortcuts(const Shortcuts& shortcuts, const ShortcutTicks& ticked,
                               ShortcutFlags& flags) {
    ShortcutReport report;
    for (std::size_t i = 0; i < kShortcutPlaces.size(); ++i) {
        const ShortcutPlace place = kShortcutPlaces[i];
        if (!ticked[i])
            continue;
        if (shortcuts.exists(place))
            deleteEntry(shortcuts, place, flags, report, true);
        else
            addLine(report, place, words(wordsFor(place).missing));
    }
    return report;
}

ShortcutReport remakeShortcuts(const Shortcuts& shortcuts, const ShortcutTicks& ticked,
                               ShortcutFlags& flags) {
    ShortcutReport report;
    for (std::size_t i = 0; i < kShortcutPlaces.size(); ++i) {
        const ShortcutPlace place = kShortcutPlaces[i];
        if (ticked[i])
            writeEntry(shortcuts, place, flags, report, false);
        else if (shortcuts.exists(place))
            deleteEntry(shortcuts, place, flags, report, false);
        else
            flags[place] = QStringLiteral("0");
    }
    return report;
}

} // namespace zantor
