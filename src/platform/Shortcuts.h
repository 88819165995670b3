#pragma once

#include <QByteArray>
#include <QString>
#include <array>

namespace zantor {

// The places a shortcut can go, in the order every shortcut command visits them.
enum class ShortcutPlace { Desktop, Menu, Startup };
inline constexpr std::array<ShortcutPlace, 3> kShortcutPlaces{ShortcutPlace::Desktop, ShortcutPlace::Menu,
                                                              ShortcutPlace::Startup};
// The command-line option, without its dashes, that opens a group by its id: a group's
// entries start Zantor with it.
inline constexpr char kOpenGroupOption[] = "abrir-id";
// One flag per place, in the order of kShortcutPlaces.
using ShortcutPlaceFlags = std::array<bool, kShortcutPlaces.size()>;

// Shortcuts are freedesktop entries: on the desktop, in the user's applications menu and
// in the user's autostart folder. Zantor's own are named "Zantor.desktop"; a group's
// start Zantor with the option that opens that group by its id, and carry a copy of
// their picture beside them, hidden, so that the icon stays valid wherever the program
// goes. Failures come back as the reason, in words for the user; nothing here throws.
class Shortcuts {
public:
    // Zantor's own entries: they start `program` and show `icon`, both absolute paths.
    Shortcuts(QString program, QString icon);
    // The entries of the group `groupId`, titled `title`, showing a copy of `picture`.
    static Shortcuts forGroup(QString program, int groupId, QString title, QString picture);

    // The place's folder for the current user; empty where the system names none.
    static QString folder(ShortcutPlace place);
    QString entryPath(ShortcutPlace place) const;
    bool exists(ShortcutPlace place) const;
    ShortcutPlaceFlags existing() const;

    // The place's entry as it is written: keys in the order a desktop entry is read.
    QByteArray entryText(ShortcutPlace place) const;
    // Writes the place's entry in one piece, replacing one that is there, and makes it
    // executable, as desktops ask of entries they start; on the desktop it is also marked
    // trusted where GNOME's gio is there to do it. Empty when done, else why not.
    QString write(ShortcutPlace place) const;
    // Deletes the place's entry, and its picture; one already gone is no failure. Empty
    // when done, else why not.
    QString remove(ShortcutPlace place) const;

private:
    QString iconPath(ShortcutPlace place) const;

    QString m_fileName;
    QString m_program;
    QString m_arguments;
    QString m_name;
    // None for a group's entries.
    QString m_genericName;
    QString m_comment;
    QString m_icon;
    // A group's entries show a copy of m_icon kept beside them.
    bool m_iconBesideEntry = false;
};

} // namespace zantor
