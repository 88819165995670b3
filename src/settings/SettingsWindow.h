#pragma once

#include "ShortcutCommands.h"
#include "chrome/PageWindow.h"
#include "platform/Shortcuts.h"
#include "state/ListEntry.h"

#include <QVector>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace zantor {

class ImageButton;
class ImagePicture;
class OrderingList;
class SharedState;
struct SettingsOptions;

// The settings window: the stored options, the order of the groups and the shortcuts.
// It covers the main window while open; "Atualizar" stores everything and hands back,
// the close image hands back without storing.
class SettingsWindow : public PageWindow {
    Q_OBJECT
public:
    SettingsWindow(SharedState& state, PageHostWindow& host);

    // Shows the stored options and the groups. False when a database could not be
    // read; the user has been told why.
    bool load();

signals:
    // For the main window's status line, after a save.
    void statusMessage(const QString& text);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildTitle();
    void buildOrderBox();
    void buildTrayBox();
    void buildCompactBox();
    void buildShortcutsBox();
    void buildDelayBox();
    void buildFooter();
    void connectControls();
    void showOptions(const SettingsOptions& options);
    // The list switch: shows the groups alphabetically or in the custom order.
    void showOrder(bool custom);
    // Moves the entry at `origin` to `target` in the custom order.
    void moveEntry(int origin, int target);
    void createShortcuts();
    void deleteShortcuts();
    // "Atualizar": stores every option, the shortcuts and the custom order, passes the
    // delay and the compact list's width and rows on at once, and hands back.
    void saveAndClose();
    ShortcutTicks shortcutTicks() const;
    Shortcuts shortcutFiles() const;
    // The report in a message over `over`.
    void showShortcutReport(QWidget* over, const ShortcutReport& report);
    // The options as they are to be stored; `atalhos` as the shortcuts decided it.
    SettingsOptions chosenOptions(const QString& atalhos) const;

    SharedState& m_state;

    QRadioButton* m_alphabeticalOrder;
    QRadioButton* m_customOrder;
    OrderingList* m_orderList;
    QLabel* m_dragHint;
    QRadioButton* m_startShown;
    QRadioButton* m_startInTray;
    QCheckBox* m_minimizeOnLaunch;
    QLineEdit* m_launchDelay;
    QCheckBox* m_desktopShortcut;
    QCheckBox* m_menuShortcut;
    QCheckBox* m_loginShortcut;
    QCheckBox* m_remakeShortcuts;
    ImageButton* m_addShortcutsButton;
    ImageButton* m_deleteShortcutsButton;
    QLineEdit* m_compactRows;
    QCheckBox* m_startCompact;
    QCheckBox* m_startMain;
    QRadioButton* m_compactNarrow;
    QRadioButton* m_compactMedium;
    QRadioButton* m_compactWide;
    QLabel* m_groupTotal;
    QPushButton* m_saveButton;

    // Which shortcuts the window believes exist, and the atalhos text as read.
    ShortcutFlags m_shortcutFlags;
    QString m_storedShortcuts;
    // numMiniList as read: stored again when the box holds no number.
    QString m_storedCompactRows;
    // How many groups there are: the most rows the compact list may show.
    int m_groupCount = 0;
    // The groups by title and in the custom order.
    QVector<ListEntry> m_alphabetical;
    QVector<ListEntry> m_custom;

    friend class SettingsWindowPeer;
};

} // namespace zantor
