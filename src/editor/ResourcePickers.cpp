#include "ResourcePickers.h"

#include "VolumeBox.h"
#include "chrome/ListStyling.h"

#include <QDir>
#include <QHeaderView>
#include <QListView>
#include <QTreeView>

namespace zantor {

ResourcePickers::ResourcePickers(QWidget* area)
    : QObject(area)
    , DriveList(new VolumeBox(area))
    , DirList(new QTreeView(area))
    , FileList(new QListView(area)) {
    DriveList->setObjectName(QStringLiteral("DriveList"));
    DriveList->setAccessibleName(QStringLiteral("Unidades"));
    DriveList->setToolTip(QStringLiteral(" Unidades "));

    m_folders.setFilter(QDir::AllDirs | QDir::NoDotAndDotDot);
    DirList->setObjectName(QStringLiteral("DirList"));
    DirList->setAccessibleName(QStringLiteral("Pastas"));
    DirList->setModel(&m_folders);
    DirList->setHeaderHidden(true);
    for (int column = 1; column < m_folders.columnCount(); ++column)
        DirList->hideColumn(column);
    DirList->setSortingEnabled(true);
    DirList->sortByColumn(0, Qt::AscendingOrder);
    nameScrollBars(DirList);

    m_files.setFilter(QDir::Files | QDir::NoDotAndDotDot);
    FileList->setObjectName(QStringLiteral("FileList"));
    FileList->setAccessibleName(QStringLiteral("Arquivos"));
    FileList->setModel(&m_files);
    nameScrollBars(FileList);

    // Folders appear and sort as they load: the folder shown at the start stays in
    // sight until the user picks another.
    const auto keepInSight = [this] {
        if (m_keepShownFolderInSight)
            DirList->scrollTo(m_folders.index(m_folderPath), QAbstractItemView::PositionAtCenter);
    };
    connect(&m_folders, &QFileSystemModel::directoryLoaded, this, keepInSight);
    connect(&m_folders, &QAbstractItemModel::layoutChanged, this, keepInSight);
    // When a folder above the one shown changes on disk (another program adds or
    // removes a file there), the file model may drop the shown folder's node and make
    // it anew; the file view would then lose its root and list the whole disk.
    // The root is found again once the model has settled, not inside its signal.
    const auto keepFilesRoot = [this] {
        if (m_folderPath.isEmpty() || FileList->rootIndex().isValid())
            return;
        QMetaObject::invokeMethod(
            this,
            [this] {
                if (!m_folderPath.isEmpty() && !FileList->rootIndex().isValid())
                    FileList->setRootIndex(m_files.index(m_folderPath));
            },
            Qt::QueuedConnection);
    };
    connect(&m_files, &QAbstractItemModel::rowsRemoved, this, keepFilesRoot);
    connect(&m_files, &QAbstractItemModel::layoutChanged, this, keepFilesRoot);
    connect(&m_files, &QFileSystemModel::directoryLoaded, this, keepFilesRoot);
    connect(DriveList, &VolumeBox::volumePicked, this, &ResourcePickers::pickVolume);
    // A click picks what is under the pointer, also when it was picked already; the
    // keys pick as they move.
    connect(DirList, &QAbstractItemView::clicked, this, &ResourcePickers::pickFolder);
    // The folder view also moves its current row when a listing arrives and is sorted;
    // only a move to another folder is a pick, or it would undo a file picked since.
    connect(DirList->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& index) {
                if (m_folders.filePath(index) != m_folderPath)
                    pickFolder(index);
            });
    connect(FileList, &QAbstractItemView::clicked, this, &ResourcePickers::pickFile);
    connect(FileList->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &ResourcePickers::pickFile);
}

void ResourcePickers::showFolder(const QString& folder) {
    m_showing = true;
    setTreeRoot(QDir::rootPath());
    const QModelIndex index = m_folders.index(folder);
    // Open down to the folder, and the folder itself, so its subfolders are in view.
    for (QModelIndex open = index; open.isValid(); open = open.parent())
        DirList->expand(open);
    DirList->setCurrentIndex(index);
    DirList->scrollTo(index, QAbstractItemView::PositionAtCenter);
    DriveList->showVolumeOf(folder);
    showFiles(folder);
    m_keepShownFolderInSight = true;
    m_showing = false;
}

void ResourcePickers::pickVolume(const QString& root) {
    // The volume's root becomes the folder, and its own address.
    m_showing = true;
    setTreeRoot(root);
    showFiles(root);
    m_showing = false;
    emit addressPicked(root);
}

void ResourcePickers::pickFolder(const QModelIndex& index) {
    if (m_showing || !index.isValid())
        return;
    const QString folder = m_folders.filePath(index);
    m_showing = true;
    showFiles(folder);
    m_showing = false;
    emit addressPicked(folder);
}

void ResourcePickers::pickFile(const QModelIndex& index) {
    // The file view lists files only; a folder reaching it is the model's own root,
    // shown for a moment before the folder's listing arrives.
    if (m_showing || !index.isValid() || m_files.isDir(index))
        return;
    const QString name = m_files.fileName(index);
    // Joined as written, also after a root folder: "//notes.txt" opens like "/notes.txt".
    emit addressPicked(m_folderPath.isEmpty() ? name : m_folderPath + QLatin1Char('/') + name);
}

void ResourcePickers::setTreeRoot(const QString& root) {
    DirList->setRootIndex(m_folders.setRootPath(root));
}

void ResourcePickers::showFiles(const QString& folder) {
    m_keepShownFolderInSight = false;
    m_folderPath = folder;
    FileList->setRootIndex(m_files.setRootPath(folder));
}

} // namespace zantor
