// The desktop entries of a group, fed any group title, category picture name and program
// path: each entry parses back, with GLib's key file reader, to exactly the keys it was
// written with, and its Exec line, read as GIO reads it, starts that program on that
// group.
#include "FuzzCheck.h"
#include "platform/Shortcuts.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>
#include <glib.h>
#include <memory>

using namespace zantor;
using zantor::fuzz::check;
using zantor::fuzz::checkEqual;

namespace {

constexpr int kGroupId = 7;
const QString kPictureFolder = QStringLiteral("/usr/share/zantor/IMG/");

template <typename T> using GlibOwned = std::unique_ptr<T, void (*)(T*)>;

QString entryValue(GKeyFile* file, const char* key) {
    GError* error = nullptr;
    gchar* value = g_key_file_get_string(file, G_KEY_FILE_DESKTOP_GROUP, key, &error);
    if (!value) {
        qCritical() << key << error->message;
        g_error_free(error);
        check(false, "every key reads as a string");
    }
    const QString text = QString::fromUtf8(value);
    g_free(value);
    return text;
}

QStringList keyNames(GKeyFile* file, const char* group) {
    gsize count = 0;
    GlibOwned<gchar*> keys(g_key_file_get_keys(file, group, &count, nullptr), g_strfreev);
    QStringList names;
    for (gsize i = 0; keys && i < count; ++i)
        names << QString::fromUtf8(keys.get()[i]);
    names.sort();
    return names;
}

// The words GIO starts: field codes expanded first (an entry of ours holds none but the
// doubled percent sign), then the line taken apart by GLib's shell rules.
QStringList startedWords(const QString& exec) {
    QByteArray expanded;
    const QByteArray line = exec.toUtf8();
    for (qsizetype i = 0; i < line.size(); ++i) {
        if (line[i] != '%' || i + 1 == line.size()) {
            expanded += line[i];
        } else if (line[++i] == '%') {
            expanded += '%';
        }
    }
    gint argc = 0;
    gchar** argv = nullptr;
    GError* error = nullptr;
    if (!g_shell_parse_argv(expanded.constData(), &argc, &argv, &error)) {
        qCritical() << exec << error->message;
        g_error_free(error);
        check(false, "the Exec line parts into words");
    }
    QStringList words;
    for (gint i = 0; i < argc; ++i)
        words << QString::fromUtf8(argv[i]);
    g_strfreev(argv);
    return words;
}

void checkEntry(const Shortcuts& shortcuts, ShortcutPlace place, const QString& title, const QString& picture,
                const QString& program) {
    const QByteArray text = shortcuts.entryText(place);
    GlibOwned<GKeyFile> file(g_key_file_new(), g_key_file_free);
    GError* error = nullptr;
    if (!g_key_file_load_from_data(file.get(), text.constData(), gsize(text.size()), G_KEY_FILE_NONE,
                                   &error)) {
        qCritical().noquote() << error->message << "\n" << text;
        g_error_free(error);
        check(false, "the entry parses as a key file");
    }
    gsize groups = 0;
    g_strfreev(g_key_file_get_groups(file.get(), &groups));
    checkEqual(int(groups), 1, "one group in the entry");
    checkEqual(keyNames(file.get(), G_KEY_FILE_DESKTOP_GROUP),
               QStringList{"Categories", "Comment", "Exec", "Icon", "Name", "StartupWMClass", "Terminal",
                           "Type", "Version"},
               "the keys of the entry");

    // A blank title names the entry by the group's id; a control character in a title
    // shows written out, a line break as \n.
    const QString named = title.trimmed().isEmpty() ? QStringLiteral("Grupo %1").arg(kGroupId) : title;
    QString shownTitle;
    for (const QChar c : named) {
        if (c.category() != QChar::Other_Control || c == u'\t')
            shownTitle += c;
        else if (c == u'\n')
            shownTitle += QStringLiteral("\\n");
        else
            shownTitle += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'));
    }
    checkEqual(entryValue(file.get(), G_KEY_FILE_DESKTOP_KEY_NAME), shownTitle,
               "the name is the group's title");
    check(entryValue(file.get(), G_KEY_FILE_DESKTOP_KEY_COMMENT)
              .contains(QLatin1Char('"') + shownTitle + QLatin1Char('"')),
          "the comment names the group's title");
    // The copy of the picture beside the entry, hidden, of the picture's own kind.
    const QFileInfo icon(entryValue(file.get(), G_KEY_FILE_DESKTOP_KEY_ICON));
    checkEqual(icon.path(), Shortcuts::folder(place), "the icon lies beside the entry");
    check(icon.fileName().startsWith(QLatin1Char('.')), "the icon is hidden");
    checkEqual(icon.suffix(), QFileInfo(picture).suffix(), "the icon is of the picture's kind");
    checkEqual(startedWords(entryValue(file.get(), G_KEY_FILE_DESKTOP_KEY_EXEC)),
               QStringList{program, QStringLiteral("--") + QLatin1String(kOpenGroupOption),
                           QString::number(kGroupId)},
               "the Exec line starts the program on the group");
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // Places of a user whose folders have spaces in their names; nothing is written.
    qputenv("HOME", "/home/fuzz user");
    qputenv("XDG_DATA_HOME", "/home/fuzz user/.local/share");
    qputenv("XDG_CONFIG_HOME", "/home/fuzz user/.config");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // The record separator parts the fields, so that a title may hold any other byte.
    const QStringList fields = zantor::fuzz::fields(data, size, '\x1e');
    const QString title = fields.value(0);
    // Paths hold no NUL; the program's is always absolute. The form feeds and vertical
    // tabs a path could hold in theory stand in no real program's path.
    const auto path = [](QString text) {
        for (const QChar unheld : {QChar(0), QChar(u'\f'), QChar(u'\v')})
            text.remove(unheld);
        return text;
    };
    const QString picture = kPictureFolder + path(fields.value(1));
    const QString program = QLatin1Char('/') + path(fields.value(2));
    const Shortcuts shortcuts = Shortcuts::forGroup(program, kGroupId, title, picture);
    for (const ShortcutPlace place : kShortcutPlaces)
        checkEntry(shortcuts, place, title, picture, program);
    return 0;
}
