#include "CompactList.h"

#include "AlwaysOnTop.h"
#include "CompactListView.h"
#include "chrome/BorderShape.h"
#include "chrome/DatabaseAction.h"
#include "chrome/ImageButton.h"
#include "chrome/ListActivation.h"
#include "chrome/ListStyling.h"
#include "chrome/Prompt.h"
#include "chrome/ScreenPlacement.h"
#include "chrome/Twips.h"
#include "data/SettingsStore.h"
#include "dialogs/CountingNotice.h"
#include "launching/LaunchFeedback.h"
#include "platform/DisplayServer.h"
#include "platform/Pictures.h"
#include "state/SharedState.h"

#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>

namespace zantor {

namespace {

// Sizes in twips.
constexpr int kRowHeight = 195;
constexpr int kBottomBarHeight = 285;
constexpr int kMostRows = 15;

QFont sansSerif(int pixelSize) {
    QFont font(QStringLiteral("Sans Serif"));
    font.setPixelSize(pixelSize);
    return font;
}

} // namespace

CompactList::CompactList(SharedState& state, WindowRequests& windows, ResourceHandler& resourceHandler,
                         const QIcon& icon)
    : m_state(state)
    , m_icon(icon)
    , m_launcher(state.paths().groups, resourceHandler)
    , m_tray(this, icon, QStringLiteral("Kelmar MiniZantor")) {
    setObjectName(QStringLiteral("CompactList"));
    setWindowTitle(QStringLiteral("MiniZantor"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFont(sansSerif(11));
    buildList();
    buildBottomBar();
    connectCommands(windows);

    // A stored count outside what the list can show would give a window with no shape.
    const int rows = qBound(0, m_state.numMiniList(), kMostRows);
    resize(twips::toPixels(m_state.optLarguraTwips()), height());
    applyGeometry(rows, 0);
    move(reachablePlace(
        QPoint(twips::toPixels(m_state.miniLeftTwips()), twips::toPixels(m_state.miniTopTwips())), size()));
    txtNumLinhas->setText(QString::number(rows));
    lblTempo = m_state.lblTempo;
    countGroups();
    lblNumRef = QString::number(rows);
    if (m_state.startsInTray())
        m_tray.minimizeToTrayWhenReady();
}

void CompactList::buildList() {
    shpList = new BorderShape(QStringLiteral("shpList"), QColor(0xc3, 0xcc, 0xd8), 0, this);
    shpList->setAccessibleName(QStringLiteral("Moldura da lista"));

    ListMini = new CompactListView(twips::toPixels(kRowHeight), this);
    ListMini->setObjectName(QStringLiteral("ListMini"));
    ListMini->setAccessibleName(QStringLiteral("Grupos"));
    m_titles.setSourceModel(&m_state.groups);
    ListMini->setModel(&m_titles);
    ListMini->setSelectionMode(QAbstractItemView::ExtendedSelection);
    ListMini->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListMini->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ListMini->setTextElideMode(Qt::ElideRight);
    imgMiniList = QPixmap(QStringLiteral(":/icons/minilist-tile.svg"));
    tileListBackground(ListMini, imgMiniList);
    removeListBorder(ListMini);
    nameScrollBars(ListMini);
    connect(&m_titles, &QAbstractItemModel::modelReset, this, &CompactList::countGroups);
}

void CompactList::buildBottomBar() {
    frmBottom = new QFrame(this);
    frmBottom->setObjectName(QStringLiteral("frmBottom"));
    frmBottom->setAccessibleName(QStringLiteral("Barra do MiniZantor"));
    frmBottom->setStyleSheet(
        QStringLiteral("#frmBottom { background: #e9eef5; border: 1px solid #d3dbe6; border-radius: 3px; }"));

    txtNumLinhas = new QLineEdit(QStringLiteral("0"), frmBottom);
    txtNumLinhas->setObjectName(QStringLiteral("txtNumLinhas"));
    txtNumLinhas->setToolTip(QStringLiteral(" Digitar nova quantidade "));
    txtNumLinhas->setAccessibleName(txtNumLinhas->toolTip().trimmed());
    txtNumLinhas->setGeometry(twips::rect(30, 30, 270, 225));
    txtNumLinhas->setFont(sansSerif(10));
    txtNumLinhas->setAlignment(Qt::AlignCenter);
    txtNumLinhas->setStyleSheet(QStringLiteral(
        "QLineEdit { border: 1px solid #c3ccd8; border-radius: 2px; background: #ffffff; padding: 0px; }"));
    // Only digits reach the box: typed, pasted or dropped. Two are enough for 15 rows.
    txtNumLinhas->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), txtNumLinhas));
    txtNumLinhas->setMaxLength(2);

