#include "Shortcuts.h"

#include "WholeFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <algorithm>

namespace zantor {

namespace {

// The GNOME desktop starts an entry only once it is marked trusted.
const QString kTrustedKey = QStringLiteral("metadata::trusted");

// A string value of a desktop entry: backslashes and control characters escaped, so
// that any path reads back as written. Readers drop the spaces that start a value, so
// those are written as backslash-s. A NUL would end the value where it stands, and a form
// feed or vertical tab at its start would be dropped with the spaces; the format has no
// escape for them, so a title holding one (a hand-edited database) shows the replacement
// character in its place.
QString escapedValue(const QString& value) {
    QString out;
    out.reserve(value.size());
    bool leading = true;
    for (const QChar c : value) {
        leading = leading && c == u' ';
        if (leading) {
            out += QStringLiteral("\\s");
            continue;
        }
        switch (c.unicode()) {
        case '\\':
            out += QStringLiteral("\\\\");
            break;
        case '\n':
            out += QStringLiteral("\\n");
            break;
        case '\t':
            out += QStringLiteral("\\t");
            break;
        case '\r':
            out += QStringLiteral("\\r");
            break;
        case '\0':
        case '\f':
        case '\v':
            out += QChar(QChar::ReplacementCharacter);
            break;
        default:
            out += c;
        }
    }
    if (out.startsWith(QLatin1Char(' ')))
        out.replace(0, 1, QStringLiteral("\\s"));
    return out;
}

// A text a desktop shows on one line (Name, Comment): a control character in it, which a
// stored title may hold, is written out visibly, as Zantor's lists show it, and never
// carried as itself into the file.
QString shownValue(const QString& text) {
    QString shown;
    shown.reserve(text.size());
    for (const QChar c : text) {
        if (c.category() != QChar::Other_Control || c == u'\t')
            shown += c;
        else if (c == u'\n')
            shown += QStringLiteral("\\n");
        else
            shown += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'));
    }
    return escapedValue(shown);
}

// The program as the Exec key wants it: a path with a character the launcher would
// split or expand goes in double quotes, where the four characters that still act
// there are escaped; a literal percent sign is doubled.
QString execArgument(const QString& program) {
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    const bool needsQuotes =
        std::any_of(program.begin(), program.end(), [](QChar c) { return reserved.contains(c); });
    QString argument;
    for (const QChar c : program) {
        if (c == u'%')
            argument += QStringLiteral("%%");
        else if (needsQuotes && (c == u'"' || c == u'`' || c == u'$' || c == u'\\'))
            argument += QStringLiteral("\\") + c;
        else
            argument += c;
    }
    return needsQuotes ? QChar(u'"') + argument + QChar(u'"') : argument;
}

QString placeFolder(ShortcutPlace place) {
    switch (place) {
    case ShortcutPlace::Desktop:
        return QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    case ShortcutPlace::Menu:
        return QStandardPaths::writableLocation(QStandardPaths::ApplicationsLocation);
    case ShortcutPlace::Startup: {
        const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
        return config.isEmpty() ? config : config + QStringLiteral("/autostart");
    }
    }
    return {};
}

void markTrusted(const QString& path) {
    const QString gio = QStandardPaths::findExecutable(QStringLiteral("gio"));
    if (gio.isEmpty())
        return;
    // Outside a GNOME session gio may only complain; nothing waits for it.
    QProcess marking;
    marking.setProgram(gio);
    marking.setArguments({QStringLiteral("set"), path, kTrustedKey, QStringLiteral("true")});
    marking.setStandardOutputFile(QProcess::nullDevice());
    marking.setStandardErrorFile(QProcess::nullDevice());
    marking.startDetached();
}

// Zantor owns the names it writes: a link found at one is replaced, never followed.
QString writeOwnedFile(const QString& path, const QByteArray& bytes, QFileDevice::Permissions permissions) {
    return writeWholeFile(path, bytes, permissions, LinkAtName::Replace);
}

QString removeFile(const QString& path) {
    QFile file(path);
    if (!file.remove())
        return QStringLiteral("não foi possível apagar %1 (%2)")
            .arg(QDir::toNativeSeparators(path), file.errorString());
    return {};
}

} // namespace

Shortcuts::Shortcuts(QString program, QString icon)
    // A literal, not a constant of this file: a Shortcuts may be made before this file's
    // constants are.
    : m_fileName(QStringLiteral("Zantor.desktop"))
    , m_program(std::move(program))
    , m_name(QStringLiteral("Zantor"))
    , m_genericName(QStringLiteral("Executor de arquivos"))
    , m_comment(QStringLiteral("Abre grupos de arquivos, pastas e programas de uma vez"))
    , m_icon(std::move(icon)) {}

Shortcuts Shortcuts::forGroup(QString program, int groupId, QString title, QString picture) {
    Shortcuts group(std::move(program), std::move(picture));
    // An entry with no name is invalid, and a desktop would show it blank.
    if (title.trimmed().isEmpty())
        title = QStringLiteral("Grupo %1").arg(groupId);
    group.m_fileName = QStringLiteral("zantor-grupo-%1.desktop").arg(groupId);
    group.m_arguments = QStringLiteral(" --%1 %2").arg(QLatin1String(kOpenGroupOption)).arg(groupId);
    group.m_comment = QStringLiteral("Abre o grupo \"%1\" do Zantor").arg(title);
    group.m_name = std::move(title);
    group.m_genericName.clear();
    group.m_iconBesideEntry = true;
    return group;
}

QString Shortcuts::folder(ShortcutPlace place) {
    return placeFolder(place);
}

QString Shortcuts::entryPath(ShortcutPlace place) const {
    const QString where = folder(place);
    return where.isEmpty() ? where : where + QChar(u'/') + m_fileName;
}

bool Shortcuts::exists(ShortcutPlace place) const {
    // The link itself: one planted at the name, even dangling, stands where the entry goes.
    const QFileInfo entry(entryPath(place));
    return !entry.filePath().isEmpty() && (entry.exists() || entry.isSymLink());
}

ShortcutPlaceFlags Shortcuts::existing() const {
    ShortcutPlaceFlags flags{};
    for (std::size_t i = 0; i < kShortcutPlaces.size(); ++i)
        flags[i] = exists(kShortcutPlaces[i]);
    return flags;
}

QString Shortcuts::iconPath(ShortcutPlace place) const {
    if (!m_iconBesideEntry)
        return m_icon;
    // Hidden, so that the desktop shows no picture file beside the shortcut.
    const QString entry = QFileInfo(entryPath(place)).completeBaseName();
    return folder(place) + QStringLiteral("/.") + entry + QChar(u'.') + QFileInfo(m_icon).suffix();
}

QByteArray Shortcuts::entryText(ShortcutPlace place) const {
    const QString genericName = m_genericName.isEmpty()
                                    ? QString()
                                    : QStringLiteral("GenericName=%1\n").arg(shownValue(m_genericName));
    const QString text =
        QStringLiteral("[Desktop Entry]\n"
                       "Type=Application\n"
                       "Version=1.4\n"
                       "Name=%1\n"
                       "%2"
                       "Comment=%3\n"
                       "Icon=%4\n"
                       "Exec=%5\n"
                       "Terminal=false\n"
                       // Our windows' X11 class, so that a desktop files
                       // them under this entry whatever starts them.
                       "StartupWMClass=Zantor\n"
                       "Categories=Utility;\n")
            .arg(shownValue(m_name), genericName, shownValue(m_comment), escapedValue(iconPath(place)),
                 escapedValue(execArgument(m_program) + m_arguments));
    return text.toUtf8();
}

QString Shortcuts::write(ShortcutPlace place) const {
    const QString where = folder(place);
    if (where.isEmpty())
        return QStringLiteral("este sistema não informa a pasta");
    if (!QDir().mkpath(where))
        return QStringLiteral("não foi possível criar a pasta %1").arg(QDir::toNativeSeparators(where));
    if (m_iconBesideEntry) {
        QFile picture(m_icon);
        if (!picture.open(QIODevice::ReadOnly))
            return QStringLiteral("não foi possível ler a imagem %1 (%2)")
                .arg(QDir::toNativeSeparators(m_icon), picture.errorString());
        constexpr QFileDevice::Permissions kReadable = QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                       QFileDevice::ReadGroup | QFileDevice::ReadOther;
        if (const QString failure = writeOwnedFile(iconPath(place), picture.readAll(), kReadable);
            !failure.isEmpty())
            return failure;
    }
    constexpr QFileDevice::Permissions kExecutable =
        QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner | QFileDevice::ReadGroup |
        QFileDevice::ExeGroup | QFileDevice::ReadOther | QFileDevice::ExeOther;
    const QString path = entryPath(place);
    const QString failure = writeOwnedFile(path, entryText(place), kExecutable);
    if (failure.isEmpty() && place == ShortcutPlace::Desktop)
        markTrusted(path);
    return failure;
}

QString Shortcuts::remove(ShortcutPlace place) const {
    if (exists(place)) {
        if (const QString failure = removeFile(entryPath(place)); !failure.isEmpty())
            return failure;
    }
    if (!m_iconBesideEntry)
        return {};
    // Whatever kind of picture the group had last, also where the user deleted the entry
    // by hand, and a link at its name, dangling or not.
    const QDir where(folder(place));
    const QString pictures = QFileInfo(iconPath(place)).completeBaseName() + QStringLiteral(".*");
    for (const QString& picture : where.entryList({pictures}, QDir::Files | QDir::Hidden | QDir::System)) {
        if (const QString failure = removeFile(where.filePath(picture)); !failure.isEmpty())
            return failure;
    }
    return {};
}

} // namespace zantor
