#include "chrome/ClickableLabel.h"
#include "chrome/ImageButton.h"
#include "chrome/ImagePicture.h"
#include "chrome/SystemColours.h"
#include "chrome/TrayAvailability.h"
#include "data/SettingsStore.h"
#include "main/GroupListView.h"
#include "main/MainWindow.h"
#include "support/ChromePeers.h"
#include "support/RecordingPrompt.h"
#include "support/TestAppFolder.h"
#include "support/TestMain.h"
#include "support/TestZantor.h"
#include "support/TrayOverride.h"
#include "support/WindowPeers.h"

#include <QCheckBox>
#include <QCursor>
#include <QFile>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>

using namespace zantor;

namespace {

QColor captionColour(MainWindow& window) {
    return peer(window).minimizeOnLaunchCaption()->palette().color(QPalette::WindowText);
}

} // namespace

class MainCommandsTest : public QObject {
    Q_OBJECT
private slots:
    void statusLineShowsTheLatestMessageForTwoSeconds() {
        TestAppFolder app;
        RecordingPrompt prompt;
        TestZantor zantor(app.path());
        MainWindow& window = zantor.mainWindow();
        QVERIFY(peer(window).messageLine()->text().isEmpty());
        QSignalSpy cleared(&peer(window).messageTimer(), &QTimer::timeout);
        window.showStatusMessage(QStringLiteral("primeira"));
        QCOMPARE(peer(window).messageTimer().interval(), 2000);
        QTRY_VERIFY(peer(window).messageTimer().remainingTime() < 1500);
        // A second message gets its own two seconds: the first one's end clears nothing.
        window.showStatusMessage(QStringLiteral("segunda"));
        QCOMPARE(peer(window).messageLine()->text(), QStringLiteral("segunda"));
        QVERIFY(peer(window).messageTimer().remainingTime() > 1500);
        QVERIFY(cleared.wait(10000));
        QVERIFY(peer(window).messageLine()->text().isEmpty());
        QCOMPARE(cleared.size(), 1);
        QVERIFY(!peer(window).messageTimer().isActive());
    }

    void storePositionWritesEveryTime() {
        TestAppFolder app;
        RecordingPrompt prompt;
        TestZantor zantor(app.path());
        MainWindow& window = zantor.mainWindow();
        window.move(100, 200);
        peer(window).positionButton()->click();
        QCOMPARE(readSettings(app.databases().settings).mainPosition, QPoint(1500, 3000));
        QCOMPARE(peer(window).messageLine()->text(), QStringLiteral("Posição gravada!"));
        QCOMPARE(prompt.beeps, 1);

        window.move(110, 220);
        peer(window).positionButton()->click();
        QCOMPARE(readSettings(app.databases().settings).mainPosition, QPoint(1650, 3300));
        QCOMPARE(prompt.beeps, 2);
        QVERIFY(prompt.messages.isEmpty());
    }

    void aFailedStoreSaysSo() {
        TestAppFolder app;
        RecordingPrompt prompt;
        TestZantor zantor(app.path());
        MainWindow& window = zantor.mainWindow();
        QVERIFY(QFile::remove(app.databases().settings));
        peer(window).positionButton()->click();
        QCOMPARE(peer(window).messageLine()->text(), QStringLiteral("Não foi possível gravar a posição."));
        QCOMPARE(prompt.beeps, 1);
        QVERIFY(!QFile::exists(app.databases().settings)); // nothing made in its place
    }

