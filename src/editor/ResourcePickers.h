#pragma once

#include <QFileSystemModel>
#include <QObject>

class QListView;
class QModelIndex;
class QTreeView;
class QWidget;

namespace zantor {

class FilesInFolder;
class VolumeBox;

// The drive, folder and file pickers of the group editor. Picking a volume, a folder
// or a file gives an address; the user still names the item and adds it.
class ResourcePickers : public QObject {
    Q_OBJECT
public:
    explicit ResourcePickers(QWidget* area);

    // Shows `folder` with its files, without picking it.
    void showFolder(const QString& folder);
    // The folder picked last (or shown), whose files the file list shows.
    const QString& folderPath() const { return m_folderPath; }

    // The pickers, for the editor to place.
    VolumeBox* driveBox() const { return m_driveBox; }
    QTreeView* folderView() const { return m_folderView; }
    QListView* fileView() const { return m_fileView; }

signals:
    void addressPicked(const QString& address);

private:
    void pickVolume(const QString& root);
    void pickFolder(const QModelIndex& index);
    void pickFile(const QModelIndex& row);
    void setTreeRoot(const QString& root);
    void showFiles(const QString& folder);

    VolumeBox* m_driveBox;
    QTreeView* m_folderView;
    QListView* m_fileView;

    QFileSystemModel m_folders;
    QFileSystemModel m_files;
    FilesInFolder* m_fileRows;
    QString m_folderPath;
    // Set while the pickers move on their own: only the user picks.
    bool m_showing = false;
    bool m_keepShownFolderInSight = false;
};

} // namespace zantor
