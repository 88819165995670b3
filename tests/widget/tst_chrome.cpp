#include "chrome/BorderlessWindow.h"
#include "chrome/ImageButton.h"
#include "chrome/ListStyling.h"
#include "chrome/PageHostWindow.h"
#include "chrome/PageWindow.h"
#include "chrome/TrayAvailability.h"
#include "chrome/TrayHelper.h"
#include "support/ChromePeers.h"
#include "support/TestMain.h"
#include "support/TrayOverride.h"

#include <QApplication>
#include <QCheckBox>
#include <QCursor>
#include <QElapsedTimer>
#include <QLabel>
#include <QListWidget>
#include <QPointer>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QWindow>

using namespace zantor;

namespace {

// 250 ms on a coarse timer, which may fire up to 5% early.
constexpr int kHandOverAtTheEarliest = 237;

class HostWindow : public PageHostWindow {
public:
    HostWindow()
        : PageHostWindow(6600) {}
    QIcon programIcon() const override { return QIcon(); }
};

// A window manager that does not tell the window the pointer has left it.
class LeaveEater : public QObject {
protected:
    bool eventFilter(QObject*, QEvent* event) override { return event->type() == QEvent::Leave; }
};

// A normal and a lit image at the same place, as a title-bar image pair.
struct HoverImages {
    QLabel* normal;
    QLabel* lit;
};
HoverImages addHoverImages(BorderlessWindow& window, QRect place) {
    auto* normal = new QLabel(&window);
    auto* lit = new QLabel(&window);
    normal->setGeometry(place);
    lit->setGeometry(place);
    window.addHoverPair(normal, lit);
    return {normal, lit};
}

} // namespace

class ChromeTest : public QObject {
    Q_OBJECT
private slots:
    void hoverTestIsStrictOnEverySide() {
        BorderlessWindow window;
        window.setGeometry(100, 100, 300, 200);
        auto* control = new QLabel(&window);
        control->setGeometry(40, 30, 20, 10);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QPoint x1y1 = control->mapToGlobal(QPoint(0, 0));
        const int x2 = x1y1.x() + 20;
        const int y2 = x1y1.y() + 10;
        const int midY = x1y1.y() + 5;
        const int midX = x1y1.x() + 10;
        QVERIFY(!BorderlessWindow::mouseOverControl(control, {x1y1.x(), midY}));
        QVERIFY(BorderlessWindow::mouseOverControl(control, {x1y1.x() + 1, midY}));
        QVERIFY(BorderlessWindow::mouseOverControl(control, {x2 - 1, midY}));
        QVERIFY(!BorderlessWindow::mouseOverControl(control, {x2, midY}));
        QVERIFY(!BorderlessWindow::mouseOverControl(control, {midX, x1y1.y()}));
        QVERIFY(BorderlessWindow::mouseOverControl(control, {midX, x1y1.y() + 1}));
        QVERIFY(!BorderlessWindow::mouseOverControl(control, {midX, y2}));
    }

    void litImageFollowsThePointerAndSleepsWhileHidden() {
        BorderlessWindow window;
        window.setGeometry(50, 50, 300, 200);
        const auto [normal, lit] = addHoverImages(window, QRect(10, 10, 18, 18));
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCursor::setPos(normal->mapToGlobal(QPoint(9, 9)));
        QTRY_VERIFY(lit->isVisible());
        QVERIFY(!normal->isVisible());
        QCursor::setPos(window.mapToGlobal(QPoint(200, 150)));
        QTRY_VERIFY(normal->isVisible());
        QVERIFY(!lit->isVisible());

        // Leaving the window puts the lit image out at once, whatever the pointer
        // position last read says.
        QCursor::setPos(normal->mapToGlobal(QPoint(9, 9)));
        QTRY_VERIFY(lit->isVisible());
        QEvent leave(QEvent::Leave);
        QCoreApplication::sendEvent(&window, &leave);
        QVERIFY(!lit->isVisible());
        QVERIFY(normal->isVisible());

        // A hidden window wakes nobody.
        QCursor::setPos(normal->mapToGlobal(QPoint(8, 8)));
        QTRY_VERIFY(lit->isVisible());
        const QTimer* hoverTimer = &window.hoverTimer();
        QVERIFY(hoverTimer && hoverTimer->isActive());
        QCOMPARE(hoverTimer->interval(), 100);
        window.hide();
        QVERIFY(!hoverTimer->isActive());
    }

