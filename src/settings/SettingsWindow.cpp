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
#include "platform/ShortcutPlaceTexts.h"
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
        "QPushButton#saveButton { background: #2f6fb5; color: #ffffff; border: 1px solid #275d99;"
        " border-radius: 4px; font-weight: bold; padding: 4px 18px; }"
        "QPushButton#saveButton:hover { background: #3b7fc6; }"));
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
    m_alphabeticalOrder = named(new QRadioButton(QStringLiteral("Alfabética"), box), "alphabeticalOrder");
    m_customOrder = named(new QRadioButton(QStringLiteral("Customizada"), box), "customOrder");
    column->addWidget(m_alphabeticalOrder);
    column->addWidget(m_customOrder);
    column->addWidget(caption("orderCaption", QStringLiteral("Ordem:"), box));
    m_orderList = named(new OrderingList(box), "orderList");
    m_orderList->setAccessibleName(QStringLiteral("Grupos"));
    m_orderList->setToolTip(QStringLiteral(" Ctrl+↑ e Ctrl+↓ também movem o grupo escolhido "));
    m_orderList->setFrameShape(QFrame::StyledPanel);
    nameScrollBars(m_orderList);
    column->addWidget(m_orderList, 1);
    m_dragHint = named(new QLabel(QStringLiteral("Arraste os itens acima para ordenar."), box), "dragHint");
    m_dragHint->setWordWrap(true);
    column->addWidget(m_dragHint);
}

void SettingsWindow::buildTrayBox() {
    QGroupBox* box = makeBox("trayBox", QStringLiteral("Iniciar no tray"), QRect(16, 300, 174, 46), this);
    QHBoxLayout* choice = row(boxLayout(box));
    m_startShown = named(new QRadioButton(QStringLiteral("Não"), box), "startShown");
    m_startInTray = named(new QRadioButton(QStringLiteral("Sim"), box), "startInTray");
    choice->addWidget(m_startShown);
    choice->addWidget(m_startInTray);
    choice->addStretch();
}

