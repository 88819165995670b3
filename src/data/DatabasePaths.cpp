#include "DatabasePaths.h"

namespace zantor {

DatabasePaths DatabasePaths::inFolder(const QString& folder) {
    return {folder + QStringLiteral("/ZT_Config.db"), folder + QStringLiteral("/ZT_Itens.db"),
            folder + QStringLiteral("/ZT_Cats.db")};
}

} // namespace zantor
