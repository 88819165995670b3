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
    , m_paths(m_folders.databasePaths()) {
    connect(&groups, &QAbstractItemModel::modelReset, this,
            [this] { lblNumtotal = QString::number(groups.groupCount()); });
}

QIcon SharedState::picture(const QString& fileName) const {
    const QString path = m_folders.pictureFolder() + fileName;
    if (!QFileInfo(path).isFile() || !QImageReader(path).canRead())
        return {};
    return zantor::picture(path);
}

QString SharedState::compactWidthFor(const QString& optLargura) {
    switch (optLargura.toInt()) {
    case 1:
        return QStringLiteral("1575");
    case 2:
        return QStringLiteral("1950");
    default:
        return QStringLiteral("2250");
    }
}

void SharedState::takeStartupSettings(const StartupSettings& settings) {
    m_startupSettings = settings;
    lblTempo = settings.tempo;
    lblIniMinimized = settings.iniMinimized;
    lblMiniLeft = settings.miniLeft;
    lblMiniTop = settings.miniTop;
    lblNumMiniList = settings.numMiniList;
    lblOptLargura = compactWidthFor(settings.optLargura);
}

void SharedState::loadCategories() {
    const QVector<Category> categories = zantor::loadCategories(m_paths.categories);
    lstCats.clear();
    lstImgs2.clear();
    QStringList pictures;
    for (const Category& category : categories) {
        lstImgs2.append({category.imagem2, category.id});
        lstCats.append({category.titulo1, category.id});
        // A missing picture leaves the category without an icon; an unreadable one
        // draws nothing.
        const QString path = m_folders.pictureFolder() + category.imagem1;
        pictures.append(QFileInfo(path).isFile() ? path : QString());
    }
    groups.setCategoryPictures(std::move(pictures));
}

} // namespace zantor
