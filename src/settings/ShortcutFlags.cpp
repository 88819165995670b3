#include "ShortcutFlags.h"

#include <QStringList>

namespace zantor {

namespace {
const QChar kUnitSeparator(31);
}

ShortcutFlags ShortcutFlags::fromAtalhos(const QString& atalhos) {
    ShortcutFlags flags;
    if (atalhos.isEmpty())
        return flags;
    const QStringList parts = atalhos.split(kUnitSeparator);
    for (qsizetype i = 0; i < qsizetype(kShortcutPlaces.size()) && i < parts.size(); ++i)
        flags[kShortcutPlaces[i]] = parts[i];
    return flags;
}

QString ShortcutFlags::atalhos() const {
    return desktop + kUnitSeparator + menu + kUnitSeparator + login;
}

QString& ShortcutFlags::operator[](ShortcutPlace place) {
    switch (place) {
    case ShortcutPlace::Desktop:
        return desktop;
    case ShortcutPlace::Menu:
        return menu;
    case ShortcutPlace::Startup:
        break;
    }
    return login;
}

} // namespace zantor
