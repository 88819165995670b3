#pragma once

#include <QByteArray>
#include <QString>
#include <array>

namespace zantor {

// The places a shortcut to Zantor can go, in the order every shortcut command visits them.
enum class ShortcutPlace { Desktop, Menu, Startup };
inline constexpr std::array<ShortcutPlace, 3> kShortcutPlaces{ShortcutPlace::Desktop, ShortcutPlace::Menu,
                                                              ShortcutPlace::Startup};

// Shortcuts are freedesktop entries named "Zantor.desktop": on the desktop, in the
// user's applications menu and in the user's autostart folder. Failures come back as
// the reason, in words for the user; nothing here throws.
class Shortcuts {
public:
    // The entries start `program` and show `icon`, both absolute paths.
    Shortcuts(QString program, QString icon);

    // The place's folder for the current user; empty where the system names none.
    static QString folder(ShortcutPlace place);
    static QString entryPath(ShortcutPlace place);
    static bool exists(ShortcutPlace place);

    // The entry as it is written: keys in the order a desktop entry is read.
    QByteArray entryText() const;
    // Writes the place's entry in one piece, replacing one that is there, and makes it
    // executable, as desktops ask of entries they start. Empty when done, else why not.
    QString write(ShortcutPlace place) const;
    // Deletes the place's entry. Empty when done, else why not.
    static QString remove(ShortcutPlace place);

private:
    QString m_program;
    QString m_icon;
};

} // namespace zantor
