#include "chrome/ClickableLabel.h"
#include "chrome/ImagePicture.h"
#include "chrome/SystemColours.h"
#include "data/DbSession.h"
#include "main/GroupListView.h"
#include "main/MainWindow.h"
#include "state/GroupListModel.h"
#include "support/RecordingPrompt.h"
#include "support/TestAppFolder.h"
#include "support/TestMain.h"
#include "support/TestZantor.h"
#include "support/WindowPeers.h"

#include <QApplication>
#include <QCheckBox>
#include <QContextMenuEvent>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QScreen>
#include <QScrollBar>
#include <QTest>

using namespace zantor;

namespace {

bool showsDefaultPicture(MainWindow& window) {
    return peer(window).categoryPicture()->icon().cacheKey() == peer(window).defaultPicture().cacheKey();
}

QModelIndex cell(MainWindow& window, int row, int column = 0) {
    return window.state().groups.index(row, column);
}

QStringList rowTexts(MainWindow& window) {
    QStringList texts;
    for (int i = 0; i < window.state().groups.rowCount(); ++i)
        texts << cell(window, i).data().toString();
    return texts;
}

void clickRow(MainWindow& window, int row) {
    const QRect area = peer(window).groupList()->visualRect(cell(window, row));
    QTest::mouseClick(peer(window).groupList()->viewport(), Qt::LeftButton, {}, area.center());
}

int selectedRowCount(MainWindow& window) {
    return static_cast<int>(peer(window).groupList()->selectionModel()->selectedRows().size());
}

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT
private slots:
    void emptyListShowsZeroGroupsAndTheCoverStrips() {
        TestAppFolder app;
        RecordingPrompt prompt;
        TestZantor zantor(app.path());
        MainWindow& window = zantor.mainWindow();
        QVERIFY(window.isVisible());
        QCOMPARE(window.windowTitle(), QStringLiteral("Kelmar Zantor"));
        QCOMPARE(window.size(), QSize(440, 457));
        QCOMPARE(window.state().groups.rowCount(), 0);
        QCOMPARE(peer(window).groupCount()->text(), QStringLiteral("0 grupos"));
        QCOMPARE(window.state().groups.groupCount(), 0);
        QVERIFY(peer(window).listCover()->isVisible());
        QVERIFY(peer(window).headerCover()->isVisible());
        QVERIFY(prompt.messages.isEmpty());
        // The settings reach the shared values.
        QCOMPARE(window.state().settings().launchDelay, std::chrono::milliseconds(1000));
        QCOMPARE(window.state().settings().compactRows, 5);
        QCOMPARE(window.state().settings().startInTray, false);
        QCOMPARE(window.state().categoryTitles().size(), 10);
        QCOMPARE(window.state().categoryTitles()[0], (ListEntry{QStringLiteral("Trabalho"), 1}));
        QCOMPARE(window.state().categoryPictures()[0], (ListEntry{QStringLiteral("cat-trabalho-42.svg"), 1}));
    }

    void coverStripsGoAtElevenGroups_data() {
        QTest::addColumn<int>("groups");
        QTest::addColumn<bool>("covered");
        QTest::newRow("10") << 10 << true;
        QTest::newRow("11") << 11 << false;
    }

    void coverStripsGoAtElevenGroups() {
        QFETCH(int, groups);
        QFETCH(bool, covered);
        TestAppFolder app;
        for (int i = 0; i < groups; ++i)
            app.addGroup(QStringLiteral("Grupo %1").arg(i, 2, 10, QLatin1Char('0')));
        RecordingPrompt prompt;
        TestZantor zantor(app.path());
        MainWindow& window = zantor.mainWindow();
        QCOMPARE(peer(window).groupCount()->text(), QStringLiteral("%1 grupos").arg(groups));
        QCOMPARE(window.state().groups.groupCount(), groups);
        QCOMPARE(peer(window).listCover()->isVisible(), covered);
        QCOMPARE(peer(window).headerCover()->isVisible(), covered);
        // Ten rows fit under the header without a scroll bar; the eleventh needs one.
        QCOMPARE(peer(window).groupList()->verticalScrollBar()->maximum() > 0, !covered);
        QCOMPARE(selectedRowCount(window), 0);
        QCOMPARE(peer(window).groupList()->currentIndex().row(), 0);
    }

