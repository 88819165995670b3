#include "GroupEditor.h"

#include "DroppedItems.h"
#include "ResourcePickers.h"
#include "VolumeBox.h"
#include "chrome/DatabaseAction.h"
#include "chrome/ImageButton.h"
#include "chrome/ImagePicture.h"
#include "chrome/ListStyling.h"
#include "chrome/PageHostWindow.h"
#include "chrome/Prompt.h"
#include "chrome/SystemColours.h"
#include "chrome/TextStyle.h"
#include "chrome/Twips.h"
#include "chrome/WindowTitle.h"
#include "data/AlphabeticalOrder.h"
#include "data/DatabaseError.h"
#include "data/GroupSave.h"
#include "data/GroupStore.h"
#include "data/TextEscaping.h"
#include "platform/Pictures.h"
#include "state/SharedState.h"

#include <QComboBox>
#include <QDate>
#include <QDir>
#include <QDropEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QToolButton>
#include <QTreeView>
#include <algorithm>

namespace zantor {

namespace {

const QString kEmptyTexts = QStringLiteral("Título e Endereço não podem estar vazios.");
const QString kNoSelection = QStringLiteral("É preciso selecionar um item primeiro.");

QLabel* makeLabel(const char* name, const QString& text, QWidget* parent, QPoint placeTwips) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->move(twips::toPixels(placeTwips.x()), twips::toPixels(placeTwips.y()));
    label->adjustSize();
    return label;
}

QLineEdit* makeTextBox(const char* name, const QString& accessibleName, QWidget* parent, QRect geometry) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setAccessibleName(accessibleName);
    box->setGeometry(geometry);
    return box;
}

QGroupBox* makeFrame(const char* name, const QString& title, QWidget* parent, QRect geometry) {
    auto* frame = new QGroupBox(title, parent);
    frame->setObjectName(QString::fromLatin1(name));
    frame->setAccessibleName(title);
    frame->setGeometry(geometry);
    return frame;
}

} // namespace

GroupEditor::GroupEditor(PageHostWindow& host, SharedState& state, const EditorRequest& request)
    : PageWindow(host, QStringLiteral("GroupEditor"))
    , m_state(state)
    , m_request(request)
    , m_messageLines(TimerMensagem) {
    setFont(sansSerif(11));
    buildControls();
    connectControls();
}

void GroupEditor::buildControls() {
    const TitleLines titleLines = addTitleLines(this);
    shpTit1 = titleLines.shpTit1;
    shpTit2 = titleLines.shpTit2;

    lblAction = new QLabel(this);
    lblAction->setObjectName(QStringLiteral("lblAction"));
    lblAction->setGeometry(twips::rect(3145, 760, 3135, 255));
    lblAction->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    lblAction->setFont(sansSerif(12, true));
    setTextColour(lblAction, colours::windowFrame());

    lblMensagem = new QLabel(this);
    lblMensagem->setObjectName(QStringLiteral("lblMensagem"));
    lblMensagem->setGeometry(twips::rect(240, 720, 4815, 255));
    lblMensagem->setAlignment(Qt::AlignCenter);
    lblMensagem->setFont(sansSerif(11, true));
    setTextColour(lblMensagem, colours::statusRed());

    lblMensagem2 = new QLabel(this);
    lblMensagem2->setObjectName(QStringLiteral("lblMensagem2"));
    lblMensagem2->setGeometry(twips::rect(2160, 330, 2775, 615));
    lblMensagem2->setAlignment(Qt::AlignCenter);
    lblMensagem2->setWordWrap(true);
    lblMensagem2->setFont(sansSerif(9, true));
    setTextColour(lblMensagem2, colours::statusRed());
    m_messageLines.add(lblMensagem);
    m_messageLines.add(lblMensagem2);

    buildGroupFrame();
    buildItemFrame();
    buildSaveButton();
}

void GroupEditor::buildGroupFrame() {
    Frame1 = makeFrame("Frame1", QStringLiteral("Grupo"), this, twips::rect(260, 960, 6100, 1095));
    lblTitulo = makeLabel("lblTitulo", QStringLiteral("Título do Grupo"), Frame1, {200, 330});
    txtTitulo1 = makeTextBox("txtTitulo1", lblTitulo->text(), Frame1, twips::rect(200, 575, 2615, 315));
    Label3 = makeLabel("Label3", QStringLiteral("Categoria"), Frame1, {3075, 330});
    cmbCategorias = new QComboBox(Frame1);
    cmbCategorias->setObjectName(QStringLiteral("cmbCategorias"));
    cmbCategorias->setAccessibleName(Label3->text());
    cmbCategorias->setGeometry(twips::rect(3075, 575, 2830, 315));
    cmbCategorias->setPlaceholderText(QStringLiteral("Categoria do Grupo"));
    // Screen readers name a box by its caption.
    lblTitulo->setBuddy(txtTitulo1);
    Label3->setBuddy(cmbCategorias);
}

