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

int widthTwips(CompactWidth width) {
    switch (width) {
    case CompactWidth::Narrow:
        return 1575;
    case CompactWidth::Medium:
        return 1950;
    case CompactWidth::Wide:
        break;
    }
    return 2250;
}

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

    const Settings& settings = m_state.settings();
    // A stored count outside what the list can show would give a window with no shape.
    const int rows = qBound(0, settings.compactRows, kMostRows);
    setFixedWidth(twips::toPixels(widthTwips(settings.compactWidth)));
    applyGeometry(rows, 0);
    move(reachablePlace(
        QPoint(twips::toPixels(settings.compactPosition.x()), twips::toPixels(settings.compactPosition.y())),
        size()));
    m_rowCount->setText(QString::number(rows));
    countGroups();
    m_shownRows = rows;
    connect(&m_state, &SharedState::settingsChanged, this, &CompactList::followWidth);
}

void CompactList::buildList() {
    m_listFrame = new BorderShape(QStringLiteral("listFrame"), QColor(0xc3, 0xcc, 0xd8), 0, this);
    m_listFrame->setAccessibleName(QStringLiteral("Moldura da lista"));

    m_groupList = new CompactListView(twips::toPixels(kRowHeight), this);
    m_groupList->setObjectName(QStringLiteral("groupList"));
    m_groupList->setAccessibleName(QStringLiteral("Grupos"));
    m_titles.setSourceModel(&m_state.groups);
    m_groupList->setModel(&m_titles);
    m_groupList->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_groupList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_groupList->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_groupList->setTextElideMode(Qt::ElideRight);
    tileListBackground(m_groupList, QPixmap(QStringLiteral(":/icons/minilist-tile.svg")));
    removeListBorder(m_groupList);
    nameScrollBars(m_groupList);
    connect(&m_titles, &QAbstractItemModel::modelReset, this, &CompactList::countGroups);
}

void CompactList::buildBottomBar() {
    m_bottomBar = new QFrame(this);
    m_bottomBar->setObjectName(QStringLiteral("bottomBar"));
    m_bottomBar->setAccessibleName(QStringLiteral("Barra do MiniZantor"));
    m_bottomBar->setStyleSheet(
        QStringLiteral("#bottomBar { background: #e9eef5; border: 1px solid #d3dbe6; border-radius: 3px; }"));

    m_rowCount = new QLineEdit(QStringLiteral("0"), m_bottomBar);
    m_rowCount->setObjectName(QStringLiteral("rowCount"));
    m_rowCount->setToolTip(QStringLiteral(" Digitar nova quantidade "));
    m_rowCount->setAccessibleName(m_rowCount->toolTip().trimmed());
    m_rowCount->setGeometry(twips::rect(30, 30, 270, 225));
    m_rowCount->setFont(sansSerif(10));
    m_rowCount->setAlignment(Qt::AlignCenter);
    m_rowCount->setStyleSheet(QStringLiteral(
        "QLineEdit { border: 1px solid #c3ccd8; border-radius: 2px; background: #ffffff; padding: 0px; }"));
    // Only digits reach the box: typed, pasted or dropped. Two are enough for 15 rows.
    m_rowCount->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), m_rowCount));
    m_rowCount->setMaxLength(2);

    const auto makeButton = [this](ImageButton*& button, const char* name, const char* picture,
                                   const QString& toolTip, QRect place) {
        button =
            new ImageButton(QString::fromLatin1(name),
                            zantor::picture(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(picture))),
                            toolTip, m_bottomBar);
        button->setGeometry(place);
    };
    makeButton(m_positionButton, "positionButton", "mini-position", QStringLiteral(" Gravar posição"),
               twips::rect(315, 45, 180, 180));
    makeButton(m_keepOnTopButton, "keepOnTopButton", "mini-top-off", QStringLiteral(" Manter na frente"),
               twips::rect(560, 30, 225, 210));
    makeButton(m_leaveTopButton, "leaveTopButton", "mini-top-on", QStringLiteral(" Tirar da frente"),
               twips::rect(545, 30, 225, 210));
    // Placed at the bar's right end with the bar.
    makeButton(m_trayButton, "trayButton", "title-tray", QStringLiteral(" Minimizar para o Tray"), {});
    makeButton(m_closeButton, "closeButton", "title-close", QStringLiteral(" Fechar MiniZantor"), {});
    m_leaveTopButton->hide();
    // Where the session leaves stacking to the compositor or the window manager does not
    // know the state, the button still switches, and says that the window may not stay
    // in front.
    if (const QString why = display::whyNoWindowStaysOnTop(); !why.isEmpty())
        m_keepOnTopButton->setToolTip(QStringLiteral("%1 (%2)").arg(m_keepOnTopButton->toolTip(), why));
    for (ImageButton* button : {m_positionButton, m_trayButton, m_closeButton})
        attachPressEffect(button);
}

