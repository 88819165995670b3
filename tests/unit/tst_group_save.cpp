#include "data/DatabaseError.h"
#include "data/DbSession.h"
#include "data/GroupSave.h"
#include "support/TestAppFolder.h"

#include <QTest>

using namespace zantor;

namespace {

int ordemOf(const TestAppFolder& app, const QString& title) {
    DbSession db(app.databases().groups);
    return db.select(QStringLiteral("select ordem from Tabela1 where titulo1=?"), {title})
        .first()
        .value(0)
        .toInt();
}

GroupContent group(const QString& title) {
    return {title, {{QStringLiteral("Item"), QStringLiteral("/item")}}, QStringLiteral("02/03/2026"), 1};
}

} // namespace

class GroupSaveTest : public QObject {
    Q_OBJECT
private slots:
    void newGroupsGoOnePlaceAfterTheLast() {
        TestAppFolder app;
        app.createDatabases();
        insertGroup(app.databases().groups, group(QStringLiteral("primeiro")));
        QCOMPARE(ordemOf(app, QStringLiteral("primeiro")), 1);
        // The custom order numbers from 0 and may leave the count behind.
        app.addGroup(QStringLiteral("ordenado"), {}, {}, 1, 9);
        insertGroup(app.databases().groups, group(QStringLiteral("segundo")));
        insertGroup(app.databases().groups, group(QStringLiteral("terceiro")));
        QCOMPARE(ordemOf(app, QStringLiteral("segundo")), 10);
        QCOMPARE(ordemOf(app, QStringLiteral("terceiro")), 11);
    }

    void updatingAGroupThatIsGoneSaysSo() {
        TestAppFolder app;
        const int id = app.addGroup(QStringLiteral("antes"), {}, {}, 1, 4);
        updateGroup(app.databases().groups, id, group(QStringLiteral("depois")));
        QCOMPARE(ordemOf(app, QStringLiteral("depois")), 4);
        QVERIFY_THROWS_EXCEPTION(DatabaseError, updateGroup(app.databases().groups, id + 1, group("outro")));
        DbSession db(app.databases().groups);
        QCOMPARE(db.select(QStringLiteral("select count(*) from Tabela1")).first().value(0).toInt(), 1);
    }
};

QTEST_GUILESS_MAIN(GroupSaveTest)
#include "tst_group_save.moc"
