#include "DeleteConfirmation.h"

#include "chrome/DatabaseAction.h"
#include "chrome/Prompt.h"
#include "chrome/SystemColours.h"
#include "chrome/TextStyle.h"
#include "chrome/Twips.h"
#include "data/GroupStore.h"
#include "state/SharedState.h"

#include <QItemSelectionModel>
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

    QLabel* heading =
        makeLabel("heading", QStringLiteral("ATENÇÃO!"), twips::rect(105, 200, 3285, 270), this);
    heading->setFont(sansSerif(12, true));
    setTextColour(heading, colours::statusRed());
    m_question = makeLabel("question", QStringLiteral("Deseja realmente apagar este(s) item(ns)?"),
                           twips::rect(480, 760, 2505, 495), this);
    m_question->setFont(sansSerif(11, true));
    m_question->setWordWrap(true);
    m_question->setAlignment(Qt::AlignCenter);
    setTextColour(m_question, colours::windowFrame());

    m_yesButton = new QPushButton(QStringLiteral("Sim"), this);
    m_yesButton->setObjectName(QStringLiteral("yesButton"));
    m_yesButton->setGeometry(twips::rect(840, 1480, 760, 375));
    m_noButton = new QPushButton(QStringLiteral("Não"), this);
    m_noButton->setObjectName(QStringLiteral("noButton"));
    m_noButton->setGeometry(twips::rect(1800, 1480, 760, 375));
    for (QPushButton* button : {m_yesButton, m_noButton}) {
        button->setAccessibleName(button->text());
        // Enter answers with the button that has the focus, as in any dialog.
        button->setAutoDefault(true);
    }
    setTabOrder(m_yesButton, m_noButton);
    m_yesButton->setFocus();
    connect(m_yesButton, &QAbstractButton::clicked, this, &DeleteConfirmation::deleteSelectedGroups);
    connect(m_noButton, &QAbstractButton::clicked, this, &QWidget::close);

    setFixedSize(twips::size(3495, 2205));
    setClosesOnEscape(true);
    move(mainWindow->pos() + QPoint(twips::toPixels(1640), twips::toPixels(2160)));
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