    void rowsFollowTheStoredOrder_data() {
        QTest::addColumn<QString>("ordemPosts");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("alphabetical") << "0" << QStringList({" alfa", " Beta", " gama"});
        QTest::newRow("custom") << "1" << QStringList({" gama", " alfa", " Beta"});
        QTest::newRow("any other value is custom") << "7" << QStringList({" gama", " alfa", " Beta"});
    }

    void rowsFollowTheStoredOrder() {
        QFETCH(QString, ordemPosts);
        QFETCH(QStringList, expected);
        TestAppFolder app;
        const int beta = app.addGroup(QStringLiteral("Beta"), QStringLiteral("b1, b2"), {}, 2, 3);
        app.addGroup(QStringLiteral("gama"), QStringLiteral("g"), {}, 3, 1);
        app.addGroup(QStringLiteral("alfa"), QStringLiteral("a"), {}, 1, 2);
        app.setSettings({{QStringLiteral("ordemPosts"), ordemPosts}});
        RecordingPrompt prompt;
        TestZantor zantor(app.path());
        MainWindow& window = zantor.mainWindow();
        QCOMPARE(rowTexts(window), expected);
        const int betaRow = expected.indexOf(QStringLiteral(" Beta"));
        const QModelIndex row = cell(window, betaRow);
        QCOMPARE(cell(window, betaRow, 1).data().toString(), QStringLiteral("b1, b2"));
        QCOMPARE(row.data(GroupListModel::GroupIdRole).toInt(), beta);
        QCOMPARE(row.data(Qt::ForegroundRole).value<QColor>(), QColor(0, 0, 0));
        QCOMPARE(cell(window, betaRow, 1).data(Qt::ForegroundRole).value<QColor>(), QColor(128, 128, 128));
        // Category 2 shows the second category's small picture.
        const QImage icon = row.data(Qt::DecorationRole).value<QIcon>().pixmap(24, 24).toImage();
        QCOMPARE(icon, QIcon(app.path() + "/IMG/cat-estudos-24.svg").pixmap(24, 24).toImage());
        QCOMPARE(row.data(GroupListModel::TitleRole).toString(), QStringLiteral("Beta"));
        QCOMPARE(row.data(GroupListModel::SummaryRole).toString(), QStringLiteral("Beta: b1, b2"));
    }

    void compactListWidthFollowsOptLargura_data() {
        QTest::addColumn<QString>("optLargura");
        QTest::addColumn<CompactWidth>("width");
        QTest::newRow("1") << "1" << CompactWidth::Narrow;
        QTest::newRow("2") << "2" << CompactWidth::Medium;
        QTest::newRow("3") << "3" << CompactWidth::Wide;
        QTest::newRow("text") << "x" << CompactWidth::Wide;
    }

    void compactListWidthFollowsOptLargura() {
        QFETCH(QString, optLargura);
        QFETCH(CompactWidth, width);
        TestAppFolder app;
        app.setSettings({{QStringLiteral("optLargura"), optLargura}});
        RecordingPrompt prompt;
        TestZantor zantor(app.path());
        MainWindow& window = zantor.mainWindow();
        QCOMPARE(window.state().settings().compactWidth, width);
    }

    void minimizeOptionStartsFromTheSettings() {
        for (const bool ticked : {false, true}) {
            TestAppFolder app;
            app.setSettings({{QStringLiteral("checkMinimize"), ticked ? "1" : "0"}});
            RecordingPrompt prompt;
            TestZantor zantor(app.path());
            MainWindow& window = zantor.mainWindow();
            QCOMPARE(peer(window).minimizeOnLaunch()->isChecked(), ticked);
            QCOMPARE(peer(window).minimizeOnLaunchCaption()->palette().color(QPalette::WindowText),
                     ticked ? colours::windowFrame() : colours::activeBorder());
        }
    }

