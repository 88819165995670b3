#include "WindowCoordinator.h"

#include "EventLoopPauseProbe.h"
#include "GroupShortcutUpkeep.h"
#include "chrome/DatabaseAction.h"
#include "chrome/FirstPicture.h"
#include "chrome/Prompt.h"
#include "dialogs/AboutPage.h"
#include "dialogs/DeleteConfirmation.h"
#include "dialogs/HelpPage.h"
#include "editor/GroupEditor.h"
#include "editor/ItemsViewer.h"
#include "editor/MissingItemsWindow.h"
#include "main/MainWindow.h"
#include "minilist/CompactList.h"
#include "platform/DisplayServer.h"
#include "settings/SettingsWindow.h"
#include "state/SharedState.h"

#include <QApplication>
#include <QLabel>

namespace zantor {

WindowCoordinator::WindowCoordinator(SharedState& state, ResourceHandler& resourceHandler)
    : m_state(state)
    , m_resourceHandler(resourceHandler)
    , m_main(std::make_unique<MainWindow>(state, *this, resourceHandler)) {}

WindowCoordinator::~WindowCoordinator() {
    // The other windows work on the main window and the shared state: none outlives them.
    for (const QPointer<QWidget>& window : std::exchange(m_windows, {}))
        delete window.data();
}

template <typename Window> Window* WindowCoordinator::own(std::unique_ptr<Window> window) {
    m_windows.removeIf([](const QPointer<QWidget>& gone) { return gone.isNull(); });
    m_windows.append(window.get());
    return window.release();
}

void WindowCoordinator::start() {
    const Settings& settings = m_state.settings();
    if (settings.startCompact)
        openCompactWindow(settings.startInTray);
    else if (settings.startInTray)
        m_main->tray().minimizeToTrayWhenReady();
    else
        m_main->show();
    QWidget* const first = m_compact ? static_cast<QWidget*>(m_compact) : m_main.get();
    afterFirstPicture(first->isVisible() ? first : nullptr, this, [this] { finishStart(); });
    if (m_state.folders().databasesReadOnly)
        prompt::message(m_compact ? static_cast<QWidget*>(m_compact) : m_main.get(), PromptIcon::Warning,
                        QStringLiteral("Zantor"), m_state.folders().readOnlyWarning());
}

void WindowCoordinator::finishStart() {
    // Every window and message box takes the program's icon; drawn for the window
    // manager at several sizes, it would hold the first picture back.
    QApplication::setWindowIcon(m_main->programIcon());
    EventLoopPauseProbe::startIfAsked(m_state.groups, this);
    m_state.groups.readRest([this](const DatabaseError& error) { reportDatabaseError(m_main.get(), error); });
    emit firstWindowShown();
}

CompactList* WindowCoordinator::compactWindow() const {
    return m_compact;
}

void WindowCoordinator::bringToFront(const QString& activationToken) {
    QWidget* window = m_dialog ? m_dialog.data() : QApplication::activeModalWidget();
    if (!window) {
        QList<QWidget*> shown;
        for (PageWindow* page : m_main->openPages())
            shown.append(page);
        shown << m_missingItems << m_compact << m_main.get();
        for (QWidget* candidate : std::as_const(shown)) {
            if (candidate && candidate->isVisible()) {
                window = candidate;
                break;
            }
        }
    }
    if (!window) {
        QList<TrayHelper*> trays;
        for (PageWindow* page : m_main->openPages())
            trays.append(&page->tray());
        if (m_missingItems)
            trays.append(&m_missingItems->tray());
        if (m_compact)
            trays.append(&m_compact->tray());
        trays.append(&m_main->tray());
        for (TrayHelper* tray : std::as_const(trays)) {
            if (tray->isInTray()) {
                tray->restoreFromTray();
                display::activate(tray->window()->windowHandle(), activationToken);
                return;
            }
        }
        window = m_main.get();
    }
    if (window->isMinimized() && !display::unminimizesWindows())
        window->hide();
    window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    window->show();
    window->raise();
    display::activate(window->windowHandle(), activationToken);
}

void WindowCoordinator::showPage(std::unique_ptr<PageWindow> page) {
    m_main->showPage(own(std::move(page)));
}

void WindowCoordinator::openEditor(const EditorRequest& request) {
    auto editor = std::make_unique<GroupEditor>(*m_main, m_state, request);
    if (!editor->load())
        return;
    // A renamed group's desktop entries take its new title and picture.
    connect(editor.get(), &GroupEditor::groupUpdated, m_main.get(),
            [this](int groupId) { refreshGroupShortcuts(m_main.get(), m_state, groupId); });
    showPage(std::move(editor));
}

void WindowCoordinator::openSettings() {
    auto settings = std::make_unique<SettingsWindow>(m_state, *m_main);
    if (!settings->load())
        return;
    connect(settings.get(), &SettingsWindow::statusMessage, m_main.get(), &MainWindow::showStatusMessage);
    showPage(std::move(settings));
}

void WindowCoordinator::openHelp() {
    showPage(std::make_unique<HelpPage>(*m_main, m_state.folders().shipped, m_resourceHandler));
}

void WindowCoordinator::openAbout() {
    showPage(std::make_unique<AboutPage>(*m_main));
}

void WindowCoordinator::openCompactList() {
    // Chosen by hand, the compact window shows itself rather than its tray icon.
    openCompactWindow(false);
}

void WindowCoordinator::openCompactWindow(bool intoTray) {
    m_compact = own(std::make_unique<CompactList>(m_state, *this, m_resourceHandler, m_main->programIcon()));
    // The main window keeps its own place; it only shows again.
    connect(m_compact, &CompactList::closed, m_main.get(), &QWidget::show);
    if (intoTray)
        m_compact->tray().minimizeToTrayWhenReady();
    else
        m_compact->show();
}

void WindowCoordinator::confirmDeletion(const QItemSelectionModel& selection) {
    auto* confirmation = own(std::make_unique<DeleteConfirmation>(m_state, selection, m_main.get()));
    connect(confirmation, &DeleteConfirmation::statusMessage, m_main.get(), &MainWindow::showStatusMessage);
    connect(confirmation, &DeleteConfirmation::listRebuilt, m_main.get(), &MainWindow::showRebuiltCount);
    connect(confirmation, &DeleteConfirmation::groupsDeleted, m_main.get(),
            [this](const QVector<int>& groupIds) { removeGroupShortcuts(m_main.get(), m_state, groupIds); });
    showDialog(confirmation);
}

void WindowCoordinator::showItems(const ItemsRequest& request) {
    showDialog(own(std::make_unique<ItemsViewer>(m_main.get(), request.groupTitle, request.description,
                                                 request.addresses, request.arguments)));
}

void WindowCoordinator::showDialog(QWidget* dialog) {
    m_dialog = dialog;
    dialog->setWindowModality(Qt::ApplicationModal);
    dialog->show();
}

RunTicket WindowCoordinator::openGroups(const QVector<int>& groupIds) {
    return m_compact ? m_compact->openGroups(groupIds) : m_main->openGroups(groupIds);
}

void WindowCoordinator::fixMissingItems(const QVector<MissedItem>& items) {
    // One such window at a time: the report of a later run replaces an earlier one.
    if (m_missingItems)
        m_missingItems->close();
    m_missingItems = own(std::make_unique<MissingItemsWindow>(m_state, items, m_main->programIcon()));
    // Over the window the user works in.
    const QWidget* over =
        m_compact && m_compact->isVisible() ? static_cast<QWidget*>(m_compact) : m_main.get();
    QRect place(QPoint(), m_missingItems->size());
    place.moveCenter(over->frameGeometry().center());
    m_missingItems->showAt(place.topLeft());
    m_missingItems->raise();
    m_missingItems->activateWindow();
}

} // namespace zantor
