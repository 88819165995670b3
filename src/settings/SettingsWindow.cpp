#include "SettingsWindow.h"

#include "OptionRules.h"
#include "OrderingList.h"
#include "chrome/DatabaseAction.h"
#include "chrome/ImageButton.h"
#include "chrome/ImagePicture.h"
#include "chrome/ListStyling.h"
#include "chrome/PageHostWindow.h"
#include "chrome/Prompt.h"
#include "chrome/SystemColours.h"
#include "chrome/TextStyle.h"
#include "chrome/Twips.h"
#include "data/DatabasePaths.h"
#include "data/GroupStore.h"
#include "data/SettingsStore.h"
#include "data/TextEscaping.h"
#include "platform/Pictures.h"
#include "state/SharedState.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace zantor {

namespace {

template <typename Control> Control* named(Control* control, const char* name) {
    control->setObjectName(QString::fromLatin1(name));
    return control;
}

QGroupBox* makeBox(const char* name, const QString& title, QRect place, QWidget* window) {
    auto* box = named(new QGroupBox(title, window), name);
    box->setGeometry(place);
    box->setAccessibleName(title.trimmed());
    return box;
}

QVBoxLayout* boxLayout(QGroupBox* box) {
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(8, 4, 8, 6);
    layout->setSpacing(2);
    return layout;
}

QHBoxLayout* row(QVBoxLayout* column) {
    auto* line = new QHBoxLayout;
    line->setSpacing(8);
    column->addLayout(line);
    return line;
}

QLabel* caption(const char* name, const QString& text, QWidget* parent) {
    auto* label = named(new QLabel(text, parent), name);
    setTextColour(label, QColor(0x71, 0x80, 0x96));
    return label;
}

QString flagOf(bool ticked) {
    return ticked ? QStringLiteral("1") : QStringLiteral("0");
}

QVector<ListEntry> listEntries(const QVector<GroupListRow>& groups) {
    QVector<ListEntry> entries;
    entries.reserve(groups.size());
    for (const GroupListRow& group : groups)
        entries.append({unescapeTextWithLineBreaks(group.titulo1), group.id});
    return entries;
}

} // namespace

SettingsWindow::SettingsWindow(SharedState& state, PageHostWindow& host)
    : PageWindow(host, QStringLiteral("SettingsWindow"))
    , m_state(state) {
    setFont(sansSerif(11));
    setStyleSheet(QStringLiteral(
        "QGroupBox { background: #ffffff; border: 1px solid #d3dbe6; border-radius: 5px;"
        " margin-top: 8px; padding-top: 8px; }"
        "QGroupBox::title { subcontrol-origin: margin; left: 8px; padding: 0 3px; color: #3b4a5e; }"
        "QPushButton#btnUpdate { background: #2f6fb5; color: #ffffff; border: 1px solid #275d99;"
        " border-radius: 4px; font-weight: bold; padding: 4px 18px; }"
        "QPushButton#btnUpdate:hover { background: #3b7fc6; }"));
    buildTitle();
    buildOrderBox();
    buildTrayBox();
    buildCompactBox();
    buildShortcutsBox();
    buildDelayBox();
    buildFooter();
    connectControls();
}

void SettingsWindow::buildTitle() {
    auto* title = named(new QLabel(QStringLiteral("Configuração"), this), "titleLabel");
    title->setGeometry(16, 6, 300, 32);
    title->setFont(sansSerif(24, true));
    setTextColour(title, QColor(0x2f, 0x6f, 0xb5));
}

void SettingsWindow::buildOrderBox() {
    QGroupBox* box =
        makeBox("orderBox", QStringLiteral("Ordenação dos Grupos "), QRect(16, 48, 174, 248), this);
    QVBoxLayout* column = boxLayout(box);
    optOrdem0 = named(new QRadioButton(QStringLiteral("Alfabética"), box), "optOrdem0");
    optOrdem1 = named(new QRadioButton(QStringLiteral("Customizada"), box), "optOrdem1");
    column->addWidget(optOrdem0);
    column->addWidget(optOrdem1);
    column->addWidget(caption("orderCaption", QStringLiteral("Ordem:"), box));
    ListConfig = named(new OrderingList(box), "ListConfig");
    ListConfig->setAccessibleName(QStringLiteral("Grupos"));
    ListConfig->setFrameShape(QFrame::StyledPanel);
    nameScrollBars(ListConfig);
    column->addWidget(ListConfig, 1);
    lblArraste = named(new QLabel(QStringLiteral("Arraste os itens acima para ordenar."), box), "lblArraste");
    lblArraste->setWordWrap(true);
    column->addWidget(lblArraste);
}

