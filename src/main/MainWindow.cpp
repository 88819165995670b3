#include "MainWindow.h"

#include "GroupListView.h"
#include "GroupShortcutMenu.h"
#include "chrome/ClickableLabel.h"
#include "chrome/DatabaseAction.h"
#include "chrome/ImageButton.h"
#include "chrome/ImagePicture.h"
#include "chrome/ListActivation.h"
#include "chrome/ListStyling.h"
#include "chrome/Prompt.h"
#include "chrome/ScreenPlacement.h"
#include "chrome/SystemColours.h"
#include "chrome/TextStyle.h"
#include "chrome/Twips.h"
#include "chrome/WindowTitle.h"
#include "data/GroupStore.h"
#include "data/ItemListCodec.h"
#include "data/SettingsStore.h"
#include "data/TextEscaping.h"
#include "launching/LaunchFeedback.h"
#include "platform/DisplayServer.h"
#include "platform/Pictures.h"
#include "state/WindowRequests.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>
#include <QShortcut>

namespace zantor {

namespace {

constexpr int kWindowWidth = 6600;
constexpr int kWindowHeight = 6855;
constexpr int kGroupColumnWidth = 2375;
constexpr int kItemsColumnWidth = 3450;
// Up to this many groups the list has no scroll bar and the cover strips hide its edge.
constexpr int kRowsWithoutScrollBar = 10;

} // namespace

MainWindow::MainWindow(SharedState& state, WindowRequests& windows, ResourceHandler& resourceHandler)
    : PageHostWindow(kWindowWidth)
    , m_state(state)
    , m_windows(windows)
    , m_launcher(state.paths().groups, resourceHandler)
    , m_tray(this, m_programIcon, QStringLiteral("Kelmar Zantor"))
    , m_statusLines(m_messageTimer) {
    setObjectName(QStringLiteral("MainWindow"));
    setWindowTitle(QStringLiteral("Kelmar Zantor"));
    setFont(sansSerif(11));
    buildControls();
    connectCommands();

    const Settings& settings = m_state.settings();
    setFixedSize(twips::size(kWindowWidth, kWindowHeight));
    placeWindow(settings.mainPosition);
    sizeBorderShapes();
    m_itemNames->setReadOnly(true);
    setMinimizeOption(settings.minimizeOnLaunch);
    showGroupCount();
    // The keys start in the list.
    m_groupList->setFocus();
}

void MainWindow::buildControls() {
    addTitleLines(this);

    m_messageLine = new QLabel(this);
    m_messageLine->setObjectName(QStringLiteral("messageLine"));
    m_messageLine->setGeometry(twips::rect(360, 810, 5850, 240));
    m_messageLine->setFont(sansSerif(11, true));
    setTextColour(m_messageLine, colours::statusRed());
    m_statusLines.add(m_messageLine);

    m_groupList = new GroupListView(this);
    m_groupList->setObjectName(QStringLiteral("groupList"));
    m_groupList->setAccessibleName(QStringLiteral("Grupos"));
    m_groupList->setGeometry(twips::rect(240, 1080, 6135, 4090));
    m_groupList->setFrameShape(QFrame::NoFrame);
    nameScrollBars(m_groupList);
    m_groupList->setRootIsDecorated(false);
    m_groupList->setUniformRowHeights(true);
    m_groupList->setAllColumnsShowFocus(true);
    // The header is set up while it has no sections yet: afterwards, each change would
    // measure fonts before the window is even shown.
    m_groupList->header()->setStretchLastSection(false);
    m_groupList->header()->setSectionsMovable(false);
    m_groupList->header()->setMinimumSectionSize(twips::toPixels(285));
    m_groupList->setModel(&m_state.groups);
    m_groupList->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_groupList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_groupList->setIconSize(QSize(24, 24));
    m_groupList->header()->setFixedHeight(twips::toPixels(290));
    m_groupList->setRowHeight((m_groupList->height() - m_groupList->header()->height()) /
                              kRowsWithoutScrollBar);
    restoreColumnWidths();
    connect(&m_state.groups, &QAbstractItemModel::modelReset, this, &MainWindow::showGroupCount);
    // A refill clears the selection: the panel must not go on showing a group that may be
    // gone or changed.
    connect(&m_state.groups, &QAbstractItemModel::modelReset, this, &MainWindow::clearGroupDetails);
    connect(m_groupList, &GroupListView::rowClicked, this, &MainWindow::showGroupDetails);
    connect(m_groupList, &GroupListView::rowReached, this, &MainWindow::followRow);
    // A double-click also gives the columns their widths back.
    auto* activation = new ListActivation(m_groupList);
    connect(activation, &ListActivation::doubleClicked, this, &MainWindow::restoreColumnWidths);
    connect(activation, &ListActivation::activated, this, &MainWindow::openSelectedGroups);
    connect(m_groupList, &GroupListView::groupMenuRequested, this, [this](const QModelIndex& row, QPoint at) {
        auto* menu = new GroupShortcutMenu(m_state, m_state.groups.groupId(row.row()), this);
        connect(menu, &GroupShortcutMenu::statusMessage, this, &MainWindow::showStatusMessage);
        menu->popup(at);
    });
    connect(m_groupList, &GroupListView::pointerMoved, this, [this] { m_listTouched = true; });

    // The strips cover the list's right edge, where its scroll bar would be, while the
    // groups fit without one.
    const auto makeCover = [this](const char* name, QRect geometry) {
        auto* cover = new QFrame(this);
        cover->setObjectName(QString::fromLatin1(name));
        cover->setAccessibleName(QStringLiteral("Acabamento da lista"));
        cover->setGeometry(geometry);
        cover->setAutoFillBackground(true);
        return cover;
    };
    m_listCover = makeCover("listCover", twips::rect(6090, 1080, 375, 4215));
    m_headerCover = makeCover("headerCover", twips::rect(6060, 1075, 45, 290));

    m_groupCount = new QLabel(QStringLiteral("0 grupos"), this);
    m_groupCount->setObjectName(QStringLiteral("groupCount"));
    m_groupCount->setGeometry(twips::rect(240, 5340, 2250, 240));
    setTextColour(m_groupCount, QColor(0x71, 0x80, 0x96));

    m_minimizeOnLaunch = new QCheckBox(this);
    m_minimizeOnLaunch->setObjectName(QStringLiteral("minimizeOnLaunch"));
    m_minimizeOnLaunch->setGeometry(twips::rect(2820, 5325, 270, 270));
    // A box with no text of its own: the style would mark the focus on the text alone.
    m_minimizeOnLaunch->setStyleSheet(
        QStringLiteral("QCheckBox:focus { border: 2px solid #2f6fb5; border-radius: 3px; }"));
    m_minimizeOnLaunchCaption =
        new ClickableLabel(QStringLiteral("Minimizar para o tray ao abrir recursos"), this);
    m_minimizeOnLaunchCaption->setObjectName(QStringLiteral("minimizeOnLaunchCaption"));
    m_minimizeOnLaunchCaption->setGeometry(twips::rect(3120, 5340, 3270, 240));
    m_minimizeOnLaunch->setAccessibleName(m_minimizeOnLaunchCaption->text());

    buildCommandButtons();
    buildDetailsPanel();
}

void MainWindow::buildCommandButtons() {
    struct Command {
        ImageButton*& button;
        const char* name;
        const char* picture;
        QString toolTip;
    };
    const Command commands[] = {
        {m_insertButton, "insertButton", "insert", QStringLiteral(" Inserir grupo")},
        {m_updateButton, "updateButton", "update", QStringLiteral(" Alterar grupo")},
        {m_deleteButton, "deleteButton", "delete", QStringLiteral(" Excluir grupo")},
        {m_compactButton, "compactButton", "mini", QStringLiteral(" Abrir o MiniZantor")},
        {m_positionButton, "positionButton", "position", QStringLiteral(" Gravar posição")},
        {m_settingsButton, "settingsButton", "config", QStringLiteral(" Configurações")},
        {m_helpButton, "helpButton", "help", QStringLiteral(" Ajuda")},
        {m_aboutButton, "aboutButton", "about", QStringLiteral(" Sobre o Zantor")},
    };
    int left = 2985;
    for (const Command& command : commands) {
        command.button = new ImageButton(
            QString::fromLatin1(command.name),
            picture(QStringLiteral(":/icons/button-%1.svg").arg(QLatin1String(command.picture))),
            command.toolTip, this);
        command.button->setGeometry(twips::rect(left, 420, 390, 390));
        attachPressEffect(command.button);
        left += 435;
    }
    // Shortcuts where the commands have none of their own; each button's tool-tip says
    // its shortcut after its text.
    const struct {
        ImageButton* button;
        QKeySequence keys;
    } shortcuts[] = {
        {m_insertButton, QKeySequence(Qt::CTRL | Qt::Key_N)},
        {m_updateButton, QKeySequence(Qt::Key_F2)},
        {m_deleteButton, QKeySequence(Qt::Key_Delete)},
        {m_settingsButton, QKeySequence(Qt::CTRL | Qt::Key_Comma)},
        {m_helpButton, QKeySequence(Qt::Key_F1)},
    };
    for (const auto& [button, keys] : shortcuts) {
        button->setToolTip(
            QStringLiteral("%1 (%2)").arg(button->toolTip(), keys.toString(QKeySequence::NativeText)));
        connect(new QShortcut(keys, this), &QShortcut::activated, button, &QAbstractButton::click);
    }
}

void MainWindow::buildDetailsPanel() {
    const auto makeLabel = [this](const char* name, const QString& text, QRect geometry) {
        auto* label = new QLabel(text, this);
        label->setObjectName(QString::fromLatin1(name));
        label->setGeometry(geometry);
        return label;
    };
    m_categoryPicture =
        new ImagePicture(QStringLiteral("categoryPicture"), QStringLiteral("Imagem da categoria"), this);
    m_categoryPicture->setGeometry(twips::rect(240, 5760, 630, 630));

    m_groupTitle = makeLabel("groupTitle", QStringLiteral("..."), twips::rect(1020, 5715, 3330, 255));
    m_groupTitle->setFont(sansSerif(12, true));

    m_itemNames = new QPlainTextEdit(this);
    m_itemNames->setObjectName(QStringLiteral("itemNames"));
    m_itemNames->setGeometry(twips::rect(1020, 5985, 3330, 720));
    m_description = QStringLiteral("...\r\n");
    m_itemNames->setPlainText(m_description);
    m_itemNames->setToolTip(QStringLiteral(" Duplo clique para ver os itens "));
    m_itemNames->setAccessibleName(QStringLiteral("Itens do grupo"));
    m_itemNames->viewport()->installEventFilter(this);
    m_itemNames->installEventFilter(this);
    m_itemNames->setFrameShape(QFrame::NoFrame);
    m_itemNames->document()->setDocumentMargin(0);
    nameScrollBars(m_itemNames);
    QPalette descPalette = m_itemNames->palette();
    descPalette.setColor(QPalette::Base, colours::windowBackground());
    m_itemNames->setPalette(descPalette);

    QLabel* dateCaption =
        makeLabel("dateCaption", QStringLiteral("Upd.:"), twips::rect(4500, 5760, 540, 225));
    m_groupDate = makeLabel("groupDate", QStringLiteral("..."), twips::rect(5040, 5760, 1380, 225));
    QLabel* itemCountCaption =
        makeLabel("itemCountCaption", QStringLiteral("Itens:"), twips::rect(4500, 6030, 540, 225));
    QFont captionFont = itemCountCaption->font();
    captionFont.setFamily(QStringLiteral("Sans Serif"));
    itemCountCaption->setFont(captionFont);
    m_itemCount = makeLabel("itemCount", QStringLiteral("..."), twips::rect(5040, 6030, 1380, 225));
    QLabel* categoryCaption =
        makeLabel("categoryCaption", QStringLiteral("Cat.: "), twips::rect(4500, 6300, 540, 225));
    m_categoryName = makeLabel("categoryName", QStringLiteral("..."), twips::rect(5040, 6300, 1380, 225));
    for (QLabel* caption : {dateCaption, itemCountCaption, categoryCaption})
        setTextColour(caption, QColor(0x71, 0x80, 0x96));
    // The values a row click lights up start greyed.
    for (QLabel* value : {m_groupTitle, m_groupDate, m_itemCount})
        setTextColour(value, colours::activeBorder());
    setTextColour(m_categoryName, colours::windowFrame());
}

void MainWindow::paintEvent(QPaintEvent* event) {
    PageHostWindow::paintEvent(event);
    QPainter painter(this);
    // A rule above the details.
    painter.setPen(QColor(0xd3, 0xdb, 0xe6));
    const int rule = twips::toPixels(5640);
    painter.drawLine(twips::toPixels(240), rule, width() - twips::toPixels(240), rule);
}

void MainWindow::placeWindow(QPoint twips) {
    move(reachablePlace(QPoint(twips::toPixels(twips.x()), twips::toPixels(twips.y())), size()));
}

void MainWindow::showGroupCount() {
    restoreColumnWidths();
    const int count = m_state.groups.groupCount();
    m_groupCount->setText(QStringLiteral("%1 grupos").arg(count));
    const bool fitsWithoutScrollBar = count <= kRowsWithoutScrollBar;
    m_listCover->setVisible(fitsWithoutScrollBar);
    m_headerCover->setVisible(fitsWithoutScrollBar);
    m_listCover->raise();
    m_headerCover->raise();
    // Row 1 becomes the current row, so the keys start there, with nothing selected.
    if (count > 0) {
        m_groupList->setCurrentIndex(m_state.groups.index(0, GroupListModel::GroupColumn));
        m_groupList->clearSelection();
    }
}

void MainWindow::restoreColumnWidths() {
    m_groupList->setColumnWidth(0, twips::toPixels(kGroupColumnWidth));
    m_groupList->setColumnWidth(1, twips::toPixels(kItemsColumnWidth));
}

void MainWindow::setMinimizeOption(bool ticked) {
    m_minimizeOnLaunch->setChecked(ticked);
    setTextColour(m_minimizeOnLaunchCaption, ticked ? colours::windowFrame() : colours::activeBorder());
}

void MainWindow::switchToCompactWindow() {
    hide();
    m_windows.openCompactList();
}

void MainWindow::minimizeToTray() {
    m_tray.minimizeToTray();
}

void MainWindow::connectCommands() {
    connect(&m_launcher, &Launcher::runStarted, this, [this] {
        if (m_minimizeOnLaunch->isChecked())
            minimizeToTray();
    });
    showLaunchFeedback(this, m_launcher, m_windows, [this](const QString& text) { showStatusMessage(text); });
    connect(m_positionButton, &QAbstractButton::clicked, this, &MainWindow::storePosition);
    connect(m_insertButton, &QAbstractButton::clicked, this, [this] {
        m_windows.openEditor({EditorRequest::Mode::Insert, 0});
    });
    connect(m_updateButton, &QAbstractButton::clicked, this, &MainWindow::updateSelectedGroup);
    connect(m_deleteButton, &QAbstractButton::clicked, this, [this] {
        if (!requireSelectedRow())
            return;
        prompt::beep();
        m_windows.confirmDeletion(*m_groupList->selectionModel());
    });
    connect(m_helpButton, &QAbstractButton::clicked, this, [this] { m_windows.openHelp(); });
    connect(m_aboutButton, &QAbstractButton::clicked, this, [this] { m_windows.openAbout(); });
    connect(m_compactButton, &QAbstractButton::clicked, this, &MainWindow::switchToCompactWindow);
    connect(m_settingsButton, &QAbstractButton::clicked, this, [this] { m_windows.openSettings(); });
    connect(m_minimizeOnLaunch, &QCheckBox::clicked, this, &MainWindow::setMinimizeOption);
    connect(m_minimizeOnLaunchCaption, &ClickableLabel::clicked, this,
            [this] { setMinimizeOption(!m_minimizeOnLaunch->isChecked()); });
    connect(titleBar().close.lit, &QAbstractButton::clicked, this, &QWidget::close);
    connect(titleBar().tray.lit, &QAbstractButton::clicked, this, &MainWindow::minimizeToTray);
    connect(titleBar().minimize.lit, &QAbstractButton::clicked, this, &QWidget::showMinimized);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // However the window is closed (its close image or the window manager), the
    // program ends with it: a running Zantor always has its main window.
    hide();
    event->accept();
    QCoreApplication::quit();
}

void MainWindow::showStatusMessage(const QString& text) {
    m_statusLines.show(m_messageLine, text, 2000);
}

void MainWindow::showRebuiltCount(int count) {
    m_groupCount->setText(QStringLiteral("%1 ítens").arg(count));
}

bool MainWindow::requireSelectedRow() {
    if (m_groupList->selectionModel()->hasSelection())
        return true;
    prompt::beep();
    showStatusMessage(QStringLiteral("É preciso selecionar um item primeiro."));
    return false;
}

void MainWindow::updateSelectedGroup() {
    if (!requireSelectedRow())
        return;
    // The row the user chose last, where several are selected.
    const QModelIndex current = m_groupList->currentIndex();
    const int row = m_groupList->selectionModel()->isRowSelected(current.row())
                        ? current.row()
                        : m_groupList->selectionModel()->selectedRows().first().row();
    m_windows.openEditor({EditorRequest::Mode::Update, m_state.groups.groupId(row)});
}

void MainWindow::showItemsViewer() {
    m_windows.showItems({m_groupTitle->text(), m_description, m_addresses, m_arguments});
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (m_itemNames && watched == m_itemNames->viewport() && event->type() == QEvent::MouseButtonDblClick) {
        // Taken whole: the box keeps no word selected behind the viewer.
        showItemsViewer();
        return true;
    }
    if (watched == m_itemNames && event->type() == QEvent::KeyPress) {
        // Enter or Space is the keyboard's double-click.
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) {
            showItemsViewer();
            return true;
        }
    }
    return PageHostWindow::eventFilter(watched, event);
}

