#pragma once

#include "GroupListModel.h"
#include "ListEntry.h"
#include "data/AppFolders.h"
#include "data/SettingsStore.h"

#include <QIcon>
#include <QObject>
#include <QString>
#include <QVector>

namespace zantor {

// What the windows share, by the names the program gives these values. The start-up
// makes and loads it; every window gets it by reference and reads or writes it here, so
// no window needs another to reach them. Values are text, as stored.
class SharedState : public QObject {
    Q_OBJECT
public:
    // `programFolder` holds the running executable; the folders follow from it.
    explicit SharedState(const QString& programFolder, QObject* parent = nullptr);

    const AppFolders& folders() const { return m_folders; }
    const DatabasePaths& paths() const { return m_paths; }
    // A picture of the IMG folder, drawn crisp at any size when shown; empty when the
    // file is missing or is no picture Qt can read.
    QIcon picture(const QString& fileName) const;

    // The settings row as the start-up read it, and the values copied from it.
    void takeStartupSettings(const StartupSettings& settings);
    const StartupSettings& startupSettings() const { return m_startupSettings; }
    // Categories in ascending id order: lstCats, lstImgs2 and the list icons.
    // Throws DatabaseError.
    void loadCategories();

    // The delay between two resources, in ms.
    int tempoMs() const { return lblTempo.toInt(); }
    // The compact window's width, in twips.
    int optLarguraTwips() const { return lblOptLargura.toInt(); }
    int miniLeftTwips() const { return lblMiniLeft.toInt(); }
    int miniTopTwips() const { return lblMiniTop.toInt(); }
    int numMiniList() const { return lblNumMiniList.toInt(); }
    bool startsInTray() const { return lblIniMinimized.toInt() == 1; }
    bool itemSelected() const { return lblItemSel.toInt() != 0; }

    // The text width of the compact window for a stored optLargura choice.
    static QString compactWidthFor(const QString& optLargura);

    QString lblTempo = QStringLiteral("0");
    QString lblIniMinimized = QStringLiteral("1");
    QString lblOptLargura = QStringLiteral("0");
    QString lblMiniLeft = QStringLiteral("0");
    QString lblMiniTop = QStringLiteral("0");
    QString lblNumMiniList = QStringLiteral("5");
    // Follows the group list: the number of groups it shows.
    QString lblNumtotal = QStringLiteral("0");
    // Id of the group last shown or chosen for editing.
    QString lblNumUpdate;
    // The editor's mode: "Insert" or "Update".
    QString lblInsertUpdate;
    // "1" once the user has touched the group list.
    QString lblItemSel = QStringLiteral("0");
    // The selected group's item list, unescaped.
    QString txtAddress;
    QVector<ListEntry> lstCats;
    QVector<ListEntry> lstImgs2;

    // Every list of groups shows this model.
    GroupListModel groups;

private:
    SharedState(AppFolders folders, QObject* parent);

    AppFolders m_folders;
    DatabasePaths m_paths;
    StartupSettings m_startupSettings;
};

} // namespace zantor
