#include "chrome/ClickableLabel.h"
#include "chrome/ImageButton.h"
#include "chrome/ImagePicture.h"
#include "chrome/SystemColours.h"
#include "chrome/TrayAvailability.h"
#include "data/SettingsStore.h"
#include "main/GroupListView.h"
#include "main/MainWindow.h"
#include "support/RecordingPrompt.h"
#include "support/TestAppFolder.h"
#include "support/TestMain.h"
#include "support/TestZantor.h"
#include "support/TrayOverride.h"

#include <QCheckBox>
#include <QCursor>
#include <QFile>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>

using namespace zantor;

namespace {

QColor captionColour(const MainWindow& window) {
    return window.lblChkMinimizar->palette().color(QPalette::WindowText);
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
        QVERIFY(window.lblMensagem->text().isEmpty());
        QSignalSpy cleared(&window.TimerMensagem, &QTimer::timeout);
        window.showStatusMessage(QStringLiteral("primeira"));
        QCOMPARE(window.TimerMensagem.interval(), 2000);
        QTRY_VERIFY(window.TimerMensagem.remainingTime() < 1500);
        // A second message gets its own two seconds: the first one's end clears nothing.
        window.showStatusMessage(QStringLiteral("segunda"));
        QCOMPARE(window.lblMensagem->text(), QStringLiteral("segunda"));
        QVERIFY(window.TimerMensagem.remainingTime() > 1500);
        QVERIFY(cleared.wait(10000));
        QVERIFY(window.lblMensagem->text().isEmpty());
        QCOMPARE(cleared.size(), 1);
        QVERIFY(!window.TimerMensagem.isActive());
    }

    void storePositionWritesEveryTime() {
        TestAppFolder app;
        RecordingPrompt prompt;
        TestZantor zantor(app.path());
        MainWindow& window = zantor.mainWindow();
        window.move(100, 200);
        window.btnPosition->click();
        StartupSettings stored = readStartupSettings(app.databases().settings);
        QCOMPARE(stored.left, QStringLiteral("1500"));
        QCOMPARE(stored.top, QStringLiteral("3000"));
        QCOMPARE(window.lblMensagem->text(), QStringLiteral("Posição gravada!"));
        QCOMPARE(prompt.beeps, 1);

        window.move(110, 220);
        window.btnPosition->click();
        stored = readStartupSettings(app.databases().settings);
        QCOMPARE(stored.left, QStringLiteral("1650"));
        QCOMPARE(stored.top, QStringLiteral("3300"));
        QCOMPARE(prompt.beeps, 2);
        QVERIFY(prompt.messages.isEmpty());
    }

    void aFailedStoreSaysSo() {
        TestAppFolder app;
        RecordingPrompt prompt;
        TestZantor zantor(app.path());
        MainWindow& window = zantor.mainWindow();
        QVERIFY(QFile::remove(app.databases().settings));
        window.btnPosition->click();
        QCOMPARE(window.lblMensagem->text(), QStringLiteral("Não foi possível gravar a posição."));
        QCOMPARE(prompt.beeps, 1);
        QVERIFY(!QFile::exists(app.databases().settings)); // nothing made in its place
    }

    void updateAndDeleteWantASelectedRow() {
        TestAppFolder app;
        app.addGroup(QStringLiteral("a"));
        RecordingPrompt prompt;
        TestZantor zantor(app.path());
        MainWindow& window = zantor.mainWindow();
        for (ImageButton* command : {window.btnUpdate, window.btnDelete}) {
            window.lblMensagem->clear();
            command->click();
            QCOMPARE(window.lblMensagem->text(), QStringLiteral("É preciso selecionar um item primeiro."));
        }
        QCOMPARE(prompt.beeps, 2);
        window.ListView1->selectionModel()->select(window.state().groups.index(0, 0),
                                                   QItemSelectionModel::Select | QItemSelectionModel::Rows);
        window.lblMensagem->clear();
        window.btnDelete->click();
        QVERIFY(window.lblMensagem->text().isEmpty());
    }

    void trayOptionFollowsTheBoxAndItsCaption() {
        TestAppFolder app;
        RecordingPrompt prompt;
        TestZantor zantor(app.path());
        MainWindow& window = zantor.mainWindow();
        QVERIFY(!window.chkMinimizar->isChecked());
        QTest::mouseClick(window.lblChkMinimizar, Qt::LeftButton);
        QVERIFY(window.chkMinimizar->isChecked());
        QCOMPARE(captionColour(window), colours::windowFrame());
        QTest::mouseClick(window.lblChkMinimizar, Qt::LeftButton);
        QVERIFY(!window.chkMinimizar->isChecked());
        QCOMPARE(captionColour(window), colours::activeBorder());
        window.chkMinimizar->click();
        QVERIFY(window.chkMinimizar->isChecked());
        QCOMPARE(captionColour(window), colours::windowFrame());
        // A click changes this run only.
        QCOMPARE(readStartupSettings(app.databases().settings).checkMinimize, QStringLiteral("0"));
    }

    void titleBarImagesLightAndAct() {
        TrayOverride tray(true);
        TestAppFolder app;
        RecordingPrompt prompt;
        TestZantor zantor(app.path());
        MainWindow& window = zantor.mainWindow();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY(!window.imgFecharOn->isVisible());
        QCursor::setPos(window.imgFechar->mapToGlobal(QPoint(9, 9)));
        QTRY_VERIFY(window.imgFecharOn->isVisible());
        QVERIFY(!window.imgFechar->isVisible());
        QCursor::setPos(window.mapToGlobal(QPoint(200, 300)));
        QTRY_VERIFY(window.imgFechar->isVisible());

        TrayHelper* trayHelper = &window.tray();
        QVERIFY(trayHelper);
        window.imgTrayOn->click();
        QVERIFY(!window.isVisible());
        QVERIFY(trayHelper->isInTray());
        QCOMPARE(trayHelper->icon().toolTip(), QStringLiteral("Kelmar Zantor"));
        emit trayHelper->icon().activated(QSystemTrayIcon::Trigger);
        QVERIFY(window.isVisible());
        QVERIFY(!trayHelper->isInTray());

        window.imgMinimizarOn->click();
        QVERIFY(window.isMinimized());
        window.showNormal();
        window.imgFecharOn->click();
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