void MainWindow::storePosition() {
    // Wayland tells no window where it stands: what would be stored is no place, and
    // would replace the place stored under X11.
    if (!display::placesWindows()) {
        prompt::beep();
        showStatusMessage(QStringLiteral("O Wayland não informa a posição."));
        return;
    }
    const bool stored = runDatabaseAction(
        this, [this] { m_state.storeMainPosition(QPoint(twips::fromPixels(x()), twips::fromPixels(y()))); });
    if (!stored) {
        prompt::beep();
        showStatusMessage(QStringLiteral("Não foi possível gravar a posição."));
        return;
    }
    prompt::beep();
    showStatusMessage(QStringLiteral("Posição gravada!"));
}

void MainWindow::openSelectedGroups() {
    QModelIndexList rows = m_groupList->selectionModel()->selectedRows();
    std::sort(rows.begin(), rows.end(),
              [](const QModelIndex& a, const QModelIndex& b) { return a.row() < b.row(); });
    QVector<int> groupIds;
    for (const QModelIndex& row : std::as_const(rows))
        groupIds.append(m_state.groups.groupId(row.row()));
    openGroups(groupIds);
}

RunTicket MainWindow::openGroups(const QVector<int>& groupIds) {
    RunTicket ticket{&m_launcher, 0};
    const int delay = int(m_state.settings().launchDelay.count());
    runDatabaseAction(this, [&] { ticket.run = m_launcher.openGroups(groupIds, delay); });
    return ticket;
}

