#include "CategoryStore.h"

#include "DbSession.h"

namespace zantor {

QVector<Category> loadCategories(const QString& categoriesPath) {
    DbSession db(categoriesPath);
    QVector<Category> categories;
    for (const QSqlRecord& row :
         db.select(QStringLiteral("SELECT id,titulo1,imagem1,imagem2 FROM Tabela1 order by id asc"))) {
        categories.append(
            {row.value(QStringLiteral("id")).toInt(), columnText(row, QStringLiteral("titulo1")),
             columnText(row, QStringLiteral("imagem1")), columnText(row, QStringLiteral("imagem2"))});
    }
    return categories;
}

} // namespace zantor