    void litImageGoesOutWhenThePointerLeavesStraightOutOfTheWindow_data() {
        QTest::addColumn<bool>("shownUnderPointer");
        QTest::addColumn<bool>("leaveHeard");
        QTest::newRow("pointer came in") << false << true;
        QTest::newRow("pointer came in, leave unheard") << false << false;
        QTest::newRow("window appeared under the pointer") << true << true;
        QTest::newRow("window appeared under the pointer, leave unheard") << true << false;
    }

    // From an image at the window's edge straight out: the image goes out, and the
    // window stops watching the pointer.
    void litImageGoesOutWhenThePointerLeavesStraightOutOfTheWindow() {
        QFETCH(bool, shownUnderPointer);
        QFETCH(bool, leaveHeard);
        BorderlessWindow window;
        window.setGeometry(300, 100, 200, 120);
        // In the top right corner, as a close image is.
        const auto [normal, lit] = addHoverImages(window, QRect(180, 0, 20, 20));
        const QPoint onImage(490, 110);
        QCursor::setPos(shownUnderPointer ? onImage : QPoint(100, 50));
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        if (!shownUnderPointer)
            QCursor::setPos(onImage);
        QTRY_VERIFY(lit->isVisible());

        LeaveEater leaveEater;
        if (!leaveHeard)
            window.windowHandle()->installEventFilter(&leaveEater);
        QCursor::setPos(onImage - QPoint(0, 15));
        QTRY_VERIFY(!lit->isVisible());
        QVERIFY(normal->isVisible());
        const QTimer* hoverTimer = &window.hoverTimer();
        QTRY_VERIFY(!hoverTimer->isActive());
    }

    void pressedButtonSinksAndComesBack_data() {
        QTest::addColumn<Qt::MouseButton>("mouseButton");
        QTest::newRow("left") << Qt::LeftButton;
        QTest::newRow("right") << Qt::RightButton;
        QTest::newRow("middle") << Qt::MiddleButton;
    }

    // Any mouse button sinks an image button; none of them drags the window from it,
    // and only the left one clicks.
    void pressedButtonSinksAndComesBack() {
        QFETCH(Qt::MouseButton, mouseButton);
        BorderlessWindow window;
        window.setGeometry(100, 100, 300, 200);
        auto* button =
            new ImageButton(QStringLiteral("testButton"), QIcon(), QStringLiteral(" Testar "), &window);
        button->setGeometry(40, 60, 26, 26);
        window.attachPressEffect(button);
        QSignalSpy clicks(button, &QAbstractButton::clicked);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(button->accessibleName(), QStringLiteral("Testar"));
        const QPoint place = window.pos();

        QTest::mousePress(button, mouseButton, {}, QPoint(5, 5));
        QCOMPARE(button->pos(), QPoint(41, 61));
        QCOMPARE(BorderlessWindowPeer(window).buttonPlace(), QPoint(40, 60));
        // Released far away from the button: it still goes back.
        QTest::mouseMove(button, QPoint(150, 120));
        QTest::mouseRelease(button, mouseButton, {}, QPoint(150, 120));
        QCOMPARE(button->pos(), QPoint(40, 60));
        QCOMPARE(window.pos(), place);
        QTest::mouseClick(button, mouseButton, {}, QPoint(5, 5));
        QCOMPARE(clicks.size(), mouseButton == Qt::LeftButton ? 1 : 0);

        auto* caption = new QLabel(&window);
        caption->setGeometry(10, 20, 50, 12);
        window.sinkPartner(caption);
        QCOMPARE(caption->pos(), QPoint(11, 21));
        window.raisePartner(caption);
        QCOMPARE(caption->pos(), QPoint(10, 20));
    }

    void anyButtonOnTheSurfaceDragsTheWindow() {
        for (const Qt::MouseButton mouseButton : {Qt::LeftButton, Qt::RightButton}) {
            BorderlessWindow window;
            window.setGeometry(100, 100, 300, 200);
            auto* box = new QCheckBox(&window);
            box->setGeometry(200, 20, 20, 20);
            window.show();
            QVERIFY(QTest::qWaitForWindowExposed(&window));
            const QPoint place = window.pos();
            // The offscreen desktop refuses a system move, so the window moves itself.
            QTest::mousePress(box, Qt::RightButton, {}, QPoint(5, 5));
            QTest::mouseMove(&window, QPoint(150, 120));
            QTest::mouseRelease(box, Qt::RightButton, {}, QPoint(5, 5));
            QCOMPARE(window.pos(), place);
            // A tap that wanders less than the drag distance is a click, not a move.
            const int wander = QApplication::startDragDistance() - 1;
            QTest::mousePress(&window, mouseButton, {}, QPoint(20, 150));
            QTest::mouseMove(&window, QPoint(20 + wander, 150));
            QTest::mouseRelease(&window, mouseButton, {}, QPoint(20 + wander, 150));
            QCOMPARE(window.pos(), place);
            QTest::mousePress(&window, mouseButton, {}, QPoint(20, 150));
            QTest::mouseMove(&window, QPoint(60, 170));
            QTest::mouseRelease(&window, mouseButton, {}, QPoint(60, 170));
            QCOMPARE(window.pos(), place + QPoint(40, 20));
        }
    }

