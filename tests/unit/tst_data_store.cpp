#include "data/AlphabeticalOrder.h"
#include "data/CategoryStore.h"
#include "data/DatabaseError.h"
#include "data/DatabaseSetup.h"
#include "data/DbSession.h"
#include "data/GroupStore.h"
#include "data/SettingsStore.h"
#include "data/TextEscaping.h"
#include "support/TestAppFolder.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTest>
#include <chrono>
#include <future>
#include <thread>

using namespace zantor;

namespace {

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

QStringList titles(const QVector<GroupListRow>& rows) {
    QStringList out;
    for (const GroupListRow& row : rows)
        out << row.titulo1;
    return out;
}

QVector<int> ids(const QVector<GroupListRow>& rows) {
    QVector<int> out;
    for (const GroupListRow& row : rows)
        out << row.id;
    return out;
}

// Where the groups of a list test are stored.
enum Database { Current, Upgraded, TitlesChanged, Older, CountTriggersDropped };

// The groups database as a version from before the stored title keys left it.
void makeOlder(const QString& groupsPath) {
    DbSession db(groupsPath);
    for (const char* trigger : {"ChavesTitulo_aoInserir", "ChavesTitulo_aoAlterar", "ChavesTitulo_aoExcluir",
                                "ContagemGrupos_aoInserir", "ContagemGrupos_aoExcluir"})
        db.execute(QStringLiteral("drop trigger %1").arg(QLatin1String(trigger)));
    db.execute(QStringLiteral("drop table ChavesTitulo"));
    db.execute(QStringLiteral("drop table ContagemGrupos"));
    db.execute(QStringLiteral("PRAGMA user_version=0"));
}

QStringList rowTexts(const QVector<GroupListRow>& rows) {
    QStringList out;
    for (const GroupListRow& row : rows)
        out << QStringLiteral("%1 %2 %3 %4 %5")
                   .arg(row.id)
                   .arg(row.titulo1, row.texto1)
                   .arg(row.categoria)
                   .arg(row.ordem);
    return out;
}

} // namespace

class DataStoreTest : public QObject {
    Q_OBJECT
private slots:
    void firstRunMakesTheDatabasesFromTheSeed() {
        TestAppFolder app;
        const DatabasePaths paths = app.databases();
        QVERIFY(!QFile::exists(paths.settings));
        app.createDatabases();

        const SettingsOptions options = readSettingsOptions(paths.settings);
        QCOMPARE(options.tempo, QStringLiteral("1000"));
        QCOMPARE(options.numMiniList, QStringLiteral("5"));
        QCOMPARE(options.optLargura, QStringLiteral("3"));
        QCOMPARE(options.checkMini, QStringLiteral("1"));
        QCOMPARE(options.iniMinimized, QStringLiteral("0"));
        QCOMPARE(options.checkMinimize, QStringLiteral("0"));
        QCOMPARE(options.ordemPosts, QStringLiteral("0"));
        // Centred on a 1366 x 768 screen: (1366 - 440) / 2 and (768 - 457) / 2 pixels.
        QCOMPARE(readSettings(paths.settings).mainPosition, QPoint(463 * 15, 155 * 15));
        DbSession settingsDb(paths.settings);
        QCOMPARE(
            columnText(settingsDb.select(QStringLiteral("select atalhos from Tabela1 where id=1")).first(),
                       QStringLiteral("atalhos")),
            QString());

        const QVector<Category> categories = loadCategories(paths.categories);
        QVERIFY(categories.size() >= 8 && categories.size() <= 12);
        for (qsizetype i = 0; i < categories.size(); ++i) {
            QCOMPARE(categories[i].id, i + 1); // ids run without gaps: id k is the k-th image
            QVERIFY(!categories[i].titulo1.isEmpty());
            QVERIFY2(QFile::exists(app.path() + "/IMG/" + categories[i].imagem1),
                     qPrintable(categories[i].imagem1));
            QVERIFY2(QFile::exists(app.path() + "/IMG/" + categories[i].imagem2),
                     qPrintable(categories[i].imagem2));
        }
        QCOMPARE(categories[2].titulo1, QStringLiteral("Música"));
        QVERIFY(listGroups(paths.groups, GroupOrder::Alphabetical).isEmpty());
    }