void GroupEditor::buildItemFrame() {
    frmStatus = makeFrame("frmStatus", QStringLiteral("Itens"), this, twips::rect(260, 2200, 6100, 4060));
    lblTitulo2 = makeLabel("lblTitulo2", QStringLiteral("Título do Item"), frmStatus, {200, 375});
    txtTitulo2 = makeTextBox("txtTitulo2", lblTitulo2->text(), frmStatus, twips::rect(200, 600, 2615, 285));

    const auto makeButton = [this](const char* name, const char* picture, const QString& toolTip, int left) {
        auto* button =
            new ImageButton(QString::fromLatin1(name),
                            zantor::picture(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(picture))),
                            toolTip, frmStatus);
        button->setGeometry(twips::rect(left, 600, 270, 270));
        attachPressEffect(button);
        return button;
    };
    btnAdd = makeButton("btnAdd", "button-insert", QStringLiteral(" Adicionar item "), 3075);
    btnDelete = makeButton("btnDelete", "button-delete", QStringLiteral(" Deletar item "), 3430);
    btnUpdate = makeButton("btnUpdate", "button-update", QStringLiteral(" Atualizar item "), 5630);
    btnUpdateOff = new ImagePicture(QStringLiteral("btnUpdateOff"),
                                    QStringLiteral("Atualizar item (indisponível)"), frmStatus);
    btnUpdateOff->setIcon(picture(QStringLiteral(":/icons/button-update-off.svg")));
    btnUpdateOff->setGeometry(btnUpdate->geometry());

    m_pickers = new ResourcePickers(frmStatus);
    DriveList = m_pickers->DriveList;
    DriveList->setGeometry(twips::rect(200, 1200, 2615, 315));
    DirList = m_pickers->DirList;
    DirList->setGeometry(twips::rect(200, 1605, 2615, 990));
    FileList = m_pickers->FileList;
    FileList->setGeometry(twips::rect(195, 2745, 2580, 1065));

    lblEndereco = makeLabel("lblEndereco", QStringLiteral("Endereço"), frmStatus, {3065, 975});
    txtAddress =
        makeTextBox("txtAddress", lblEndereco->text(), frmStatus, twips::rect(3075, 1200, 2830, 315));

    List1 = new QListWidget(frmStatus);
    List1->setObjectName(QStringLiteral("List1"));
    List1->setAccessibleName(QStringLiteral("Itens do grupo"));
    List1->setToolTip(QStringLiteral(" Duplo clique para atualizar "));
    List1->setGeometry(twips::rect(3075, 1605, 2835, 1035));
    List1->setSelectionMode(QAbstractItemView::SingleSelection);
    nameScrollBars(List1);

    txtListAddress = new QPlainTextEdit(frmStatus);
    txtListAddress->setObjectName(QStringLiteral("txtListAddress"));
    txtListAddress->setAccessibleName(QStringLiteral("Endereço do item"));
    txtListAddress->setGeometry(twips::rect(3075, 2715, 2835, 1065));
    // Small enough for the hint's lines and for long addresses to fit the box.
    txtListAddress->setFont(sansSerif(9));
    txtListAddress->document()->setDocumentMargin(2);
    // Long addresses wrap anywhere instead of hiding past the right edge.
    txtListAddress->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    txtListAddress->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    txtListAddress->setPlainText(QStringLiteral("Após o cadastro, caso precise, clique \r\n"
                                                "na lista acima para conferir o endereço \r\n"
                                                "do item ou para atualizá-lo.\r\n"));
    nameScrollBars(txtListAddress);

    // Files, folders and web links dropped anywhere on the item area become items.
    frmStatus->setAcceptDrops(true);
    frmStatus->installEventFilter(this);
    for (QWidget* child : frmStatus->findChildren<QWidget*>())
        child->installEventFilter(this);
}

void GroupEditor::buildSaveButton() {
    imgSave = new ImagePicture(QStringLiteral("imgSave"), QStringLiteral("Fundo do botão Salvar"), this);
    imgSave->setIcon(picture(QStringLiteral(":/icons/save-background.svg")));
    imgSave->setGeometry(twips::rect(4830, 6375, 1515, 300));

    btnSave = new QToolButton(this);
    btnSave->setObjectName(QStringLiteral("btnSave"));
    btnSave->setText(QStringLiteral("Salvar Grupo "));
    btnSave->setToolTip(QStringLiteral(" Salvar Grupo e fechar "));
    btnSave->setAccessibleName(btnSave->text().trimmed());
    btnSave->setGeometry(twips::rect(4830, 6415, 1515, 260));
    btnSave->setCursor(Qt::PointingHandCursor);
    btnSave->setFont(sansSerif(11, true));
    // Only its caption: the picture below is its face.
    btnSave->setStyleSheet(
        QStringLiteral("QToolButton { border: none; background: transparent; color: white; }"));
    attachPressEffect(btnSave);
}

