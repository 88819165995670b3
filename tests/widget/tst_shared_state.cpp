#include "chrome/DatabaseAction.h"
#include "data/DbSession.h"
#include "main/Frm1_ZT_ini.h"
#include "main/GroupListView.h"
#include "support/RecordingPrompt.h"
#include "support/TestAppFolder.h"
#include "support/TestMain.h"
#include "support/TestZantor.h"

#include <QLabel>
#include <QListView>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTest>

using namespace zantor;

class SharedStateTest : public QObject {
    Q_OBJECT
private slots:
    // The compact list is a view of the main list's model: a save in one window shows in
    // every open list at once.
    void aRefillReachesEveryViewAndTheCount() {
        TestAppFolder app;
        app.addGroup(QStringLiteral("Beta"), QStringLiteral("b"));
        RecordingPrompt prompt;
        TestZantor zantor(app.path());
        Frm1_ZT_ini& window = zantor.mainWindow();
        QListView compact;
        compact.setModel(&window.state().groups);
        compact.setModelColumn(GroupListModel::GroupColumn);

        app.addGroup(QStringLiteral("alfa"), QStringLiteral("a1, a2"));
        QVERIFY(runDatabaseAction(&window, [&] { window.state().groups.refill(); }));
        QCOMPARE(window.ListView1->model()->rowCount(), 2);
        QCOMPARE(compact.model()->index(0, 0).data(GroupListModel::TitleRole).toString(),
                 QStringLiteral("alfa"));
        QCOMPARE(compact.model()->index(0, 0).data(GroupListModel::SummaryRole).toString(),
                 QStringLiteral("alfa: a1, a2"));
        QCOMPARE(window.state().lblNumtotal, QStringLiteral("2"));
        QCOMPARE(window.lblNumItens->text(), QStringLiteral("2 grupos"));
        QVERIFY(prompt.messages.isEmpty());
    }

    // A database another program holds locked: the user is told which file, the list
    // keeps what it showed, and the program goes on.
    void aLockedDatabaseDuringARefillIsReported() {
        TestAppFolder app;
        app.addGroup(QStringLiteral("antes"));
        RecordingPrompt prompt;
        TestZantor zantor(app.path());
        Frm1_ZT_ini& window = zantor.mainWindow();
        {
            QSqlDatabase locker =
                QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("locker"));
            locker.setDatabaseName(app.databases().groups);
            QVERIFY(locker.open());
            QSqlQuery lock(locker);
            QVERIFY(lock.exec(QStringLiteral("BEGIN EXCLUSIVE")));
            QVERIFY(lock.exec(QStringLiteral("insert into Tabela1 (titulo1) values ('depois')")));

            QVERIFY(!runDatabaseAction(&window, [&] { window.state().groups.refill(); }));
            QCOMPARE(prompt.messages.size(), 1);
            QCOMPARE(prompt.messages[0].title, QStringLiteral("Erro"));
            QVERIFY2(prompt.messages[0].text.contains(QStringLiteral("ZT_Itens.db")),
                     qPrintable(prompt.messages[0].text));
            QCOMPARE(window.state().groups.rowCount(), 1);
            QCOMPARE(window.state().lblNumtotal, QStringLiteral("1"));
            lock.exec(QStringLiteral("ROLLBACK"));
            locker.close();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("locker"));
        QVERIFY(runDatabaseAction(&window, [&] { window.state().groups.refill(); }));
        QCOMPARE(window.state().groups.rowCount(), 1);
    }
};

ZANTOR_TEST_MAIN(SharedStateTest)
#include "tst_shared_state.moc"