void SettingsWindow::buildCompactBox() {
    QGroupBox* box = makeBox("compactBox", QStringLiteral("MiniZantor"), QRect(198, 48, 226, 184), this);
    QVBoxLayout* column = boxLayout(box);

    const QString rowsTip = QStringLiteral(" Número máximo de itens visíveis ");
    QHBoxLayout* rows = row(column);
    QLabel* rowsCaption = caption("rowsCaption", QStringLiteral("Itens mostrados na lista"), box);
    rowsCaption->setToolTip(rowsTip);
    m_compactRows = named(new QLineEdit(box), "compactRows");
    m_compactRows->setToolTip(rowsTip);
    m_compactRows->setAccessibleName(rowsCaption->text());
    m_compactRows->setFixedWidth(34);
    m_compactRows->setAlignment(Qt::AlignCenter);
    rows->addWidget(rowsCaption);
    rows->addWidget(m_compactRows);
    rows->addStretch();

    QHBoxLayout* counts = row(column);
    QLabel* rowsLimit = caption("rowsLimit", QStringLiteral("Máx. visível: 15"), box);
    rowsLimit->setToolTip(rowsTip);
    m_groupTotal = named(new QLabel(QStringLiteral("Total: 0"), box), "groupTotal");
    m_groupTotal->setToolTip(QStringLiteral(" Total de itens cadastrados "));
    counts->addWidget(rowsLimit);
    counts->addStretch();
    counts->addWidget(m_groupTotal);

    column->addWidget(caption("startCaption", QStringLiteral("Iniciar com:"), box));
    QHBoxLayout* first = row(column);
    m_startCompact = named(new QCheckBox(QStringLiteral("MiniZantor"), box), "startCompact");
    m_startCompact->setToolTip(QStringLiteral(" Inicia com o MiniZantor "));
    m_startMain = named(new QCheckBox(QStringLiteral("Zantor"), box), "startMain");
    m_startMain->setToolTip(QStringLiteral(" Inicia com o Zantor "));
    first->addWidget(m_startCompact);
    first->addWidget(m_startMain);
    first->addStretch();

    m_compactNarrow = named(new QRadioButton(QStringLiteral(" 105 px largura"), box), "compactNarrow");
    m_compactMedium = named(new QRadioButton(QStringLiteral(" 130 px largura"), box), "compactMedium");
    m_compactWide = named(new QRadioButton(QStringLiteral(" 150 px largura"), box), "compactWide");
    for (QRadioButton* width : {m_compactNarrow, m_compactMedium, m_compactWide}) {
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
    const auto placeBox = [box](ShortcutPlace place, const char* name) {
        return named(new QCheckBox(QString::fromUtf8(shortcutPlaceTexts(place).box), box), name);
    };
    m_desktopShortcut = placeBox(ShortcutPlace::Desktop, "desktopShortcut");
    m_menuShortcut = placeBox(ShortcutPlace::Menu, "menuShortcut");
    m_loginShortcut = placeBox(ShortcutPlace::Startup, "loginShortcut");
    for (QCheckBox* place : {m_desktopShortcut, m_menuShortcut, m_loginShortcut})
        boxes->addWidget(place);
    places->addLayout(boxes);
    places->addStretch();

    auto* buttons = new QVBoxLayout;
    buttons->setSpacing(4);
    m_addShortcutsButton = new ImageButton(QStringLiteral("addShortcutsButton"),
                                           picture(QStringLiteral(":/icons/button-insert.svg")),
                                           QStringLiteral(" Adicionar atalho(s) "), box);
    m_deleteShortcutsButton = new ImageButton(QStringLiteral("deleteShortcutsButton"),
                                              picture(QStringLiteral(":/icons/button-delete.svg")),
                                              QStringLiteral(" Deletar atalho(s) "), box);
    for (ImageButton* button : {m_addShortcutsButton, m_deleteShortcutsButton}) {
        button->setFixedSize(24, 24);
        buttons->addWidget(button);
    }
    buttons->addStretch();
    places->addLayout(buttons);

    m_remakeShortcuts = named(new QCheckBox(QStringLiteral("Refazer atalhos"), box), "remakeShortcuts");
    m_remakeShortcuts->setToolTip(
        QStringLiteral(" Marque essa opção se quiser que todos os atalhos marcados sejam refeitos "));
    column->addWidget(m_remakeShortcuts);
}

void SettingsWindow::buildDelayBox() {
    QGroupBox* box = makeBox("delayBox", QStringLiteral("Intervalo de execução entre cada recurso "),
                             QRect(16, 352, 408, 44), this);
    QHBoxLayout* line = row(boxLayout(box));
    m_launchDelay = named(new QLineEdit(QStringLiteral("1000"), box), "launchDelay");
    m_launchDelay->setAccessibleName(box->accessibleName());
    m_launchDelay->setFixedWidth(58);
    m_launchDelay->setAlignment(Qt::AlignRight);
    line->addWidget(m_launchDelay);
    QLabel* note =
        caption("tempoNote", QStringLiteral("Em milissegundos, >= 500 (obs.: 1000 ms = 1 segundo)."), box);
    note->setFont(sansSerif(10));
    line->addWidget(note);
    line->addStretch();
}

void SettingsWindow::buildFooter() {
    m_minimizeOnLaunch = named(new QCheckBox(QStringLiteral("Minimizar para o tray ao abrir recursos"), this),
                               "minimizeOnLaunch");
    m_minimizeOnLaunch->setGeometry(20, 404, 300, 20);
    auto* note = caption(
        "restartNote", QStringLiteral("Obs.: as atualizações terão efeito na próxima inicialização."), this);
    note->setFont(sansSerif(10));
    note->setGeometry(22, 426, 310, 16);
    m_saveButton = named(new QPushButton(QStringLiteral("Atualizar"), this), "saveButton");
    m_saveButton->setToolTip(QStringLiteral(" Atualizar configurações e fechar "));
    m_saveButton->setAccessibleName(m_saveButton->text());
    m_saveButton->setCursor(Qt::PointingHandCursor);
    m_saveButton->setGeometry(326, 408, 98, 28);
    attachPressEffect(m_saveButton);
}

void SettingsWindow::connectControls() {
    connect(m_alphabeticalOrder, &QRadioButton::clicked, this, [this] { showOrder(false); });
    connect(m_customOrder, &QRadioButton::clicked, this, [this] { showOrder(true); });
    connect(m_orderList, &OrderingList::entryDropped, this, &SettingsWindow::moveEntry);

    // Exactly one of the pair is ticked: a click on the ticked one moves the tick over.
    const auto keepOneTicked = [](QCheckBox* clicked, QCheckBox* other) {
        if (clicked->isChecked()) {
            other->setChecked(false);
        } else {
            clicked->setChecked(false);
            other->setChecked(true);
        }
    };
    connect(m_startCompact, &QCheckBox::clicked, this,
            [=, this] { keepOneTicked(m_startCompact, m_startMain); });
    connect(m_startMain, &QCheckBox::clicked, this,
            [=, this] { keepOneTicked(m_startMain, m_startCompact); });

    const struct {
        QCheckBox* box;
        ShortcutPlace place;
    } places[] = {{m_desktopShortcut, ShortcutPlace::Desktop},
                  {m_menuShortcut, ShortcutPlace::Menu},
                  {m_loginShortcut, ShortcutPlace::Startup}};
    // Not a structured binding: clang 14 cannot capture one.
    for (const auto& entry : places)
        connect(entry.box, &QCheckBox::toggled, this,
                [this, place = entry.place](bool ticked) { m_shortcutFlags[place] = flagOf(ticked); });
    connect(m_addShortcutsButton, &QAbstractButton::clicked, this, &SettingsWindow::createShortcuts);
    connect(m_deleteShortcutsButton, &QAbstractButton::clicked, this, &SettingsWindow::deleteShortcuts);

    m_compactRows->installEventFilter(this);
    m_launchDelay->installEventFilter(this);
    connect(m_saveButton, &QAbstractButton::clicked, this, &SettingsWindow::saveAndClose);
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
    m_alphabetical = listEntries(alphabetical);
    m_custom = listEntries(custom);
    showOptions(options);
    m_groupCount = m_state.groups.groupCount();
    m_groupTotal->setText(QStringLiteral("Total: %1").arg(m_groupCount));
    return true;
}

void SettingsWindow::showOptions(const SettingsOptions& options) {
    m_launchDelay->setText(options.tempo);
    m_storedShortcuts = options.atalhos;
    m_shortcutFlags = ShortcutFlags::fromAtalhos(options.atalhos);
    (options.iniMinimized.toInt() == 0 ? m_startShown : m_startInTray)->setChecked(true);
    const bool custom = options.ordemPosts.toInt() != 0;
    (custom ? m_customOrder : m_alphabeticalOrder)->setChecked(true);
    showOrder(custom);
    m_desktopShortcut->setChecked(m_shortcutFlags.desktop.toInt() == 1);
    m_menuShortcut->setChecked(m_shortcutFlags.menu.toInt() == 1);
    m_loginShortcut->setChecked(m_shortcutFlags.login.toInt() == 1);
    // A stored 0 clears the box; anything else, an empty field too, ticks it.
    bool isNumber = false;
    const int checkMinimize = options.checkMinimize.toInt(&isNumber);
    m_minimizeOnLaunch->setChecked(!isNumber || checkMinimize != 0);
    m_compactRows->setText(options.numMiniList);
    m_storedCompactRows = options.numMiniList;
    switch (options.optLargura.toInt()) {
    case 1:
        m_compactNarrow->setChecked(true);
        break;
    case 2:
        m_compactMedium->setChecked(true);
        break;
    default:
        m_compactWide->setChecked(true);
    }
    const bool startsCompact = options.checkMini.toInt() == 0;
    m_startCompact->setChecked(startsCompact);
    m_startMain->setChecked(!startsCompact);
}

void SettingsWindow::showOrder(bool custom) {
    m_orderList->clear();
    for (const ListEntry& entry : std::as_const(custom ? m_custom : m_alphabetical)) {
        auto* item = new QListWidgetItem(entry.text, m_orderList);
        item->setData(Qt::UserRole, entry.id);
    }
    // Greyed while dragging would change nothing.
    setTextColour(m_dragHint, custom ? colours::windowFrame() : colours::activeBorder());
}

void SettingsWindow::moveEntry(int origin, int target) {
    if (!m_customOrder->isChecked())
        return;
    m_orderList->insertItem(target, m_orderList->takeItem(origin));
    m_orderList->setCurrentRow(target);
    m_custom.clear();
    for (int i = 0; i < m_orderList->count(); ++i) {
        const QListWidgetItem* item = m_orderList->item(i);
        m_custom.append({item->text(), item->data(Qt::UserRole).toInt()});
    }
}

ShortcutTicks SettingsWindow::shortcutTicks() const {
    return {m_desktopShortcut->isChecked(), m_menuShortcut->isChecked(), m_loginShortcut->isChecked()};
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
    showShortcutReport(this, zantor::createShortcuts(shortcutFiles(), shortcutTicks(), m_shortcutFlags));
}

void SettingsWindow::deleteShortcuts() {
    showShortcutReport(this, zantor::deleteShortcuts(shortcutFiles(), shortcutTicks(), m_shortcutFlags));
}

SettingsOptions SettingsWindow::chosenOptions(const QString& atalhos) const {
    SettingsOptions options;
    options.ordemPosts = flagOf(m_customOrder->isChecked());
    options.iniMinimized = flagOf(m_startInTray->isChecked());
    options.checkMinimize = flagOf(m_minimizeOnLaunch->isChecked());
    options.tempo = option_rules::tempoToStore(m_launchDelay->text());
    options.atalhos = atalhos;
    options.numMiniList =
        option_rules::miniListRowsToStore(m_compactRows->text(), m_groupCount).value_or(m_storedCompactRows);
    options.checkMini = flagOf(!m_startCompact->isChecked());
    options.optLargura = m_compactNarrow->isChecked()   ? QStringLiteral("1")
                         : m_compactMedium->isChecked() ? QStringLiteral("2")
                                                        : QStringLiteral("3");
    return options;
}

void SettingsWindow::saveAndClose() {
    // This window closes at the end: what it has to say stays with the main window.
    QWidget* mainWindow = &host();
    QString atalhos = m_storedShortcuts;
    if (m_remakeShortcuts->isChecked()) {
        const ShortcutReport failures = remakeShortcuts(shortcutFiles(), shortcutTicks(), m_shortcutFlags);
        atalhos = m_shortcutFlags.atalhos();
        if (failures.failed)
            showShortcutReport(mainWindow, failures);
    }
    const SettingsOptions options = chosenOptions(atalhos);
    const DatabasePaths& paths = m_state.paths();
    // What is not stored does not take effect either.
    const bool optionsStored = runDatabaseAction(mainWindow, [&] { m_state.storeOptions(options); });
    bool orderStored = true;
    if (m_customOrder->isChecked()) {
        QVector<int> ids;
        for (int i = 0; i < m_orderList->count(); ++i)
            ids.append(m_orderList->item(i)->data(Qt::UserRole).toInt());
        orderStored = runDatabaseAction(mainWindow, [&] { storeCustomOrder(paths.groups, ids); });
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
        if ((printable && !digit && !commanded) || (enter && watched == m_launchDelay))
            return true;
    } else if (event->type() == QEvent::KeyRelease && watched == m_compactRows) {
        const QString rows = option_rules::miniListRowsAfterKey(m_compactRows->text());
        if (rows != m_compactRows->text())
            m_compactRows->setText(rows);
    } else if (event->type() == QEvent::FocusOut && watched == m_launchDelay) {
        const QString tempo = option_rules::tempoAfterLeaving(m_launchDelay->text());
        if (tempo != m_launchDelay->text())
            m_launchDelay->setText(tempo);
    }
    return PageWindow::eventFilter(watched, event);
}

} // namespace zantor