void CompactList::connectCommands(WindowRequests& windows) {
    connect(new ListActivation(m_groupList), &ListActivation::activated, this,
            &CompactList::openSelectedGroups);
    showLaunchFeedback(this, m_launcher, windows, [this](const QString& text) { showNotice(text); });
    connect(m_positionButton, &QAbstractButton::clicked, this, &CompactList::savePosition);
    connect(m_keepOnTopButton, &QAbstractButton::clicked, this, [this] { setAlwaysOnTop(true); });
    connect(m_leaveTopButton, &QAbstractButton::clicked, this, [this] { setAlwaysOnTop(false); });
    connect(m_rowCount, &QLineEdit::returnPressed, this, &CompactList::applyRowCount);
    connect(m_trayButton, &QAbstractButton::clicked, this, &CompactList::minimizeToTray);
    connect(m_closeButton, &QAbstractButton::clicked, this, &QWidget::close);
}

void CompactList::applyGeometry(int rows, int top) {
    const int width = twips::fromPixels(this->width());
    const int listHeight = kRowHeight * rows;
    // Fixed, as every Zantor window: a tiling desktop floats it instead of stretching it.
    setFixedSize(this->width(), twips::toPixels(listHeight + 535));
    move(x(), top);
    m_groupList->setGeometry(twips::rect(120, 120, width - 255, listHeight));
    m_listFrame->setGeometry(twips::rect(105, 105, width - 230, listHeight + 30));
    const int barWidth = width - 235;
    m_bottomBar->setGeometry(twips::rect(100, listHeight + 200, barWidth, kBottomBarHeight));
    m_trayButton->setGeometry(twips::rect(barWidth - 480, 30, 210, 210));
    m_closeButton->setGeometry(twips::rect(barWidth - 240, 30, 210, 210));
}

void CompactList::followWidth() {
    const int width = twips::toPixels(widthTwips(m_state.settings().compactWidth));
    if (width == this->width())
        return;
    setFixedWidth(width);
    applyGeometry(m_shownRows, y());
}

void CompactList::countGroups() {
    m_mostRows = qMin(m_state.groups.rowCount(), kMostRows);
}

void CompactList::minimizeToTray() {
    m_tray.minimizeToTray();
}

void CompactList::openSelectedGroups() {
    QVector<int> groupIds;
    for (int row = 0; row < m_titles.rowCount(); ++row) {
        const QModelIndex title = m_titles.index(row, 0);
        if (m_groupList->selectionModel()->isSelected(title))
            groupIds.append(title.data(GroupListModel::GroupIdRole).toInt());
    }
    openGroups(groupIds);
}

RunTicket CompactList::openGroups(const QVector<int>& groupIds) {
    RunTicket ticket{&m_launcher, 0};
    runDatabaseAction(this, [&] {
        ticket.run = m_launcher.openGroups(groupIds, int(m_state.settings().launchDelay.count()));
    });
    return ticket;
}

void CompactList::applyRowCount() {
    if (m_rowCount->text().isEmpty()) {
        m_rowCount->setText(QStringLiteral("1"));
        return;
    }
    const int rows = qMin(qBound(1, m_rowCount->text().toInt(), kMostRows), m_mostRows);
    m_rowCount->setText(QString::number(rows));
    // The bottom edge stays where it is: the window grows or shrinks at its top.
    const int top = y() - twips::toPixels(kRowHeight * (rows - m_shownRows));
    m_shownRows = rows;
    applyGeometry(rows, top);
}

void CompactList::setAlwaysOnTop(bool onTop) {
    // The command pressed from the keyboard hands the focus to the one that takes its place.
    const bool hadFocus = m_keepOnTopButton->hasFocus() || m_leaveTopButton->hasFocus();
    ImageButton* shown = onTop ? m_leaveTopButton : m_keepOnTopButton;
    shown->show();
    if (hadFocus)
        shown->setFocus(Qt::OtherFocusReason);
    (onTop ? m_keepOnTopButton : m_leaveTopButton)->hide();
    keepAbove(this, onTop);
}

void CompactList::savePosition() {
    // As in the main window: Wayland tells no window where it stands. The notice has
    // room for no more than the short word.
    if (!display::placesWindows()) {
        prompt::beep();
        showNotice(QStringLiteral("Posição não gravada!"));
        return;
    }
    const QPoint place(twips::fromPixels(x()), twips::fromPixels(y()));
    const bool stored = runDatabaseAction(this, [&] { m_state.storeCompactPosition(place); });
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
    keepAbove(m_notice, true);
}

void CompactList::closeEvent(QCloseEvent* event) {
    // However it is closed, the main window comes back; the row count and the
    // always-on-top choice go with this window.
    emit closed();
    event->accept();
}

} // namespace zantor
