#include "data/TextEscaping.h"

#include <QTest>

using namespace zantor;

class TextEscapingTest : public QObject {
    Q_OBJECT
private slots:
    void escapeDoublesApostrophesAndWritesTabs() {
        QCOMPARE(escapeText(QStringLiteral("it's")), QStringLiteral("it''s"));
        QCOMPARE(escapeText(QStringLiteral("a''b")), QStringLiteral("a''''b"));
        QCOMPARE(escapeText(QStringLiteral("a\tb\t")), QStringLiteral("a\\tb\\t"));
        // Line breaks and other backslashes pass untouched.
        QCOMPARE(escapeText(QStringLiteral("x\r\ny\\z")), QStringLiteral("x\r\ny\\z"));
    }

    void unescapeUndoesBothSteps() {
        QCOMPARE(unescapeText(QStringLiteral("it''s")), QStringLiteral("it's"));
        QCOMPARE(unescapeText(QStringLiteral("a\\tb")), QStringLiteral("a\tb"));
        // A stored doubled apostrophe reads as one.
        QCOMPARE(unescapeText(QStringLiteral("O''Neil''s")), QStringLiteral("O'Neil's"));
        // The pair backslash-t is a TAB on reading, even inside a path.
        QCOMPARE(unescapeText(QStringLiteral("C:\\temp")), QStringLiteral("C:\temp"));
    }

    void storedFormKeepsApostrophesAsTyped() {
        QCOMPARE(storedText(QStringLiteral("it's\tok")), QStringLiteral("it's\\tok"));
        QCOMPARE(storedText(QStringLiteral("two '' quotes")), QStringLiteral("two '' quotes"));
        QCOMPARE(literalValue(QStringLiteral("a''b''''c")), QStringLiteral("a'b''c"));
    }

    void roundTrips_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("readBack");
        QTest::newRow("plain") << QStringLiteral("Trabalho") << QStringLiteral("Trabalho");
        QTest::newRow("apostrophe") << QStringLiteral("Dia d'água") << QStringLiteral("Dia d'água");
        QTest::newRow("tab") << QStringLiteral("a\tb") << QStringLiteral("a\tb");
        // What the user typed twice reads back once: the stored text is read as a literal.
        QTest::newRow("doubled apostrophe") << QStringLiteral("a''b") << QStringLiteral("a'b");
        QTest::newRow("typed backslash-t") << QStringLiteral("C:\\tools") << QStringLiteral("C:\tools");
    }

    void roundTrips() {
        QFETCH(QString, typed);
        QFETCH(QString, readBack);
        QCOMPARE(unescapeText(storedText(typed)), readBack);
    }

    void lineBreakReadingTurnsBackslashNIntoCrLf() {
        QCOMPARE(unescapeTextWithLineBreaks(QStringLiteral("um\\ndois\\tx''y")),
                 QStringLiteral("um\r\ndois\tx'y"));
        QCOMPARE(unescapeText(QStringLiteral("um\\ndois")), QStringLiteral("um\\ndois"));
    }
};

QTEST_GUILESS_MAIN(TextEscapingTest)
#include "tst_text_escaping.moc"
