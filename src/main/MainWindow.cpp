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
#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>

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
    , m_tray(this, IconSoft, QStringLiteral("Kelmar Zantor"))
    , m_statusLine(TimerMensagem) {
    setObjectName(QStringLiteral("MainWindow"));
    setWindowTitle(QStringLiteral("Kelmar Zantor"));
    setFont(sansSerif(11));
    buildControls();
    connectCommands();

    const StartupSettings& settings = m_state.startupSettings();
    imgFecharOn->hide();
    imgMinimizar->show();
    setFixedSize(twips::size(kWindowWidth, kWindowHeight));
    placeWindow(settings.left.toDouble(), settings.top.toDouble());
    sizeBorderShapes();
    QFont captionFont = lblNumItens1->font();
    captionFont.setFamily(QStringLiteral("Sans Serif"));
    lblNumItens1->setFont(captionFont);
    txtDesc->setReadOnly(true);
    setMinimizeOption(settings.checkMinimize.toInt() != 0);
    showGroupCount();
}

void MainWindow::buildControls() {
    const TitleLines titleLines = addTitleLines(this);
    shpTit1 = titleLines.shpTit1;
    shpTit2 = titleLines.shpTit2;

    lblMensagem = new QLabel(this);
    lblMensagem->setObjectName(QStringLiteral("lblMensagem"));
    lblMensagem->setGeometry(twips::rect(360, 810, 5850, 240));
    lblMensagem->setFont(sansSerif(11, true));
    setTextColour(lblMensagem, colours::statusRed());
    m_statusLine.add(lblMensagem);

    ListView1 = new GroupListView(this);
    ListView1->setObjectName(QStringLiteral("ListView1"));
    ListView1->setAccessibleName(QStringLiteral("Grupos"));
    ListView1->setGeometry(twips::rect(240, 1080, 6135, 4090));
    ListView1->setFrameShape(QFrame::NoFrame);
    nameScrollBars(ListView1);
    ListView1->setRootIsDecorated(false);
    ListView1->setUniformRowHeights(true);
    ListView1->setAllColumnsShowFocus(true);
    // The header is set up while it has no sections yet: afterwards, each change would
    // measure fonts before the window is even shown.
    ListView1->header()->setStretchLastSection(false);
    ListView1->header()->setSectionsMovable(false);
    ListView1->header()->setMinimumSectionSize(twips::toPixels(285));
    ListView1->setModel(&m_state.groups);
    ListView1->setSelectionMode(QAbstractItemView::ExtendedSelection);
    ListView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListView1->setIconSize(QSize(24, 24));
    ListView1->header()->setFixedHeight(twips::toPixels(290));
    ListView1->setRowHeight((ListView1->height() - ListView1->header()->height()) / kRowsWithoutScrollBar);
    restoreColumnWidths();
    connect(&m_state.groups, &QAbstractItemModel::modelReset, this, &MainWindow::showGroupCount);
    // A refill clears the selection: the panel must not go on showing a group that may be
    // gone or changed.
    connect(&m_state.groups, &QAbstractItemModel::modelReset, this, &MainWindow::clearGroupDetails);
    connect(ListView1, &GroupListView::rowClicked, this, &MainWindow::showGroupDetails);
    // A double-click also gives the columns their widths back.
    auto* activation = new ListActivation(ListView1);
    connect(activation, &ListActivation::doubleClicked, this, &MainWindow::restoreColumnWidths);
    connect(activation, &ListActivation::activated, this, &MainWindow::openSelectedGroups);
    connect(ListView1, &GroupListView::groupMenuRequested, this, [this](const QModelIndex& row, QPoint at) {
        auto* menu = new GroupShortcutMenu(m_state, m_state.groups.groupId(row.row()), this);
        connect(menu, &GroupShortcutMenu::statusMessage, this, &MainWindow::showStatusMessage);
        menu->popup(at);
    });
    connect(ListView1, &GroupListView::pointerMoved, this,
            [this] { m_state.lblItemSel = QStringLiteral("1"); });

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
    frmTampao = makeCover("frmTampao", twips::rect(6090, 1080, 375, 4215));
    frmTop3 = makeCover("frmTop3", twips::rect(6060, 1075, 45, 290));

    lblNumItens = new QLabel(QStringLiteral("0 grupos"), this);
    lblNumItens->setObjectName(QStringLiteral("lblNumItens"));
    lblNumItens->setGeometry(twips::rect(240, 5340, 2250, 240));
    setTextColour(lblNumItens, QColor(0x71, 0x80, 0x96));

    chkMinimizar = new QCheckBox(this);
    chkMinimizar->setObjectName(QStringLiteral("chkMinimizar"));
    chkMinimizar->setGeometry(twips::rect(2820, 5325, 270, 270));
    lblChkMinimizar = new ClickableLabel(QStringLiteral("Minimizar para o tray ao abrir recursos"), this);
    lblChkMinimizar->setObjectName(QStringLiteral("lblChkMinimizar"));
    lblChkMinimizar->setGeometry(twips::rect(3120, 5340, 3270, 240));
    chkMinimizar->setAccessibleName(lblChkMinimizar->text());

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
        {btnInsert, "btnInsert", "insert", QStringLiteral(" Inserir grupo")},
        {btnUpdate, "btnUpdate", "update", QStringLiteral(" Alterar grupo")},
        {btnDelete, "btnDelete", "delete", QStringLiteral(" Excluir grupo")},
        {btnMini, "btnMini", "mini", QStringLiteral(" Abrir o MiniZantor")},
        {btnPosition, "btnPosition", "position", QStringLiteral(" Gravar posição")},
        {btnConfig, "btnConfig", "config", QStringLiteral(" Configurações")},
        {btnHelp, "btnHelp", "help", QStringLiteral(" Ajuda")},
        {btnAbout, "btnAbout", "about", QStringLiteral(" Sobre o Zantor")},
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
}

