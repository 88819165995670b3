#include "DeleteConfirmation.h"

#include "chrome/DatabaseAction.h"
#include "chrome/Prompt.h"
#include "chrome/SystemColours.h"
#include "chrome/TextStyle.h"
#include "chrome/Twips.h"
#include "data/GroupStore.h"
#include "state/SharedState.h"

#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

namespace zantor {

DeleteConfirmation::DeleteConfirmation(SharedState& state, const QItemSelectionModel& selection,
                                       QWidget* mainWindow)
    : BorderlessWindow(mainWindow)
    , m_state(state)
    , m_selection(selection) {
    setObjectName(QStringLiteral("DeleteConfirmation"));
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Kelmar Zantor"));
    setWindowIcon(mainWindow->windowIcon());
    setFont(sansSerif(11));
    QPalette background = palette();
    background.setColor(QPalette::Window, QColor(240, 240, 240));
    setPalette(background);

    Label2 = makeLabel("Label2", QStringLiteral("ATENÇÃO!"), twips::rect(105, 200, 3285, 270), this);
    Label2->setFont(sansSerif(12, true));
    setTextColour(Label2, colours::statusRed());
    lblAvisoBoolean =
        makeLabel("lblAvisoBoolean", QStringLiteral("Deseja realmente apagar este(s) item(ns)?"),
                  twips::rect(480, 760, 2505, 495), this);
    lblAvisoBoolean->setFont(sansSerif(11, true));
    lblAvisoBoolean->setWordWrap(true);
    lblAvisoBoolean->setAlignment(Qt::AlignCenter);
    setTextColour(lblAvisoBoolean, colours::windowFrame());

    btnSim = new QPushButton(QStringLiteral("Sim"), this);
    btnSim->setObjectName(QStringLiteral("btnSim"));
    btnSim->setGeometry(twips::rect(840, 1480, 760, 375));
    btnNao = new QPushButton(QStringLiteral("Não"), this);
    btnNao->setObjectName(QStringLiteral("btnNao"));
    btnNao->setGeometry(twips::rect(1800, 1480, 760, 375));
    for (QPushButton* button : {btnSim, btnNao}) {
        button->setAccessibleName(button->text());
        // Enter answers with the button that has the focus, as in any dialog.
        button->setAutoDefault(true);
    }
    setTabOrder(btnSim, btnNao);
    btnSim->setFocus();
    connect(btnSim, &QAbstractButton::clicked, this, &DeleteConfirmation::deleteSelectedGroups);
    connect(btnNao, &QAbstractButton::clicked, this, &QWidget::close);

    resize(twips::size(3495, 2205));
    move(mainWindow->pos() + QPoint(twips::toPixels(1640), twips::toPixels(2160)));
}

void DeleteConfirmation::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    BorderlessWindow::keyPressEvent(event);
}

void DeleteConfirmation::deleteSelectedGroups() {
    // From the last selected row up, as the list shows them.
    QVector<int> ids;
    for (int row = m_state.groups.rowCount() - 1; row >= 0; --row) {
        if (m_selection.isRowSelected(row))
            ids.append(m_state.groups.groupId(row));
    }
    if (ids.isEmpty()) {
        prompt::beep();
        emit statusMessage(QStringLiteral("É preciso selecionar pelo menos 1 item."));
        close();
        return;
    }
    // This window closes at the end: what goes wrong is said over the main window.
    QWidget* mainWindow = parentWidget();
    const bool deleted = runDatabaseAction(mainWindow, [&] {
        try {
            deleteGroups(m_state.paths().groups, ids);
        } catch (const DatabaseError& error) {
            throw DatabaseError(error.file(), error.reason() + QStringLiteral("\nNenhum grupo foi apagado."));
        }
    });
    if (deleted) {
        emit groupsDeleted(ids);
        prompt::beep();
        emit statusMessage(QStringLiteral("Item(ns) deletado(s) com sucesso."));
        if (runDatabaseAction(mainWindow, [this] { m_state.groups.refill(); }))
            emit listRebuilt(m_state.groups.rowCount());
    }
    close();
}

} // namespace zantor