    void anExistingDatabaseIsNeverOverwritten() {
        TestAppFolder app;
        app.createDatabases();
        app.setSettings({{QStringLiteral("tempo"), QStringLiteral("0700")}});
        writeFile(app.databases().groups, "not a database at all");
        const QByteArray broken = fileBytes(app.databases().groups);

        app.createDatabases();
        QCOMPARE(readSettingsOptions(app.databases().settings).tempo, QStringLiteral("0700"));
        QCOMPARE(fileBytes(app.databases().groups), broken);
        try {
            listGroups(app.databases().groups, GroupOrder::Alphabetical);
            QFAIL("a broken database was read");
        } catch (const DatabaseError& error) {
            QCOMPARE(error.file(), app.databases().groups);
            QVERIFY(error.userMessage().contains(QStringLiteral("ZT_Itens.db")));
        }
        QCOMPARE(fileBytes(app.databases().groups), broken);
    }

    void aFailedSeedIsNamedAndMadeAgainAtTheNextStart_data() {
        QTest::addColumn<QByteArray>("seed");
        QTest::newRow("missing") << QByteArray();
        // Fails partway: the first statements ran into the half-made file.
        QTest::newRow("bad statement") << QByteArray("CREATE TABLE Tabela1 (id INTEGER);\n"
                                                     "INSERT INTO Tabela1 VALUES (1);\n"
                                                     "INSERT INTO nowhere VALUES (2);\n");
    }

    void aFailedSeedIsNamedAndMadeAgainAtTheNextStart() {
        QFETCH(QByteArray, seed);
        TestAppFolder app;
        const QString seedPath = app.path() + "/BD/ZT_Cats.sql";
        const QByteArray goodSeed = fileBytes(seedPath);
        QVERIFY(QFile::remove(seedPath));
        if (!seed.isEmpty())
            writeFile(seedPath, seed);
        try {
            app.createDatabases();
            QFAIL("made a database from a seed that fails");
        } catch (const DatabaseError& error) {
            QCOMPARE(error.file(), app.databases().categories);
        }
        QVERIFY(fileBytes(app.databases().categories).isEmpty());

        // What a start that ended halfway leaves (a file without tables, even an empty
        // one) is no user data: the next start makes it again.
        writeFile(seedPath, goodSeed);
        writeFile(app.databases().groups, QByteArray());
        {
            DbSession tableless(app.databases().categories, DbSession::OpenMode::CreateFile);
            tableless.execute(QStringLiteral("CREATE TABLE t (a)"));
            tableless.execute(QStringLiteral("DROP TABLE t"));
        }
        QVERIFY(!fileBytes(app.databases().categories).isEmpty());
        app.createDatabases();
        QVERIFY(!loadCategories(app.databases().categories).isEmpty());
        QVERIFY(listGroups(app.databases().groups, GroupOrder::Alphabetical).isEmpty());
    }

    void listsGetLongTextsCutAndTheDetailsWhole() {
        TestAppFolder app;
        const QString huge(1 << 20, QLatin1Char('x'));
        const int id = app.addGroup(huge, huge, QStringLiteral("/a"));
        const QVector<GroupListRow> rows = listGroups(app.databases().groups, GroupOrder::Alphabetical);
        QCOMPARE(rows.first().titulo1, huge.left(kShownTextLength));
        QCOMPARE(rows.first().texto1, huge.left(kShownTextLength));
        QCOMPARE(readGroupDetails(app.databases().groups, id)->titulo1, huge);
    }

    void aMissingFileOrSettingsRowIsAnError() {
        TestAppFolder app;
        QVERIFY_THROWS_EXCEPTION(DatabaseError, readSettings(app.databases().settings));
        QVERIFY(!QFile::exists(app.databases().settings)); // reading never makes a file
        app.createDatabases();
        DbSession(app.databases().settings).execute(QStringLiteral("delete from Tabela1"));
        try {
            readSettings(app.databases().settings);
            QFAIL("read settings without a settings row");
        } catch (const DatabaseError& error) {
            QVERIFY(error.reason().contains(QStringLiteral("id 1")));
        }
    }