    const auto makeButton = [this](ImageButton*& button, const char* name, const char* picture,
                                   const QString& toolTip, QRect place) {
        button =
            new ImageButton(QString::fromLatin1(name),
                            zantor::picture(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(picture))),
                            toolTip, frmBottom);
        button->setGeometry(place);
    };
    const int barWidth = m_state.optLarguraTwips() - 235;
    makeButton(btnPosition, "btnPosition", "mini-position", QStringLiteral(" Gravar posição"),
               twips::rect(315, 45, 180, 180));
    makeButton(btnTopOff, "btnTopOff", "mini-top-off", QStringLiteral(" Manter na frente"),
               twips::rect(560, 30, 225, 210));
    makeButton(btnTop, "btnTop", "mini-top-on", QStringLiteral(" Tirar da frente"),
               twips::rect(545, 30, 225, 210));
    makeButton(imgTray, "imgTray", "title-tray", QStringLiteral(" Minimizar para o Tray"),
               twips::rect(barWidth - 480, 30, 210, 210));
    makeButton(btnClose, "btnClose", "title-close", QStringLiteral(" Fechar MiniZantor"),
               twips::rect(barWidth - 240, 30, 210, 210));
    btnTop->hide();
    // Wayland leaves the stacking of windows to the compositor: the button still
    // switches, and says that the window may not stay in front.
    if (!display::keepsWindowsOnTop())
        btnTopOff->setToolTip(btnTopOff->toolTip() + QStringLiteral(" (o Wayland não permite nesta sessão)"));
    for (ImageButton* button : {btnPosition, imgTray, btnClose})
        attachPressEffect(button);
}

void CompactList::connectCommands(WindowRequests& windows) {
    connect(new ListActivation(ListMini), &ListActivation::activated, this, &CompactList::openSelectedGroups);
    showLaunchFeedback(this, m_launcher, windows, [this](const QString& text) { showNotice(text); });
    connect(btnPosition, &QAbstractButton::clicked, this, &CompactList::savePosition);
    connect(btnTopOff, &QAbstractButton::clicked, this, [this] { setAlwaysOnTop(true); });
    connect(btnTop, &QAbstractButton::clicked, this, [this] { setAlwaysOnTop(false); });
    connect(txtNumLinhas, &QLineEdit::returnPressed, this, &CompactList::applyRowCount);
    connect(imgTray, &QAbstractButton::clicked, this, &CompactList::minimize_to_tray);
    connect(btnClose, &QAbstractButton::clicked, this, &QWidget::close);
}

void CompactList::applyGeometry(int rows, int top) {
    const int width = twips::fromPixels(this->width());
    const int listHeight = kRowHeight * rows;
    setGeometry(x(), top, this->width(), twips::toPixels(listHeight + 535));
    ListMini->setGeometry(twips::rect(120, 120, width - 255, listHeight));
    shpList->setGeometry(twips::rect(105, 105, width - 230, listHeight + 30));
    frmBottom->setGeometry(twips::rect(100, listHeight + 200, width - 235, kBottomBarHeight));
}

void CompactList::countGroups() {
    lblQtd = QString::number(qMin(m_state.groups.rowCount(), kMostRows));
}

void CompactList::minimize_to_tray() {
    m_tray.minimize_to_tray();
}

void CompactList::openSelectedGroups() {
    QVector<int> groupIds;
    for (int row = 0; row < m_titles.rowCount(); ++row) {
        const QModelIndex title = m_titles.index(row, 0);
        if (ListMini->selectionModel()->isSelected(title))
            groupIds.append(title.data(GroupListModel::GroupIdRole).toInt());
    }
    openGroups(groupIds);
}

RunTicket CompactList::openGroups(const QVector<int>& groupIds) {
    RunTicket ticket{&m_launcher, 0};
    runDatabaseAction(this, [&] { ticket.run = m_launcher.openGroups(groupIds, lblTempo.toInt()); });
    return ticket;
}

void CompactList::applyRowCount() {
    if (txtNumLinhas->text().isEmpty()) {
        txtNumLinhas->setText(QStringLiteral("1"));
        return;
    }
    const int shown = lblNumRef.toInt();
    const int rows = qMin(qBound(1, txtNumLinhas->text().toInt(), kMostRows), lblQtd.toInt());
    txtNumLinhas->setText(QString::number(rows));
    lblNumRef = QString::number(rows);
    // The bottom edge stays where it is: the window grows or shrinks at its top.
    applyGeometry(rows, y() - twips::toPixels(kRowHeight * (rows - shown)));
}

void CompactList::setAlwaysOnTop(bool onTop) {
    btnTop->setVisible(onTop);
    btnTopOff->setVisible(!onTop);
    SetAlwaysOnTopMode(this, onTop);
}

void CompactList::savePosition() {
    // As in the main window: Wayland tells no window where it stands. The notice has
    // room for no more than the short word.
    if (!display::placesWindows()) {
        prompt::beep();
        showNotice(QStringLiteral("Posição não gravada!"));
        return;
    }
    const int left = twips::fromPixels(x());
    const int top = twips::fromPixels(y());
    const bool stored =
        runDatabaseAction(this, [&] { storeCompactWindowPosition(m_state.paths().settings, left, top); });
    if (stored) {
        m_state.lblMiniLeft = QString::number(left);
        m_state.lblMiniTop = QString::number(top);
    }
    prompt::beep();
    showNotice(stored ? QStringLiteral("Posição gravada!") : QStringLiteral("Posição não gravada!"));
}

void CompactList::showNotice(const QString& text) {
    // A notice still counting from an earlier message shows the new one and keeps
    // counting where it was.
    if (!m_notice)
        m_notice = new CountingNotice(m_icon, this);
    m_notice->move(x() + twips::toPixels(120), y() + twips::toPixels(120));
    m_notice->setNoticeWidth(twips::toPixels(twips::fromPixels(width()) - 260));
    m_notice->setMessage(text);
    SetAlwaysOnTopMode(m_notice, true);
}

void CompactList::closeEvent(QCloseEvent* event) {
    // However it is closed, the main window comes back; the row count and the
    // always-on-top choice go with this window.
    emit closed();
    event->accept();
}

} // namespace zantor
