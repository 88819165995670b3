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

// Numbers and flags are whole numbers as typed; one that is no number reads as 0.
int number(const QString& text) {
    return text.toInt();
}

std::chrono::milliseconds launchDelay(const QString& tempo) {
    return std::chrono::milliseconds(number(tempo));
}

CompactWidth compactWidth(const QString& optLargura) {
    switch (number(optLargura)) {
    case 1:
        return CompactWidth::Narrow;
    case 2:
        return CompactWidth::Medium;
    default:
        return CompactWidth::Wide;
    }
}

} // namespace

Settings readSettings(const QString& settingsPath) {
    DbSession db(settingsPath);
    const QSqlRecord row =
        settingsRow(db, settingsPath,
                    QStringLiteral("[left],[top],miniLeft,miniTop,numMiniList,optLargura,"
                                   "checkMini,ordemPosts,iniMinimized,checkMinimize,tempo"));
    const auto text = [&row](const char* column) { return columnText(row, QString::fromLatin1(column)); };
    Settings settings;
    // The main window's place may be stored as a decimal number.
    settings.mainPosition = QPoint(qRound(text("left").toDouble()), qRound(text("top").toDouble()));
    settings.compactPosition = QPoint(number(text("miniLeft")), number(text("miniTop")));
    settings.compactRows = number(text("numMiniList"));
    settings.compactWidth = compactWidth(text("optLargura"));
    settings.startCompact = number(text("checkMini")) == 0;
    settings.startInTray = number(text("iniMinimized")) == 1;
    settings.groupOrder = number(text("ordemPosts")) == 0 ? GroupOrder::Alphabetical : GroupOrder::Custom;
    settings.minimizeOnLaunch = number(text("checkMinimize")) != 0;
    settings.launchDelay = launchDelay(text("tempo"));
    return settings;
}

Settings withImmediateOptions(Settings settings, const SettingsOptions& options) {
    settings.launchDelay = launchDelay(options.tempo);
    settings.compactWidth = compactWidth(options.optLargura);
    settings.compactRows = number(options.numMiniList);
    return settings;
}

void storeWindowPosition(const QString& settingsPath, QPoint place) {
    DbSession db(settingsPath);
    db.execute(QStringLiteral("update Tabela1 set [left]=?,[top]=? where id=1"), {place.x(), place.y()});
}

void storeCompactWindowPosition(const QString& settingsPath, QPoint place) {
    DbSession db(settingsPath);
    db.execute(QStringLiteral("update Tabela1 set [miniLeft]=?,[miniTop]=? where id=1"),
               {place.x(), place.y()});
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