    void columnsKeepWhatWasWritten() {
        TestAppFolder app;
        const int id = app.addGroup(QStringLiteral("g"), QStringLiteral("a"), QStringLiteral("x"), QVariant(),
                                    0, QStringLiteral("0700"), QStringLiteral("07/12/2026"));
        const std::optional<GroupDetails> details = readGroupDetails(app.databases().groups, id);
        QVERIFY(details.has_value());
        QCOMPARE(details->qtd, QStringLiteral("0700"));
        QCOMPARE(details->dataUpd, QStringLiteral("07/12/2026"));
        QCOMPARE(details->categoria, QString()); // Null reads as ""
        QVERIFY(!readGroupDetails(app.databases().groups, id + 1).has_value());

        // Texts bound as their stored form land byte for byte as a quoted literal would.
        DbSession db(app.databases().groups);
        db.execute(QStringLiteral("update Tabela1 set titulo1=? where id=?"), {storedText("it's\tok"), id});
        QCOMPARE(db.select(QStringLiteral("select titulo1 from Tabela1 where id=?"), {id})
                     .first()
                     .value(0)
                     .toString(),
                 QStringLiteral("it's\\tok"));
    }

    // Both lists come in the order setting's order, the first screen as the first rows
    // of the whole list: case and accents do not split the alphabetical order, equal
    // keys keep id order, and the custom order sorts its numbers as numbers. So for
    // titles as stored by any writer, whose keys are made when a list finds them
    // missing; after a database from before the stored keys is brought up to date;
    // after titles change under their keys and a group goes; and in an older database
    // that is not brought up to date, which sorts in memory and counts; and written
    // by a program that dropped the trigger counting new groups, whose count the whole
    // list puts right. An empty `expected` is the order of sortAlphabetically over the
    // titles read in id order.
    void theFirstScreenAndTheWholeListAgreeInEveryOrder_data() {
        QTest::addColumn<int>("order");
        QTest::addColumn<int>("database");
        QTest::addColumn<QByteArrayList>("titles");
        QTest::addColumn<QVariantList>("ordem");
        QTest::addColumn<QStringList>("expected");
        const auto utf8 = [](const QStringList& titles) {
            QByteArrayList bytes;
            for (const QString& title : titles)
                bytes << title.toUtf8();
            return bytes;
        };
        // Titles from a few pieces that fold together, so that most keys tie far into
        // the title or differ only in case and accents.
        QByteArrayList many;
        const QStringList pieces = {"a", "A", "á", "Á", "a\u0301", "b", "B", " ", "ç", "C", "\u0301", "0"};
        QRandomGenerator random(19);
        for (int i = 0; i < 120; ++i) {
            QString title = QStringLiteral("Projeto ");
            for (int length = random.bounded(6); length > 0; --length)
                title += pieces[random.bounded(int(pieces.size()))];
            many << title.toUtf8();
        }
        const struct {
            const char* name;
            QByteArrayList titles;
            QStringList expected;
        } alphabetical[] = {
            {"case and accents",
             utf8({"zebra", "Élan", "b", "ação", "Abacate", "B", "elefante", "acao", "Zé"}),
             {"Abacate", "acao", "ação", "b", "B", "Élan", "elefante", "Zé", "zebra"}},
            {"upper case first in id order", utf8({"B", "a", "b", "A"}), {"a", "A", "B", "b"}},
            {"long ties",
             utf8({"Relatório mensal de vendas – Março", "relatorio mensal de vendas - abril",
                   "RELATÓRIO MENSAL DE VENDAS – MAIO", "Relatório mensal de vendas – março",
                   "Relatorio mensal de vendas", "relatório mensal de vendas – Março"}),
             {}},
            {"prefixes", utf8({"abcdefghijklmnopq", "abcdefghijklmnop", "Abc", "ab", "a", "", "abc d"}), {}},
            {"marks",
             utf8({"\u0301\u0301b", "a\u0301", "á", "a", "\u0301a", "\u0301", "a\u0301b", "ab"}),
             {}},
            {"other planes and bad bytes",
             {"\xf0\x9f\x98\x80", "\xef\xbc\xa1",
              "\xff\xfe"
              "abc",
              "abc\xc3", "abc", "\xc3\xa1", "\x7f", "~"},
             {}},
            {"many", many, {}},
        };
        for (const int database : {Current, Upgraded, TitlesChanged, Older, CountTriggersDropped}) {
            const char* const databases[] = {"", ", upgraded", ", titles changed", ", older",
                                             ", written without counting"};
            for (const auto& test : alphabetical)
                QTest::addRow("%s%s", test.name, databases[database])
                    << int(GroupOrder::Alphabetical) << database << test.titles << QVariantList()
                    << test.expected;
            // ordem written quoted is still a number: 2 sorts before 10.
            QTest::addRow("custom%s", databases[database])
                << int(GroupOrder::Custom) << database
                << utf8({"ten", "two", "one", "two again", "one again"})
                << QVariantList({10, 2, QStringLiteral("1"), 2, 1})
                << QStringList({"one", "one again", "two", "two again", "ten"});
        }
    }