void MainWindow::buildDetailsPanel() {
    const auto makeLabel = [this](const char* name, const QString& text, QRect geometry) {
        auto* label = new QLabel(text, this);
        label->setObjectName(QString::fromLatin1(name));
        label->setGeometry(geometry);
        return label;
    };
    picImgGrupo =
        new ImagePicture(QStringLiteral("picImgGrupo"), QStringLiteral("Imagem da categoria"), this);
    picImgGrupo->setGeometry(twips::rect(240, 5760, 630, 630));

    lblTitGrupo = makeLabel("lblTitGrupo", QStringLiteral("..."), twips::rect(1020, 5715, 3330, 255));
    lblTitGrupo->setFont(sansSerif(12, true));

    txtDesc = new QPlainTextEdit(this);
    txtDesc->setObjectName(QStringLiteral("txtDesc"));
    txtDesc->setGeometry(twips::rect(1020, 5985, 3330, 720));
    m_description = QStringLiteral("...\r\n");
    txtDesc->setPlainText(m_description);
    txtDesc->setToolTip(QStringLiteral(" Duplo clique para ver os itens "));
    txtDesc->setAccessibleName(QStringLiteral("Itens do grupo"));
    txtDesc->viewport()->installEventFilter(this);
    txtDesc->setFrameShape(QFrame::NoFrame);
    txtDesc->document()->setDocumentMargin(0);
    nameScrollBars(txtDesc);
    QPalette descPalette = txtDesc->palette();
    descPalette.setColor(QPalette::Base, colours::windowBackground());
    txtDesc->setPalette(descPalette);

    lblData11 = makeLabel("lblData11", QStringLiteral("Upd.:"), twips::rect(4500, 5760, 540, 225));
    lblData2 = makeLabel("lblData2", QStringLiteral("..."), twips::rect(5040, 5760, 1380, 225));
    lblNumItens1 = makeLabel("lblNumItens1", QStringLiteral("Itens:"), twips::rect(4500, 6030, 540, 225));
    lblNumItens2 = makeLabel("lblNumItens2", QStringLiteral("..."), twips::rect(5040, 6030, 1380, 225));
    lblTitCat1 = makeLabel("lblTitCat1", QStringLiteral("Cat.: "), twips::rect(4500, 6300, 540, 225));
    lblTitCat2 = makeLabel("lblTitCat2", QStringLiteral("..."), twips::rect(5040, 6300, 1380, 225));
    for (QLabel* caption : {lblData11, lblNumItens1, lblTitCat1})
        setTextColour(caption, QColor(0x71, 0x80, 0x96));
    // The values a row click lights up start greyed.
    for (QLabel* value : {lblTitGrupo, lblData2, lblNumItens2})
        setTextColour(value, colours::activeBorder());
    setTextColour(lblTitCat2, colours::windowFrame());
}