    void rowClickFillsTheDetails() {
        TestAppFolder app;
        app.addGroup(QStringLiteral("Antes"));
        const int id = app.addGroup(QStringLiteral("Dia d''água"), QStringLiteral("Letra, Faixa\\t2"),
                                    QStringLiteral("/tmp/a\x1f/tmp/b"), 3, 0, QStringLiteral("0700"),
                                    QStringLiteral("7/1/26"));
        RecordingPrompt prompt;
        TestZantor zantor(app.path());
        MainWindow& window = zantor.mainWindow();
        QTest::mouseMove(peer(window).groupList()->viewport(), QPoint(5, 5));
        clickRow(window, 1);
        QCOMPARE(peer(window).groupTitle()->text(), QStringLiteral("Dia d'água"));
        QCOMPARE(peer(window).itemNames()->toPlainText(), QStringLiteral("Letra, Faixa\t2"));
        QCOMPARE(peer(window).addresses(), QStringLiteral("/tmp/a\x1f/tmp/b"));
        QCOMPARE(peer(window).groupDate()->text(), QStringLiteral("7/1/26"));
        QCOMPARE(peer(window).itemCount()->text(), QStringLiteral("0700"));
        QCOMPARE(peer(window).categoryName()->text(), QStringLiteral("Música"));
        QCOMPARE(cell(window, 1).data(GroupListModel::GroupIdRole).toInt(), id);
        QVERIFY(peer(window).listTouched());
        QCOMPARE(peer(window).groupTitle()->palette().color(QPalette::WindowText), colours::windowFrame());
        QVERIFY(!peer(window).categoryPicture()->icon().isNull());
        QVERIFY(!showsDefaultPicture(window));
        // The pointer had been over the list, so only the clicked row is selected.
        QCOMPARE(selectedRowCount(window), 1);
        QVERIFY(prompt.messages.isEmpty());
    }

    void detailsFollowTheRowTheUserReaches_data() {
        QTest::addColumn<QStringList>("gestures");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QList<int>>("selected");
        QTest::addColumn<bool>("menu");
        // The keys select only the row they reach: the first click's rule, which adds
        // row 1, is for clicks.
        QTest::newRow("down") << QStringList{"Down"} << "b" << QList<int>{1} << false;
        QTest::newRow("down, down, up") << QStringList{"Down", "Down", "Up"} << "b" << QList<int>{1} << false;
        QTest::newRow("end") << QStringList{"End"} << "c" << QList<int>{2} << false;
        QTest::newRow("first click without the pointer")
            << QStringList{"click 2"} << "c" << QList<int>{0, 2} << false;
        QTest::newRow("keys, then a click")
            << QStringList{"Down", "click 2"} << "c" << QList<int>{2} << false;
        QTest::newRow("right click") << QStringList{"right click 2"} << "c" << QList<int>{2} << true;
        QTest::newRow("menu key") << QStringList{"Down", "menu key"} << "b" << QList<int>{1} << true;
        QTest::newRow("shift F10") << QStringList{"End", "Shift+F10"} << "c" << QList<int>{2} << true;
    }

