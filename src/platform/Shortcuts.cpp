#include "Shortcuts.h"

#include "WholeFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <algorithm>

namespace zantor {

namespace {

const QString kEntryName = QStringLiteral("Zantor.desktop");

// A string value of a desktop entry: backslashes and control characters escaped, so
// that any path reads back as written.
QString escapedValue(const QString& value) {
    QString out;
    out.reserve(value.size());
    for (const QChar c : value) {
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
        default:
            out += c;
        }
    }
    return out;
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

} // namespace

Shortcuts::Shortcuts(QString program, QString icon)
    : m_program(std::move(program))
    , m_icon(std::move(icon)) {}

QString Shortcuts::folder(ShortcutPlace place) {
    return placeFolder(place);
}

QString Shortcuts::entryPath(ShortcutPlace place) {
    const QString where = folder(place);
    return where.isEmpty() ? where : where + QChar(u'/') + kEntryName;
}

bool Shortcuts::exists(ShortcutPlace place) {
    const QString path = entryPath(place);
    return !path.isEmpty() && QFileInfo::exists(path);
}

QByteArray Shortcuts::entryText() const {
    const QString text = QStringLiteral("[Desktop Entry]\n"
                                        "Type=Application\n"
                                        "Version=1.4\n"
                                        "Name=Zantor\n"
                                        "GenericName=Executor de arquivos\n"
                                        "Comment=Abre grupos de arquivos, pastas e programas de uma vez\n"
                                        "Icon=%1\n"
                                        "Exec=%2\n"
                                        "Terminal=false\n"
                                        // Our windows' X11 class, so that a desktop files
                                        // them under this entry whatever starts them.
                                        "StartupWMClass=Zantor\n"
                                        "Categories=Utility;\n")
                             .arg(escapedValue(m_icon), escapedValue(execArgument(m_program)));
    return text.toUtf8();
}

QString Shortcuts::write(ShortcutPlace place) const {
    const QString where = folder(place);
    if (where.isEmpty())
        return QStringLiteral("este sistema não informa a pasta");
    if (!QDir().mkpath(where))
        return QStringLiteral("não foi possível criar a pasta %1").arg(QDir::toNativeSeparators(where));
    constexpr QFileDevice::Permissions kExecutable =
        QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner | QFileDevice::ReadGroup |
        QFileDevice::ExeGroup | QFileDevice::ReadOther | QFileDevice::ExeOther;
    return writeWholeFile(entryPath(place), entryText(), kExecutable);
}

QString Shortcuts::remove(ShortcutPlace place) {
    const QString path = entryPath(place);
    QFile file(path);
    if (!file.remove())
        return QStringLiteral("não foi possível apagar %1 (%2)")
            .arg(QDir::toNativeSeparators(path), file.errorString());
    return {};
}

} // namespace zantor