    void pageWindowCoversTheHostAndHandsBack() {
        HostWindow host;
        host.setGeometry(120, 80, 440, 457);
        host.show();
        QVERIFY(QTest::qWaitForWindowExposed(&host));
        QPointer<PageWindow> page = new PageWindow(host, QStringLiteral("AboutPage"));

        QElapsedTimer clock;
        clock.start();
        host.showPage(page);
        QCOMPARE(PageHostWindowPeer(host).lastPageName(), QStringLiteral("AboutPage"));
        QCOMPARE(page->geometry(), host.geometry());
        QVERIFY(page->isVisible());
        QVERIFY(host.isVisible()); // still there until the page has covered it
        QTRY_VERIFY(!host.isVisible());
        QVERIFY(clock.elapsed() >= kHandOverAtTheEarliest);

        page->move(300, 200);
        PageHostWindowPeer(host).lastPageName().clear();
        clock.restart();
        page->closeToHost();
        QVERIFY(host.isVisible());
        QCOMPARE(host.pos(), QPoint(300, 200));
        QCOMPARE(PageHostWindowPeer(host).lastPageName(), QStringLiteral("AboutPage"));
        QVERIFY(page); // the page goes only when the host unloads it
        QTRY_VERIFY(page.isNull());
        QVERIFY(clock.elapsed() >= kHandOverAtTheEarliest);
        QVERIFY(host.isVisible());
    }

    // The host unloads the pages handed back to it, whatever name it kept last.
    void hostUnloadsOnlyThePagesHandedBack() {
        HostWindow host;
        host.show();
        QPointer<PageWindow> about = new PageWindow(host, QStringLiteral("AboutPage"));
        QPointer<PageWindow> help = new PageWindow(host, QStringLiteral("HelpPage"));
        host.showPage(about);
        host.showPage(help);
        PageHostWindowPeer(host).lastPageName() = QStringLiteral("AboutPage");
        help->closeToHost();
        QCOMPARE(PageHostWindowPeer(host).lastPageName(), QStringLiteral("HelpPage"));
        PageHostWindowPeer(host).lastPageName() = QStringLiteral("AboutPage");
        QTRY_VERIFY(help.isNull());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(about);
        QCOMPARE(host.openPages(), QList<PageWindow*>({about.data()}));
        delete about;
    }

    // Whatever the timing of opening and closing pages, the host ends up on screen,
    // every closed page is unloaded and no open page ever is.
    void handOverSurvivesQuickClosesAndReopens_data() {
        QTest::addColumn<QString>("sequence");
        QTest::newRow("closed before the host hid") << "open close";
        QTest::newRow("reopened before the unload") << "open wait close open";
        QTest::newRow("another page opened before the unload") << "open wait close other";
        QTest::newRow("closed by the window manager") << "open wait wmclose";
    }

    void handOverSurvivesQuickClosesAndReopens() {
        QFETCH(QString, sequence);
        HostWindow host;
        host.setGeometry(120, 80, 440, 457);
        host.show();
        QVERIFY(QTest::qWaitForWindowExposed(&host));
        QList<QPointer<PageWindow>> closed;
        QPointer<PageWindow> open;
        for (const QString& step : sequence.split(' ')) {
            if (step == "open" || step == "other") {
                open = new PageWindow(host, step == "open" ? QStringLiteral("HelpPage")
                                                           : QStringLiteral("AboutPage"));
                host.showPage(open);
            } else if (step == "wait") {
                QTRY_VERIFY(!host.isVisible());
            } else if (step == "close") {
                open->closeToHost();
                closed.append(open);
                open.clear();
            } else if (step == "wmclose") {
                QVERIFY(open->close());
                closed.append(open);
                open.clear();
            }
        }
        for (const QPointer<PageWindow>& page : std::as_const(closed))
            QTRY_VERIFY(page.isNull());
        QTRY_VERIFY(!PageHostWindowPeer(host).hideTimer().isActive() &&
                    !PageHostWindowPeer(host).unloadTimer().isActive());
        if (open) {
            QVERIFY(open->isVisible());
            QVERIFY(!host.isVisible());
            open->closeToHost();
            QTRY_VERIFY(open.isNull());
        }
        QVERIFY(host.isVisible());
        QVERIFY(!PageHostWindowPeer(host).hideTimer().isActive());
    }

