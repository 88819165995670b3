#include "platform/Pictures.h"

#include <QFile>
#include <QImage>
#include <QPainter>
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
        QTest::addColumn<qreal>("scale");
        const QString category = QStringLiteral(ZANTOR_SOURCE_DIR "/IMG/cat-musica-24.svg");
        QTest::newRow("its own size") << category << QSize(24, 24) << int(QIcon::Normal) << 1.0;
        QTest::newRow("larger, for a dense screen") << category << QSize(48, 48) << int(QIcon::Normal) << 1.0;
        QTest::newRow("a box of other proportions") << category << QSize(40, 20) << int(QIcon::Normal) << 1.0;
        QTest::newRow("selected") << category << QSize(24, 24) << int(QIcon::Selected) << 1.0;
        QTest::newRow("disabled") << category << QSize(24, 24) << int(QIcon::Disabled) << 1.0;
        QTest::newRow("a dense screen") << category << QSize(24, 24) << int(QIcon::Normal) << 2.0;
        QTest::newRow("a dense screen, a box of other proportions")
            << category << QSize(40, 20) << int(QIcon::Normal) << 2.0;
        QTest::newRow("a dense screen, selected") << category << QSize(24, 24) << int(QIcon::Selected) << 2.0;
        QTest::newRow("wide picture")
            << QStringLiteral("wide.svg") << QSize(26, 26) << int(QIcon::Normal) << 1.0;
        QTest::newRow("no picture") << QStringLiteral("broken.svg") << QSize(24, 24) << int(QIcon::Normal)
                                    << 1.0;
        QTest::newRow("missing") << QStringLiteral("missing.svg") << QSize(24, 24) << int(QIcon::Normal)
                                 << 1.0;
    }

    void picturesDrawAsQtIconsDo() {
        QFETCH(QString, file);
        QFETCH(QSize, size);
        QFETCH(int, mode);
        QFETCH(qreal, scale);
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
        const QPixmap drawn = ours.pixmap(size, scale, look);
        const QPixmap qtsDrawn = qts.pixmap(size, scale, look);
        QCOMPARE(drawn.isNull(), qtsDrawn.isNull());
        if (drawn.isNull())
            return;
        QCOMPARE(drawn.devicePixelRatio(), qtsDrawn.devicePixelRatio());
        QCOMPARE(pixels(drawn), pixels(qtsDrawn));
        // As a widget paints it, on a screen of that density.
        const auto painted = [&](const QIcon& icon) {
            QImage canvas(size * scale, QImage::Format_ARGB32_Premultiplied);
            canvas.setDevicePixelRatio(scale);
            canvas.fill(Qt::transparent);
            QPainter painter(&canvas);
            icon.paint(&painter, QRect(QPoint(0, 0), size), Qt::AlignCenter, look);
            return canvas;
        };
        QCOMPARE(painted(ours), painted(qts));
    }
};

QTEST_MAIN(PicturesTest)
#include "tst_pictures.moc"