    void detailsFollowTheRowTheUserReaches() {
        QFETCH(QStringList, gestures);
        QFETCH(QString, shown);
        QFETCH(QList<int>, selected);
        QFETCH(bool, menu);
        TestAppFolder app;
        app.addGroup(QStringLiteral("a"));
        app.addGroup(QStringLiteral("b"));
        app.addGroup(QStringLiteral("c"));
        RecordingPrompt prompt;
        TestZantor zantor(app.path());
        MainWindow& window = zantor.mainWindow();
        GroupListView* list = peer(window).groupList();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        // The keys start in the list.
        QCOMPARE(QApplication::focusWidget(), list);
        for (const QString& gesture : std::as_const(gestures)) {
            const QPoint row3 = list->visualRect(cell(window, 2)).center();
            if (gesture == QLatin1String("click 2")) {
                QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, row3);
            } else if (gesture == QLatin1String("right click 2")) {
                // The press, and what the platform makes of it.
                QTest::mousePress(list->viewport(), Qt::RightButton, {}, row3);
                QContextMenuEvent rightClick(QContextMenuEvent::Mouse, row3,
                                             list->viewport()->mapToGlobal(row3));
                QApplication::sendEvent(list->viewport(), &rightClick);
                QTest::mouseRelease(list->viewport(), Qt::RightButton, {}, row3);
            } else if (gesture == QLatin1String("menu key")) {
                // What the platform makes of the menu key.
                QContextMenuEvent menuKey(QContextMenuEvent::Keyboard, QPoint(1, 1),
                                          list->mapToGlobal(QPoint(1, 1)));
                QApplication::sendEvent(list, &menuKey);
            } else {
                const QKeySequence keys(gesture);
                QTest::keyClick(list, keys[0].key(), keys[0].keyboardModifiers());
            }
        }
        QCOMPARE(peer(window).groupTitle()->text(), shown);
        QList<int> rows;
        for (const QModelIndex& row : list->selectionModel()->selectedRows())
            rows << row.row();
        std::sort(rows.begin(), rows.end());
        QCOMPARE(rows, selected);
        auto* shortcutMenu = window.findChild<QMenu*>(QStringLiteral("groupShortcutMenu"));
        QCOMPARE(shortcutMenu && shortcutMenu->isVisible(), menu);
        if (shortcutMenu)
            shortcutMenu->close();
    }

    void missingPicturesFallBackToTheDefault_data() {
        QTest::addColumn<QVariant>("categoria");
        QTest::addColumn<QString>("name");
        QTest::newRow("image file missing") << QVariant(4) << QStringLiteral("Vídeo");
        QTest::newRow("no category") << QVariant(0) << QString();
        QTest::newRow("negative") << QVariant(-2) << QString();
        QTest::newRow("past the end") << QVariant(99) << QString();
        QTest::newRow("null") << QVariant() << QString();
    }

    void missingPicturesFallBackToTheDefault() {
        QFETCH(QVariant, categoria);
        QFETCH(QString, name);
        TestAppFolder app;
        QVERIFY(QFile::remove(app.path() + "/IMG/cat-video-42.svg"));
        // An unreadable small image leaves its rows without an icon.
        QFile broken(app.path() + "/IMG/cat-video-24.svg");
        QVERIFY(broken.open(QIODevice::WriteOnly | QIODevice::Truncate));
        broken.write("garbage");
        broken.close();
        app.addGroup(QStringLiteral("g"), QStringLiteral("x"), {}, categoria);
        RecordingPrompt prompt;
        TestZantor zantor(app.path());
        MainWindow& window = zantor.mainWindow();
        QVERIFY(cell(window, 0).data(Qt::DecorationRole).value<QIcon>().pixmap(24, 24).isNull());
        QTest::mouseMove(peer(window).groupList()->viewport(), QPoint(5, 5));
        clickRow(window, 0);
        QCOMPARE(peer(window).categoryName()->text(), name);
        QVERIFY(showsDefaultPicture(window));
        QVERIFY(prompt.messages.isEmpty());
    }

    void aBrokenDatabaseIsReportedAndKept_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("settings not a database") << "ZT_Config.db" << QByteArray("garbage garbage garbage");
        QTest::newRow("groups not a database") << "ZT_Itens.db" << QByteArray("garbage garbage garbage");
        QTest::newRow("categories not a database") << "ZT_Cats.db" << QByteArray("SQLite format 3");
    }

    void aBrokenDatabaseIsReportedAndKept() {
        QFETCH(QString, file);
        QFETCH(QByteArray, bytes);
        TestAppFolder app;
        app.createDatabases();
        const QString path = app.path() + "/BD/" + file;
        QFile database(path);
        QVERIFY(database.open(QIODevice::WriteOnly | QIODevice::Truncate));
        database.write(bytes);
        database.close();

        RecordingPrompt prompt;
        QVERIFY(!startup::loadStateOrSay(app.path()));
        QCOMPARE(prompt.messages.size(), 1);
        QCOMPARE(prompt.messages[0].icon, PromptIcon::Critical);
        QCOMPARE(prompt.messages[0].title, QStringLiteral("Erro"));
        QVERIFY2(prompt.messages[0].text.contains(file), qPrintable(prompt.messages[0].text));
        QVERIFY(database.open(QIODevice::ReadOnly));
        QCOMPARE(database.readAll(), bytes);
    }

    void aMissingSettingsRowIsReported() {
        TestAppFolder app;
        app.createDatabases();
        DbSession(app.databases().settings).execute(QStringLiteral("delete from Tabela1"));
        RecordingPrompt prompt;
        QVERIFY(!startup::loadStateOrSay(app.path()));
        QCOMPARE(prompt.messages.size(), 1);
        QVERIFY(prompt.messages[0].text.contains(QStringLiteral("ZT_Config.db")));
    }

    // A stored place counts as on screen when at least 40 x 40 px of the window would
    // show there; otherwise the window opens centred on the primary screen.
    void storedPlaceIsUsedUnlessTooLittleShows_data() {
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        QTest::addColumn<QPoint>("stored");
        QTest::addColumn<bool>("kept");
        QTest::newRow("on screen") << QPoint(100, 200) << true;
        QTest::newRow("40 px at the right edge") << QPoint(screen.right() + 1 - 40, 100) << true;
        QTest::newRow("far away") << QPoint(30000, -5000) << false;
        QTest::newRow("a strip at the right edge") << QPoint(screen.right() + 1 - 30, 100) << false;
        QTest::newRow("a strip at the bottom") << QPoint(100, screen.bottom() + 1 - 30) << false;
    }

    void storedPlaceIsUsedUnlessTooLittleShows() {
        QFETCH(QPoint, stored);
        QFETCH(bool, kept);
        TestAppFolder app;
        app.setSettings(
            {{QStringLiteral("left"), stored.x() * 15}, {QStringLiteral("top"), stored.y() * 15}});
        TestZantor zantor(app.path());
        MainWindow& window = zantor.mainWindow();
        if (kept) {
            QCOMPARE(window.pos(), stored);
        } else {
            const QPoint offset =
                window.geometry().center() - QGuiApplication::primaryScreen()->availableGeometry().center();
            QVERIFY2(offset.manhattanLength() <= 2,
                     qPrintable(QStringLiteral("%1, %2").arg(offset.x()).arg(offset.y())));
        }
    }

    // Our windows keep their own light look on a dark desktop: the rows stay dark text
    // on a light list. The picture is kept in the build folder to be looked at.
    void rowsStayLegibleOnADarkDesktop() {
        const QPalette desktop = QApplication::palette();
        QPalette dark;
        for (const auto role : {QPalette::Window, QPalette::Base, QPalette::Button, QPalette::AlternateBase})
            dark.setColor(role, QColor(0x20, 0x20, 0x24));
        for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
            dark.setColor(role, QColor(0xe8, 0xe8, 0xe8));
        QApplication::setPalette(dark);
        TestAppFolder app;
        app.addGroup(QStringLiteral("WWWWWWWWWWWW"), QStringLiteral("MMMMMMMMMMMM"));
        TestZantor zantor(app.path());
        MainWindow& window = zantor.mainWindow();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QImage shot = window.grab().toImage();
        shot.save(QStringLiteral("dark-desktop.png"));
        QApplication::setPalette(desktop);

        const QRect row = peer(window)
                              .groupList()
                              ->visualRect(cell(window, 0))
                              .translated(peer(window).groupList()->viewport()->mapTo(&window, QPoint(0, 0)));
        int darkest = 255;
        for (int x = row.left() + 30; x < row.right(); ++x)
            darkest = qMin(darkest, qGray(shot.pixel(x, row.center().y())));
        const int background = qGray(shot.pixel(row.left() + 2, row.bottom() + 20));
        QVERIFY2(darkest < 80 && background > 200,
                 qPrintable(QStringLiteral("text %1 on %2").arg(darkest).arg(background)));
    }

    void theWindowHasAFixedSize() {
        TestAppFolder app;
        TestZantor zantor(app.path());
        MainWindow& window = zantor.mainWindow();
        QCOMPARE(window.minimumSize(), QSize(440, 457));
        QCOMPARE(window.maximumSize(), QSize(440, 457));
    }
};

ZANTOR_TEST_MAIN(MainWindowTest)
#include "tst_main_window.moc"