    void trayIconHidesAndRestoresTheWindow() {
        TrayOverride tray(true);
        BorderlessWindow window;
        QPixmap picture(16, 16);
        picture.fill(Qt::blue);
        TrayHelper helper(&window, QIcon(picture), QStringLiteral("Kelmar Zantor"));
        window.setGeometry(200, 150, 300, 200);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QPoint place = window.pos();

        helper.minimizeToTray();
        QVERIFY(!window.isVisible());
        QVERIFY(helper.isInTray());
        QCOMPARE(helper.icon().toolTip(), QStringLiteral("Kelmar Zantor"));
        helper.minimizeToTray(); // a second time still gives one icon
        QVERIFY(helper.isInTray());

        // Double clicks, the middle button and passing over the icon change nothing.
        emit helper.icon().activated(QSystemTrayIcon::DoubleClick);
        emit helper.icon().activated(QSystemTrayIcon::MiddleClick);
        QVERIFY(!window.isVisible());

        emit helper.icon().activated(QSystemTrayIcon::Trigger);
        QVERIFY(window.isVisible());
        QVERIFY(!helper.isInTray());
        QCOMPARE(window.pos(), place);

        helper.minimizeToTray();
        emit helper.icon().activated(QSystemTrayIcon::Context);
        QVERIFY(window.isVisible());
        QVERIFY(!helper.isInTray());
    }

    void withoutATrayTheWindowGoesToTheTaskBar() {
        TrayOverride tray(false);
        BorderlessWindow window;
        TrayHelper helper(&window, QIcon(), QStringLiteral("Kelmar Zantor"));
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        helper.minimizeToTray();
        QVERIFY(!helper.isInTray());
        QVERIFY(window.isMinimized());

        // At start-up a slow panel still gets the window: a tray that comes up two
        // seconds later takes it, and it never went to the task bar meanwhile.
        BorderlessWindow starting;
        TrayHelper startingHelper(&starting, QIcon(), QStringLiteral("Kelmar Zantor"));
        startingHelper.minimizeToTrayWhenReady();
        QTimer::singleShot(2000, [] { tray::overrideAvailability(true); });
        QTRY_VERIFY_WITH_TIMEOUT(startingHelper.isInTray(), 10000);
        QVERIFY(!starting.isVisible() && !starting.isMinimized());

        BorderlessWindow late;
        TrayHelper lateHelper(&late, QIcon(), QStringLiteral("Kelmar Zantor"));
        tray::overrideAvailability(false);
        lateHelper.minimizeToTrayWhenReady();
        QTRY_VERIFY_WITH_TIMEOUT(late.isMinimized(), 5000);
        QVERIFY(!lateHelper.isInTray());
    }

    void tiledListKeepsItsPatternAndHighlight() {
        QListWidget list;
        list.resize(120, 60);
        for (int i = 0; i < 30; ++i)
            list.addItem(QStringLiteral("Grupo %1").arg(i));
        QPixmap tile(8, 8);
        tile.fill(QColor(0x20, 0x80, 0x40));
        removeListBorder(&list);
        tileListBackground(&list, tile);
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));
        QCOMPARE(list.frameShape(), QFrame::NoFrame);
        QCOMPARE(list.palette().brush(QPalette::Base).texture().toImage(), tile.toImage());

        list.item(0)->setSelected(true);
        list.verticalScrollBar()->setValue(5);
        const QImage shown = list.viewport()->grab().toImage();
        // Far right of the viewport, beyond every text: the pattern, after the scroll too.
        QCOMPARE(QColor(shown.pixel(shown.width() - 2, shown.height() - 2)), QColor(0x20, 0x80, 0x40));
        list.verticalScrollBar()->setValue(0);
        const QImage top = list.viewport()->grab().toImage();
        // The style shades its highlight a little; it must be the highlight, not the pattern.
        const QColor selected(top.pixel(top.width() - 2, 2));
        const QColor highlight = list.palette().color(QPalette::Highlight);
        QVERIFY(qAbs(selected.red() - highlight.red()) < 12 &&
                qAbs(selected.green() - highlight.green()) < 12 &&
                qAbs(selected.blue() - highlight.blue()) < 12);
    }
};

ZANTOR_TEST_MAIN(ChromeTest)
#include "tst_chrome.moc"
