#include "data/DbSession.h"
#include "data/GroupRules.h"
#include "data/GroupStore.h"
#include "data/ItemListCodec.h"
#include "data/TextEscaping.h"
#include "data/WebAddress.h"
#include "support/TestAppFolder.h"

#include <QTest>

using namespace zantor;

namespace {

const QString kUnit = QString(QChar(31));

QVector<GroupItem> sampleItems() {
    return {{QStringLiteral("Docs"), QStringLiteral("C:\\Work\\a.txt")},
            {QStringLiteral("d'Artagnan's \"notes\""), QStringLiteral("/home/ana/l'été/o'k.txt")},
            {QStringLiteral("Faixa\t2"), QStringLiteral("/música/faixa\t2.ogg")},
            {QStringLiteral("'"), QStringLiteral("/fim'")}};
}

} // namespace

class ItemListCodecTest : public QObject {
    Q_OBJECT
private slots:
    void writingFollowsTheStoredFormat() {
        const StoredItemList two = writeItemList({{QStringLiteral("Docs"), QStringLiteral("C:\\Work\\a.txt")},
                                                  {QStringLiteral("Music"), QStringLiteral("D:\\Songs")}});
        QCOMPARE(two.texto1, QStringLiteral("Docs, Music"));
        QCOMPARE(two.texto2, QStringLiteral("C:\\Work\\a.txt") + kUnit + QStringLiteral("D:\\Songs"));
        QCOMPARE(two.qtd, QStringLiteral("2"));

        const StoredItemList one = writeItemList({{QStringLiteral("It's"), QStringLiteral("/a\tb")}});
        QCOMPARE(one.texto1, QStringLiteral("It's"));
        QCOMPARE(one.texto2, QStringLiteral("/a\\tb"));
        QCOMPARE(one.qtd, QStringLiteral("1"));

        const StoredItemList none = writeItemList({});
        QCOMPARE(none.texto1, QString());
        QCOMPARE(none.texto2, QString());
        QCOMPARE(none.qtd, QStringLiteral("0"));
    }

    void boundTextsLandAsTheQuotedStatementWould() {
        TestAppFolder app;
        app.createDatabases();
        const QVector<GroupItem> items = sampleItems();

        // The statement as the quoted-literal form builds it, each text escaped once.
        QStringList titles;
        QStringList addresses;
        for (const GroupItem& item : items) {
            titles << escapeText(item.title);
            addresses << escapeText(item.address);
        }
        DbSession db(app.databases().groups);
        db.execute(QStringLiteral("insert into Tabela1 (titulo1,texto1,texto2,qtd,dataUpd,categoria,ordem) "
                                  "values ('quoted','%1','%2','%3','01/02/2026','1','0')")
                       .arg(titles.join(QStringLiteral(", ")), addresses.join(kUnit))
                       .arg(items.size()));
        const StoredItemList stored = writeItemList(items);
        const int bound =
            app.addGroup(QStringLiteral("bound"), stored.texto1, stored.texto2, 1, 0, stored.qtd);

        const auto rows =
            db.select(QStringLiteral("select texto1,texto2,qtd from Tabela1 order by id asc"), {});
        QCOMPARE(rows.size(), 2);
        for (const QString column : {"texto1", "texto2", "qtd"})
            QCOMPARE(columnText(rows[1], column).toUtf8(), columnText(rows[0], column).toUtf8());

        QCOMPARE(readResourceList(app.databases().groups, bound).value_or("no group"), stored.texto2);
        QVERIFY(!readResourceList(app.databases().groups, bound + 1).has_value());
        db.execute(QStringLiteral("update Tabela1 set texto2=NULL where id=?"), {bound});
        QCOMPARE(readResourceList(app.databases().groups, bound).value_or("no group"), QString());
    }

    // Written next to the addresses, escaped as they are; a group without any is Null.
    void argumentsLiveInTexto3AndReadBackAsTyped() {
        const StoredItemList none = writeItemList(sampleItems());
        QVERIFY(none.texto3.isNull());
        QCOMPARE(none.texto3.metaType(), QMetaType::fromType<QString>());

        QVector<GroupItem> items = sampleItems();
        items[1].arguments = QStringLiteral("--título \"d'Ávila\" \\tmp");
        items[3].arguments = QStringLiteral("-x\\ty '' \"''\"");
        const StoredItemList stored = writeItemList(items);
        QCOMPARE(stored.texto3.toString(), kUnit + QStringLiteral("--título \"d'Ávila\" \\tmp") + kUnit +
                                               kUnit + QStringLiteral("-x\\ty '' \"''\""));
        QCOMPARE(editorItems(stored.texto1, stored.texto2, stored.texto3.toString()), items);
        // Older rows: Null or fewer pieces than items mean no arguments.
        QCOMPARE(editorItems(stored.texto1, stored.texto2, QString()), sampleItems());
        QCOMPARE(itemArguments(QStringLiteral("a") + kUnit + "b").value(2), QString());
        // A stored backslash-t is what was typed: no TAB comes between two words.
        QCOMPARE(itemArguments(QStringLiteral("a\\tb") + kUnit + "c\\td"), QStringList({"a\\tb", "c\\td"}));
    }

