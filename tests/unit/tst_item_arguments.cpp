#include "data/ItemArguments.h"

#include <QTest>

using namespace zantor;

class ItemArgumentsTest : public QObject {
    Q_OBJECT
private slots:
    // As a shell parts words, and not one expansion: what is typed is what the program gets.
    void argumentsPartAsShellWordsWithNothingExpanded_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("words");
        QTest::newRow("nothing") << "" << QStringList();
        QTest::newRow("only blanks") << " \t " << QStringList();
        QTest::newRow("blanks part words") << "  --nova-janela   /home/ana/projeto\t-v "
                                           << QStringList({"--nova-janela", "/home/ana/projeto", "-v"});
        QTest::newRow("single quotes keep everything")
            << "'Meu projeto' '\\\"$HOME\\\"' 'a\\b'"
            << QStringList({"Meu projeto", "\\\"$HOME\\\"", "a\\b"});
        QTest::newRow("double quotes keep blanks and single quotes")
            << "\"Meu projeto\" \"d'água\"" << QStringList({"Meu projeto", "d'água"});
        QTest::newRow("backslash in double quotes only before $ ` \" \\")
            << "\"a\\\"b\" \"c\\\\d\" \"e\\$f\" \"g\\`h\" \"i\\jk\""
            << QStringList({"a\"b", "c\\d", "e$f", "g`h", "i\\jk"});
        QTest::newRow("backslash outside quotes keeps the next character")
            << "Meu\\ projeto \\'a\\' \\\\ \\$HOME" << QStringList({"Meu projeto", "'a'", "\\", "$HOME"});
        QTest::newRow("quoted pieces join their neighbours")
            << "--nome=\"Ana Maria\"'s' a\"\"b" << QStringList({"--nome=Ana Marias", "ab"});
        QTest::newRow("empty quotes are an empty word") << "a '' \"\" b" << QStringList({"a", "", "", "b"});
        QTest::newRow("no expansion at all") << "$HOME ~ ~/notas *.txt a;b ; `date` $(id) >saida |x &"
                                             << QStringList({"$HOME", "~", "~/notas", "*.txt", "a;b", ";",
                                                             "`date`", "$(id)", ">saida", "|x", "&"});
        QTest::newRow("a comment sign is a character") << "#1 a#b" << QStringList({"#1", "a#b"});
        QTest::newRow("a backslash at the end stays") << "C:\\ a\\" << QStringList({"C: a\\"});
        QTest::newRow("a backslash and a line break join lines")
            << "um\\\ndois \\\n tres" << QStringList({"umdois", "tres"});
        QTest::newRow("accents and other scripts") << "ação 日本 😀" << QStringList({"ação", "日本", "😀"});
    }

    void argumentsPartAsShellWordsWithNothingExpanded() {
        QFETCH(QString, typed);
        QFETCH(QStringList, words);
        const std::optional<QStringList> split = splitArguments(typed);
        QVERIFY(split.has_value());
        QCOMPARE(*split, words);
    }

    void aQuoteLeftOpenSplitsIntoNothing_data() {
        QTest::addColumn<QString>("typed");
        QTest::newRow("single") << "a 'b c";
        QTest::newRow("double") << "a \"b c";
        QTest::newRow("double closed only by an escaped quote") << "\"a\\\"";
        QTest::newRow("an apostrophe in a word") << "It's";
    }

    void aQuoteLeftOpenSplitsIntoNothing() {
        QFETCH(QString, typed);
        QVERIFY(!splitArguments(typed).has_value());
    }
};

QTEST_GUILESS_MAIN(ItemArgumentsTest)
#include "tst_item_arguments.moc"