    void updateAndDeleteWantASelectedRow() {
        TestAppFolder app;
        app.addGroup(QStringLiteral("a"));
        RecordingPrompt prompt;
        TestZantor zantor(app.path());
        MainWindow& window = zantor.mainWindow();
        for (ImageButton* command : {peer(window).updateButton(), peer(window).deleteButton()}) {
            peer(window).messageLine()->clear();
            command->click();
            QCOMPARE(peer(window).messageLine()->text(),
                     QStringLiteral("É preciso selecionar um item primeiro."));
        }
        QCOMPARE(prompt.beeps, 2);
        peer(window).groupList()->selectionModel()->select(
            window.state().groups.index(0, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
        peer(window).messageLine()->clear();
        peer(window).deleteButton()->click();
        QVERIFY(peer(window).messageLine()->text().isEmpty());
    }

    void trayOptionFollowsTheBoxAndItsCaption() {
        TestAppFolder app;
        RecordingPrompt prompt;
        TestZantor zantor(app.path());
        MainWindow& window = zantor.mainWindow();
        QVERIFY(!peer(window).minimizeOnLaunch()->isChecked());
        QTest::mouseClick(peer(window).minimizeOnLaunchCaption(), Qt::LeftButton);
        QVERIFY(peer(window).minimizeOnLaunch()->isChecked());
        QCOMPARE(captionColour(window), colours::windowFrame());
        QTest::mouseClick(peer(window).minimizeOnLaunchCaption(), Qt::LeftButton);
        QVERIFY(!peer(window).minimizeOnLaunch()->isChecked());
        QCOMPARE(captionColour(window), colours::activeBorder());
        peer(window).minimizeOnLaunch()->click();
        QVERIFY(peer(window).minimizeOnLaunch()->isChecked());
        QCOMPARE(captionColour(window), colours::windowFrame());
        // A click changes this run only.
        QCOMPARE(readSettingsOptions(app.databases().settings).checkMinimize, QStringLiteral("0"));
    }

    void titleBarImagesLightAndAct() {
        TrayOverride tray(true);
        TestAppFolder app;
        RecordingPrompt prompt;
        TestZantor zantor(app.path());
        MainWindow& window = zantor.mainWindow();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY(!TitledWindowPeer(window).closeButton()->isVisible());
        QCursor::setPos(TitledWindowPeer(window).closeImage()->mapToGlobal(QPoint(9, 9)));
        QTRY_VERIFY(TitledWindowPeer(window).closeButton()->isVisible());
        QVERIFY(!TitledWindowPeer(window).closeImage()->isVisible());
        QCursor::setPos(window.mapToGlobal(QPoint(200, 300)));
        QTRY_VERIFY(TitledWindowPeer(window).closeImage()->isVisible());

        TrayHelper* trayHelper = &window.tray();
        QVERIFY(trayHelper);
        TitledWindowPeer(window).trayButton()->click();
        QVERIFY(!window.isVisible());
        QVERIFY(trayHelper->isInTray());
        QCOMPARE(trayHelper->icon().toolTip(), QStringLiteral("Kelmar Zantor"));
        emit trayHelper->icon().activated(QSystemTrayIcon::Trigger);
        QVERIFY(window.isVisible());
        QVERIFY(!trayHelper->isInTray());

        TitledWindowPeer(window).minimizeButton()->click();
        QVERIFY(window.isMinimized());
        window.showNormal();
        TitledWindowPeer(window).closeButton()->click();
        QVERIFY(!window.isVisible());
    }

    void startInTheTrayOrTheTaskBar() {
        for (const bool trayShown : {true, false}) {
            TrayOverride tray(trayShown);
            TestAppFolder app;
            app.setSettings({{QStringLiteral("iniMinimized"), QStringLiteral("1")}});
            RecordingPrompt prompt;
            TestZantor zantor(app.path());
            MainWindow& window = zantor.mainWindow();
            TrayHelper* trayHelper = &window.tray();
            if (trayShown) {
                QVERIFY(!window.isVisible());
                QVERIFY(trayHelper->isInTray());
            } else {
                // No tray after the wait: the window waits in the task bar instead.
                QTRY_VERIFY_WITH_TIMEOUT(window.isMinimized(), 5000);
                QVERIFY(!trayHelper->isInTray());
            }
        }
    }
};

ZANTOR_TEST_MAIN(MainCommandsTest)
#include "tst_main_commands.moc"
