#pragma once

#include "platform/Shortcuts.h"

#include <QString>

namespace zantor {

// Which shortcuts the settings window believes exist, "0" or "1" each, under the names
// the window keeps them by. Stored joined by the character 31 as the settings' atalhos.
struct ShortcutFlags {
    QString lblDesktop = QStringLiteral("0");
    QString lblMenu = QStringLiteral("0");
    QString lblWindows = QStringLiteral("0");

    // An empty text, and any part it lacks, reads as "0".
    static ShortcutFlags fromAtalhos(const QString& atalhos);
    QString atalhos() const;
    QString& operator[](ShortcutPlace place);
};

} // namespace zantor
