#pragma once

#include "GroupListModel.h"
#include "ListEntry.h"
#include "data/AppFolders.h"
#include "data/SettingsStore.h"

#include <QIcon>
#include <QObject>
#include <QPoint>
#include <QString>
#include <QVector>

namespace zantor {

// What the windows share. The start-up makes and loads it; every window gets it by
// reference and reads it here, so no window needs another to reach it.
class SharedState : public QObject {
    Q_OBJECT
public:
    // `programFolder` holds the running executable; the folders follow from it.
    explicit SharedState(const QString& programFolder, QObject* parent = nullptr);

    const AppFolders& folders() const { return m_folders; }
    const DatabasePaths& paths() const { return m_paths; }
    // A picture of the IMG folder, drawn crisp at any size when shown; empty when the
    // file is missing or is no picture Qt can read.
    QIcon picture(const QString& fileName) const;

    // The settings in effect: the row as the start read it, with what took effect since.
    const Settings& settings() const { return m_settings; }
    // Throws DatabaseError.
    void loadSettings();
    // Each stores through the settings store and takes effect at once. Throws
    // DatabaseError, and then nothing changes.
    void storeMainPosition(QPoint twips);
    void storeCompactPosition(QPoint twips);
    void storeOptions(const SettingsOptions& options);

    // Categories in ascending id order: the titles and the larger pictures, each with the
    // category's id; the model takes the smaller pictures. Throws DatabaseError.
    void loadCategories();
    const QVector<ListEntry>& categoryTitles() const { return m_categoryTitles; }
    const QVector<ListEntry>& categoryPictures() const { return m_categoryPictures; }

    // Every list of groups shows this model.
    GroupListModel groups;

signals:
    void settingsChanged();

private:
    SharedState(AppFolders folders, QObject* parent);
    void takeSettings(const Settings& settings);

    AppFolders m_folders;
    DatabasePaths m_paths;
    Settings m_settings;
    QVector<ListEntry> m_categoryTitles;
    QVector<ListEntry> m_categoryPictures;
};

} // namespace zantor
