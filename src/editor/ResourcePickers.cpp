#include "ResourcePickers.h"

#include "VolumeBox.h"
#include "chrome/ListStyling.h"

#include <QDir>
#include <QHeaderView>
#include <QListView>
#include <QSortFilterProxyModel>
#include <QTreeView>

namespace zantor {

// The file view's rows. The file model itself keeps folders, because a model that
// leaves folders out drops the ones on the way to the shown folder each time one of
// them changes on disk (a busy Downloads or /tmp above it), and the view then loses
// its folder and lists the whole disk. Only here are the shown folder's subfolders
// and hidden files left out.
class FilesInFolder : public QSortFilterProxyModel {
public:
    explicit FilesInFolder(QFileSystemModel* files, QObject* parent)
        : QSortFilterProxyModel(parent)
        , m_files(files) {
        setSourceModel(files);
    }

    void showFolder(const QModelIndex& folder) {
        m_folder = folder;
        invalidateFilter();
    }

protected:
    bool filterAcceptsRow(int row, const QModelIndex& parent) const override {
        if (m_folder != parent)
            return true;
        const QModelIndex entry = m_files->index(row, 0, parent);
        return !m_files->isDir(entry) && !m_files->fileInfo(entry).isHidden();
    }

private:
    QFileSystemModel* m_files;
    QPersistentModelIndex m_folder;
};

ResourcePickers::ResourcePickers(QWidget* area)
    : QObject(area)
    , m_driveBox(new VolumeBox(area))
    , m_folderView(new QTreeView(area))
    , m_fileView(new QListView(area))
    , m_fileRows(new FilesInFolder(&m_files, this)) {
    m_driveBox->setObjectName(QStringLiteral("driveBox"));
    m_driveBox->setAccessibleName(QStringLiteral("Unidades"));
    m_driveBox->setToolTip(QStringLiteral(" Unidades "));

    m_folders.setFilter(QDir::AllDirs | QDir::NoDotAndDotDot);
    m_folderView->setObjectName(QStringLiteral("folderView"));
    m_folderView->setAccessibleName(QStringLiteral("Pastas"));
    m_folderView->setModel(&m_folders);
    m_folderView->setHeaderHidden(true);
    for (int column = 1; column < m_folders.columnCount(); ++column)
        m_folderView->hideColumn(column);
    m_folderView->setSortingEnabled(true);
    m_folderView->sortByColumn(0, Qt::AscendingOrder);
    nameScrollBars(m_folderView);

    m_files.setFilter(QDir::AllDirs | QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
    m_fileView->setObjectName(QStringLiteral("fileView"));
    m_fileView->setAccessibleName(QStringLiteral("Arquivos"));
    m_fileView->setModel(m_fileRows);
    nameScrollBars(m_fileView);

    // Folders appear and sort as they load: the folder shown at the start stays in
    // sight until the user picks another.
    const auto keepInSight = [this] {
        if (m_keepShownFolderInSight)
            m_folderView->scrollTo(m_folders.index(m_folderPath), QAbstractItemView::PositionAtCenter);
    };
    connect(&m_folders, &QFileSystemModel::directoryLoaded, this, keepInSight);
    connect(&m_folders, &QAbstractItemModel::layoutChanged, this, keepInSight);
    connect(m_driveBox, &VolumeBox::volumePicked, this, &ResourcePickers::pickVolume);
    // A click picks what is under the pointer, also when it was picked already; the
    // keys pick as they move.
    connect(m_folderView, &QAbstractItemView::clicked, this, &ResourcePickers::pickFolder);
    // The folder view also moves its current row when a listing arrives and is sorted;
    // only a move to another folder is a pick, or it would undo a file picked since.
    connect(m_folderView->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& index) {
                if (m_folders.filePath(index) != m_folderPath)
                    pickFolder(index);
            });
    connect(m_fileView, &QAbstractItemView::clicked, this, &ResourcePickers::pickFile);
    connect(m_fileView->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &ResourcePickers::pickFile);
}

void ResourcePickers::showFolder(const QString& folder) {
    m_showing = true;
    setTreeRoot(QDir::rootPath());
    const QModelIndex index = m_folders.index(folder);
    // Open down to the folder, and the folder itself, so its subfolders are in view.
    for (QModelIndex open = index; open.isValid(); open = open.parent())
        m_folderView->expand(open);
    m_folderView->setCurrentIndex(index);
    m_folderView->scrollTo(index, QAbstractItemView::PositionAtCenter);
    m_driveBox->showVolumeOf(folder);
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

void ResourcePickers::pickFile(const QModelIndex& row) {
    const QModelIndex index = m_fileRows->mapToSource(row);
    // The file view lists files only; a folder reaching it is the model's own root,
    // shown for a moment before the folder's listing arrives.
    if (m_showing || !index.isValid() || m_files.isDir(index))
        return;
    const QString name = m_files.fileName(index);
    // Joined as written, also after a root folder: "//notes.txt" opens like "/notes.txt".
    emit addressPicked(m_folderPath.isEmpty() ? name : m_folderPath + QLatin1Char('/') + name);
}

void ResourcePickers::setTreeRoot(const QString& root) {
    m_folderView->setRootIndex(m_folders.setRootPath(root));
}

void ResourcePickers::showFiles(const QString& folder) {
    m_keepShownFolderInSight = false;
    m_folderPath = folder;
    const QModelIndex shown = m_files.setRootPath(folder);
    m_fileRows->showFolder(shown);
    m_fileView->setRootIndex(m_fileRows->mapFromSource(shown));
}

} // namespace zantor
