#include "GroupEditor.h"

#include "ApplicationChooser.h"
#include "DroppedItems.h"
#include "ItemsViewer.h"
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
#include "data/GroupRules.h"
#include "data/GroupSave.h"
#include "data/GroupStore.h"
#include "data/TextEscaping.h"
#include "data/WebAddress.h"
#include "platform/ApplicationEntries.h"
#include "platform/Pictures.h"
#include "state/SharedState.h"

#include <QComboBox>
#include <QDate>
#include <QDir>
#include <QDropEvent>
#include <QFileInfo>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
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
    , m_messageLines(m_messageTimer) {
    setFont(sansSerif(11));
    buildControls();
    connectControls();
    m_heading->setText(m_request.mode == EditorRequest::Mode::Insert ? QStringLiteral("Inserindo item")
                                                                     : QStringLiteral("Atualizando item"));
}

void GroupEditor::buildControls() {
    addTitleLines(this);

    m_heading = new QLabel(this);
    m_heading->setObjectName(QStringLiteral("heading"));
    m_heading->setGeometry(twips::rect(3145, 760, 3135, 255));
    m_heading->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_heading->setFont(sansSerif(12, true));
    setTextColour(m_heading, colours::windowFrame());

    m_messageLine = new QLabel(this);
    m_messageLine->setObjectName(QStringLiteral("messageLine"));
    m_messageLine->setGeometry(twips::rect(240, 720, 4815, 255));
    m_messageLine->setAlignment(Qt::AlignCenter);
    m_messageLine->setFont(sansSerif(11, true));
    setTextColour(m_messageLine, colours::statusRed());

    m_warningLine = new QLabel(this);
    m_warningLine->setObjectName(QStringLiteral("warningLine"));
    m_warningLine->setGeometry(twips::rect(2160, 330, 2775, 615));
    m_warningLine->setAlignment(Qt::AlignCenter);
    m_warningLine->setWordWrap(true);
    m_warningLine->setFont(sansSerif(9, true));
    setTextColour(m_warningLine, colours::statusRed());
    m_messageLines.add(m_messageLine);
    m_messageLines.add(m_warningLine);

    buildGroupFrame();
    buildItemFrame();
    buildSaveButton();
}

void GroupEditor::buildGroupFrame() {
    QGroupBox* frame =
        makeFrame("groupFrame", QStringLiteral("Grupo"), this, twips::rect(260, 960, 6100, 1095));
    QLabel* titleCaption =
        makeLabel("groupTitleCaption", QStringLiteral("Título do Grupo"), frame, {200, 330});
    m_groupTitle = makeTextBox("groupTitle", titleCaption->text(), frame, twips::rect(200, 575, 2615, 315));
    QLabel* categoryCaption = makeLabel("categoryCaption", QStringLiteral("Categoria"), frame, {3075, 330});
    m_category = new QComboBox(frame);
    m_category->setObjectName(QStringLiteral("category"));
    m_category->setAccessibleName(categoryCaption->text());
    m_category->setGeometry(twips::rect(3075, 575, 2830, 315));
    m_category->setPlaceholderText(QStringLiteral("Categoria do Grupo"));
    // Screen readers name a box by its caption.
    titleCaption->setBuddy(m_groupTitle);
    categoryCaption->setBuddy(m_category);
}

