#include "GroupSave.h"

#include "DatabaseError.h"
#include "DbSession.h"
#include "TextEscaping.h"

#include <algorithm>

namespace zantor {

bool isBlankTitle(const QString& title) {
    return std::all_of(title.begin(), title.end(), [](QChar c) { return c == QLatin1Char(' '); });
}

QVariantList storedGroupValues(const GroupContent& group) {
    const StoredItemList items = writeItemList(group.items);
    return {storedText(group.title), items.texto1, items.texto2, items.qtd, group.dataUpd, group.categoria};
}

void insertGroup(const QString& groupsPath, const GroupContent& group) {
    DbSession db(groupsPath);
    // One statement reads the last place and takes the next one, so nothing can come
    // between the two.
    db.execute(QStringLiteral("insert into Tabela1 (titulo1,texto1,texto2,qtd,dataUpd,categoria,ordem) "
                              "select ?,?,?,?,?,?,coalesce(max(ordem),0)+1 from Tabela1"),
               storedGroupValues(group));
}

void updateGroup(const QString& groupsPath, int id, const GroupContent& group) {
    DbSession db(groupsPath);
    db.inTransaction([&] {
        // An update of a row that is gone would change nothing and still look saved.
        if (db.select(QStringLiteral("select id from Tabela1 where id=?"), {id}).isEmpty())
            throw DatabaseError(groupsPath,
                                QStringLiteral("O grupo não existe mais; ele pode ter sido excluído."));
        db.execute(
            QStringLiteral("UPDATE Tabela1 SET [titulo1]=?, [texto1]=?, [texto2]=?, [qtd]=?, [dataUpd]=?, "
                           "[categoria]=? WHERE id=?"),
            storedGroupValues(group) << id);
    });
}

} // namespace zantor
