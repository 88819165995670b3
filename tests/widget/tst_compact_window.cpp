#include "chrome/BorderShape.h"
#include "chrome/ImageButton.h"
#include "chrome/Twips.h"
#include "data/SettingsStore.h"
#include "dialogs/CountingNotice.h"
#include "main/MainWindow.h"
#include "minilist/CompactList.h"
#include "minilist/CompactListView.h"
#include "support/ChromePeers.h"
#include "support/RecordingPrompt.h"
#include "support/RecordingResourceHandler.h"
#include "support/TestAppFolder.h"
#include "support/TestMain.h"
#include "support/TestZantor.h"
#include "support/TrayOverride.h"
#include "support/WindowPeers.h"

#include <QFile>
#include <QFrame>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QTest>
#include <QToolTip>
#include <QWindow>

using namespace zantor;

namespace {

// The program set to start with the compact window: 5 rows, 150 px wide, at 100, 200 px.
struct CompactFixture {
    CompactFixture() {
        app.setSettings({{QStringLiteral("checkMini"), QStringLiteral("0")},
                         {QStringLiteral("iniMinimized"), QStringLiteral("0")},
                         {QStringLiteral("numMiniList"), QStringLiteral("5")},
                         {QStringLiteral("miniLeft"), 1500},
                         {QStringLiteral("miniTop"), 3000},
                         {QStringLiteral("tempo"), QStringLiteral("20")}});
    }
    // Groups "Grupo 01", "Grupo 02", ... with the items "itens 01", ...
    void addGroups(int count) const {
        for (int i = 1; i <= count; ++i) {
            const QString number = QStringLiteral("%1").arg(i, 2, 10, QLatin1Char('0'));
            app.addGroup(QStringLiteral("Grupo ") + number, QStringLiteral("itens ") + number);
        }
    }
    CompactList* load() {
        zantor.emplace(app.path(), &handler);
        return zantor->windows.compactWindow();
    }
    MainWindow& main() { return zantor->mainWindow(); }

    TestAppFolder app;
    RecordingResourceHandler handler{{"/a/1", "/b/1", "/c/1"}};
    RecordingPrompt prompt;
    std::optional<TestZantor> zantor;
};

} // namespace

class CompactWindowTest : public QObject {
    Q_OBJECT
private slots:
    void loadPlacesAndSizesTheWindow_data() {
        QTest::addColumn<QString>("optLargura");
        QTest::addColumn<int>("groups");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("largestRowCount");
        QTest::newRow("105 px, no groups") << "1" << 0 << 1575 << 0;
        QTest::newRow("130 px, 7 groups") << "2" << 7 << 1950 << 7;
        QTest::newRow("150 px, 20 groups") << "3" << 20 << 2250 << 15;
    }
    void loadPlacesAndSizesTheWindow() {
        QFETCH(QString, optLargura);
        QFETCH(int, groups);
        QFETCH(int, width);
        QFETCH(int, largestRowCount);
        CompactFixture fixture;
        fixture.addGroups(groups);
        fixture.app.setSettings({{QStringLiteral("optLargura"), optLargura}});
        CompactList* mini = fixture.load();
        QVERIFY(mini && mini->isVisible());
        QVERIFY(!fixture.main().isVisible());
        QCOMPARE(mini->geometry(), twips::rect(1500, 3000, width, 195 * 5 + 535));
        QCOMPARE(peer(*mini).groupList()->geometry(), twips::rect(120, 120, width - 255, 195 * 5));
        QCOMPARE(peer(*mini).listFrame()->geometry(), twips::rect(105, 105, width - 230, 195 * 5 + 30));
        QCOMPARE(peer(*mini).bottomBar()->geometry(), twips::rect(100, 195 * 5 + 200, width - 235, 285));
        QCOMPARE(peer(*mini).closeButton()->x(), twips::toPixels(width - 235 - 240));
        QCOMPARE(peer(*mini).rowCount()->text(), QStringLiteral("5"));
        QCOMPARE(peer(*mini).shownRows(), 5);
        QCOMPARE(peer(*mini).mostRows(), largestRowCount);
        QVERIFY(peer(*mini).keepOnTopButton()->isVisible() && !peer(*mini).leaveTopButton()->isVisible());
        // Five whole rows show, the others wait below.
        QAbstractItemModel* titles = peer(*mini).groupList()->model();
        QCOMPARE(titles->rowCount(), groups);
        if (groups > 5) {
            QCOMPARE(titles->index(0, 0).data().toString(), QStringLiteral("Grupo 01"));
            QCOMPARE(peer(*mini).groupList()->visualRect(titles->index(4, 0)).bottom(),
                     peer(*mini).groupList()->viewport()->height() - 1);
        }
    }