void MainWindow::paintEvent(QPaintEvent* event) {
    PageHostWindow::paintEvent(event);
    QPainter painter(this);
    // A rule above the details.
    painter.setPen(QColor(0xd3, 0xdb, 0xe6));
    const int rule = twips::toPixels(5640);
    painter.drawLine(twips::toPixels(240), rule, width() - twips::toPixels(240), rule);
}

void MainWindow::placeWindow(double left, double top) {
    move(reachablePlace(QPoint(twips::toPixels(left), twips::toPixels(top)), size()));
}

void MainWindow::showGroupCount() {
    restoreColumnWidths();
    const int count = m_state.groups.groupCount();
    lblNumItens->setText(QStringLiteral("%1 grupos").arg(count));
    const bool fitsWithoutScrollBar = count <= kRowsWithoutScrollBar;
    frmTampao->setVisible(fitsWithoutScrollBar);
    frmTop3->setVisible(fitsWithoutScrollBar);
    frmTampao->raise();
    frmTop3->raise();
    // Row 1 becomes the current row, so the keys start there, with nothing selected.
    if (count > 0) {
        ListView1->setCurrentIndex(m_state.groups.index(0, GroupListModel::GroupColumn));
        ListView1->clearSelection();
    }
}

void MainWindow::restoreColumnWidths() {
    ListView1->setColumnWidth(0, twips::toPixels(kGroupColumnWidth));
    ListView1->setColumnWidth(1, twips::toPixels(kItemsColumnWidth));
}

void MainWindow::setMinimizeOption(bool ticked) {
    chkMinimizar->setChecked(ticked);
    setTextColour(lblChkMinimizar, ticked ? colours::windowFrame() : colours::activeBorder());
}

void MainWindow::switchToCompactWindow() {
    // Chosen by hand, the compact window shows itself rather than its tray icon.
    m_state.lblIniMinimized = QStringLiteral("0");
    hide();
    m_windows.openCompactList();
}

void MainWindow::minimize_to_tray() {
    m_tray.minimize_to_tray();
}

void MainWindow::connectCommands() {
    connect(&m_launcher, &Launcher::runStarted, this, [this] {
        if (chkMinimizar->isChecked())
            minimize_to_tray();
    });
    showLaunchFeedback(this, m_launcher, m_windows, [this](const QString& text) { showStatusMessage(text); });
    connect(btnPosition, &QAbstractButton::clicked, this, &MainWindow::storePosition);
    connect(btnInsert, &QAbstractButton::clicked, this, [this] {
        m_windows.openEditor({EditorRequest::Mode::Insert, 0});
    });
    connect(btnUpdate, &QAbstractButton::clicked, this, &MainWindow::updateSelectedGroup);
    connect(btnDelete, &QAbstractButton::clicked, this, [this] {
        if (!requireSelectedRow())
            return;
        prompt::beep();
        m_windows.confirmDeletion(*ListView1->selectionModel());
    });
    connect(btnHelp, &QAbstractButton::clicked, this, [this] { m_windows.openHelp(); });
    connect(btnAbout, &QAbstractButton::clicked, this, [this] { m_windows.openAbout(); });
    connect(btnMini, &QAbstractButton::clicked, this, &MainWindow::switchToCompactWindow);
    connect(btnConfig, &QAbstractButton::clicked, this, [this] { m_windows.openSettings(); });
    connect(chkMinimizar, &QCheckBox::clicked, this, &MainWindow::setMinimizeOption);
    connect(lblChkMinimizar, &ClickableLabel::clicked, this,
            [this] { setMinimizeOption(!chkMinimizar->isChecked()); });
    connect(imgFecharOn, &QAbstractButton::clicked, this, &QWidget::close);
    connect(imgTrayOn, &QAbstractButton::clicked, this, &MainWindow::minimize_to_tray);
    connect(imgMinimizarOn, &QAbstractButton::clicked, this, &QWidget::showMinimized);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // However the window is closed (its close image or the window manager), the
    // program ends with it: a running Zantor always has its main window.
    hide();
    event->accept();
    QCoreApplication::quit();
}

void MainWindow::showStatusMessage(const QString& text) {
    m_statusLine.show(lblMensagem, text, 2000);
}

void MainWindow::showRebuiltCount(int count) {
    lblNumItens->setText(QStringLiteral("%1 ítens").arg(count));
}

bool MainWindow::requireSelectedRow() {
    if (ListView1->selectionModel()->hasSelection())
        return true;
    prompt::beep();
    showStatusMessage(QStringLiteral("É preciso selecionar um item primeiro."));
    return false;
}