    // Every door a group comes in by takes the same items: ones the stored lists keep
    // apart, that start something, and that read back on one line.
    void whatAnItemMayHold_data() {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("arguments");
        QTest::addColumn<ItemFault>("fault");
        const auto row = [](const char* name, const QString& title, const QString& address,
                            const QString& arguments, ItemFault fault) {
            QTest::newRow(name) << title << address << arguments << fault;
        };
        row("plain", "a", "/a", "", ItemFault::None);
        row("one space is a title", " ", "/a", "", ItemFault::None);
        row("a TAB in a title or an address", "a\tb", "/a\tb", "", ItemFault::None);
        row("a TAB in the arguments", "a", "/a", "-x\ty", ItemFault::TabInArguments);
        row("quoted arguments", "a", "/a", "'b c' \"d\"", ItemFault::None);
        row("no title", "", "/a", "", ItemFault::EmptyText);
        row("no address", "a", "", "", ItemFault::EmptyText);
        row("title with a comma and a space", "a, b", "/a", "", ItemFault::TitleSeparator);
        row("unit separator in the arguments", "a", "/a", "x" + kUnit, ItemFault::UnitSeparator);
        row("unit separator in the title", "a" + kUnit, "/a", "", ItemFault::UnitSeparator);
        row("line break in the address", "a", "/a\nb", "", ItemFault::ControlCharacter);
        row("carriage return in the title", "a\rb", "/a", "", ItemFault::ControlCharacter);
        row("ESC in the arguments", "a", "/a", "\x1b[2J", ItemFault::ControlCharacter);
        row("NUL in the address", "a", QStringLiteral("/a") + QChar(0), "", ItemFault::ControlCharacter);
        row("C1 control in the title", QStringLiteral("a") + QChar(0x9b), "/a", "",
            ItemFault::ControlCharacter);
        row("a quote left open", "a", "/a", "It's", ItemFault::OpenQuote);
    }
    void whatAnItemMayHold() {
        QFETCH(QString, title);
        QFETCH(QString, address);
        QFETCH(QString, arguments);
        QFETCH(ItemFault, fault);
        QCOMPARE(itemFault({title, address, arguments}), fault);
    }

    void whatAGroupMayHold_data() {
        QTest::addColumn<QString>("title");
        QTest::addColumn<int>("items");
        QTest::addColumn<GroupFault>("fault");
        QTest::newRow("plain") << "Trabalho" << 1 << GroupFault::None;
        QTest::newRow("spaces around") << " Ação " << 3 << GroupFault::None;
        QTest::newRow("a TAB") << "a\tb" << 1 << GroupFault::None;
        QTest::newRow("empty") << "" << 1 << GroupFault::BlankTitle;
        QTest::newRow("three spaces") << "   " << 1 << GroupFault::BlankTitle;
        QTest::newRow("line break") << "Gru\npo" << 1 << GroupFault::ControlCharacter;
        QTest::newRow("ESC") << "\x1b]0;x" << 1 << GroupFault::ControlCharacter;
        QTest::newRow("no items") << "Grupo" << 0 << GroupFault::NoItems;
    }
    void whatAGroupMayHold() {
        QFETCH(QString, title);
        QFETCH(int, items);
        QFETCH(GroupFault, fault);
        QCOMPARE(groupFault(title, items), fault);
    }

    void theLauncherKeepsEveryPieceWithoutItsSpaces() {
        QCOMPARE(launchResources(QString()), QStringList());
        QCOMPARE(launchResources(QStringLiteral("   ")), QStringList({""}));
        QCOMPARE(launchResources(QStringLiteral(" /a b/c.txt  ")), QStringList({"/a b/c.txt"}));
        QCOMPARE(launchResources(QStringLiteral("/a") + kUnit + kUnit + QStringLiteral(" /b ") + kUnit + " " +
                                 kUnit),
                 QStringList({"/a", "", "/b", "", ""}));
        // Unescaped once: doubled apostrophes become one and backslash-t a TAB, which is
        // part of the address and survives the trimming.
        QCOMPARE(launchResources(QStringLiteral("/l''été/x") + kUnit + QStringLiteral(" \\tarefas ")),
                 QStringList({"/l'été/x", "\tarefas"}));
    }