    void aPlaceOffEveryScreenOpensOnThePrimaryScreen() {
        CompactFixture fixture;
        fixture.app.setSettings({{QStringLiteral("miniLeft"), -90000}, {QStringLiteral("miniTop"), 200000}});
        CompactList* mini = fixture.load();
        QVERIFY(mini);
        QVERIFY(QGuiApplication::primaryScreen()->availableGeometry().contains(mini->geometry()));
    }

    void theRowBoxSetsTheRowsAndKeepsTheBottomEdge_data() {
        QTest::addColumn<int>("groups");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("rows");
        QTest::newRow("0 gives 1") << 20 << "0"
                                   << "1" << 1;
        QTest::newRow("99 gives 15") << 20 << "99"
                                     << "15" << 15;
        QTest::newRow("12 with 7 groups gives 7") << 7 << "12"
                                                  << "7" << 7;
        QTest::newRow("5 to 8") << 20 << "8"
                                << "8" << 8;
        QTest::newRow("the same count again") << 20 << "5"
                                              << "5" << 5;
        QTest::newRow("only digits reach the box") << 20 << "1a-2 "
                                                   << "12" << 12;
        QTest::newRow("no groups") << 0 << "3"
                                   << "0" << 0;
        QTest::newRow("empty gives 1 without resizing") << 20 << ""
                                                        << "1" << 5;
    }
    void theRowBoxSetsTheRowsAndKeepsTheBottomEdge() {
        QFETCH(int, groups);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(int, rows);
        CompactFixture fixture;
        fixture.addGroups(groups);
        CompactList* mini = fixture.load();
        QVERIFY(mini);
        const QRect before = mini->geometry();
        peer(*mini).rowCount()->clear();
        QTest::keyClicks(peer(*mini).rowCount(), typed);
        QTest::keyClick(peer(*mini).rowCount(), Qt::Key_Return);
        QCOMPARE(peer(*mini).rowCount()->text(), shown);
        QCOMPARE(peer(*mini).shownRows(), rows);
        QCOMPARE(mini->geometry().bottomLeft(), before.bottomLeft());
        QCOMPARE(mini->height(), twips::toPixels(195 * rows + 535));
        QCOMPARE(peer(*mini).groupList()->height(), twips::toPixels(195 * rows));
        QCOMPARE(peer(*mini).listFrame()->height(), twips::toPixels(195 * rows + 30));
        QCOMPARE(peer(*mini).bottomBar()->y(), twips::toPixels(195 * rows + 200));
        QCOMPARE(BorderlessWindowPeer(*mini).outerBorder()->size(), mini->size());
        // The count is this window's alone.
        QCOMPARE(readSettingsOptions(fixture.app.databases().settings).numMiniList, QStringLiteral("5"));
    }

