#include "ApplicationEntries.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <memory>

// GIO names a member "signals", which Qt keeps as a keyword.
#pragma push_macro("signals")
#undef signals
#include <gio/gdesktopappinfo.h>
#pragma pop_macro("signals")

namespace zantor::applications {

namespace {

struct GObjectRelease {
    void operator()(gpointer object) const { g_object_unref(object); }
};
struct KeyFileRelease {
    void operator()(GKeyFile* file) const { g_key_file_free(file); }
};
struct TextRelease {
    void operator()(gchar* text) const { g_free(text); }
};
using AppInfo = std::unique_ptr<GDesktopAppInfo, GObjectRelease>;
using KeyFile = std::unique_ptr<GKeyFile, KeyFileRelease>;
using Text = std::unique_ptr<gchar, TextRelease>;

QByteArray fileName(const QString& path) {
    return QFile::encodeName(path);
}

AppInfo load(const QString& entryPath) {
    return AppInfo(g_desktop_app_info_new_from_filename(fileName(entryPath).constData()));
}

// The entry's own text, translations kept, whether or not GIO would load it.
KeyFile readEntry(const QString& path) {
    if (!path.endsWith(QStringLiteral(".desktop")) || !QFileInfo(path).isFile())
        return nullptr;
    KeyFile file(g_key_file_new());
    if (!g_key_file_load_from_file(file.get(), fileName(path).constData(), G_KEY_FILE_KEEP_TRANSLATIONS,
                                   nullptr))
        return nullptr;
    return file;
}

QString entryText(GKeyFile* file, const char* key, const char* locale = nullptr) {
    const Text text(locale
                        ? g_key_file_get_locale_string(file, G_KEY_FILE_DESKTOP_GROUP, key, locale, nullptr)
                        : g_key_file_get_string(file, G_KEY_FILE_DESKTOP_GROUP, key, nullptr));
    return text ? QString::fromUtf8(text.get()) : QString();
}

QString localizedName(GKeyFile* file) {
    // GIO's own lookup falls back from pt_BR to pt, then to the untranslated name.
    return entryText(file, G_KEY_FILE_DESKTOP_KEY_NAME, "pt_BR");
}

bool takesFiles(GAppInfo* info) {
    return g_app_info_supports_files(info) || g_app_info_supports_uris(info);
}

void readIcon(GAppInfo* info, InstalledApplication& application) {
    GIcon* icon = g_app_info_get_icon(info);
    if (G_IS_THEMED_ICON(icon)) {
        for (const gchar* const* name = g_themed_icon_get_names(G_THEMED_ICON(icon)); name && *name; ++name)
            application.iconNames << QString::fromUtf8(*name);
    } else if (G_IS_FILE_ICON(icon)) {
        const Text path(g_file_get_path(g_file_icon_get_file(G_FILE_ICON(icon))));
        if (path)
            application.iconFile = QFile::decodeName(path.get());
    }
}

} // namespace

bool isEntry(const QString& path) {
    const KeyFile file = readEntry(path);
    return file && entryText(file.get(), G_KEY_FILE_DESKTOP_KEY_TYPE) == QStringLiteral("Application");
}

bool isInstalled(const QString& entryPath) {
    return load(entryPath) != nullptr;
}

QString name(const QString& entryPath) {
    const KeyFile file = readEntry(entryPath);
    return file ? localizedName(file.get()) : QString();
}

bool takesFiles(const QString& entryPath) {
    const AppInfo info = load(entryPath);
    return info && takesFiles(G_APP_INFO(info.get()));
}

bool launch(const QString& entryPath, const QStringList& arguments) {
    const AppInfo info = load(entryPath);
    if (!info)
        return false;
    GAppInfo* application = G_APP_INFO(info.get());
    // Given files it has no field code for, GIO would add them as if its Exec ended in %f.
    GList* files = nullptr;
    if (takesFiles(application)) {
        const QByteArray home = fileName(QDir::homePath());
        for (const QString& argument : arguments)
            files = g_list_append(files, g_file_new_for_commandline_arg_and_cwd(
                                             fileName(argument).constData(), home.constData()));
    }
    GError* error = nullptr;
    const bool started = g_app_info_launch(application, files, nullptr, &error);
    g_list_free_full(files, g_object_unref);
    g_clear_error(&error);
    return started;
}

QVector<InstalledApplication> installed() {
    QVector<InstalledApplication> applications;
    GList* all = g_app_info_get_all();
    for (GList* entry = all; entry; entry = entry->next) {
        auto* info = G_APP_INFO(entry->data);
        if (!G_IS_DESKTOP_APP_INFO(info) || !g_app_info_should_show(info))
            continue;
        const char* path = g_desktop_app_info_get_filename(G_DESKTOP_APP_INFO(info));
        const KeyFile file = path ? readEntry(QFile::decodeName(path)) : nullptr;
        if (!file)
            continue;
        InstalledApplication application{localizedName(file.get()), QFile::decodeName(path), {}, {}};
        readIcon(info, application);
        applications.append(application);
    }
    g_list_free_full(all, g_object_unref);
    return applications;
}

} // namespace zantor::applications