void GroupEditor::buildItemFrame() {
    m_itemFrame = makeFrame("itemFrame", QStringLiteral("Itens"), this, twips::rect(260, 2200, 6100, 4060));
    QLabel* titleCaption =
        makeLabel("itemTitleCaption", QStringLiteral("Título do Item"), m_itemFrame, {200, 375});
    m_itemTitle =
        makeTextBox("itemTitle", titleCaption->text(), m_itemFrame, twips::rect(200, 600, 2615, 285));

    const auto makeButton = [this](const char* name, const char* picture, const QString& toolTip, int left) {
        auto* button =
            new ImageButton(QString::fromLatin1(name),
                            zantor::picture(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(picture))),
                            toolTip, m_itemFrame);
        button->setGeometry(twips::rect(left, 600, 270, 270));
        attachPressEffect(button);
        return button;
    };
    m_addButton = makeButton("addButton", "button-insert", QStringLiteral(" Adicionar item "), 3075);
    m_deleteButton = makeButton("deleteButton", "button-delete", QStringLiteral(" Deletar item "), 3430);
    m_updateButton = makeButton("updateButton", "button-update", QStringLiteral(" Atualizar item "), 5630);
    m_updateButtonCover = new ImagePicture(QStringLiteral("updateButtonCover"),
                                           QStringLiteral("Atualizar item (indisponível)"), m_itemFrame);
    m_updateButtonCover->setIcon(picture(QStringLiteral(":/icons/button-update-off.svg")));
    m_updateButtonCover->setGeometry(m_updateButton->geometry());

    m_pickers = new ResourcePickers(m_itemFrame);
    // The drive box makes room for the application chooser's button beside it.
    m_pickers->driveBox()->setGeometry(twips::rect(200, 1200, 1300, 315));
    m_pickers->folderView()->setGeometry(twips::rect(200, 1605, 2615, 990));
    m_pickers->fileView()->setGeometry(twips::rect(195, 2745, 2580, 1065));
    m_applicationsButton = new QPushButton(QStringLiteral("Aplicativos…"), m_itemFrame);
    m_applicationsButton->setObjectName(QStringLiteral("applicationsButton"));
    m_applicationsButton->setAccessibleName(m_applicationsButton->text());
    m_applicationsButton->setToolTip(QStringLiteral(" Escolher um aplicativo instalado "));
    m_applicationsButton->setFont(sansSerif(10));
    m_applicationsButton->setGeometry(twips::rect(1560, 1200, 1255, 315));

    QLabel* addressCaption =
        makeLabel("itemAddressCaption", QStringLiteral("Endereço"), m_itemFrame, {3065, 975});
    m_itemAddress =
        makeTextBox("itemAddress", addressCaption->text(), m_itemFrame, twips::rect(3075, 1200, 2830, 315));
    QLabel* argumentsCaption =
        makeLabel("itemArgumentsCaption", QStringLiteral("Argumentos:"), m_itemFrame, {3065, 1545});
    m_itemArguments = makeTextBox("itemArguments", QStringLiteral("Argumentos"), m_itemFrame,
                                  twips::rect(3075, 1755, 2830, 315));
    m_itemArguments->setEnabled(false);
    m_argumentsNote = new QLabel(QStringLiteral("não recebe argumentos"), m_itemFrame);
    m_argumentsNote->setObjectName(QStringLiteral("argumentsNote"));
    m_argumentsNote->setAccessibleName(QStringLiteral("Este aplicativo não recebe argumentos"));
    m_argumentsNote->setToolTip(m_argumentsNote->accessibleName());
    m_argumentsNote->setFont(sansSerif(9));
    setTextColour(m_argumentsNote, colours::statusRed());
    m_argumentsNote->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_argumentsNote->setGeometry(twips::rect(4185, 1545, 1720, 210));
    m_argumentsNote->hide();
    addressCaption->setBuddy(m_itemAddress);
    argumentsCaption->setBuddy(m_itemArguments);

    m_itemList = new QListWidget(m_itemFrame);
    m_itemList->setObjectName(QStringLiteral("itemList"));
    m_itemList->setAccessibleName(QStringLiteral("Itens do grupo"));
    m_itemList->setToolTip(QStringLiteral(" Duplo clique para atualizar "));
    m_itemList->setAccessibleDescription(QStringLiteral("Enter carrega o item para atualizar"));
    m_itemList->setGeometry(twips::rect(3075, 2130, 2835, 765));
    m_itemList->setSelectionMode(QAbstractItemView::SingleSelection);
    nameScrollBars(m_itemList);

    m_shownAddress = new QPlainTextEdit(m_itemFrame);
    m_shownAddress->setObjectName(QStringLiteral("shownAddress"));
    m_shownAddress->setAccessibleName(QStringLiteral("Endereço do item"));
    m_shownAddress->setGeometry(twips::rect(3075, 2955, 2835, 945));
    // Small enough for the hint's lines and for long addresses to fit the box.
    m_shownAddress->setFont(sansSerif(9));
    m_shownAddress->document()->setDocumentMargin(2);
    // Long addresses wrap anywhere instead of hiding past the right edge.
    m_shownAddress->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    m_shownAddress->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_shownAddress->setPlainText(QStringLiteral("Após o cadastro, caso precise, clique \r\n"
                                                "na lista acima para conferir o endereço \r\n"
                                                "do item ou para atualizá-lo.\r\n"));
    nameScrollBars(m_shownAddress);

    // Files, folders and web links dropped anywhere on the item area become items.
    m_itemFrame->setAcceptDrops(true);
    m_itemFrame->installEventFilter(this);
    for (QWidget* child : m_itemFrame->findChildren<QWidget*>())
        child->installEventFilter(this);
}