void SettingsWindow::buildTrayBox() {
    QGroupBox* box = makeBox("trayBox", QStringLiteral("Iniciar no tray"), QRect(16, 300, 174, 46), this);
    QHBoxLayout* choice = row(boxLayout(box));
    optMinimized0 = named(new QRadioButton(QStringLiteral("Não"), box), "optMinimized0");
    optMinimized1 = named(new QRadioButton(QStringLiteral("Sim"), box), "optMinimized1");
    choice->addWidget(optMinimized0);
    choice->addWidget(optMinimized1);
    choice->addStretch();
}

void SettingsWindow::buildCompactBox() {
    QGroupBox* box = makeBox("compactBox", QStringLiteral("MiniZantor"), QRect(198, 48, 226, 184), this);
    QVBoxLayout* column = boxLayout(box);

    const QString rowsTip = QStringLiteral(" Número máximo de itens visíveis ");
    QHBoxLayout* rows = row(column);
    QLabel* rowsCaption = caption("rowsCaption", QStringLiteral("Itens mostrados na lista"), box);
    rowsCaption->setToolTip(rowsTip);
    TxtMiniList = named(new QLineEdit(box), "TxtMiniList");
    TxtMiniList->setToolTip(rowsTip);
    TxtMiniList->setAccessibleName(rowsCaption->text());
    TxtMiniList->setFixedWidth(34);
    TxtMiniList->setAlignment(Qt::AlignCenter);
    rows->addWidget(rowsCaption);
    rows->addWidget(TxtMiniList);
    rows->addStretch();

    QHBoxLayout* counts = row(column);
    QLabel* rowsLimit = caption("rowsLimit", QStringLiteral("Máx. visível: 15"), box);
    rowsLimit->setToolTip(rowsTip);
    lblTotal = named(new QLabel(QStringLiteral("Total: 0"), box), "lblTotal");
    lblTotal->setToolTip(QStringLiteral(" Total de itens cadastrados "));
    counts->addWidget(rowsLimit);
    counts->addStretch();
    counts->addWidget(lblTotal);

    column->addWidget(caption("startCaption", QStringLiteral("Iniciar com:"), box));
    QHBoxLayout* first = row(column);
    CheckMini1 = named(new QCheckBox(QStringLiteral("MiniZantor"), box), "CheckMini1");
    CheckMini1->setToolTip(QStringLiteral(" Inicia com o MiniZantor "));
    CheckMini2 = named(new QCheckBox(QStringLiteral("Zantor"), box), "CheckMini2");
    CheckMini2->setToolTip(QStringLiteral(" Inicia com o Zantor "));
    first->addWidget(CheckMini1);
    first->addWidget(CheckMini2);
    first->addStretch();

    OptMiniLarg1 = named(new QRadioButton(QStringLiteral(" 105 px largura"), box), "OptMiniLarg1");
    OptMiniLarg2 = named(new QRadioButton(QStringLiteral(" 130 px largura"), box), "OptMiniLarg2");
    OptMiniLarg3 = named(new QRadioButton(QStringLiteral(" 150 px largura"), box), "OptMiniLarg3");
    for (QRadioButton* width : {OptMiniLarg1, OptMiniLarg2, OptMiniLarg3}) {
        width->setAccessibleName(width->text().trimmed());
        column->addWidget(width);
    }
}

