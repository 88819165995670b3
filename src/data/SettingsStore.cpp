#include "SettingsStore.h"

#include "DatabaseError.h"
#include "DbSession.h"

namespace zantor {

namespace {

QSqlRecord settingsRow(DbSession& db, const QString& settingsPath, const QString& columns) {
    const auto rows = db.select(QStringLiteral("SELECT %1 FROM Tabela1 where id=1").arg(columns));
    if (rows.isEmpty())
        throw DatabaseError(settingsPath, QStringLiteral("A linha de configurações (id 1) não existe."));
    return rows.first();
}

} // namespace

StartupSettings readStartupSettings(const QString& settingsPath) {
    DbSession db(settingsPath);
    const QSqlRecord row =
        settingsRow(db, settingsPath,
                    QStringLiteral("[left],[top],miniLeft,miniTop,numMiniList,optLargura,"
                                   "checkMini,viewData,ordemPosts,iniMinimized,checkMinimize,tempo"));
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

SettingsOptions readSettingsOptions(const QString& settingsPath) {
    DbSession db(settingsPath);
    const QSqlRecord row = settingsRow(db, settingsPath, QStringLiteral("*"));
    const auto text = [&row](const char* column) { return columnText(row, QString::fromLatin1(column)); };
    return {text("ordemPosts"), text("iniMinimized"), text("checkMinimize"), text("tempo"),
            text("atalhos"),    text("numMiniList"),  text("checkMini"),     text("optLargura")};
}

void storeSettingsOptions(const QString& settingsPath, const SettingsOptions& options) {
    DbSession db(settingsPath);
    db.execute(
        QStringLiteral("UPDATE Tabela1 SET [ordemPosts]=?, [iniMinimized]=?, [checkMinimize]=?, [tempo]=?, "
                       "[atalhos]=?, [numMiniList]=?, [checkMini]=?, [optLargura]=? WHERE id=1"),
        {options.ordemPosts, options.iniMinimized, options.checkMinimize, options.tempo, options.atalhos,
         options.numMiniList, options.checkMini, options.optLargura});
}

} // namespace zantor
