// The least a Qt Widgets program must do to show what every window with text and a list
// shows: a frameless top-level widget of Zantor's main window size with a label and a
// two-column list of 20 rows from an in-memory model. The start-up benchmark times
// Zantor against this, so that what the toolkit and the X server cost to draw text and
// a list anyway is not counted against Zantor.

#include <QApplication>
#include <QLabel>
#include <QStandardItemModel>
#include <QTreeView>
#include <QWidget>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QWidget window(nullptr, Qt::Window | Qt::FramelessWindowHint);
    window.resize(440, 457);

    QLabel label(QStringLiteral("Grupos"), &window);
    label.setGeometry(16, 16, 408, 24);

    QStandardItemModel rows(20, 2);
    rows.setHorizontalHeaderLabels({QStringLiteral("Grupo"), QStringLiteral("Itens")});
    for (int row = 0; row < rows.rowCount(); ++row) {
        rows.setItem(row, 0, new QStandardItem(QStringLiteral("Grupo %1").arg(row + 1)));
        rows.setItem(row, 1,
                     new QStandardItem(QStringLiteral("Relatório %1.pdf, Planilha %1.ods").arg(row + 1)));
    }
    QTreeView list(&window);
    list.setRootIsDecorated(false);
    list.setModel(&rows);
    list.setGeometry(16, 48, 408, 300);

    window.show();
    return QApplication::exec();
}