void GroupEditor::connectControls() {
    connect(btnAdd, &QAbstractButton::clicked, this, &GroupEditor::addItem);
    connect(btnDelete, &QAbstractButton::clicked, this, &GroupEditor::deleteItem);
    connect(btnUpdate, &QAbstractButton::clicked, this, &GroupEditor::updateItem);
    connect(btnSave, &QAbstractButton::clicked, this, &GroupEditor::saveGroup);
    // A click shows an entry, also the one already selected; the keys show each
    // entry they move to.
    connect(List1, &QListWidget::itemClicked, this, &GroupEditor::showSelectedAddress);
    connect(List1, &QListWidget::currentRowChanged, this, &GroupEditor::showSelectedAddress);
    connect(List1, &QListWidget::itemDoubleClicked, this, &GroupEditor::loadSelectedItem);
    connect(m_pickers, &ResourcePickers::addressPicked, txtAddress, &QLineEdit::setText);
    // The whole address, also when it is longer than the box.
    connect(txtAddress, &QLineEdit::textChanged, txtAddress, &QWidget::setToolTip);
}

bool GroupEditor::load() {
    sizeBorderShapes();
    txtListAddress->setReadOnly(true);
    removeListBorder(List1);
    imgMinimizar->show();
    coverUpdateButton(true);
    m_pickers->showFolder(QDir::homePath());

    if (m_request.mode == EditorRequest::Mode::Insert) {
        fillCategories();
        // The first by title; without categories the box stays on its hint.
        cmbCategorias->setCurrentIndex(0);
        return true;
    }
    std::optional<GroupDetails> group;
    const QString groupsPath = m_state.paths().groups;
    const int id = m_request.groupId;
    // An editor that could not load goes at once: the message stays with the main window.
    const bool read = runDatabaseAction(&host(), [&] {
        group = readGroupDetails(groupsPath, id);
        if (!group)
            throw DatabaseError(groupsPath,
                                QStringLiteral("O grupo não existe mais; ele pode ter sido excluído."));
    });
    if (!read)
        return false;
    txtTitulo1->setText(unescapeText(group->titulo1));
    List2 = editorItems(group->texto1, group->texto2);
    for (const GroupItem& item : std::as_const(List2))
        List1->addItem(item.title);
    fillCategories();
    // A category that is gone leaves the box on its hint.
    cmbCategorias->setCurrentIndex(cmbCategorias->findData(group->categoria.toInt()));
    return true;
}

void GroupEditor::fillCategories() {
    // The categories were read at the start and never change while the program runs.
    QVector<ListEntry> categories = m_state.lstCats;
    sortAlphabetically(categories, [](const ListEntry& category) { return category.text; });
    for (const ListEntry& category : std::as_const(categories))
        cmbCategorias->addItem(category.text, category.itemData);
}

void GroupEditor::showEditorMessage(const QString& text) {
    m_messageLines.show(lblMensagem, text, 2000);
}

void GroupEditor::showEditorWarning(const QString& text) {
    m_messageLines.show(lblMensagem2, text, 3000);
}

void GroupEditor::tell(const QString& text) {
    prompt::beep();
    showEditorMessage(text);
}

bool GroupEditor::acceptsItem(const GroupItem& item) {
    if (item.title.isEmpty() || item.address.isEmpty()) {
        tell(kEmptyTexts);
        return false;
    }
    if (!fitsItemList(item)) {
        tell(item.title.contains(QStringLiteral(", "))
                 ? QStringLiteral("O título do item não pode conter \", \".")
                 : QStringLiteral("O caractere de código 31 não é aceito."));
        return false;
    }
    return true;
}

void GroupEditor::addItem() {
    const GroupItem item{txtTitulo2->text(), txtAddress->text()};
    appendItem(item);
}

bool GroupEditor::appendItem(const GroupItem& item) {
    if (!acceptsItem(item))
        return false;
    List1->addItem(item.title);
    List2.append(item);
    // Selecting the new entry shows its address and empties the boxes for the next one.
    List1->setCurrentRow(List1->count() - 1);
    showSelectedAddress();
    tell(QStringLiteral("Item inserido."));
    return true;
}