void SettingsWindow::buildShortcutsBox() {
    QGroupBox* box = makeBox("shortcutsBox", QStringLiteral("Atalhos"), QRect(198, 236, 226, 110), this);
    QVBoxLayout* column = boxLayout(box);
    QHBoxLayout* places = row(column);
    auto* boxes = new QVBoxLayout;
    boxes->setSpacing(2);
    chkDesktop = named(new QCheckBox(QStringLiteral("Desktop"), box), "chkDesktop");
    chkMenu = named(new QCheckBox(QStringLiteral("Menu iniciar"), box), "chkMenu");
    chkWindows = named(new QCheckBox(QStringLiteral("Iniciar com Windows"), box), "chkWindows");
    for (QCheckBox* place : {chkDesktop, chkMenu, chkWindows})
        boxes->addWidget(place);
    places->addLayout(boxes);
    places->addStretch();

    auto* buttons = new QVBoxLayout;
    buttons->setSpacing(4);
    btnAdd = new ImageButton(QStringLiteral("btnAdd"), picture(QStringLiteral(":/icons/button-insert.svg")),
                             QStringLiteral(" Adicionar atalho(s) "), box);
    btnDelete =
        new ImageButton(QStringLiteral("btnDelete"), picture(QStringLiteral(":/icons/button-delete.svg")),
                        QStringLiteral(" Deletar atalho(s) "), box);
    for (ImageButton* button : {btnAdd, btnDelete}) {
        button->setFixedSize(24, 24);
        buttons->addWidget(button);
    }
    buttons->addStretch();
    places->addLayout(buttons);

    chkRemake = named(new QCheckBox(QStringLiteral("Refazer atalhos"), box), "chkRemake");
    chkRemake->setToolTip(
        QStringLiteral(" Marque essa opção se quiser que todos os atalhos marcados sejam refeitos "));
    column->addWidget(chkRemake);
}

void SettingsWindow::buildDelayBox() {
    QGroupBox* box = makeBox("delayBox", QStringLiteral("Intervalo de execução entre cada recurso "),
                             QRect(16, 352, 408, 44), this);
    QHBoxLayout* line = row(boxLayout(box));
    txtTempo = named(new QLineEdit(QStringLiteral("1000"), box), "txtTempo");
    txtTempo->setAccessibleName(box->accessibleName());
    txtTempo->setFixedWidth(58);
    txtTempo->setAlignment(Qt::AlignRight);
    line->addWidget(txtTempo);
    QLabel* note =
        caption("tempoNote", QStringLiteral("Em milissegundos, >= 500 (obs.: 1000 ms = 1 segundo)."), box);
    note->setFont(sansSerif(10));
    line->addWidget(note);
    line->addStretch();
}

void SettingsWindow::buildFooter() {
    chkMinimizar =
        named(new QCheckBox(QStringLiteral("Minimizar para o tray ao abrir recursos"), this), "chkMinimizar");
    chkMinimizar->setGeometry(20, 404, 300, 20);
    auto* note = caption(
        "restartNote", QStringLiteral("Obs.: as atualizações terão efeito na próxima inicialização."), this);
    note->setFont(sansSerif(10));
    note->setGeometry(22, 426, 310, 16);
    btnUpdate = named(new QPushButton(QStringLiteral("Atualizar"), this), "btnUpdate");
    btnUpdate->setToolTip(QStringLiteral(" Atualizar configurações e fechar "));
    btnUpdate->setAccessibleName(btnUpdate->text());
    btnUpdate->setCursor(Qt::PointingHandCursor);
    btnUpdate->setGeometry(326, 408, 98, 28);
    attachPressEffect(btnUpdate);
}

void SettingsWindow::connectControls() {
    connect(optOrdem0, &QRadioButton::clicked, this, [this] { showOrder(false); });
    connect(optOrdem1, &QRadioButton::clicked, this, [this] { showOrder(true); });
    connect(ListConfig, &OrderingList::entryDropped, this, &SettingsWindow::moveEntry);

    // Exactly one of the pair is ticked: a click on the ticked one moves the tick over.
    const auto keepOneTicked = [](QCheckBox* clicked, QCheckBox* other) {
        if (clicked->isChecked()) {
            other->setChecked(false);
        } else {
            clicked->setChecked(false);
            other->setChecked(true);
        }
    };
    connect(CheckMini1, &QCheckBox::clicked, this, [=, this] { keepOneTicked(CheckMini1, CheckMini2); });
    connect(CheckMini2, &QCheckBox::clicked, this, [=, this] { keepOneTicked(CheckMini2, CheckMini1); });

    const struct {
        QCheckBox* box;
        ShortcutPlace place;
    } places[] = {{chkDesktop, ShortcutPlace::Desktop},
                  {chkMenu, ShortcutPlace::Menu},
                  {chkWindows, ShortcutPlace::Startup}};
    for (const auto& [box, place] : places)
        connect(box, &QCheckBox::toggled, this,
                [this, place](bool ticked) { shortcutFlags[place] = flagOf(ticked); });
    connect(btnAdd, &QAbstractButton::clicked, this, &SettingsWindow::createShortcuts);
    connect(btnDelete, &QAbstractButton::clicked, this, &SettingsWindow::deleteShortcuts);

    TxtMiniList->installEventFilter(this);
    txtTempo->installEventFilter(this);
    connect(btnUpdate, &QAbstractButton::clicked, this, &SettingsWindow::saveAndClose);
}

