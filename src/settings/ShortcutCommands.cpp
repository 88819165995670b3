#include "ShortcutCommands.h"

#include "platform/ShortcutPlaceTexts.h"

namespace zantor {

namespace {

// Every line but the last place's ends the line.
const char* lineEnd(ShortcutPlace place) {
    return place == ShortcutPlace::Startup ? "" : "\r\n";
}

void addLine(ShortcutReport& report, ShortcutPlace place, const QString& line) {
    report.text += line + QString::fromUtf8(lineEnd(place));
}

QString words(const char* line) {
    return QString::fromUtf8(line);
}

void writeEntry(const Shortcuts& shortcuts, ShortcutPlace place, ShortcutFlags& flags, ShortcutReport& report,
                bool reportSuccess) {
    const QString failure = shortcuts.write(place);
    if (!failure.isEmpty()) {
        report.failed = true;
        addLine(report, place, words(shortcutPlaceTexts(place).notCreated).arg(failure));
        return;
    }
    flags[place] = QStringLiteral("1");
    if (reportSuccess)
        addLine(report, place, words(shortcutPlaceTexts(place).created));
}

void deleteEntry(const Shortcuts& shortcuts, ShortcutPlace place, ShortcutFlags& flags,
                 ShortcutReport& report, bool reportSuccess) {
    const QString failure = shortcuts.remove(place);
    if (!failure.isEmpty()) {
        report.failed = true;
        addLine(report, place, words(shortcutPlaceTexts(place).notDeleted).arg(failure));
        return;
    }
    flags[place] = QStringLiteral("0");
    if (reportSuccess)
        addLine(report, place, words(shortcutPlaceTexts(place).deleted));
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
            addLine(report, place, words(shortcutPlaceTexts(place).missing));
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
