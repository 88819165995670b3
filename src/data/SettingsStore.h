#pragma once

#include "GroupStore.h"

#include <QPoint>
#include <QString>
#include <chrono>

namespace zantor {

// The compact list's width, as the settings window offers it.
enum class CompactWidth { Narrow, Medium, Wide };

// The settings row as the program works with it. The row keeps every value as it was
// typed; these are what the program reads them as.
struct Settings {
    // The windows' places for their next opening, in twips.
    QPoint mainPosition;
    QPoint compactPosition;
    // The compact list's rows as stored; it shows 0 to 15 of them.
    int compactRows = 5;
    CompactWidth compactWidth = CompactWidth::Wide;
    // The first window: the compact list or the main window, shown or in the tray.
    bool startCompact = false;
    bool startInTray = false;
    GroupOrder groupOrder = GroupOrder::Alphabetical;
    // The main window's "Minimizar para o tray ao abrir recursos" as the start ticks it.
    bool minimizeOnLaunch = false;
    // Between two resources of a run.
    std::chrono::milliseconds launchDelay{1000};

    friend bool operator==(const Settings&, const Settings&) = default;
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
Settings readSettings(const QString& settingsPath);
// `settings` with the stored options that take effect at once: the delay and the
// compact list's width and rows. The others wait for the next start.
Settings withImmediateOptions(Settings settings, const SettingsOptions& options);

// The main window's place for the next start, in twips.
void storeWindowPosition(const QString& settingsPath, QPoint place);
// The compact window's place for its next opening, in twips.
void storeCompactWindowPosition(const QString& settingsPath, QPoint place);

// Throws DatabaseError, also when the settings row is missing.
SettingsOptions readSettingsOptions(const QString& settingsPath);
// Every option in one statement. Throws DatabaseError.
void storeSettingsOptions(const QString& settingsPath, const SettingsOptions& options);

} // namespace zantor