    void theFirstScreenAndTheWholeListAgreeInEveryOrder() {
        QFETCH(int, order);
        QFETCH(int, database);
        QFETCH(QByteArrayList, titles);
        QFETCH(QVariantList, ordem);
        QFETCH(QStringList, expected);
        TestAppFolder app;
        app.createDatabases();
        const QString path = app.databases().groups;
        if (database == Upgraded || database == Older)
            makeOlder(path);
        if (database == CountTriggersDropped) {
            DbSession db(path);
            db.execute(QStringLiteral("drop trigger ContagemGrupos_aoInserir"));
        }
        {
            DbSession db(path);
            // The bytes as they are, valid UTF-8 or not, as another program may store them.
            const auto insert = [&db](const QByteArray& title, const QVariant& ordem) {
                db.execute(QStringLiteral("insert into Tabela1 (titulo1,texto1,categoria,ordem) "
                                          "values (CAST(? AS TEXT),'itens',1,?)"),
                           {title, ordem});
            };
            for (qsizetype i = 0; i < titles.size(); ++i)
                insert(database == TitlesChanged ? titles[titles.size() - 1 - i] : titles[i],
                       ordem.value(i, 0));
            if (database == TitlesChanged) {
                insert("gone", 0);
                listGroups(path, GroupOrder(order));
                for (qsizetype i = 0; i < titles.size(); ++i)
                    db.execute(QStringLiteral("update Tabela1 set titulo1=CAST(? AS TEXT) where id=?"),
                               {titles[i], int(i + 1)});
                db.execute(QStringLiteral("delete from Tabela1 where titulo1='gone'"));
            }
        }
        if (database == Upgraded)
            app.createDatabases();

        const QVector<GroupListRow> all = listGroups(path, GroupOrder(order));
        if (expected.isEmpty()) {
            QVector<GroupListRow> inIdOrder;
            for (qsizetype i = 0; i < titles.size(); ++i)
                inIdOrder.append({int(i + 1), QString::fromUtf8(titles[i]), QStringLiteral("itens"), 1, 0});
            sortAlphabetically(inIdOrder, [](const GroupListRow& row) { return row.titulo1; });
            expected = ::titles(inIdOrder);
            QCOMPARE(ids(all), ids(inIdOrder));
        }
        QCOMPARE(::titles(all), expected);
        const qsizetype n = titles.size();
        for (const qsizetype count : {qsizetype(0), qsizetype(1), qsizetype(2), n / 2, n - 1, n, n + 1}) {
            const FirstGroups first = listFirstGroups(path, GroupOrder(order), int(count));
            QCOMPARE(first.total, int(n));
            QCOMPARE(rowTexts(first.rows), rowTexts(all.mid(0, count)));
        }
        QCOMPARE(rowTexts(listGroups(path, GroupOrder(order))), rowTexts(all));
    }
    void settingsAreReadAsTheProgramUsesThem_data() {
        QTest::addColumn<QVariantMap>("columns");
        QTest::addColumn<QString>("read");
        const auto add = [](const char* name, QVariantMap columns, const char* read) {
            QTest::newRow(name) << columns << QString::fromLatin1(read);
        };
        add("the seed", {}, "main 6945,2325 compact 17400,1500 rows 5 wide main shown alphabetical 1000 ms");
        add("typed with a leading zero", {{"tempo", "0700"}, {"numMiniList", "07"}},
            "main 6945,2325 compact 17400,1500 rows 7 wide main shown alphabetical 700 ms");
        add("no numbers", {{"tempo", "x"}, {"numMiniList", ""}, {"optLargura", "x"}, {"miniLeft", "a"}},
            "main 6945,2325 compact 0,1500 rows 0 wide main shown alphabetical 0 ms");
        add("narrow, compact, tray, custom, minimised",
            {{"optLargura", "1"},
             {"checkMini", "0"},
             {"iniMinimized", "1"},
             {"ordemPosts", "7"},
             {"checkMinimize", "2"}},
            "main 6945,2325 compact 17400,1500 rows 5 narrow compact tray custom minimised 1000 ms");
        add("medium, and flags that are not theirs",
            {{"optLargura", "2"}, {"checkMini", "2"}, {"iniMinimized", "2"}},
            "main 6945,2325 compact 17400,1500 rows 5 medium main shown alphabetical 1000 ms");
        add("a decimal place", {{"left", "1507.6"}, {"top", "-30"}},
            "main 1508,-30 compact 17400,1500 rows 5 wide main shown alphabetical 1000 ms");
    }
    void settingsAreReadAsTheProgramUsesThem() {
        QFETCH(QVariantMap, columns);
        QFETCH(QString, read);
        TestAppFolder app;
        app.createDatabases();
        app.setSettings(columns);
        const Settings settings = readSettings(app.databases().settings);
        const char* widths[] = {"narrow", "medium", "wide"};
        QStringList words{
            QStringLiteral("main %1,%2").arg(settings.mainPosition.x()).arg(settings.mainPosition.y()),
            QStringLiteral("compact %1,%2")
                .arg(settings.compactPosition.x())
                .arg(settings.compactPosition.y()),
            QStringLiteral("rows %1").arg(settings.compactRows),
            QString::fromLatin1(widths[int(settings.compactWidth)]),
            settings.startCompact ? QStringLiteral("compact") : QStringLiteral("main"),
            settings.startInTray ? QStringLiteral("tray") : QStringLiteral("shown"),
            settings.groupOrder == GroupOrder::Custom ? QStringLiteral("custom")
                                                      : QStringLiteral("alphabetical")};
        if (settings.minimizeOnLaunch)
            words << QStringLiteral("minimised");
        words << QStringLiteral("%1 ms").arg(settings.launchDelay.count());
        QCOMPARE(words.join(QLatin1Char(' ')), read);

        // The options stored from the settings window change the delay and the compact
        // list's width and rows, and nothing else, at once.
        SettingsOptions options = readSettingsOptions(app.databases().settings);
        options.tempo = QStringLiteral("0900");
        options.optLargura = QStringLiteral("2");
        options.numMiniList = QStringLiteral("12");
        options.iniMinimized = QStringLiteral("1");
        Settings expected = settings;
        expected.launchDelay = std::chrono::milliseconds(900);
        expected.compactWidth = CompactWidth::Medium;
        expected.compactRows = 12;
        QVERIFY(withImmediateOptions(settings, options) == expected);
    }

