#include "SharedState.h"

#include "data/CategoryStore.h"
#include "platform/Pictures.h"

#include <QFileInfo>
#include <QIcon>
#include <QImageReader>

namespace zantor {

SharedState::SharedState(const QString& programFolder, QObject* parent)
    : SharedState(AppFolders::forProgramFolder(programFolder), parent) {}

SharedState::SharedState(AppFolders folders, QObject* parent)
    : QObject(parent)
    , groups(folders.databasePaths().groups)
    , m_folders(std::move(folders))
    , m_paths(m_folders.databasePaths()) {}

QIcon SharedState::picture(const QString& fileName) const {
    const QString path = m_folders.pictureFolder() + fileName;
    if (!QFileInfo(path).isFile() || !QImageReader(path).canRead())
        return {};
    return zantor::picture(path);
}

void SharedState::loadSettings() {
    takeSettings(readSettings(m_paths.settings));
}

void SharedState::storeMainPosition(QPoint twips) {
    storeWindowPosition(m_paths.settings, twips);
    Settings settings = m_settings;
    settings.mainPosition = twips;
    takeSettings(settings);
}

void SharedState::storeCompactPosition(QPoint twips) {
    storeCompactWindowPosition(m_paths.settings, twips);
    Settings settings = m_settings;
    settings.compactPosition = twips;
    takeSettings(settings);
}

void SharedState::storeOptions(const SettingsOptions& options) {
    storeSettingsOptions(m_paths.settings, options);
    takeSettings(withImmediateOptions(m_settings, options));
}

void SharedState::takeSettings(const Settings& settings) {
    if (settings == m_settings)
        return;
    m_settings = settings;
    emit settingsChanged();
}

void SharedState::loadCategories() {
    const QVector<Category> categories = zantor::loadCategories(m_paths.categories);
    m_categoryTitles.clear();
    m_categoryPictures.clear();
    QStringList pictures;
    for (const Category& category : categories) {
        m_categoryPictures.append({category.imagem2, category.id});
        m_categoryTitles.append({category.titulo1, category.id});
        // A missing picture leaves the category without an icon; an unreadable one
        // draws nothing.
        const QString path = m_folders.pictureFolder() + category.imagem1;
        pictures.append(QFileInfo(path).isFile() ? path : QString());
    }
    groups.setCategoryPictures(std::move(pictures));
}

} // namespace zantor
