#include "SettingsStore.h"

#include "DatabaseError.h"
#include "DbSession.h"

namespace zantor {

StartupSettings readStartupSettings(const QString& settingsPath) {
    DbSession db(settingsPath);
    const auto rows =
        db.select(QStringLiteral("SELECT [left],[top],miniLeft,miniTop,numMiniList,optLargura,checkMini,"
                                 "viewData,ordemPosts,iniMinimized,checkMinimize,tempo "
                                 "FROM Tabela1 where id=1"));
    if (rows.isEmpty())
        throw DatabaseError(settingsPath, QStringLiteral("A linha de configurações (id 1) não existe."));
    const QSqlRecord& row = rows.first();
    const auto text = [&row](const char* column) { return columnText(row, QString::fromLatin1(column)); };
    return {text("left"),        text("top"),          text("miniLeft"),      text("miniTop"),
            text("numMiniList"), text("optLargura"),   text("checkMini"),     text("viewData"),
            text("ordemPosts"),  text("iniMinimized"), text("checkMinimize"), text("tempo")};
}

void storeWindowPosition(const QString& settingsPath, int left, int top) {
    DbSession db(settingsPath);
    db.execute(QStringLiteral("update Tabela1 set [left]=?,[top]=? where id=1"), {left, top});
}

void storeCompactWindowPosition(const QString& settingsPath, int left, int top) {
    DbSession db(settingsPath);
    db.execute(QStringLiteral("update Tabela1 set [miniLeft]=?,[miniTop]=? where id=1"), {left, top});
}

} // namespace zantor