void MainWindow::updateSelectedGroup() {
    if (!requireSelectedRow())
        return;
    // The row the user chose last, where several are selected.
    const QModelIndex current = ListView1->currentIndex();
    const int row = ListView1->selectionModel()->isRowSelected(current.row())
                        ? current.row()
                        : ListView1->selectionModel()->selectedRows().first().row();
    m_windows.openEditor({EditorRequest::Mode::Update, m_state.groups.groupId(row)});
}

void MainWindow::showItemsViewer() {
    m_windows.showItems({lblTitGrupo->text(), m_description, m_state.txtAddress});
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == txtDesc->viewport() && event->type() == QEvent::MouseButtonDblClick) {
        // Taken whole: the box keeps no word selected behind the viewer.
        showItemsViewer();
        return true;
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
    const bool stored = runDatabaseAction(this, [this] {
        storeWindowPosition(m_state.paths().settings, twips::fromPixels(x()), twips::fromPixels(y()));
    });
    if (!stored) {
        prompt::beep();
        showStatusMessage(QStringLiteral("Não foi possível gravar a posição."));
        return;
    }
    prompt::beep();
    showStatusMessage(QStringLiteral("Posição gravada!"));
}

void MainWindow::openSelectedGroups() {
    QModelIndexList rows = ListView1->selectionModel()->selectedRows();
    std::sort(rows.begin(), rows.end(),
              [](const QModelIndex& a, const QModelIndex& b) { return a.row() < b.row(); });
    QVector<int> groupIds;
    for (const QModelIndex& row : std::as_const(rows))
        groupIds.append(m_state.groups.groupId(row.row()));
    openGroups(groupIds);
}

RunTicket MainWindow::openGroups(const QVector<int>& groupIds) {
    RunTicket ticket{&m_launcher, 0};
    runDatabaseAction(this, [&] { ticket.run = m_launcher.openGroups(groupIds, m_state.tempoMs()); });
    return ticket;
}

void MainWindow::clearGroupDetails() {
    m_description = QStringLiteral("...\r\n");
    txtDesc->setPlainText(m_description);
    m_state.txtAddress.clear();
    for (QLabel* value : {lblTitGrupo, lblData2, lblNumItens2, lblTitCat2})
        value->setText(QStringLiteral("..."));
    for (QLabel* value : {lblTitGrupo, lblData2, lblNumItens2})
        setTextColour(value, colours::activeBorder());
    picImgGrupo->setIcon(QIcon());
}

void MainWindow::showGroupDetails(const QModelIndex& row) {
    if (!row.isValid())
        return;
    const int id = m_state.groups.groupId(row.row());
    for (QLabel* label : {lblData2, lblNumItens2, lblTitGrupo})
        setTextColour(label, colours::windowFrame());
    QItemSelectionModel* selection = ListView1->selectionModel();
    if (!m_state.itemSelected() && m_state.groups.rowCount() > 0)
        selection->select(m_state.groups.index(0, 0),
                          QItemSelectionModel::Select | QItemSelectionModel::Rows);
    if (selection->hasSelection())
        m_state.lblItemSel = QStringLiteral("1");

    std::optional<GroupDetails> details;
    if (!runDatabaseAction(this, [&] { details = readGroupDetails(m_state.paths().groups, id); }) || !details)
        return;
    // A huge stored text is cut to what the panel can show; the items viewer lists them
    // all.
    // Read as the lists read it: a stored backslash-n is a line break there too.
    m_description = unescapeTextWithLineBreaks(details->texto1);
    lblTitGrupo->setText(unescapeTextWithLineBreaks(details->titulo1).left(kShownTextLength));
    txtDesc->setPlainText(m_description.left(kShownTextLength));
    m_state.txtAddress = unescapeText(details->texto2);

    // A category number with no loaded category (0 when none was chosen) has no name
    // and shows the default picture.
    const int category = details->categoria.toInt();
    const bool known = category >= 1 && category <= m_state.lstCats.size();
    const QString name = known ? m_state.lstCats[category - 1].text : QString();
    const QIcon picture = known ? m_state.picture(m_state.lstImgs2[category - 1].text) : QIcon();
    picImgGrupo->setIcon(picture.isNull() ? Picture1 : picture);

    lblTitCat2->setText(name);
    lblData2->setText(details->dataUpd);
    lblNumItens2->setText(details->qtd);
    m_state.lblNumUpdate = QString::number(id);
}

} // namespace zantor