    void windowPositionIsStored() {
        TestAppFolder app;
        app.createDatabases();
        storeWindowPosition(app.databases().settings, QPoint(1500, 3000));
        QCOMPARE(readSettings(app.databases().settings).mainPosition, QPoint(1500, 3000));
    }

    // Commands started together (two listings and an import on a fresh folder, say)
    // take turns at the write lock: a transaction that reads before it writes waits for
    // another writer to finish rather than fail at once.
    void aWriterWaitsForAnotherToFinish_data() {
        QTest::addColumn<bool>("readsFirst");
        QTest::newRow("writes at once") << false;
        QTest::newRow("reads, then writes") << true;
    }

    void aWriterWaitsForAnotherToFinish() {
        QFETCH(bool, readsFirst);
        TestAppFolder app;
        app.createDatabases();
        const QString groups = app.databases().groups;
        const QString insert = QStringLiteral("insert into Tabela1 (titulo1,ordem) values (?,0)");
        std::promise<void> holding;
        std::thread other([&] {
            DbSession db(groups);
            db.inTransaction([&] {
                db.execute(insert, {QStringLiteral("outro")});
                holding.set_value();
                // Another process in the middle of its import.
                std::this_thread::sleep_for(std::chrono::milliseconds(400));
            });
        });
        holding.get_future().wait();
        QString failure;
        try {
            DbSession db(groups);
            db.inTransaction([&] {
                if (readsFirst)
                    db.select(QStringLiteral("select count(*) from Tabela1"));
                db.execute(insert, {QStringLiteral("este")});
            });
        } catch (const DatabaseError& error) {
            failure = error.userMessage();
        }
        other.join();
        QCOMPARE(failure, QString());
        QCOMPARE(titles(listGroups(groups, GroupOrder::Custom)), QStringList({"outro", "este"}));
    }

    void scriptSplittingKeepsSemicolonsInsideTexts() {
        const QStringList statements = splitSqlScript(
            QStringLiteral("-- a comment; not a statement\nCREATE TABLE t (a TEXT); -- the user's own\n"
                           "INSERT INTO t VALUES ('x; y', 'it''s');\n\n"));
        QCOMPARE(statements,
                 QStringList({"CREATE TABLE t (a TEXT)", "INSERT INTO t VALUES ('x; y', 'it''s')"}));
    }
};

QTEST_GUILESS_MAIN(DataStoreTest)
#include "tst_data_store.moc"
