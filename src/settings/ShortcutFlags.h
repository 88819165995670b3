#pragma once

#include "platform/Shortcuts.h"

#include <QString>

namespace zantor {

// Which shortcuts the settings window believes exist, "0" or "1" each, by place. Stored
// joined by the character 31 as the settings' atalhos.
struct ShortcutFlags {
    QString desktop = QStringLiteral("0");
    QString menu = QStringLiteral("0");
    QString login = QStringLiteral("0");

    // An empty text, and any part it lacks, reads as "0".
    static ShortcutFlags fromAtalhos(const QString& atalhos);
    QString atalhos() const;
    QString& operator[](ShortcutPlace place);
};

} // namespace zantor
