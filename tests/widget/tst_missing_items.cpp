#include "data/DbSession.h"
#include "editor/MissingItemsWindow.h"
#include "support/RecordingPrompt.h"
#include "support/RecordingResourceHandler.h"
#include "support/TestAppFolder.h"
#include "support/TestMain.h"
#include "support/TestZantor.h"
#include "support/WindowPeers.h"

#include <QDate>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace zantor;

namespace {

const QString kUnit(QChar(31));

// What the group holds now: titles, addresses, count and date.
QStringList stored(const TestAppFolder& app, int id) {
    DbSession db(app.databases().groups);
    const QSqlRecord row =
        db.select(QStringLiteral("select texto1,texto2,qtd,dataUpd from Tabela1 where id=?"), {id}).first();
    return {row.value(0).toString(), row.value(1).toString(), row.value(2).toString(),
            row.value(3).toString()};
}

} // namespace

class MissingItemsTest : public QObject {
    Q_OBJECT
private slots:
    // A run's report offers the fix; each missing item is pointed at where it is now or
    // taken out of its group, against the group as it is stored at the click.
    void missingItemsAreFixedFromTheReport_data() {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QStringList>("after");
        QTest::addColumn<QString>("outcome");
        // Its commands are done with once the row has its outcome.
        QTest::addColumn<bool>("settled");
        const QString today = QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy"));
        QTest::newRow("found elsewhere")
            << "browse"
            << "/novo/relatório.ods"
            << QStringList({"Nota, Relatório", "/nota.txt" + kUnit + "/novo/relatório.ods", "2", today})
            << "Corrigido" << true;
        QTest::newRow("taken out") << "remove"
                                   << "" << QStringList({"Nota", "/nota.txt", "1", today})
                                   << "Removido do grupo" << true;
        QTest::newRow("changed meanwhile")
            << "changed"
            << "/novo/relatório.ods"
            << QStringList({"Nota, Relatório", "/nota.txt" + kUnit + "/outro.ods", "2", "01/02/2026"})
            << "O item mudou ou saiu do grupo desde a abertura; ficou como está." << true;
        // What the editor would refuse is no fix either; another path may still be chosen.
        QTest::newRow("a path with a line break")
            << "browse"
            << "/novo/relatório\n.ods"
            << QStringList({"Nota, Relatório", "/nota.txt" + kUnit + "<old>", "2", "01/02/2026"})
            << "Este caminho tem quebras de linha ou outros caracteres de controle; escolha outro." << false;
    }

    void missingItemsAreFixedFromTheReport() {
        QFETCH(QString, action);
        QFETCH(QString, chosen);
        QFETCH(QStringList, after);
        QFETCH(QString, outcome);
        QFETCH(bool, settled);
        TestAppFolder app;
        QTemporaryDir moved;
        const QString old = moved.filePath(QStringLiteral("sumiu/relatório.ods"));
        after.replaceInStrings(QStringLiteral("<old>"), old);
        const int id = app.addGroup(QStringLiteral("Trabalho"), QStringLiteral("Nota, Relatório"),
                                    QStringLiteral("/nota.txt") + kUnit + old, 1, 0, QStringLiteral("2"));
        app.setSettings({{QStringLiteral("tempo"), QStringLiteral("10")}});
        RecordingResourceHandler handler({"/nota.txt"});
        RecordingPrompt prompt;
        TestZantor zantor(app.path(), &handler);
        zantor.mainWindow().openGroups({id});
        QTRY_COMPARE(prompt.offered.size(), 1);
        QCOMPARE(prompt.offered[0].label, QStringLiteral("Corrigir itens…"));
        prompt.offered[0].run();
        MissingItemsWindow* window = nullptr;
        for (QWidget* top : QApplication::topLevelWidgets())
            window = window ? window : qobject_cast<MissingItemsWindow*>(top);
        QVERIFY(window && window->isVisible());
        QCOMPARE(peer(*window).rows().size(), 1);
        const auto& row = peer(*window).rows()[0];
        QCOMPARE(row.item.groupTitle, QStringLiteral("Trabalho"));

        if (action == "changed")
            DbSession(app.databases().groups)
                .execute(QStringLiteral("update Tabela1 set texto2=? where id=?"),
                         {QStringLiteral("/nota.txt") + kUnit + QStringLiteral("/outro.ods"), id});
        prompt.nextPath = chosen;
        (action == "remove" ? row.remove : row.browse)->click();
        QCOMPARE(stored(app, id), after);
        QCOMPARE(row.outcome->text(), outcome);
        QCOMPARE(row.browse->isEnabled(), !settled);
        QCOMPARE(row.remove->isEnabled(), !settled);
        if (action == "browse") {
            // The chooser opened where the old path still stands, for a file.
            QCOMPARE(prompt.chooserFolders, QStringList({moved.path()}));
            QCOMPARE(prompt.chooserKinds, QList<PathKind>({PathKind::File}));
        }
        // Every list follows what was stored.
        QCOMPARE(zantor.state->groups.index(0, GroupListModel::ItemsColumn).data().toString(), after[0]);
        window->close();
    }
};

ZANTOR_TEST_MAIN(MissingItemsTest)
#include "tst_missing_items.moc"
