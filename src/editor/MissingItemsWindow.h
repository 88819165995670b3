#pragma once

#include "chrome/TitledWindow.h"
#include "chrome/TrayHelper.h"
#include "state/Launcher.h"

#include <QVector>

class QLabel;
class QPushButton;

namespace zantor {

class SharedState;

// "Itens não encontrados": the items a run did not find, each with the way to point it at
// where it is now ("Procurar…") or to take it out of its group ("Remover do grupo"),
// without opening the editor. Every fix is made against the group as it is stored when
// it is clicked; closing the window changes nothing more.
class MissingItemsWindow : public TitledWindow {
    Q_OBJECT
public:
    MissingItemsWindow(SharedState& state, const QVector<MissedItem>& items, const QIcon& icon);

    void minimizeToTray();
    TrayHelper& tray() { return m_tray; }

private:
    // One row per item, in the report's order.
    struct Row {
        MissedItem item;
        QPushButton* browse;
        QPushButton* remove;
        // What became of the item: empty until something did.
        QLabel* outcome;
    };

    QWidget* buildRow(Row& row);
    void browse(int row);
    void applyFix(int row, const QString& address);
    void remove(int row);
    // Says what became of the item; a done fix leaves nothing more to do in its row.
    void settle(int row, ItemChange change, const QString& done);

    SharedState& m_state;
    QVector<Row> m_rows;
    TrayHelper m_tray;

    friend class MissingItemsWindowPeer;
};

} // namespace zantor
