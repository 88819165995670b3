#pragma once

#include "chrome/PageWindow.h"
#include "chrome/StatusLines.h"
#include "data/ItemListCodec.h"
#include "state/WindowRequests.h"

#include <QTimer>
#include <QVector>
#include <optional>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QToolButton;

namespace zantor {

class ImageButton;
class ImagePicture;
class ResourcePickers;
class SharedState;

// The group editor: a new group or a change to one, as its request says for its whole
// life. It covers the main window until it is closed or the group is saved; nothing
// reaches the database before the save.
class GroupEditor : public PageWindow {
    Q_OBJECT
public:
    GroupEditor(PageHostWindow& host, SharedState& state, const EditorRequest& request);

    // The load sequence: the categories and, for a change, the group. False when the
    // group could not be read; the user has been told why.
    bool load();
    const EditorRequest& request() const { return m_request; }

    // A short message for two seconds; the save's warning for three. One timer clears
    // both lines.
    void showEditorMessage(const QString& text);
    void showEditorWarning(const QString& text);

signals:
    // The group this editor was opened for is stored with its new title and items.
    void groupUpdated(int groupId);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void buildGroupFrame();
    void buildItemFrame();
    void buildSaveButton();
    void connectControls();
    void fillCategories();

    // The arguments box follows the address: open for a program or an application's
    // entry, empty for anything else.
    void followAddress();
    void chooseApplication();
    // The item as its boxes hold it.
    GroupItem typedItem() const;
    void clearItemBoxes();

    // The item operations.
    void addItem();
    void deleteItem();
    void showSelectedAddress();
    void loadSelectedItem();
    void updateItem();
    // Adds an item the user named, with the beep and the message of an add.
    bool appendItem(const GroupItem& item);
    // False, with the reason said, when the item cannot go into the list.
    bool acceptsItem(const GroupItem& item);
    void coverUpdateButton(bool covered);
    void addDroppedItems(const QVector<GroupItem>& items);

    void saveGroup();
    // Beep and message, as every operation of the editor says what it did.
    void tell(const QString& text);

    SharedState& m_state;
    const EditorRequest m_request;

    QLabel* m_heading;
    QLabel* m_messageLine;
    QLabel* m_warningLine;
    QLineEdit* m_groupTitle;
    QComboBox* m_category;
    // The item area: its boxes, its list and the pickers, and where items are dropped.
    QGroupBox* m_itemFrame;
    QLineEdit* m_itemTitle;
    QLineEdit* m_itemAddress;
    QLineEdit* m_itemArguments;
    // Says beside the arguments box that the application takes none.
    QLabel* m_argumentsNote;
    ImageButton* m_addButton;
    ImageButton* m_deleteButton;
    ImageButton* m_updateButton;
    // Covers the update button while no item is loaded for editing.
    ImagePicture* m_updateButtonCover;
    ResourcePickers* m_pickers;
    QPushButton* m_applicationsButton;
    QListWidget* m_itemList;
    QPlainTextEdit* m_shownAddress;
    QToolButton* m_saveButton;
    QTimer m_messageTimer;
    StatusLines m_messageLines;

    // One entry per row of the item list, in the same order.
    QVector<GroupItem> m_items;
    // The row loaded for editing, while one is.
    std::optional<int> m_loadedItem;
    // The arguments as last typed or loaded: an address that stops naming a program on
    // the way to another one does not lose them.
    QString m_typedArguments;
    // What the drag over the item area carries, read once as it entered.
    bool m_dragCarriesItems = false;

    friend class GroupEditorPeer;
};

} // namespace zantor
