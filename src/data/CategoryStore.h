#pragma once

#include <QString>
#include <QVector>

namespace zantor {

struct Category {
    int id = 0;
    QString titulo1;
    QString imagem1; // small image, the list icon
    QString imagem2; // large image, the details panel
};

// All categories in ascending id order; Null texts read as "".
QVector<Category> loadCategories(const QString& categoriesPath);

} // namespace zantor