void GroupEditor::deleteItem() {
    const QList<QListWidgetItem*> selected = List1->selectedItems();
    if (selected.isEmpty()) {
        tell(kNoSelection);
        return;
    }
    const int index = List1->row(selected.first());
    {
        // Taking the entry out moves the selection, which is no click of the user's.
        const QSignalBlocker quiet(List1);
        delete List1->takeItem(index);
        List2.removeAt(index);
        List1->setCurrentRow(-1);
    }
    // The entries after the deleted one move up: an index loaded for editing at or
    // after it no longer names its item, and an update must never reach another one.
    bool loaded = false;
    const int loadedIndex = lblUpdItem.toInt(&loaded);
    if (loaded && loadedIndex >= index) {
        lblUpdItem.clear();
        coverUpdateButton(true);
    }
    txtListAddress->clear();
    tell(QStringLiteral("Item deletado."));
}

void GroupEditor::showSelectedAddress() {
    const QList<QListWidgetItem*> selected = List1->selectedItems();
    if (selected.isEmpty())
        return;
    txtListAddress->setPlainText(List2[List1->row(selected.first())].address);
    txtTitulo2->clear();
    txtAddress->clear();
    coverUpdateButton(true);
}

void GroupEditor::loadSelectedItem() {
    const QList<QListWidgetItem*> selected = List1->selectedItems();
    if (selected.isEmpty())
        return;
    const int index = List1->row(selected.first());
    txtTitulo2->setText(List2[index].title);
    txtAddress->setText(List2[index].address);
    lblUpdItem = QString::number(index);
    coverUpdateButton(false);
}

void GroupEditor::updateItem() {
    bool numeric = false;
    const int index = lblUpdItem.toInt(&numeric);
    if (!numeric || index < 0 || index >= List2.size()) {
        tell(QStringLiteral("Índice inválido. Por favor, selecione um item na lista."));
        return;
    }
    const GroupItem item{txtTitulo2->text(), txtAddress->text()};
    if (!acceptsItem(item))
        return;
    List1->item(index)->setText(item.title);
    List2[index] = item;
    coverUpdateButton(true);
    txtTitulo2->clear();
    txtAddress->clear();
    tell(QStringLiteral("Item atualizado."));
}

void GroupEditor::coverUpdateButton(bool covered) {
    btnUpdateOff->setVisible(covered);
    btnUpdateOff->raise();
    // Covered, it takes no key either.
    btnUpdate->setEnabled(!covered);
}

void GroupEditor::addDroppedItems(const QVector<GroupItem>& items) {
    for (const GroupItem& item : items)
        appendItem(item);
}

bool GroupEditor::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto* drag = static_cast<QDragMoveEvent*>(event);
        if (droppedItems(drag->mimeData()).isEmpty())
            break;
        drag->acceptProposedAction();
        return true;
    }
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        const QVector<GroupItem> items = droppedItems(drop->mimeData());
        if (items.isEmpty())
            break;
        drop->acceptProposedAction();
        addDroppedItems(items);
        return true;
    }
    default:
        break;
    }
    return PageWindow::eventFilter(watched, event);
}

void GroupEditor::saveGroup() {
    const QString title = txtTitulo1->text();
    if (isBlankTitle(title) || List1->count() == 0) {
        prompt::beep();
        showEditorWarning(
            QStringLiteral("O título do Grupo não pode estar vazio e a lista precisa ter pelo menos "
                           "1 Item adicionado."));
        return;
    }
    const GroupContent group{title, List2, QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy")),
                             cmbCategorias->currentIndex() < 0 ? 0 : cmbCategorias->currentData().toInt()};
    const bool inserting = m_request.mode == EditorRequest::Mode::Insert;
    const QString groupsPath = m_state.paths().groups;
    const int id = m_request.groupId;
    const bool saved = runDatabaseAction(this, [&] {
        if (inserting)
            insertGroup(groupsPath, group);
        else
            updateGroup(groupsPath, id, group);
    });
    if (!saved) {
        // Everything typed stays, so the user can try again once the file is free.
        prompt::beep();
        showEditorWarning(QStringLiteral("O grupo não foi salvo."));
        return;
    }
    if (!inserting)
        emit groupUpdated(id);
    prompt::beep();
    showEditorMessage(inserting ? QStringLiteral("Ítem inserido com sucesso!")
                                : QStringLiteral("Ítem atualizado com sucesso!"));
    m_state.lblInsertUpdate.clear();
    // The group is saved whatever the refill finds; a failing refill is told on its own,
    // over the main window this editor hands back to.
    runDatabaseAction(&host(), [this] { m_state.groups.refill(); });
    closeToHost();
}

} // namespace zantor