bool SettingsWindow::load() {
    SettingsOptions options;
    QVector<GroupListRow> alphabetical;
    QVector<GroupListRow> custom;
    // A settings window that could not load goes at once: the message stays with the main
    // window.
    const bool loaded = runDatabaseAction(&host(), [&] {
        options = readSettingsOptions(m_state.paths().settings);
        alphabetical = listGroups(m_state.paths().groups, GroupOrder::Alphabetical);
        custom = listGroups(m_state.paths().groups, GroupOrder::Custom);
    });
    if (!loaded)
        return false;
    ListAlfa = listEntries(alphabetical);
    ListCustom = listEntries(custom);
    showOptions(options);
    const QString total = QString::number(m_state.groups.groupCount());
    lblTotal->setText(QStringLiteral("Total: ") + total);
    lblNumMax = total;
    return true;
}

void SettingsWindow::showOptions(const SettingsOptions& options) {
    txtTempo->setText(options.tempo);
    lblAtalhos = options.atalhos;
    shortcutFlags = ShortcutFlags::fromAtalhos(options.atalhos);
    (options.iniMinimized.toInt() == 0 ? optMinimized0 : optMinimized1)->setChecked(true);
    const bool custom = options.ordemPosts.toInt() != 0;
    (custom ? optOrdem1 : optOrdem0)->setChecked(true);
    showOrder(custom);
    chkDesktop->setChecked(shortcutFlags.lblDesktop.toInt() == 1);
    chkMenu->setChecked(shortcutFlags.lblMenu.toInt() == 1);
    chkWindows->setChecked(shortcutFlags.lblWindows.toInt() == 1);
    // A stored 0 clears the box; anything else, an empty field too, ticks it.
    bool isNumber = false;
    const int checkMinimize = options.checkMinimize.toInt(&isNumber);
    chkMinimizar->setChecked(!isNumber || checkMinimize != 0);
    TxtMiniList->setText(options.numMiniList);
    m_storedNumMiniList = options.numMiniList;
    switch (options.optLargura.toInt()) {
    case 1:
        OptMiniLarg1->setChecked(true);
        break;
    case 2:
        OptMiniLarg2->setChecked(true);
        break;
    default:
        OptMiniLarg3->setChecked(true);
    }
    const bool startsCompact = options.checkMini.toInt() == 0;
    CheckMini1->setChecked(startsCompact);
    CheckMini2->setChecked(!startsCompact);
}

void SettingsWindow::showOrder(bool custom) {
    ListConfig->clear();
    for (const ListEntry& entry : std::as_const(custom ? ListCustom : ListAlfa)) {
        auto* item = new QListWidgetItem(entry.text, ListConfig);
        item->setData(Qt::UserRole, entry.itemData);
    }
    // Greyed while dragging would change nothing.
    setTextColour(lblArraste, custom ? colours::windowFrame() : colours::activeBorder());
}

void SettingsWindow::moveEntry(int origin, int target) {
    if (!optOrdem1->isChecked())
        return;
    ListConfig->insertItem(target, ListConfig->takeItem(origin));
    ListConfig->setCurrentRow(target);
    ListCustom.clear();
    for (int i = 0; i < ListConfig->count(); ++i) {
        const QListWidgetItem* item = ListConfig->item(i);
        ListCustom.append({item->text(), item->data(Qt::UserRole).toInt()});
    }
}

ShortcutTicks SettingsWindow::shortcutTicks() const {
    return {chkDesktop->isChecked(), chkMenu->isChecked(), chkWindows->isChecked()};
}

Shortcuts SettingsWindow::shortcutFiles() const {
    return Shortcuts(m_state.folders().program,
                     m_state.folders().pictureFolder() + QStringLiteral("shortcut-icon.svg"));
}

