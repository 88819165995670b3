#include "DatabasePaths.h"

namespace zantor {

QString databaseFolder(const QString& appFolder) {
    return appFolder + QStringLiteral("/BD/");
}

QString imageFolder(const QString& appFolder) {
    return appFolder + QStringLiteral("/IMG/");
}

DatabasePaths DatabasePaths::inAppFolder(const QString& appFolder) {
    const QString folder = databaseFolder(appFolder);
    return {folder + QStringLiteral("ZT_Config.db"), folder + QStringLiteral("ZT_Itens.db"),
            folder + QStringLiteral("ZT_Cats.db")};
}

} // namespace zantor