void MainWindow::clearGroupDetails() {
    m_description = QStringLiteral("...\r\n");
    m_itemNames->setPlainText(m_description);
    m_addresses.clear();
    m_arguments.clear();
    for (QLabel* value : {m_groupTitle, m_groupDate, m_itemCount, m_categoryName})
        value->setText(QStringLiteral("..."));
    for (QLabel* value : {m_groupTitle, m_groupDate, m_itemCount})
        setTextColour(value, colours::activeBorder());
    m_categoryPicture->setIcon(QIcon());
}

void MainWindow::showGroupDetails(const QModelIndex& row) {
    if (!row.isValid())
        return;
    if (!m_listTouched && m_state.groups.rowCount() > 0)
        m_groupList->selectionModel()->select(m_state.groups.index(0, 0),
                                              QItemSelectionModel::Select | QItemSelectionModel::Rows);
    followRow(row);
}

void MainWindow::followRow(const QModelIndex& row) {
    if (!row.isValid())
        return;
    const int id = m_state.groups.groupId(row.row());
    for (QLabel* label : {m_groupDate, m_itemCount, m_groupTitle})
        setTextColour(label, colours::windowFrame());
    if (m_groupList->selectionModel()->hasSelection())
        m_listTouched = true;

    std::optional<GroupDetails> details;
    if (!runDatabaseAction(this, [&] { details = readGroupDetails(m_state.paths().groups, id); }) || !details)
        return;
    // A huge stored text is cut to what the panel can show; the items viewer lists them
    // all.
    // Read as the lists read it: a stored backslash-n is a line break there too.
    m_description = unescapeTextWithLineBreaks(details->texto1);
    m_groupTitle->setText(unescapeTextWithLineBreaks(details->titulo1).left(kShownTextLength));
    m_itemNames->setPlainText(m_description.left(kShownTextLength));
    m_addresses = unescapeText(details->texto2);
    m_arguments = itemArguments(details->texto3).join(QChar(31));

    // A category number with no loaded category (0 when none was chosen) has no name
    // and shows the default picture.
    const int category = details->categoria.toInt();
    const bool known = category >= 1 && category <= m_state.categoryTitles().size();
    const QString name = known ? m_state.categoryTitles()[category - 1].text : QString();
    const QIcon picture = known ? m_state.picture(m_state.categoryPictures()[category - 1].text) : QIcon();
    m_categoryPicture->setIcon(picture.isNull() ? m_defaultPicture : picture);

    m_categoryName->setText(name);
    m_groupDate->setText(details->dataUpd);
    m_itemCount->setText(details->qtd);
}

} // namespace zantor
