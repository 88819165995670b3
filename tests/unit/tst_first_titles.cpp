#include "data/AlphabeticalOrder.h"
#include "data/FirstTitles.h"

#include <QRandomGenerator>
#include <QTest>

using namespace zantor;

namespace {

QByteArrayList utf8(const QStringList& titles) {
    QByteArrayList bytes;
    for (const QString& title : titles)
        bytes << title.toUtf8();
    return bytes;
}

// Titles from a few letters that fold together, so that most keys tie far into the
// title or differ only in case and accents.
QByteArrayList randomTitles(int count) {
    const QStringList pieces = {"a", "A", "á", "Á", "a\u0301", "b", "B", " ", "ç", "C", "\u0301", "0"};
    QRandomGenerator random(19);
    QStringList titles;
    for (int i = 0; i < count; ++i) {
        QString title = QStringLiteral("Projeto cliente número ");
        for (int length = random.bounded(6); length > 0; --length)
            title += pieces[random.bounded(int(pieces.size()))];
        titles << title;
    }
    return utf8(titles);
}

} // namespace

class FirstTitlesTest : public QObject {
    Q_OBJECT
private slots:
    // The first titles come out as a stable sort of all of them in id order puts them,
    // whatever order they come in: keys that tie well beyond the part every title is keyed
    // by, starts that are prefixes of one another, marks that fold away, characters
    // beyond the first plane and bytes that are no UTF-8.
    void firstTitlesAreTheFirstOfTheWholeOrder_data() {
        QTest::addColumn<QByteArrayList>("titles");
        QTest::newRow("long ties") << utf8(
            {"Relatório mensal de vendas – Março", "relatorio mensal de vendas - abril",
             "RELATÓRIO MENSAL DE VENDAS – MAIO", "Relatório mensal de vendas – março",
             "Relatorio mensal de vendas", "relatório mensal de vendas – Março"});
        QTest::newRow("case and accents") << utf8({"ação", "acao", "Ação", "ACAO", "açao", "acão", "b", "á"});
        QTest::newRow("prefixes") << utf8({"abcdefghijklmnopq", "abcdefghijklmnop", "abcdefghijklmno", "Abc",
                                           "ab", "a", "", "abcdefghijklmnopqr"});
        QTest::newRow("marks") << utf8(
            {"\u0301\u0301\u0301\u0301\u0301\u0301\u0301\u0301\u0301\u0301\u0301\u0301"
             "\u0301\u0301\u0301\u0301\u0301b",
             "a\u0301", "á", "a", "\u0301a", "\u0301"});
        QTest::newRow("other planes and bad bytes") << QByteArrayList({"\xf0\x9f\x98\x80", "\xef\xbc\xa1",
                                                                       "\xff\xfe"
                                                                       "abc",
                                                                       "abc\xc3", "abc", "\xc3\xa1"});
        QTest::newRow("many") << randomTitles(300);
    }

    void firstTitlesAreTheFirstOfTheWholeOrder() {
        QFETCH(QByteArrayList, titles);
        QVector<std::pair<int, QString>> rows;
        for (int i = 0; i < titles.size(); ++i)
            rows.append({i + 1, QString::fromUtf8(titles[i])});
        sortAlphabetically(rows, [](const auto& row) { return row.second; });
        QVector<int> sorted;
        for (const auto& row : std::as_const(rows))
            sorted << row.first;

        QVector<int> feed(titles.size());
        std::iota(feed.begin(), feed.end(), 0);
        const QVector<int> idOrder = feed;
        QVector<int> reversed(feed.rbegin(), feed.rend());
        QVector<int> shuffled = feed;
        std::shuffle(shuffled.begin(), shuffled.end(), QRandomGenerator(7));
        for (const QVector<int>& order : {idOrder, reversed, shuffled}) {
            for (const int count :
                 {0, 1, 2, 3, int(titles.size()) / 2, int(titles.size()), int(titles.size()) + 1}) {
                FirstTitles first(count);
                for (const int i : order)
                    first.add(i + 1, titles[i]);
                QCOMPARE(first.added(), int(titles.size()));
                QCOMPARE(first.ids(), sorted.mid(0, count));
            }
        }
    }
};

QTEST_GUILESS_MAIN(FirstTitlesTest)
#include "tst_first_titles.moc"
