#include "chrome/DatabaseAction.h"
#include "data/DbSession.h"
#include "main/GroupListView.h"
#include "main/MainWindow.h"
#include "support/RecordingPrompt.h"
#include "support/TestAppFolder.h"
#include "support/TestMain.h"
#include "support/TestZantor.h"
#include "support/TrayOverride.h"
#include "support/WindowPeers.h"

#include <QLabel>
#include <QListView>
#include <QSignalSpy>
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
        MainWindow& window = zantor.mainWindow();
        QListView compact;
        compact.setModel(&window.state().groups);
        compact.setModelColumn(GroupListModel::GroupColumn);

        app.addGroup(QStringLiteral("alfa"), QStringLiteral("a1, a2"));
        QVERIFY(runDatabaseAction(&window, [&] { window.state().groups.refill(); }));
        QCOMPARE(peer(window).groupList()->model()->rowCount(), 2);
        QCOMPARE(compact.model()->index(0, 0).data(GroupListModel::TitleRole).toString(),
                 QStringLiteral("alfa"));
        QCOMPARE(compact.model()->index(0, 0).data(GroupListModel::SummaryRole).toString(),
                 QStringLiteral("alfa: a1, a2"));
        QCOMPARE(window.state().groups.groupCount(), 2);
        QCOMPARE(peer(window).groupCount()->text(), QStringLiteral("2 grupos"));
        QVERIFY(prompt.messages.isEmpty());
    }

    // With more groups than any list shows at once, the first window shows the first
    // rows in their final order and the final count before the rest is read; once it is
    // drawn, every row follows without moving what it showed. A group written meanwhile
    // by something else refills the whole list.
    void theFirstRowsShowBeforeTheRest_data() {
        QTest::addColumn<QVariantMap>("settings");
        QTest::addColumn<int>("writtenMeanwhile");
        const QVariantMap mainWindow{{"checkMini", "1"}, {"iniMinimized", "0"}};
        QTest::newRow("main window") << mainWindow << 0;
        QTest::newRow("main window, a group written meanwhile") << mainWindow << 1;
        QTest::newRow("compact list") << QVariantMap{{"checkMini", "0"}, {"iniMinimized", "0"}} << 0;
        QTest::newRow("only the tray icon") << QVariantMap{{"checkMini", "1"}, {"iniMinimized", "1"}} << 0;
    }

    void theFirstRowsShowBeforeTheRest() {
        QFETCH(QVariantMap, settings);
        QFETCH(int, writtenMeanwhile);
        constexpr int kGroups = 70;
        TestAppFolder app;
        app.setSettings(settings);
        for (int i = kGroups; i > 0; --i)
            app.addGroup(QStringLiteral("Grupo %1").arg(i, 3, 10, QLatin1Char('0')));
        RecordingPrompt prompt;
        TrayOverride tray(true);
        TestZantor zantor(app.path());
        GroupListModel& groups = zantor.state->groups;
        const int first = groups.rowCount();
        QVERIFY2(first > 0 && first < kGroups, qPrintable(QString::number(first)));
        QCOMPARE(zantor.state->groups.groupCount(), kGroups);
        QCOMPARE(peer(zantor.mainWindow()).groupCount()->text(), QStringLiteral("%1 grupos").arg(kGroups));
        QCOMPARE(groups.index(first - 1, 0).data().toString(),
                 QStringLiteral(" Grupo %1").arg(first, 3, 10, QLatin1Char('0')));
        for (int i = 0; i < writtenMeanwhile; ++i)
            app.addGroup(QStringLiteral("Grupo 000"));
        QSignalSpy resets(&groups, &QAbstractItemModel::modelReset);

        QTRY_COMPARE(groups.rowCount(), kGroups + writtenMeanwhile);
        QCOMPARE(resets.size(), writtenMeanwhile);
        QCOMPARE(zantor.state->groups.groupCount(), kGroups + writtenMeanwhile);
        QCOMPARE(groups.index(kGroups + writtenMeanwhile - 1, 0).data().toString(),
                 QStringLiteral(" Grupo %1").arg(kGroups, 3, 10, QLatin1Char('0')));
        QVERIFY(prompt.messages.isEmpty());
    }

    // A database another program holds locked: the user is told which file, the list
    // keeps what it showed, and the program goes on.
    void aLockedDatabaseDuringARefillIsReported() {
        TestAppFolder app;
        app.addGroup(QStringLiteral("antes"));
        RecordingPrompt prompt;
        TestZantor zantor(app.path());
        MainWindow& window = zantor.mainWindow();
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
            QCOMPARE(window.state().groups.groupCount(), 1);
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