    void savingThePlaceIsConfirmedByACountingNotice() {
        CompactFixture fixture;
        fixture.app.setSettings({{QStringLiteral("optLargura"), QStringLiteral("1")}});
        CompactList* mini = fixture.load();
        QVERIFY(mini);
        mini->move(100, 200);
        peer(*mini).positionButton()->click();
        QCOMPARE(readSettings(fixture.app.databases().settings).compactPosition, QPoint(1500, 3000));
        QCOMPARE(fixture.main().state().settings().compactPosition, QPoint(1500, 3000));
        QCOMPARE(fixture.prompt.beeps, 1);
        QPointer<CountingNotice> notice = mini->findChild<CountingNotice*>();
        QVERIFY(notice && notice->isVisible());
        QCOMPARE(notice->geometry(), QRect(twips::toPixels(1620), twips::toPixels(3120),
                                           twips::toPixels(1575 - 260), twips::toPixels(585)));
        QCOMPARE(peer(*notice).message()->text(), QStringLiteral("Posição gravada!"));
        QVERIFY(notice->windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint));
        // The notice deletes itself at the end of its count: read through the guard, so that
        // a notice gone too early fails the test instead of crashing it.
        const auto count = [&notice] {
            return notice ? peer(*notice).count()->text() : QStringLiteral("(gone)");
        };
        QCOMPARE(count(), QStringLiteral("3"));
        QTRY_COMPARE(count(), QStringLiteral("2"));

