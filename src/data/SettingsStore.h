#pragma once

#include <QString>

namespace zantor {

// The settings row as the start-up reads it: every value as stored, in text form.
struct StartupSettings {
    QString left;
    QString top;
    QString miniLeft;
    QString miniTop;
    QString numMiniList;
    QString optLargura;
    QString checkMini;
    QString viewData;
    QString ordemPosts;
    QString iniMinimized;
    QString checkMinimize;
    QString tempo;
};

// The options the settings window shows and stores, each as the text stored.
struct SettingsOptions {
    QString ordemPosts;
    QString iniMinimized;
    QString checkMinimize;
    QString tempo;
    QString atalhos;
    QString numMiniList;
    QString checkMini;
    QString optLargura;
};

// Throws DatabaseError, also when the settings row is missing.
StartupSettings readStartupSettings(const QString& settingsPath);

// The main window's place for the next start, in twips.
void storeWindowPosition(const QString& settingsPath, int left, int top);
// The compact window's place for its next opening, in twips.
void storeCompactWindowPosition(const QString& settingsPath, int left, int top);

// Throws DatabaseError, also when the settings row is missing.
SettingsOptions readSettingsOptions(const QString& settingsPath);
// Every option in one statement. Throws DatabaseError.
void storeSettingsOptions(const QString& settingsPath, const SettingsOptions& options);

} // namespace zantor