void GroupEditor::buildSaveButton() {
    auto* background =
        new ImagePicture(QStringLiteral("saveBackground"), QStringLiteral("Fundo do botão Salvar"), this);
    background->setIcon(picture(QStringLiteral(":/icons/save-background.svg")));
    background->setGeometry(twips::rect(4830, 6375, 1515, 300));

    m_saveButton = new QToolButton(this);
    m_saveButton->setObjectName(QStringLiteral("saveButton"));
    m_saveButton->setText(QStringLiteral("Salvar Grupo "));
    m_saveButton->setToolTip(QStringLiteral(" Salvar Grupo e fechar "));
    m_saveButton->setAccessibleName(m_saveButton->text().trimmed());
    m_saveButton->setGeometry(twips::rect(4830, 6415, 1515, 260));
    m_saveButton->setCursor(Qt::PointingHandCursor);
    m_saveButton->setFont(sansSerif(11, true));
    // Only its caption: the picture below is its face.
    m_saveButton->setStyleSheet(
        QStringLiteral("QToolButton { border: none; background: transparent; color: white; }"
                       "QToolButton:focus { border: 1px dotted white; border-radius: 3px; }"));
    attachPressEffect(m_saveButton);
}

void GroupEditor::connectControls() {
    connect(m_addButton, &QAbstractButton::clicked, this, &GroupEditor::addItem);
    connect(m_deleteButton, &QAbstractButton::clicked, this, &GroupEditor::deleteItem);
    connect(m_updateButton, &QAbstractButton::clicked, this, &GroupEditor::updateItem);
    connect(m_saveButton, &QAbstractButton::clicked, this, &GroupEditor::saveGroup);
    // A click shows an entry, also the one already selected; the keys show each
    // entry they move to.
    connect(m_itemList, &QListWidget::itemClicked, this, &GroupEditor::showSelectedAddress);
    connect(m_itemList, &QListWidget::currentRowChanged, this, &GroupEditor::showSelectedAddress);
    connect(m_itemList, &QListWidget::itemDoubleClicked, this, &GroupEditor::loadSelectedItem);
    connect(m_pickers, &ResourcePickers::addressPicked, m_itemAddress, &QLineEdit::setText);
    connect(m_applicationsButton, &QAbstractButton::clicked, this, &GroupEditor::chooseApplication);
    // The whole address, also when it is longer than the box.
    connect(m_itemAddress, &QLineEdit::textChanged, m_itemAddress, &QWidget::setToolTip);
    connect(m_itemAddress, &QLineEdit::textChanged, this, &GroupEditor::followAddress);
    connect(m_itemArguments, &QLineEdit::textChanged, m_itemArguments, &QWidget::setToolTip);
    connect(m_itemArguments, &QLineEdit::textEdited, this,
            [this](const QString& text) { m_typedArguments = text; });
}

