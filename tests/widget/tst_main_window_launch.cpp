#include "chrome/Twips.h"
#include "main/GroupListView.h"
#include "main/MainWindow.h"
#include "support/RecordingPrompt.h"
#include "support/RecordingResourceHandler.h"
#include "support/TestAppFolder.h"
#include "support/TestMain.h"
#include "support/TestZantor.h"
#include "support/WindowPeers.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QTest>

using namespace zantor;

namespace {

const QString kUnit = QString(QChar(31));
constexpr int kRunTimeoutMs = 10000;
const int kGroupWidth = twips::toPixels(2375);
const int kItemsWidth = twips::toPixels(3450);

// Three groups, listed alphabetically as Alfa, Beta, Gama, opened 30 ms apart.
struct LaunchFixture {
    explicit LaunchFixture(QVariantMap settings = {}) {
        app.addGroup(QStringLiteral("Gama"), {}, QStringLiteral("/g/1"));
        app.addGroup(QStringLiteral("Alfa"), {}, QStringLiteral("/a/1") + kUnit + QStringLiteral("/a/2"));
        app.addGroup(QStringLiteral("Beta"), {}, QStringLiteral("/b/1"));
        settings.insert(QStringLiteral("tempo"), QStringLiteral("30"));
        app.setSettings(settings);
        zantor.emplace(app.path(), &handler);
        window = &zantor->mainWindow();
    }

    const QTimer* launchTimer() const { return &window->launcher().delayTimer(); }
    void waitForTheRunToEnd() const { QTRY_VERIFY_WITH_TIMEOUT(!launchTimer()->isActive(), kRunTimeoutMs); }
    void narrowTheColumns() const {
        peer(*window).groupList()->setColumnWidth(0, 40);
        peer(*window).groupList()->setColumnWidth(1, 60);
    }
    QRect rowArea(int row) const {
        return peer(*window).groupList()->visualRect(window->state().groups.index(row, 0));
    }
    void selectRow(int row) const {
        peer(*window).groupList()->selectionModel()->select(
            window->state().groups.index(row, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }

    TestAppFolder app;
    RecordingResourceHandler handler{{"/a/1", "/a/2", "/b/1", "/g/1"}};
    RecordingPrompt prompt;
    std::optional<TestZantor> zantor;
    MainWindow* window = nullptr;
};

} // namespace

class MainWindowLaunchTest : public QObject {
    Q_OBJECT
private slots:
    void aDoubleClickOpensTheGroupAndRestoresTheColumns() {
        LaunchFixture fixture;
        QVERIFY(fixture.launchTimer());
        fixture.narrowTheColumns();
        QTest::mouseDClick(peer(*fixture.window).groupList()->viewport(), Qt::LeftButton, {},
                           fixture.rowArea(0).center());
        QCOMPARE(peer(*fixture.window).groupList()->columnWidth(0), kGroupWidth);
        QCOMPARE(peer(*fixture.window).groupList()->columnWidth(1), kItemsWidth);
        QCOMPARE(fixture.launchTimer()->interval(), 30);
        fixture.waitForTheRunToEnd();
        QCOMPARE(fixture.handler.openedPaths(), QStringList({"/a/1", "/a/2"}));
        QVERIFY(fixture.prompt.messages.isEmpty());
        QVERIFY(!fixture.window->isMinimized());
    }

    void aCharacterKeyOpensTheSelectedGroupsInListOrder() {
        LaunchFixture fixture;
        fixture.selectRow(2);
        fixture.selectRow(0);
        fixture.narrowTheColumns();
        peer(*fixture.window).groupList()->setFocus();
        QTest::keyClick(peer(*fixture.window).groupList(), Qt::Key_A);
        fixture.waitForTheRunToEnd();
        QCOMPARE(fixture.handler.openedPaths(), QStringList({"/a/1", "/a/2", "/g/1"}));
        QCOMPARE(peer(*fixture.window).groupList()->columnWidth(0), 40);
        QCOMPARE(peer(*fixture.window).groupList()->columnWidth(1), 60);

        // Enter is a character key too.
        fixture.handler.opened.clear();
        QTest::keyClick(peer(*fixture.window).groupList(), Qt::Key_Return);
        fixture.waitForTheRunToEnd();
        QCOMPARE(fixture.handler.openedPaths(), QStringList({"/a/1", "/a/2", "/g/1"}));
        QVERIFY(fixture.prompt.messages.isEmpty());

        // The repeats of a key held down start nothing more.
        QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"), true);
        QCoreApplication::sendEvent(peer(*fixture.window).groupList(), &repeat);
        QVERIFY(!fixture.launchTimer()->isActive());
    }

    void theWindowGoesAwayBeforeTheFirstResourceWhenAsked() {
        LaunchFixture fixture({{QStringLiteral("checkMinimize"), QStringLiteral("1")}});
        QVERIFY(peer(*fixture.window).minimizeOnLaunch()->isChecked());
        fixture.selectRow(1);
        peer(*fixture.window).groupList()->setFocus();
        QVERIFY(fixture.window->isVisible() && !fixture.window->isMinimized());
        QTest::keyClick(peer(*fixture.window).groupList(), Qt::Key_Space);
        QVERIFY(fixture.handler.opened.isEmpty());
        QVERIFY(fixture.window->isMinimized() || !fixture.window->isVisible());
        fixture.waitForTheRunToEnd();
        QCOMPARE(fixture.handler.openedPaths(), QStringList({"/b/1"}));
    }

    void theWindowsShortcutsActAndOpenNoGroup_data() {
        QTest::addColumn<QKeySequence>("keys");
        // The window or menu the keys open; none for a key that does nothing here.
        QTest::addColumn<QString>("opened");
        QTest::newRow("Ctrl+N") << QKeySequence(Qt::CTRL | Qt::Key_N) << "GroupEditor";
        QTest::newRow("F2") << QKeySequence(Qt::Key_F2) << "GroupEditor";
        QTest::newRow("Delete") << QKeySequence(Qt::Key_Delete) << "DeleteConfirmation";
        QTest::newRow("Ctrl+,") << QKeySequence(Qt::CTRL | Qt::Key_Comma) << "SettingsWindow";
        QTest::newRow("F1") << QKeySequence(Qt::Key_F1) << "HelpPage";
        QTest::newRow("Shift+F10") << QKeySequence(Qt::SHIFT | Qt::Key_F10) << "groupShortcutMenu";
        QTest::newRow("Backspace") << QKeySequence(Qt::Key_Backspace) << "";
        QTest::newRow("Ctrl+Space") << QKeySequence(Qt::CTRL | Qt::Key_Space) << "";
    }

    void theWindowsShortcutsActAndOpenNoGroup() {
        QFETCH(QKeySequence, keys);
        QFETCH(QString, opened);
        LaunchFixture fixture;
        GroupListView* list = peer(*fixture.window).groupList();
        fixture.window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(fixture.window));
        QTest::keyClick(list, Qt::Key_Down);
        QTest::keyClick(list, keys[0].key(), keys[0].keyboardModifiers());
        QVERIFY(!fixture.launchTimer()->isActive());
        QVERIFY(fixture.handler.opened.isEmpty());
        QStringList shown;
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (window->isVisible() && window != fixture.window)
                shown << window->objectName();
        }
        QCOMPARE(shown, opened.isEmpty() ? QStringList() : QStringList{opened});
    }
};

ZANTOR_TEST_MAIN(MainWindowLaunchTest)
#include "tst_main_window_launch.moc"
