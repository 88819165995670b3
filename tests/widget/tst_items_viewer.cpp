#include "chrome/ImageButton.h"
#include "data/DbSession.h"
#include "editor/ItemsViewer.h"
#include "main/GroupListView.h"
#include "main/MainWindow.h"
#include "support/RecordingPrompt.h"
#include "support/TestAppFolder.h"
#include "support/TestMain.h"
#include "support/TestZantor.h"
#include "support/WindowPeers.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QTest>

using namespace zantor;

namespace {
const QString kUnit = QString(QChar(31));
}

class ItemsViewerTest : public QObject {
    Q_OBJECT
private slots:
    void listingNumbersEveryItem_data() {
        QTest::addColumn<QString>("description");
        QTest::addColumn<QString>("addresses");
        QTest::addColumn<QString>("arguments");
        QTest::addColumn<QString>("listing");
        QTest::newRow("one item") << "Nota"
                                  << "/a/nota.txt" << QString() << "1 - Nota\r\n/a/nota.txt";
        QTest::newRow("three items") << "Um, Dois, Três" << QString("/1" + kUnit + "/2" + kUnit + "/3")
                                     << QString()
                                     << "1 - Um\r\n/1\r\n\r\n2 - Dois\r\n/2\r\n\r\n3 - Três\r\n/3";
        // A title without its address is left out; the gap after the last one shown stays.
        QTest::newRow("fewer addresses than titles")
            << "Um, Dois, Três" << QString("/1" + kUnit + "/2") << QString()
            << "1 - Um\r\n/1\r\n\r\n2 - Dois\r\n/2\r\n\r\n";
        QTest::newRow("arguments after their address")
            << "Editor, Nota, Terminal" << QString("/e.desktop" + kUnit + "/n.txt" + kUnit + "/t")
            << QString("'Meu projeto'" + kUnit + kUnit + "-e top")
            << "1 - Editor\r\n/e.desktop\r\nArgumentos: 'Meu projeto'\r\n\r\n2 - Nota\r\n/n.txt\r\n\r\n"
               "3 - Terminal\r\n/t\r\nArgumentos: -e top";
        QTest::newRow("no group chosen yet") << "...\r\n"
                                             << "" << QString() << "";
    }

    void listingNumbersEveryItem() {
        QFETCH(QString, description);
        QFETCH(QString, addresses);
        QFETCH(QString, arguments);
        QFETCH(QString, listing);
        QCOMPARE(ItemsViewer::itemListing(description, addresses, arguments), listing);
    }

    void doubleClickOnTheItemNamesShowsTheViewer() {
        TestAppFolder app;
        const int id = app.addGroup(QStringLiteral("Estudo"), QStringLiteral("Nota, Pasta"),
                                    "/a/nota.txt" + kUnit + "/a/pasta");
        DbSession(app.databases().groups)
            .execute(QStringLiteral("update Tabela1 set texto3=? where id=?"), {"-a \\tmp", id});
        RecordingPrompt prompt;
        TestZantor zantor(app.path());
        MainWindow& window = zantor.mainWindow();
        window.move(100, 50);
        peer(window).groupList()->setCurrentIndex(window.state().groups.index(0, 0));
        emit peer(window).groupList()->rowClicked(window.state().groups.index(0, 0));
        QTest::mouseDClick(peer(window).itemNames()->viewport(), Qt::LeftButton, {}, QPoint(10, 5));

        QPointer<ItemsViewer> viewer = window.findChild<ItemsViewer*>();
        QVERIFY(viewer);
        QVERIFY(viewer->isVisible());
        QCOMPARE(viewer->windowModality(), Qt::ApplicationModal);
        QVERIFY(window.isVisible());
        QCOMPARE(viewer->size(), QSize(300, 229));
        // Centred over the main window, 1530 twips below its top.
        QCOMPARE(viewer->pos(), QPoint(100 + (440 - 300) / 2, 50 + 102));
        QCOMPARE(peer(*viewer).groupTitle()->text(), QStringLiteral("Estudo"));
        QCOMPARE(peer(*viewer).listing()->toPlainText(),
                 QStringLiteral("1 - Nota\n/a/nota.txt\nArgumentos: -a \\tmp\n\n2 - Pasta\n/a/pasta"));
        QVERIFY(peer(*viewer).listing()->isReadOnly());
        QVERIFY(!peer(window).itemNames()->textCursor().hasSelection());

        peer(*viewer).closeButton()->click();
        QTRY_VERIFY(!viewer);
        QVERIFY(window.isVisible());
    }
};

ZANTOR_TEST_MAIN(ItemsViewerTest)
#include "tst_items_viewer.moc"
