#include "platform/Pictures.h"

#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>

using namespace zantor;

namespace {

QImage pixels(const QPixmap& pixmap) {
    return pixmap.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

} // namespace

// Zantor draws its SVG pictures itself, late and once: what it draws must be what Qt's
// own SVG icons drew, in every look and size, and a file that is no picture still gives
// no picture.
class PicturesTest : public QObject {
    Q_OBJECT
private slots:
    void picturesDrawAsQtIconsDo_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<int>("mode");
        const QString category = QStringLiteral(ZANTOR_SOURCE_DIR "/IMG/cat-musica-24.svg");
        QTest::newRow("its own size") << category << QSize(24, 24) << int(QIcon::Normal);
        QTest::newRow("larger, for a dense screen") << category << QSize(48, 48) << int(QIcon::Normal);
        QTest::newRow("a box of other proportions") << category << QSize(40, 20) << int(QIcon::Normal);
        QTest::newRow("selected") << category << QSize(24, 24) << int(QIcon::Selected);
        QTest::newRow("disabled") << category << QSize(24, 24) << int(QIcon::Disabled);
        QTest::newRow("wide picture") << QStringLiteral("wide.svg") << QSize(26, 26) << int(QIcon::Normal);
        QTest::newRow("no picture") << QStringLiteral("broken.svg") << QSize(24, 24) << int(QIcon::Normal);
        QTest::newRow("missing") << QStringLiteral("missing.svg") << QSize(24, 24) << int(QIcon::Normal);
    }

    void picturesDrawAsQtIconsDo() {
        QFETCH(QString, file);
        QFETCH(QSize, size);
        QFETCH(int, mode);
        QTemporaryDir folder;
        QFile wide(folder.filePath(QStringLiteral("wide.svg")));
        QVERIFY(wide.open(QIODevice::WriteOnly));
        wide.write("<svg xmlns='http://www.w3.org/2000/svg' width='101' height='20' viewBox='0 0 101 20'>"
                   "<rect x='2' y='2' width='97' height='16' rx='4' fill='#2a6fb0'/></svg>");
        wide.close();
        QFile broken(folder.filePath(QStringLiteral("broken.svg")));
        QVERIFY(broken.open(QIODevice::WriteOnly));
        broken.write("not a picture");
        broken.close();
        const QString path = file.startsWith(QLatin1Char('/')) ? file : folder.filePath(file);

        const QIcon ours = picture(path);
        const QIcon qts(path);
        QCOMPARE(ours.isNull(), qts.isNull());
        const auto look = QIcon::Mode(mode);
        QCOMPARE(ours.actualSize(size, look), qts.actualSize(size, look));
        const QPixmap drawn = ours.pixmap(size, look);
        QCOMPARE(drawn.isNull(), qts.pixmap(size, look).isNull());
        if (!drawn.isNull())
            QCOMPARE(pixels(drawn), pixels(qts.pixmap(size, look)));
    }
};

QTEST_MAIN(PicturesTest)
#include "tst_pictures.moc"