void SettingsWindow::showShortcutReport(QWidget* over, const ShortcutReport& report) {
    if (report.text.isEmpty())
        return;
    prompt::beep();
    prompt::message(over, report.failed ? PromptIcon::Warning : PromptIcon::Information,
                    QStringLiteral("Zantor"), report.text);
}

void SettingsWindow::createShortcuts() {
    showShortcutReport(this, zantor::createShortcuts(shortcutFiles(), shortcutTicks(), shortcutFlags));
}

void SettingsWindow::deleteShortcuts() {
    showShortcutReport(this, zantor::deleteShortcuts(shortcutFiles(), shortcutTicks(), shortcutFlags));
}

SettingsOptions SettingsWindow::chosenOptions(const QString& atalhos) const {
    SettingsOptions options;
    options.ordemPosts = flagOf(optOrdem1->isChecked());
    options.iniMinimized = flagOf(optMinimized1->isChecked());
    options.checkMinimize = flagOf(chkMinimizar->isChecked());
    options.tempo = option_rules::tempoToStore(txtTempo->text());
    options.atalhos = atalhos;
    options.numMiniList = option_rules::miniListRowsToStore(TxtMiniList->text(), lblNumMax.toInt())
                              .value_or(m_storedNumMiniList);
    options.checkMini = flagOf(!CheckMini1->isChecked());
    options.optLargura = OptMiniLarg1->isChecked()   ? QStringLiteral("1")
                         : OptMiniLarg2->isChecked() ? QStringLiteral("2")
                                                     : QStringLiteral("3");
    return options;
}

void SettingsWindow::saveAndClose() {
    // This window closes at the end: what it has to say stays with the main window.
    QWidget* mainWindow = &host();
    QString atalhos = lblAtalhos;
    if (chkRemake->isChecked()) {
        const ShortcutReport failures = remakeShortcuts(shortcutFiles(), shortcutTicks(), shortcutFlags);
        atalhos = shortcutFlags.atalhos();
        if (failures.failed)
            showShortcutReport(mainWindow, failures);
    }
    const SettingsOptions options = chosenOptions(atalhos);
    const DatabasePaths& paths = m_state.paths();
    const bool optionsStored =
        runDatabaseAction(mainWindow, [&] { storeSettingsOptions(paths.settings, options); });
    m_state.lblInsertUpdate.clear();
    bool orderStored = true;
    if (optOrdem1->isChecked()) {
        QVector<int> ids;
        for (int i = 0; i < ListConfig->count(); ++i)
            ids.append(ListConfig->item(i)->data(Qt::UserRole).toInt());
        orderStored = runDatabaseAction(mainWindow, [&] { storeCustomOrder(paths.groups, ids); });
    }
    // What was not stored does not take effect either.
    if (optionsStored) {
        m_state.lblTempo = options.tempo;
        m_state.lblOptLargura = SharedState::compactWidthFor(options.optLargura);
        m_state.lblNumMiniList = options.numMiniList;
    }
    prompt::beep();
    emit statusMessage(optionsStored && orderStored
                           ? QStringLiteral("Configurações atualizadas com sucesso!")
                           : QStringLiteral("Não foi possível gravar as configurações."));
    closeToHost();
}

bool SettingsWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        // Only digits are typed in; Backspace, the arrows and shortcuts such as paste
        // pass. The delay box takes no Enter either.
        const QString text = key->text();
        const bool printable = !text.isEmpty() && text.at(0).isPrint();
        const bool digit = printable && text.at(0) >= u'0' && text.at(0) <= u'9';
        const bool commanded = key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
        if ((printable && !digit && !commanded) || (enter && watched == txtTempo))
            return true;
    } else if (event->type() == QEvent::KeyRelease && watched == TxtMiniList) {
        const QString rows = option_rules::miniListRowsAfterKey(TxtMiniList->text());
        if (rows != TxtMiniList->text())
            TxtMiniList->setText(rows);
    } else if (event->type() == QEvent::FocusOut && watched == txtTempo) {
        const QString tempo = option_rules::tempoAfterLeaving(txtTempo->text());
        if (tempo != txtTempo->text())
            txtTempo->setText(tempo);
    }
    return PageWindow::eventFilter(watched, event);
}

} // namespace zantor
