#pragma once

#include "dialogs/AboutPage.h"
#include "dialogs/CountingNotice.h"
#include "dialogs/DeleteConfirmation.h"
#include "dialogs/InfoPageWindow.h"
#include "editor/GroupEditor.h"
#include "editor/ItemsViewer.h"
#include "editor/MissingItemsWindow.h"
#include "editor/ResourcePickers.h"
#include "main/MainWindow.h"
#include "minilist/CompactList.h"
#include "settings/SettingsWindow.h"

// What the tests reach inside each window: its controls and what it keeps for itself.
// Each peer is a friend of its window; peer(window) makes the one for that window.
namespace zantor {

class MainWindowPeer {
public:
    explicit MainWindowPeer(MainWindow& window)
        : w(window) {}

    GroupListView* groupList() const { return w.m_groupList; }
    QLabel* messageLine() const { return w.m_messageLine; }
    QTimer& messageTimer() const { return w.m_messageTimer; }
    QLabel* groupCount() const { return w.m_groupCount; }
    QFrame* listCover() const { return w.m_listCover; }
    QFrame* headerCover() const { return w.m_headerCover; }
    QCheckBox* minimizeOnLaunch() const { return w.m_minimizeOnLaunch; }
    ClickableLabel* minimizeOnLaunchCaption() const { return w.m_minimizeOnLaunchCaption; }
    ImageButton* insertButton() const { return w.m_insertButton; }
    ImageButton* updateButton() const { return w.m_updateButton; }
    ImageButton* deleteButton() const { return w.m_deleteButton; }
    ImageButton* compactButton() const { return w.m_compactButton; }
    ImageButton* positionButton() const { return w.m_positionButton; }
    ImageButton* settingsButton() const { return w.m_settingsButton; }
    ImageButton* helpButton() const { return w.m_helpButton; }
    ImageButton* aboutButton() const { return w.m_aboutButton; }
    ImagePicture* categoryPicture() const { return w.m_categoryPicture; }
    const QIcon& defaultPicture() const { return w.m_defaultPicture; }
    QLabel* groupTitle() const { return w.m_groupTitle; }
    QPlainTextEdit* itemNames() const { return w.m_itemNames; }
    QLabel* groupDate() const { return w.m_groupDate; }
    QLabel* itemCount() const { return w.m_itemCount; }
    QLabel* categoryName() const { return w.m_categoryName; }
    const QString& addresses() const { return w.m_addresses; }
    bool listTouched() const { return w.m_listTouched; }

private:
    MainWindow& w;
};

class GroupEditorPeer {
public:
    explicit GroupEditorPeer(GroupEditor& editor)
        : w(editor) {}

    QLabel* heading() const { return w.m_heading; }
    QLabel* messageLine() const { return w.m_messageLine; }
    QLabel* warningLine() const { return w.m_warningLine; }
    QTimer& messageTimer() const { return w.m_messageTimer; }
    QLineEdit* groupTitle() const { return w.m_groupTitle; }
    QComboBox* category() const { return w.m_category; }
    QLineEdit* itemTitle() const { return w.m_itemTitle; }
    QLineEdit* itemAddress() const { return w.m_itemAddress; }
    ImageButton* addButton() const { return w.m_addButton; }
    ImageButton* deleteButton() const { return w.m_deleteButton; }
    ImageButton* updateButton() const { return w.m_updateButton; }
    ImagePicture* updateButtonCover() const { return w.m_updateButtonCover; }
    VolumeBox* driveBox() const { return w.m_pickers->driveBox(); }
    QTreeView* folderView() const { return w.m_pickers->folderView(); }
    QListView* fileView() const { return w.m_pickers->fileView(); }
    QListWidget* itemList() const { return w.m_itemList; }
    QPlainTextEdit* shownAddress() const { return w.m_shownAddress; }
    QToolButton* saveButton() const { return w.m_saveButton; }
    const QVector<GroupItem>& items() const { return w.m_items; }
    std::optional<int> loadedItem() const { return w.m_loadedItem; }

private:
    GroupEditor& w;
};

class SettingsWindowPeer {
public:
    explicit SettingsWindowPeer(SettingsWindow& window)
        : w(window) {}

