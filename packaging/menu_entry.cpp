#include "platform/Shortcuts.h"

#include <QSaveFile>
#include <cstdio>

// Writes the menu entry an installed Zantor ships. It is the entry the settings window
// writes as the user's menu shortcut, under the same file name, so that a user's own
// shortcut takes the installed entry's place in the menu instead of showing beside it.
//   zantor_menu_entry <entry file> <program> <icon>
int main(int argc, char* argv[]) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s <entry file> <program> <icon>\n", argv[0]);
        return 2;
    }
    const zantor::Shortcuts entry(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]));
    QSaveFile file(QString::fromLocal8Bit(argv[1]));
    if (!file.open(QIODevice::WriteOnly) || file.write(entry.entryText(zantor::ShortcutPlace::Menu)) < 0 ||
        !file.commit()) {
        std::fprintf(stderr, "%s: %s\n", argv[1], qPrintable(file.errorString()));
        return 1;
    }
    return 0;
}
