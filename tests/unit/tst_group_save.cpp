#include "data/DatabaseError.h"
#include "data/DatabaseSetup.h"
#include "data/DbSession.h"
#include "data/GroupExchange.h"
#include "data/GroupSave.h"
#include "data/GroupStore.h"
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

QVariant storedArguments(const TestAppFolder& app, int id) {
    DbSession db(app.databases().groups);
    return db.select(QStringLiteral("select texto3 from Tabela1 where id=?"), {id}).first().value(0);
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

    // The fix window's changes: an item's arguments stay with it, and go with it.
    void anItemsArgumentsGoWhereverItGoes() {
        TestAppFolder app;
        app.createDatabases();
        const QString groups = app.databases().groups;
        insertGroup(groups, {QStringLiteral("g"),
                             {{"a", "/a", "-1"}, {"b", "/b"}, {"c", "/c", "'três'"}},
                             QStringLiteral("02/03/2026"),
                             1});
        const QString unit(QChar(31));
        QCOMPARE(storedArguments(app, 1),
                 QVariant(QStringLiteral("-1") + unit + unit + QStringLiteral("'três'")));

        QCOMPARE(replaceItemAddress(groups, {1, 2, "c", "/c"}, "/novo/c", "03/03/2026"), ItemChange::Done);
        QCOMPARE(removeItem(groups, {1, 0, "a", "/a"}, "03/03/2026"), ItemChange::Done);
        const std::optional<GroupDetails> group = readGroupDetails(groups, 1);
        QCOMPARE(editorItems(group->texto1, group->texto2, group->texto3),
                 (QVector<GroupItem>{{"b", "/b"}, {"c", "/novo/c", "'três'"}}));
        QCOMPARE(removeItem(groups, {1, 1, "c", "/novo/c"}, "03/03/2026"), ItemChange::Done);
        QVERIFY(storedArguments(app, 1).isNull());
    }

    // Older databases: they read as before, with no arguments, and get the column on open.
    void aDatabaseFromBeforeArgumentsGetsTheirColumnOnOpen() {
        TestAppFolder app;
        app.createDatabases();
        const QString groups = app.databases().groups;
        {
            DbSession db(groups);
            db.execute(QStringLiteral("drop table Tabela1"));
            db.execute(QStringLiteral("drop table ChavesTitulo"));
            db.execute(QStringLiteral("PRAGMA user_version=0"));
            db.execute(
                QStringLiteral("create table Tabela1 (id INTEGER PRIMARY KEY AUTOINCREMENT, titulo1 TEXT, "
                               "texto1 TEXT, texto2 TEXT, qtd TEXT, dataUpd TEXT, categoria INTEGER, "
                               "ordem INTEGER)"));
        }
        const int id = app.addGroup(QStringLiteral("antigo"), QStringLiteral("a"), QStringLiteral("/a"));
        QCOMPARE(readGroupDetails(groups, id)->texto3, QString());
        QVERIFY(!exportGroups(app.databases()).json.contains("argumentos"));

        createMissingDatabases(app.databases(), app.folders().seedFolder());
        QVERIFY(storedArguments(app, id).isNull());
        QCOMPARE(readGroupDetails(groups, id)->texto2, QStringLiteral("/a"));
        updateGroup(groups, id,
                    {QStringLiteral("antigo"), {{"a", "/a", "-v"}}, QStringLiteral("02/03/2026"), 1});
        QCOMPARE(storedArguments(app, id), QVariant(QStringLiteral("-v")));
        // A second start finds the column there.
        createMissingDatabases(app.databases(), app.folders().seedFolder());
        QCOMPARE(storedArguments(app, id), QVariant(QStringLiteral("-v")));
    }
};

QTEST_GUILESS_MAIN(GroupSaveTest)
#include "tst_group_save.moc"