bool GroupEditor::load() {
    sizeBorderShapes();
    m_shownAddress->setReadOnly(true);
    removeListBorder(m_itemList);
    coverUpdateButton(true);
    m_pickers->showFolder(QDir::homePath());

    if (m_request.mode == EditorRequest::Mode::Insert) {
        fillCategories();
        // The first by title; without categories the box stays on its hint.
        m_category->setCurrentIndex(0);
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
    m_groupTitle->setText(unescapeText(group->titulo1));
    m_items = editorItems(group->texto1, group->texto2, group->texto3);
    for (const GroupItem& item : std::as_const(m_items))
        m_itemList->addItem(item.title);
    fillCategories();
    // A category that is gone leaves the box on its hint.
    m_category->setCurrentIndex(m_category->findData(group->categoria.toInt()));
    return true;
}

void GroupEditor::fillCategories() {
    // The categories were read at the start and never change while the program runs.
    QVector<ListEntry> categories = m_state.categoryTitles();
    sortAlphabetically(categories, [](const ListEntry& category) { return category.text; });
    for (const ListEntry& category : std::as_const(categories))
        m_category->addItem(category.text, category.id);
}

void GroupEditor::showEditorMessage(const QString& text) {
    m_messageLines.show(m_messageLine, text, 2000);
}

void GroupEditor::showEditorWarning(const QString& text) {
    m_messageLines.show(m_warningLine, text, 3000);
}

void GroupEditor::tell(const QString& text) {
    prompt::beep();
    showEditorMessage(text);
}

bool GroupEditor::acceptsItem(const GroupItem& item) {
    switch (itemFault(item)) {
    case ItemFault::None:
        return true;
    case ItemFault::EmptyText:
        tell(kEmptyTexts);
        break;
    case ItemFault::UnitSeparator:
        tell(QStringLiteral("O caractere de código 31 não é aceito."));
        break;
    case ItemFault::ControlCharacter:
        tell(QStringLiteral("O item não pode conter quebras de linha nem outros caracteres de controle."));
        break;
    case ItemFault::TitleSeparator:
        tell(QStringLiteral("O título do item não pode conter \", \"."));
        break;
    case ItemFault::OpenQuote:
        tell(QStringLiteral("Os argumentos têm aspas que não foram fechadas."));
        break;
    case ItemFault::TabInArguments:
        tell(QStringLiteral("Os argumentos não podem conter TAB."));
        break;
    }
    return false;
}

GroupItem GroupEditor::typedItem() const {
    return {m_itemTitle->text(), m_itemAddress->text(), m_itemArguments->text()};
}

void GroupEditor::clearItemBoxes() {
    m_typedArguments.clear();
    m_itemTitle->clear();
    m_itemAddress->clear();
}

void GroupEditor::followAddress() {
    const QString address = m_itemAddress->text();
    const QString path = localPath(address);
    const bool entry = !isWebAddress(address) && applications::isEntry(path);
    const QFileInfo file(path);
    const bool program = entry || (!isWebAddress(address) && file.isFile() && file.isExecutable());
    m_itemArguments->setEnabled(program);
    m_itemArguments->setText(program ? m_typedArguments : QString());
    const bool takesNone = entry && applications::isInstalled(path) && !applications::takesFiles(path);
    m_argumentsNote->setVisible(takesNone);
    m_itemArguments->setAccessibleDescription(takesNone ? m_argumentsNote->accessibleName() : QString());
}

void GroupEditor::chooseApplication() {
    auto* chooser = new ApplicationChooser(this);
    connect(chooser, &ApplicationChooser::chosen, this,
            [this](const QString& name, const QString& entryPath) {
                m_itemTitle->setText(name);
                m_itemAddress->setText(entryPath);
            });
    chooser->show();
    chooser->activateWindow();
}

void GroupEditor::addItem() {
    appendItem(typedItem());
}

bool GroupEditor::appendItem(const GroupItem& item) {
    if (!acceptsItem(item))
        return false;
    m_itemList->addItem(item.title);
    m_items.append(item);
    // Selecting the new entry shows its address and empties the boxes for the next one.
    m_itemList->setCurrentRow(m_itemList->count() - 1);
    showSelectedAddress();
    tell(QStringLiteral("Item inserido."));
    return true;
}

void GroupEditor::deleteItem() {
    const QList<QListWidgetItem*> selected = m_itemList->selectedItems();
    if (selected.isEmpty()) {
        tell(kNoSelection);
        return;
    }
    const int index = m_itemList->row(selected.first());
    {
        // Taking the entry out moves the selection, which is no click of the user's.
        const QSignalBlocker quiet(m_itemList);
        delete m_itemList->takeItem(index);
        m_items.removeAt(index);
        m_itemList->setCurrentRow(-1);
    }
    // The entries after the deleted one move up: an index loaded for editing at or
    // after it no longer names its item, and an update must never reach another one.
    if (m_loadedItem && *m_loadedItem >= index) {
        m_loadedItem.reset();
        coverUpdateButton(true);
    }
    m_shownAddress->clear();
    tell(QStringLiteral("Item deletado."));
}

void GroupEditor::showSelectedAddress() {
    const QList<QListWidgetItem*> selected = m_itemList->selectedItems();
    if (selected.isEmpty())
        return;
    const GroupItem& item = m_items[m_itemList->row(selected.first())];
    m_shownAddress->setPlainText(ItemsViewer::addressLines(item.address, item.arguments));
    clearItemBoxes();
    coverUpdateButton(true);
}

void GroupEditor::loadSelectedItem() {
    const QList<QListWidgetItem*> selected = m_itemList->selectedItems();
    if (selected.isEmpty())
        return;
    const int index = m_itemList->row(selected.first());
    m_typedArguments = m_items[index].arguments;
    m_itemTitle->setText(m_items[index].title);
    m_itemAddress->setText(m_items[index].address);
    // Also when the address was the same already.
    followAddress();
    m_loadedItem = index;
    coverUpdateButton(false);
}

void GroupEditor::updateItem() {
    if (!m_loadedItem || *m_loadedItem < 0 || *m_loadedItem >= m_items.size()) {
        tell(QStringLiteral("Índice inválido. Por favor, selecione um item na lista."));
        return;
    }
    const int index = *m_loadedItem;
    const GroupItem item = typedItem();
    if (!acceptsItem(item))
        return;
    m_itemList->item(index)->setText(item.title);
    m_items[index] = item;
    coverUpdateButton(true);
    clearItemBoxes();
    tell(QStringLiteral("Item atualizado."));
}

void GroupEditor::coverUpdateButton(bool covered) {
    m_updateButtonCover->setVisible(covered);
    m_updateButtonCover->raise();
    // Covered, it takes no key either.
    m_updateButton->setEnabled(!covered);
}

void GroupEditor::addDroppedItems(const QVector<GroupItem>& items) {
    for (const GroupItem& item : items)
        appendItem(item);
}

bool GroupEditor::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress: {
        // Enter on an entry is the keyboard's double-click: the entry is loaded for editing.
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (watched != m_itemList || (key != Qt::Key_Return && key != Qt::Key_Enter))
            break;
        loadSelectedItem();
        return true;
    }
    case QEvent::DragEnter:
        // Reading a drag's data is a round trip to the program it comes from: done once as
        // it enters, so that a busy source cannot have the drop refused on a later move.
        m_dragCarriesItems = !droppedItems(static_cast<QDragEnterEvent*>(event)->mimeData()).isEmpty();
        [[fallthrough]];
    case QEvent::DragMove:
        if (!m_dragCarriesItems)
            break;
        static_cast<QDragMoveEvent*>(event)->acceptProposedAction();
        return true;
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
    const QString title = m_groupTitle->text();
    if (const GroupFault fault = groupFault(title, m_itemList->count()); fault != GroupFault::None) {
        prompt::beep();
        showEditorWarning(fault == GroupFault::ControlCharacter
                              ? QStringLiteral("O título do Grupo não pode conter quebras de linha nem "
                                               "outros caracteres de controle.")
                              : QStringLiteral("O título do Grupo não pode estar vazio e a lista precisa "
                                               "ter pelo menos 1 Item adicionado."));
        return;
    }
    const GroupContent group{title, m_items, QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy")),
                             m_category->currentIndex() < 0 ? 0 : m_category->currentData().toInt()};
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
    // The group is saved whatever the refill finds; a failing refill is told on its own,
    // over the main window this editor hands back to.
    runDatabaseAction(&host(), [this] { m_state.groups.refill(); });
    closeToHost();
}

} // namespace zantor
