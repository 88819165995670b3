#pragma once

#include "chrome/PageWindow.h"
#include "chrome/StatusLines.h"
#include "data/ItemListCodec.h"
#include "state/WindowRequests.h"

#include <QTimer>
#include <QVector>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListView;
class QListWidget;
class QPlainTextEdit;
class QToolButton;
class QTreeView;

namespace zantor {

class ImageButton;
class ImagePicture;
class ResourcePickers;
class SharedState;
class VolumeBox;

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

    // Controls, by name.
    QLabel* shpTit1;
    QLabel* shpTit2;
    QLabel* lblAction;
    QLabel* lblMensagem;
    QLabel* lblMensagem2;
    QGroupBox* Frame1;
    QLabel* lblTitulo;
    QLineEdit* txtTitulo1;
    QLabel* Label3;
    QComboBox* cmbCategorias;
    QGroupBox* frmStatus;
    QLabel* lblTitulo2;
    QLineEdit* txtTitulo2;
    QLabel* lblEndereco;
    QLineEdit* txtAddress;
    ImageButton* btnAdd;
    ImageButton* btnDelete;
    ImageButton* btnUpdate;
    ImagePicture* btnUpdateOff;
    VolumeBox* DriveList;
    QTreeView* DirList;
    QListView* FileList;
    QListWidget* List1;
    QPlainTextEdit* txtListAddress;
    ImagePicture* imgSave;
    QToolButton* btnSave;
    QTimer TimerMensagem;

    // One entry per item of List1, in the same order.
    QVector<GroupItem> List2;
    // The index in List1 of the item loaded for editing, as text; "" when none is.
    QString lblUpdItem;

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
    StatusLines m_messageLines;
    ResourcePickers* m_pickers;
};

} // namespace zantor