    void theEditorPairsTheColumnsByPosition() {
        const StoredItemList stored = writeItemList(sampleItems());
        QCOMPARE(editorItems(stored.texto1, stored.texto2, {}), sampleItems());
        QCOMPARE(editorItems(QString(), QString(), {}), QVector<GroupItem>());
        // No trimming for the editor: what was typed comes back.
        QCOMPARE(editorItems(QStringLiteral(" A "), QStringLiteral(" /a "), {}),
                 (QVector<GroupItem>{{" A ", " /a "}}));

        // A title holding ", " splits in two: every piece is kept, the missing
        // addresses are empty.
        QCOMPARE(editorItems(QStringLiteral("Paz, amor, Rock"), QStringLiteral("/p") + kUnit + "/r", {}),
                 (QVector<GroupItem>{{"Paz", "/p"}, {"amor", "/r"}, {"Rock", ""}}));
        QCOMPARE(editorItems(QStringLiteral("Só"), QStringLiteral("/a") + kUnit + kUnit + "/c", {}),
                 (QVector<GroupItem>{{"Só", "/a"}, {"", ""}, {"", "/c"}}));
        QCOMPARE(editorItems(QString(), QStringLiteral("/a"), {}), (QVector<GroupItem>{{"", "/a"}}));
    }

    void theViewerPairsTextsAlreadyUnescaped() {
        // Its texts were unescaped when the details were read; doing it again would turn
        // a real "''" into one apostrophe and a real backslash-t into a TAB.
        QCOMPARE(viewerItems(QStringLiteral("a''b, c"), QStringLiteral("/x\\ty") + kUnit + "/z", "''-x"),
                 (QVector<GroupItem>{{"a''b", "/x\\ty", "''-x"}, {"c", "/z"}}));
    }

    void aTabReadBackTurnsIntoTheTypedBackslashT() {
        QCOMPARE(addressAsTyped(QStringLiteral("C:\\Work\tarefas\t")),
                 QStringLiteral("C:\\Work\\tarefas\\t"));
        QCOMPARE(addressAsTyped(QStringLiteral("/sem/tab")), QStringLiteral("/sem/tab"));
    }

    // A web address goes to the desktop untested; everything else is a path, a file://
    // URL the path it names.
    void anAddressWithAUrlSchemeIsAWebAddress_data() {
        QTest::addColumn<QString>("address");
        QTest::addColumn<bool>("web");
        QTest::addColumn<QString>("path");
        QTest::newRow("https") << "https://example.org/relatorio" << true << "";
        QTest::newRow("http, capitals") << "HTTP://Example.org" << true << "";
        QTest::newRow("smb") << "smb://nas/fotos" << true << "";
        QTest::newRow("mailto") << "mailto:ana@example.org?subject=Oi" << true << "";
        QTest::newRow("scheme with plus") << "svn+ssh://svn.example.org/repo" << true << "";
        QTest::newRow("scheme with a digit") << "s3://fotos/2024" << true << "";
        QTest::newRow("scheme with dot and dash") << "x-my.app://abrir" << true << "";
        QTest::newRow("magnet") << "magnet:?xt=urn:btih:abc" << true << "";
        QTest::newRow("tel") << "tel:+5511999999999" << true << "";
        QTest::newRow("sms") << "SMS:+5511999999999" << true << "";
        QTest::newRow("news") << "news:comp.lang.c" << true << "";
        QTest::newRow("other scheme without slashes") << "notas:x" << false << "notas:x";
        QTest::newRow("scheme starting with a digit") << "3d://x" << false << "3d://x";
        QTest::newRow("file URL") << "file:///home/ana/a%20b.txt" << false << "/home/ana/a b.txt";
        QTest::newRow("path") << "/home/ana/https://x" << false << "/home/ana/https://x";
        QTest::newRow("relative path with a colon") << "notas:2024.txt" << false << "notas:2024.txt";
        QTest::newRow("drive letter") << "C:\\Docs\\a.txt" << false << "C:\\Docs\\a.txt";
        QTest::newRow("drive letter, slashes") << "C://Docs/a.txt" << false << "C://Docs/a.txt";
        QTest::newRow("digits are no scheme") << "123://x" << false << "123://x";
        QTest::newRow("empty") << "" << false << "";
    }
    void anAddressWithAUrlSchemeIsAWebAddress() {
        QFETCH(QString, address);
        QFETCH(bool, web);
        QFETCH(QString, path);
        QCOMPARE(isWebAddress(address), web);
        if (!web)
            QCOMPARE(localPath(address), path);
    }
};

QTEST_GUILESS_MAIN(ItemListCodecTest)
#include "tst_item_list_codec.moc"