        // A second save while it counts gets the same notice, still counting.
        mini->move(110, 220);
        peer(*mini).positionButton()->click();
        QVERIFY(notice);
        QCOMPARE(mini->findChildren<CountingNotice*>(), QList<CountingNotice*>({notice.data()}));
        QCOMPARE(notice->pos(), QPoint(twips::toPixels(1650 + 120), twips::toPixels(3300 + 120)));
        QVERIFY(count() != QStringLiteral("3"));
        QTRY_COMPARE(count(), QStringLiteral("1"));
        QTRY_VERIFY_WITH_TIMEOUT(!notice, 5000);
        QVERIFY(fixture.prompt.messages.isEmpty());
    }

    void aFailedSaveSaysSoInTheNotice() {
        CompactFixture fixture;
        CompactList* mini = fixture.load();
        QVERIFY(mini);
        QVERIFY(QFile::remove(fixture.app.databases().settings));
        mini->move(300, 300);
        peer(*mini).positionButton()->click();
        QCOMPARE(fixture.prompt.messages.size(), 1);
        QVERIFY(fixture.prompt.messages[0].text.contains(QStringLiteral("ZT_Config.db")));
        auto* notice = mini->findChild<CountingNotice*>();
        QVERIFY(notice);
        QCOMPARE(peer(*notice).message()->text(), QStringLiteral("Posição não gravada!"));
        QCOMPARE(fixture.main().state().settings().compactPosition.x(), 1500);
    }

    void alwaysOnTopSwitchesInPlace() {
        CompactFixture fixture;
        CompactList* mini = fixture.load();
        QVERIFY(mini);
        QVERIFY(QTest::qWaitForWindowExposed(mini));
        const WId nativeWindow = mini->winId();
        const QRect place = mini->geometry();
        const auto onTop = [mini] {
            return mini->windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint);
        };
        QVERIFY(!onTop());
        peer(*mini).keepOnTopButton()->click();
        QVERIFY(onTop() && peer(*mini).leaveTopButton()->isVisible() &&
                !peer(*mini).keepOnTopButton()->isVisible());
        peer(*mini).leaveTopButton()->click();
        QVERIFY(!onTop() && peer(*mini).keepOnTopButton()->isVisible() &&
                !peer(*mini).leaveTopButton()->isVisible());
        QCOMPARE(mini->winId(), nativeWindow);
        QCOMPARE(mini->geometry(), place);
    }

    void opensTheSelectedGroupsTopToBottomAndReports() {
        CompactFixture fixture;
        const QString unit(QChar(31));
        fixture.app.addGroup(QStringLiteral("Gama"), {}, QStringLiteral("/c/1"));
        fixture.app.addGroup(QStringLiteral("Alfa"), {},
                             QStringLiteral("/a/1") + unit + QStringLiteral(" /falta/x "));
        fixture.app.addGroup(QStringLiteral("Beta"), {},
                             QStringLiteral("/b/1") + unit + QStringLiteral("/falta/y"));
        fixture.app.setSettings({{QStringLiteral("checkMinimize"), QStringLiteral("1")}});
        CompactList* mini = fixture.load();
        QVERIFY(mini);
        const QTimer* launchTimer = &mini->launcher().delayTimer();
        QAbstractItemModel* titles = peer(*mini).groupList()->model();
        peer(*mini).groupList()->selectionModel()->select(titles->index(2, 0), QItemSelectionModel::Select);
        peer(*mini).groupList()->selectionModel()->select(titles->index(0, 0), QItemSelectionModel::Select);
        QTest::keyClick(peer(*mini).groupList(), Qt::Key_A);
        QCOMPARE(launchTimer->interval(), 20);
        QVERIFY(mini->isVisible()); // no tray on opening, whatever the main window's option
        QTRY_VERIFY_WITH_TIMEOUT(!launchTimer->isActive(), 10000);
        QCOMPARE(fixture.handler.openedPaths(), QStringList({"/a/1", "/c/1"}));
        QCOMPARE(fixture.prompt.messages.size(), 1);
        QCOMPARE(fixture.prompt.messages[0].title, QStringLiteral("Erro"));
        QCOMPARE(fixture.prompt.messages[0].text,
                 QStringLiteral("Recurso(s) não encontrado(s): \r\n- /falta/x\r\n"));

        QTest::mouseDClick(peer(*mini).groupList()->viewport(), Qt::LeftButton, {},
                           peer(*mini).groupList()->visualRect(titles->index(1, 0)).center());
        QTRY_VERIFY_WITH_TIMEOUT(!launchTimer->isActive(), 10000);
        QCOMPARE(fixture.handler.openedPaths().mid(2), QStringList({"/b/1"}));
        QCOMPARE(fixture.prompt.messages.size(), 2);
    }

    void escStopsTheRunAndTheNoticeSaysSo() {
        CompactFixture fixture;
        const QString unit(QChar(31));
        fixture.app.addGroup(QStringLiteral("Alfa"), {},
                             QStringLiteral("/a/1") + unit + QStringLiteral("/b/1"));
        fixture.app.setSettings({{QStringLiteral("tempo"), QStringLiteral("1000")}});
        CompactList* mini = fixture.load();
        QVERIFY(mini);
        mini->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(mini));
        const QTimer* launchTimer = &mini->launcher().delayTimer();
        peer(*mini).groupList()->selectionModel()->select(peer(*mini).groupList()->model()->index(0, 0),
                                                          QItemSelectionModel::Select);
        QTest::keyClick(peer(*mini).groupList(), Qt::Key_Return);
        QVERIFY(launchTimer->isActive());

        QTest::keyClick(peer(*mini).groupList(), Qt::Key_Escape);
        QVERIFY(!launchTimer->isActive());
        auto* notice = mini->findChild<CountingNotice*>();
        QVERIFY(notice && notice->isVisible());
        QCOMPARE(peer(*notice).message()->text(), QStringLiteral("Abertura cancelada."));
        QCOMPARE(fixture.handler.opened.size(), 0);
        QCOMPARE(fixture.prompt.messages.size(), 0);
    }

    // The tool-tip opens beside the window, on whichever side the screen has room, and
    // covers none of its controls.
    void aScrolledRowShowsItsOwnItemsAsToolTipBesideTheWindow_data() {
        QTest::addColumn<int>("miniLeft");
        QTest::addColumn<bool>("onTheRight");
        QTest::newRow("room on the right") << 1500 << true;
        QTest::newRow("at the screen's right edge")
            << twips::fromPixels(QGuiApplication::primaryScreen()->availableGeometry().right() - 160)
            << false;
    }
    void aScrolledRowShowsItsOwnItemsAsToolTipBesideTheWindow() {
        QFETCH(int, miniLeft);
        QFETCH(bool, onTheRight);
        CompactFixture fixture;
        fixture.addGroups(20);
        fixture.app.setSettings({{QStringLiteral("miniLeft"), miniLeft}});
        CompactList* mini = fixture.load();
        QVERIFY(mini);
        QVERIFY(QTest::qWaitForWindowExposed(mini));
        // With the first four rows out of view, the last row on show is the ninth group.
        peer(*mini).groupList()->scrollTo(peer(*mini).groupList()->model()->index(4, 0),
                                          QAbstractItemView::PositionAtTop);
        QWidget* viewport = peer(*mini).groupList()->viewport();
        const QPoint lastRow(10, twips::toPixels(195) * 4 + 5);
        QHelpEvent hint(QEvent::ToolTip, lastRow, viewport->mapToGlobal(lastRow));
        QCoreApplication::sendEvent(viewport, &hint);
        QTRY_COMPARE(QToolTip::text(), QStringLiteral("Grupo 09: itens 09"));
        const auto shownTip = [] {
            for (QWidget* widget : QApplication::topLevelWidgets()) {
                if (widget->inherits("QTipLabel") && widget->isVisible())
                    return widget;
            }
            return static_cast<QWidget*>(nullptr);
        };
        QTRY_VERIFY(shownTip());
        const QWidget* tip = shownTip();
        QVERIFY2(!tip->geometry().intersects(mini->frameGeometry()),
                 qPrintable(QStringLiteral("tool-tip at %1,%2 %3x%4")
                                .arg(tip->x())
                                .arg(tip->y())
                                .arg(tip->width())
                                .arg(tip->height())));
        QCOMPARE(tip->x() > mini->x(), onTheRight);
        QToolTip::hideText();
    }

    // The tray is for the start only: chosen by hand, the compact list shows.
    void theCompactButtonSwitchesToTheCompactWindowAndItsCloseBack() {
        TrayOverride tray(true);
        TestAppFolder app;
        app.setSettings({{QStringLiteral("iniMinimized"), QStringLiteral("1")}});
        RecordingPrompt prompt;
        TestZantor zantor(app.path());
        MainWindow& main = zantor.mainWindow();
        main.tray().restoreFromTray();
        peer(main).compactButton()->click();
        QVERIFY(!main.isVisible());
        QPointer<CompactList> mini = zantor.windows.compactWindow();
        QVERIFY(mini && mini->isVisible());
        QVERIFY(!mini->tray().isInTray());
        peer(*mini).closeButton()->click();
        QVERIFY(main.isVisible());
        QTRY_VERIFY(!mini);
    }

    // A width stored from the settings shows at once; the bar's buttons keep to its end.
    void aWidthStoredMeanwhileShowsAtOnce() {
        CompactFixture fixture;
        fixture.addGroups(3);
        CompactList* mini = fixture.load();
        QVERIFY(mini);
        const QRect before = mini->geometry();
        SettingsOptions options = readSettingsOptions(fixture.app.databases().settings);
        options.optLargura = QStringLiteral("1");
        fixture.main().state().storeOptions(options);
        QCOMPARE(mini->geometry(), QRect(before.topLeft(), QSize(twips::toPixels(1575), before.height())));
        QCOMPARE(peer(*mini).bottomBar()->width(), twips::toPixels(1575 - 235));
        QCOMPARE(peer(*mini).closeButton()->x(), twips::toPixels(1575 - 235 - 240));
        QCOMPARE(BorderlessWindowPeer(*mini).outerBorder()->size(), mini->size());
    }

    void aStartInTheTrayShowsOnlyTheCompactIcon() {
        TrayOverride tray(true);
        CompactFixture fixture;
        fixture.app.setSettings({{QStringLiteral("iniMinimized"), QStringLiteral("1")}});
        CompactList* mini = fixture.load();
        QVERIFY(mini);
        TrayHelper* trayHelper = &mini->tray();
        QVERIFY(!mini->isVisible() && !fixture.main().isVisible() && trayHelper->isInTray());
        QCOMPARE(trayHelper->icon().toolTip(), QStringLiteral("Kelmar MiniZantor"));
        emit trayHelper->icon().activated(QSystemTrayIcon::Trigger);
        QVERIFY(mini->isVisible() && !trayHelper->isInTray() && !fixture.main().isVisible());
    }
};

ZANTOR_TEST_MAIN(CompactWindowTest)
#include "tst_compact_window.moc"
