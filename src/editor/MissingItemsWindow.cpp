#include "MissingItemsWindow.h"

#include "chrome/DatabaseAction.h"
#include "chrome/ImageButton.h"
#include "chrome/ListStyling.h"
#include "chrome/Prompt.h"
#include "chrome/SystemColours.h"
#include "chrome/TextStyle.h"
#include "chrome/Twips.h"
#include "chrome/WindowTitle.h"
#include "data/GroupRules.h"
#include "data/WebAddress.h"
#include "state/SharedState.h"

#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

namespace zantor {

namespace {

constexpr int kWidth = 6600;
constexpr int kHeight = 5400;

// The folder a chooser for a moved item opens in: the nearest one on its old path that
// is still there.
QString nearestFolder(const QString& address) {
    QFileInfo folder(QFileInfo(localPath(address)).absolutePath());
    while (!folder.isDir() && !folder.isRoot())
        folder = QFileInfo(folder.absolutePath());
    return folder.isDir() ? folder.absoluteFilePath() : QDir::homePath();
}

// A name with a suffix was most likely a file; anything else, a folder.
PathKind kindOf(const QString& address) {
    return QFileInfo(localPath(address)).suffix().isEmpty() ? PathKind::Folder : PathKind::File;
}

QString today() {
    return QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy"));
}

} // namespace

MissingItemsWindow::MissingItemsWindow(SharedState& state, const QVector<MissedItem>& items,
                                       const QIcon& icon)
    : TitledWindow(kWidth)
    , m_state(state)
    , m_tray(this, icon, QStringLiteral("Kelmar Zantor")) {
    setObjectName(QStringLiteral("MissingItemsWindow"));
    setWindowTitle(QStringLiteral("Itens não encontrados"));
    setWindowIcon(icon);
    setAttribute(Qt::WA_DeleteOnClose);
    setFont(sansSerif(11));
    setFixedSize(twips::size(kWidth, kHeight));
    setClosesOnEscape(true);
    sizeBorderShapes();
    addTitleLines(this);
    QLabel* heading = makeLabel("heading", windowTitle(), twips::rect(360, 900, 5800, 360), this);
    heading->setFont(sansSerif(17, true));
    setTextColour(heading, colours::windowFrame());
    connect(titleBar().close.lit, &QAbstractButton::clicked, this, &QWidget::close);
    connect(titleBar().tray.lit, &QAbstractButton::clicked, this, &MissingItemsWindow::minimizeToTray);
    connect(titleBar().minimize.lit, &QAbstractButton::clicked, this, &QWidget::showMinimized);

    auto* list = new QWidget;
    auto* column = new QVBoxLayout(list);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(10);
    m_rows.reserve(items.size());
    for (const MissedItem& item : items) {
        m_rows.append({item, nullptr, nullptr, nullptr});
        column->addWidget(buildRow(m_rows.last()));
    }
    column->addStretch();
    auto* scroll = new QScrollArea(this);
    scroll->setObjectName(QStringLiteral("itemRows"));
    scroll->setAccessibleName(windowTitle());
    scroll->setGeometry(twips::rect(360, 1500, kWidth - 720, kHeight - 1800));
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setWidget(list);
    nameScrollBars(scroll);
}

QWidget* MissingItemsWindow::buildRow(Row& row) {
    const int index = int(&row - m_rows.data());
    auto* box = new QWidget;
    auto* grid = new QGridLayout(box);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setVerticalSpacing(2);
    const auto label = [box](const QString& text) {
        auto* shown = new QLabel(text, box);
        shown->setAccessibleName(text);
        shown->setWordWrap(true);
        shown->setTextInteractionFlags(Qt::TextSelectableByMouse);
        return shown;
    };
    QLabel* group = label(row.item.groupTitle);
    group->setFont(sansSerif(11, true));
    QLabel* item = label(row.item.place.title);
    QLabel* address = label(row.item.place.address);
    setTextColour(address, colours::activeBorder().darker(140));
    row.browse = new QPushButton(QStringLiteral("Procurar…"), box);
    row.remove = new QPushButton(QStringLiteral("Remover do grupo"), box);
    row.outcome = new QLabel(box);
    row.outcome->setAccessibleName(QStringLiteral("Situação do item"));
    row.outcome->setFont(sansSerif(11, true));
    setTextColour(row.outcome, colours::statusRed());
    for (QPushButton* button : {row.browse, row.remove})
        button->setAccessibleName(button->text() + QStringLiteral(" ") + row.item.place.title);
    grid->addWidget(group, 0, 0, 1, 2);
    grid->addWidget(item, 1, 0, 1, 2);
    grid->addWidget(address, 2, 0, 1, 2);
    grid->addWidget(row.browse, 3, 0);
    grid->addWidget(row.remove, 3, 1);
    grid->addWidget(row.outcome, 4, 0, 1, 2);
    connect(row.browse, &QPushButton::clicked, this, [this, index] { browse(index); });
    connect(row.remove, &QPushButton::clicked, this, [this, index] { remove(index); });
    return box;
}

void MissingItemsWindow::minimizeToTray() {
    m_tray.minimizeToTray();
}

void MissingItemsWindow::browse(int row) {
    const MissedItem& item = m_rows[row].item;
    prompt::choosePath(this, QStringLiteral("Onde está \"%1\"?").arg(item.place.title),
                       kindOf(item.shownAddress), nearestFolder(item.shownAddress),
                       [this, row](const QString& path) { applyFix(row, path); });
}

void MissingItemsWindow::applyFix(int row, const QString& address) {
    // A path the stored list cannot hold on one line is no fix; the row stays open for
    // another choice.
    if (itemFault({m_rows[row].item.place.title, address}) != ItemFault::None) {
        prompt::beep();
        const QString outcome = QStringLiteral(
            "Este caminho tem quebras de linha ou outros caracteres de controle; escolha outro.");
        m_rows[row].outcome->setText(outcome);
        m_rows[row].outcome->setAccessibleName(outcome);
        return;
    }
    ItemChange change = ItemChange::Changed;
    if (!runDatabaseAction(this, [&] {
            change = replaceItemAddress(m_state.paths().groups, m_rows[row].item.place, address, today());
        }))
        return;
    if (change == ItemChange::Done)
        m_rows[row].item.place.address = address;
    settle(row, change, QStringLiteral("Corrigido"));
}

void MissingItemsWindow::remove(int row) {
    ItemChange change = ItemChange::Changed;
    if (!runDatabaseAction(
            this, [&] { change = removeItem(m_state.paths().groups, m_rows[row].item.place, today()); }))
        return;
    settle(row, change, QStringLiteral("Removido do grupo"));
}

void MissingItemsWindow::settle(int row, ItemChange change, const QString& done) {
    Row& settled = m_rows[row];
    prompt::beep();
    const QString outcome =
        change == ItemChange::Done
            ? done
            : QStringLiteral("O item mudou ou saiu do grupo desde a abertura; ficou como está.");
    settled.outcome->setText(outcome);
    settled.outcome->setAccessibleName(outcome);
    settled.browse->setEnabled(false);
    settled.remove->setEnabled(false);
    if (change == ItemChange::Done)
        runDatabaseAction(this, [this] { m_state.groups.refill(); });
}

} // namespace zantor