    QRadioButton* alphabeticalOrder() const { return w.m_alphabeticalOrder; }
    QRadioButton* customOrder() const { return w.m_customOrder; }
    OrderingList* orderList() const { return w.m_orderList; }
    QLabel* dragHint() const { return w.m_dragHint; }
    QRadioButton* startInTray() const { return w.m_startInTray; }
    QCheckBox* minimizeOnLaunch() const { return w.m_minimizeOnLaunch; }
    QLineEdit* launchDelay() const { return w.m_launchDelay; }
    QCheckBox* desktopShortcut() const { return w.m_desktopShortcut; }
    QCheckBox* menuShortcut() const { return w.m_menuShortcut; }
    QCheckBox* remakeShortcuts() const { return w.m_remakeShortcuts; }
    ImageButton* addShortcutsButton() const { return w.m_addShortcutsButton; }
    QLineEdit* compactRows() const { return w.m_compactRows; }
    QCheckBox* startCompact() const { return w.m_startCompact; }
    QCheckBox* startMain() const { return w.m_startMain; }
    QRadioButton* compactMedium() const { return w.m_compactMedium; }
    QLabel* groupTotal() const { return w.m_groupTotal; }
    QPushButton* saveButton() const { return w.m_saveButton; }
    const ShortcutFlags& shortcutFlags() const { return w.m_shortcutFlags; }
    const QString& storedShortcuts() const { return w.m_storedShortcuts; }
    const QVector<ListEntry>& custom() const { return w.m_custom; }

private:
    SettingsWindow& w;
};

class CompactListPeer {
public:
    explicit CompactListPeer(CompactList& window)
        : w(window) {}

    CompactListView* groupList() const { return w.m_groupList; }
    BorderShape* listFrame() const { return w.m_listFrame; }
    QFrame* bottomBar() const { return w.m_bottomBar; }
    QLineEdit* rowCount() const { return w.m_rowCount; }
    ImageButton* positionButton() const { return w.m_positionButton; }
    ImageButton* keepOnTopButton() const { return w.m_keepOnTopButton; }
    ImageButton* leaveTopButton() const { return w.m_leaveTopButton; }
    ImageButton* closeButton() const { return w.m_closeButton; }
    int shownRows() const { return w.m_shownRows; }
    int mostRows() const { return w.m_mostRows; }

private:
    CompactList& w;
};

class CountingNoticePeer {
public:
    explicit CountingNoticePeer(CountingNotice& notice)
        : w(notice) {}

    QLabel* message() const { return w.m_message; }
    QLabel* count() const { return w.m_count; }

private:
    CountingNotice& w;
};

class DeleteConfirmationPeer {
public:
    explicit DeleteConfirmationPeer(DeleteConfirmation& confirmation)
        : w(confirmation) {}

    QLabel* question() const { return w.m_question; }
    QPushButton* yesButton() const { return w.m_yesButton; }
    QPushButton* noButton() const { return w.m_noButton; }

private:
    DeleteConfirmation& w;
};

class InfoPageWindowPeer {
public:
    explicit InfoPageWindowPeer(InfoPageWindow& page)
        : w(page) {}

    QLabel* heading() const { return w.m_heading; }

private:
    InfoPageWindow& w;
};

class AboutPagePeer {
public:
    explicit AboutPagePeer(AboutPage& page)
        : w(page) {}

    QLabel* version() const { return w.m_version; }
    ImageButton* siteButton() const { return w.m_siteButton; }
    ClickableLabel* address() const { return w.m_address; }

private:
    AboutPage& w;
};

class ItemsViewerPeer {
public:
    explicit ItemsViewerPeer(ItemsViewer& viewer)
        : w(viewer) {}

    QLabel* groupTitle() const { return w.m_groupTitle; }
    QPlainTextEdit* listing() const { return w.m_listing; }
    ImageButton* closeButton() const { return w.m_closeButton; }

private:
    ItemsViewer& w;
};

class MissingItemsWindowPeer {
public:
    explicit MissingItemsWindowPeer(MissingItemsWindow& window)
        : w(window) {}

    const auto& rows() const { return w.m_rows; }

private:
    MissingItemsWindow& w;
};

inline MainWindowPeer peer(MainWindow& window) {
    return MainWindowPeer(window);
}
inline GroupEditorPeer peer(GroupEditor& editor) {
    return GroupEditorPeer(editor);
}
inline SettingsWindowPeer peer(SettingsWindow& window) {
    return SettingsWindowPeer(window);
}
inline CompactListPeer peer(CompactList& window) {
    return CompactListPeer(window);
}
inline CountingNoticePeer peer(CountingNotice& notice) {
    return CountingNoticePeer(notice);
}
inline DeleteConfirmationPeer peer(DeleteConfirmation& confirmation) {
    return DeleteConfirmationPeer(confirmation);
}
inline AboutPagePeer peer(AboutPage& page) {
    return AboutPagePeer(page);
}
inline ItemsViewerPeer peer(ItemsViewer& viewer) {
    return ItemsViewerPeer(viewer);
}
inline MissingItemsWindowPeer peer(MissingItemsWindow& window) {
    return MissingItemsWindowPeer(window);
}

} // namespace zantor
