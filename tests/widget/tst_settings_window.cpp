#include "chrome/ImageButton.h"
#include "data/DbSession.h"
#include "data/SettingsStore.h"
#include "main/Frm1_ZT_ini.h"
#include "platform/Shortcuts.h"
#include "settings/Frm2_ZT_Config.h"
#include "settings/OrderingList.h"
#include "support/RecordingPrompt.h"
#include "support/TemporaryHome.h"
#include "support/TestAppFolder.h"
#include "support/TestMain.h"

#include <QAccessible>
#include <QCheckBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace zantor;

namespace {

// A settings window opened as a user opens it; deleted at the end of the test unless
// the main window has unloaded it by then.
struct OpenedSettings {
    QPointer<Frm2_ZT_Config> window;
    ~OpenedSettings() { delete window.data(); }
    Frm2_ZT_Config* operator->() const { return window; }
};

OpenedSettings openSettings(Frm1_ZT_ini& main) {
    const QWidgetList before = QApplication::topLevelWidgets();
    main.btnConfig->click();
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (!before.contains(window))
            return {qobject_cast<Frm2_ZT_Config*>(window)};
    }
    return {};
}

QStringList listed(const QListWidget* list) {
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts.append(list->item(i)->text());
    return texts;
}

QStringList titles(const QVector<ListEntry>& entries) {
    QStringList texts;
    for (const ListEntry& entry : entries)
        texts.append(entry.text);
    return texts;
}

// Presses on one entry, moves over to the other and lets go there.
void drag(OrderingList* list, int from, int to, Qt::MouseButton button = Qt::LeftButton) {
    const QPoint start = list->visualItemRect(list->item(from)).center();
    const QPoint end = list->visualItemRect(list->item(to)).center();
    QTest::mousePress(list->viewport(), button, {}, start);
    QTest::mouseMove(list->viewport(), end);
    QTest::mouseRelease(list->viewport(), button, {}, end);
}

QStringList storedCustomOrder(const TestAppFolder& app) {
    DbSession db(app.databases().groups);
    QStringList order;
    for (const QSqlRecord& row : db.select(QStringLiteral("select titulo1 from Tabela1 order by ordem, id")))
        order.append(row.value(0).toString());
    return order;
}

// Five groups whose custom order is E D C B A, the reverse of their titles.
void addFiveGroups(const TestAppFolder& app) {
    for (const char* title : {"A", "B", "C", "D", "E"})
        app.addGroup(QString::fromLatin1(title), {}, {}, 1, 'E' - title[0]);
}

} // namespace

class SettingsWindowTest : public QObject {
    Q_OBJECT
private slots:
    void storedOptionsAreShown_data() {
        QTest::addColumn<QString>("column");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("control");
        QTest::addColumn<bool>("ticked");
        QTest::newRow("width 1") << "optLargura"
                                 << "1"
                                 << "OptMiniLarg1" << true;
        QTest::newRow("width 2") << "optLargura"
                                 << "2"
                                 << "OptMiniLarg2" << true;
        QTest::newRow("width 0") << "optLargura"
                                 << "0"
                                 << "OptMiniLarg3" << true;
        QTest::newRow("width 4") << "optLargura"
                                 << "4"
                                 << "OptMiniLarg3" << true;
        QTest::newRow("compact first") << "checkMini"
                                       << "0"
                                       << "CheckMini1" << true;
        QTest::newRow("main first, 2") << "checkMini"
                                       << "2"
                                       << "CheckMini2" << true;
        QTest::newRow("main first, 2, pair") << "checkMini"
                                             << "2"
                                             << "CheckMini1" << false;
        QTest::newRow("minimize 0") << "checkMinimize"
                                    << "0"
                                    << "chkMinimizar" << false;
        QTest::newRow("minimize empty") << "checkMinimize"
                                        << ""
                                        << "chkMinimizar" << true;
        QTest::newRow("tray 0") << "iniMinimized"
                                << "0"
                                << "optMinimized0" << true;
        QTest::newRow("tray 1") << "iniMinimized"
                                << "1"
                                << "optMinimized1" << true;
        QTest::newRow("alphabetical") << "ordemPosts"
                                      << "0"
                                      << "optOrdem0" << true;
        QTest::newRow("custom") << "ordemPosts"
                                << "1"
                                << "optOrdem1" << true;
        QTest::newRow("no shortcuts, desktop") << "atalhos"
                                               << ""
                                               << "chkDesktop" << false;
        QTest::newRow("no shortcuts, menu") << "atalhos"
                                            << ""
                                            << "chkMenu" << false;
        QTest::newRow("no shortcuts, startup") << "atalhos"
                                               << ""
                                               << "chkWindows" << false;
        QTest::newRow("startup shortcut") << "atalhos"
                                          << "0\x1f"
                                             "0\x1f"
                                             "1"
                                          << "chkWindows" << true;
        QTest::newRow("no menu shortcut") << "atalhos"
                                          << "1\x1f"
                                             "0\x1f"
                                             "1"
                                          << "chkMenu" << false;
    }
    void storedOptionsAreShown() {
        QFETCH(QString, column);
        QFETCH(QString, value);
        QFETCH(QString, control);
        QFETCH(bool, ticked);
        TestAppFolder app;
        app.setSettings({{column, value}});
        Frm1_ZT_ini main(app.path());
        QVERIFY(main.load());
        OpenedSettings settings = openSettings(main);
        QVERIFY(settings.window);
        auto* button = settings->findChild<QAbstractButton*>(control);
        QVERIFY(button);
        QCOMPARE(button->isChecked(), ticked);
    }

    void storedTextsAndGroupsAreShown_data() {
        QTest::addColumn<QStringList>("stored");
        QTest::addColumn<QStringList>("shown");
        QTest::newRow("no groups") << QStringList{} << QStringList{};
        QTest::newRow("escaped title")
            << QStringList{"Rock''n Roll", "Blues"} << QStringList{"Blues", "Rock'n Roll"};
    }
    void storedTextsAndGroupsAreShown() {
        QFETCH(QStringList, stored);
        QFETCH(QStringList, shown);
        TestAppFolder app;
        app.createDatabases();
        for (const QString& title : stored)
            app.addGroup(title);
        app.setSettings({{QStringLiteral("tempo"), QStringLiteral("0700")},
                         {QStringLiteral("numMiniList"), QStringLiteral("07")},
                         {QStringLiteral("atalhos"), QString()}});
        Frm1_ZT_ini main(app.path());
        QVERIFY(main.load());
        OpenedSettings settings = openSettings(main);
        QCOMPARE(listed(settings->ListConfig), shown);
        QCOMPARE(titles(settings->ListAlfa), shown);
        QCOMPARE(settings->lblTotal->text(), QStringLiteral("Total: %1").arg(shown.size()));
        QCOMPARE(settings->txtTempo->text(), QStringLiteral("0700"));
        QCOMPARE(settings->TxtMiniList->text(), QStringLiteral("07"));
        QCOMPARE(settings->lblAtalhos, QString());
        QCOMPARE(settings->shortcutFlags.atalhos(), QStringLiteral("0\x1f"
                                                                   "0\x1f"
                                                                   "0"));
    }

    void everyControlIsNamedForScreenReaders() {
        TestAppFolder app;
        app.addGroup(QStringLiteral("Aulas"));
        Frm1_ZT_ini main(app.path());
        QVERIFY(main.load());
        OpenedSettings settings = openSettings(main);
        QStringList unnamed;
        for (QWidget* control : settings->findChildren<QWidget*>()) {
            QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(control);
            if (accessible && accessible->text(QAccessible::Name).trimmed().isEmpty() &&
                !control->objectName().startsWith(QLatin1String("qt_")))
                unnamed.append(QString::fromLatin1(control->metaObject()->className()) + QLatin1Char(' ') +
                               control->objectName());
        }
        QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(", ")));
        QCOMPARE(settings->btnUpdate->toolTip(), QStringLiteral(" Atualizar configurações e fechar "));
        QCOMPARE(settings->btnAdd->accessibleName(), QStringLiteral("Adicionar atalho(s)"));
    }

    void typedNumbersFollowTheBoxRules_data() {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("rows above 15") << "TxtMiniList"
                                       << "20"
                                       << "15";
        QTest::newRow("rows below 1") << "TxtMiniList"
                                      << "0"
                                      << "1";
        QTest::newRow("rows, letters dropped") << "TxtMiniList"
                                               << "1a2"
                                               << "12";
        QTest::newRow("rows emptied") << "TxtMiniList"
                                      << ""
                                      << "";
        QTest::newRow("delay below 500") << "txtTempo"
                                         << "300"
                                         << "500";
        QTest::newRow("delay with a zero") << "txtTempo"
                                           << "0500"
                                           << "0500";
        QTest::newRow("delay, letters dropped") << "txtTempo"
                                                << "7x0 0"
                                                << "700";
        QTest::newRow("delay emptied") << "txtTempo"
                                       << ""
                                       << "";
    }
    void typedNumbersFollowTheBoxRules() {
        QFETCH(QString, box);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        TestAppFolder app;
        Frm1_ZT_ini main(app.path());
        QVERIFY(main.load());
        OpenedSettings settings = openSettings(main);
        auto* edit = settings->findChild<QLineEdit*>(box);
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClicks(edit, typed);
        QTest::keyClick(edit, Qt::Key_Return);
        QFocusEvent leave(QEvent::FocusOut);
        QApplication::sendEvent(edit, &leave);
        QCOMPARE(edit->text(), shown);
    }

    void exactlyOneStartWindowIsTicked() {
        TestAppFolder app;
        Frm1_ZT_ini main(app.path());
        QVERIFY(main.load());
        OpenedSettings settings = openSettings(main);
        QCheckBox* compact = settings->CheckMini1;
        QCheckBox* mainWindow = settings->CheckMini2;
        QVERIFY(mainWindow->isChecked());
        const auto ticks = [&] { return QPair<bool, bool>(compact->isChecked(), mainWindow->isChecked()); };
        QTest::mouseClick(mainWindow, Qt::LeftButton);
        QCOMPARE(ticks(), qMakePair(true, false));
        QTest::mouseClick(mainWindow, Qt::LeftButton);
        QCOMPARE(ticks(), qMakePair(false, true));
        QTest::mouseClick(compact, Qt::LeftButton);
        QCOMPARE(ticks(), qMakePair(true, false));
        QTest::mouseClick(compact, Qt::LeftButton);
        QCOMPARE(ticks(), qMakePair(false, true));
    }

    void draggingReordersTheCustomOrderOnly_data() {
        QTest::addColumn<bool>("custom");
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::addColumn<Qt::MouseButton>("button");
        QTest::addColumn<QString>("shown");
        QTest::newRow("down") << true << 1 << 3 << Qt::LeftButton << "A C D B E";
        QTest::newRow("up") << true << 3 << 1 << Qt::LeftButton << "A D B C E";
        QTest::newRow("right button") << true << 3 << 1 << Qt::RightButton << "A D B C E";
        QTest::newRow("in place") << true << 2 << 2 << Qt::LeftButton << "A B C D E";
        QTest::newRow("alphabetical") << false << 1 << 3 << Qt::LeftButton << "A B C D E";
    }
    void draggingReordersTheCustomOrderOnly() {
        QFETCH(bool, custom);
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(Qt::MouseButton, button);
        QFETCH(QString, shown);
        TestAppFolder app;
        for (const char* title : {"A", "B", "C", "D", "E"})
            app.addGroup(QString::fromLatin1(title), {}, {}, 1, title[0] - 'A');
        app.setSettings({{QStringLiteral("ordemPosts"), custom ? QStringLiteral("1") : QStringLiteral("0")}});
        Frm1_ZT_ini main(app.path());
        QVERIFY(main.load());
        OpenedSettings settings = openSettings(main);
        drag(settings->ListConfig, from, to, button);
        QCOMPARE(listed(settings->ListConfig).join(QLatin1Char(' ')), shown);
        QCOMPARE(titles(settings->ListCustom).join(QLatin1Char(' ')),
                 custom ? shown : QStringLiteral("A B C D E"));
        QCOMPARE(settings->ListConfig->currentRow(), to);
    }

    // The drag survives a look at the alphabetical order, and is dropped by a save in it.
    void theAlphabeticalOrderLeavesTheDragAlone() {
        TestAppFolder app;
        addFiveGroups(app);
        app.setSettings({{QStringLiteral("ordemPosts"), QStringLiteral("1")}});
        RecordingPrompt prompt;
        Frm1_ZT_ini main(app.path());
        QVERIFY(main.load());
        OpenedSettings settings = openSettings(main);
        drag(settings->ListConfig, 0, 2);
        QCOMPARE(listed(settings->ListConfig).join(QLatin1Char(' ')), QStringLiteral("D C E B A"));
        const QColor hint = settings->lblArraste->palette().color(QPalette::WindowText);
        QTest::mouseClick(settings->optOrdem0, Qt::LeftButton);
        QCOMPARE(listed(settings->ListConfig).join(QLatin1Char(' ')), QStringLiteral("A B C D E"));
        QVERIFY(settings->lblArraste->palette().color(QPalette::WindowText) != hint);
        QTest::mouseClick(settings->optOrdem1, Qt::LeftButton);
        QCOMPARE(listed(settings->ListConfig).join(QLatin1Char(' ')), QStringLiteral("D C E B A"));
        QCOMPARE(settings->lblArraste->palette().color(QPalette::WindowText), hint);

        QTest::mouseClick(settings->optOrdem0, Qt::LeftButton);
        settings->btnUpdate->click();
        QCOMPARE(storedCustomOrder(app).join(QLatin1Char(' ')), QStringLiteral("E D C B A"));
        QCOMPARE(readStartupSettings(app.databases().settings).ordemPosts, QStringLiteral("0"));
    }

    void saveStoresEveryOptionAndPassesThreeOnAtOnce() {
        TestAppFolder app;
        addFiveGroups(app);
        app.addGroup(QStringLiteral("F"), {}, {}, 1, 5);
        RecordingPrompt prompt;
        Frm1_ZT_ini main(app.path());
        QVERIFY(main.load());
        main.state().lblInsertUpdate = QStringLiteral("Update");
        OpenedSettings settings = openSettings(main);
        settings->optOrdem1->click();
        drag(settings->ListConfig, 5, 0);
        settings->optMinimized1->click();
        settings->chkMinimizar->setChecked(true);
        settings->txtTempo->setText(QStringLiteral("1000"));
        settings->TxtMiniList->setText(QStringLiteral("5"));
        settings->CheckMini2->click();
        settings->CheckMini2->click();
        settings->OptMiniLarg2->click();
        settings->btnUpdate->click();

        const SettingsOptions stored = readSettingsOptions(app.databases().settings);
        const SettingsOptions example{"1", "1", "1", "1000", "", "5", "1", "2"};
        QCOMPARE(QStringList({stored.ordemPosts, stored.iniMinimized, stored.checkMinimize, stored.tempo,
                              stored.atalhos, stored.numMiniList, stored.checkMini, stored.optLargura}),
                 QStringList({example.ordemPosts, example.iniMinimized, example.checkMinimize, example.tempo,
                              example.atalhos, example.numMiniList, example.checkMini, example.optLargura}));
        QCOMPARE(storedCustomOrder(app).join(QLatin1Char(' ')), QStringLiteral("F E D C B A"));
        const SharedState& state = main.state();
        QCOMPARE(state.lblTempo, QStringLiteral("1000"));
        QCOMPARE(state.lblOptLargura, QStringLiteral("1950"));
        QCOMPARE(state.lblNumMiniList, QStringLiteral("5"));
        QCOMPARE(state.lblInsertUpdate, QString());
        QCOMPARE(main.lblMensagem->text(), QStringLiteral("Configurações atualizadas com sucesso!"));
        QCOMPARE(prompt.beeps, 1);
        QVERIFY(prompt.messages.isEmpty());
    }

    void savedNumbersFollowTheSaveRules_data() {
        QTest::addColumn<int>("groups");
        QTest::addColumn<QString>("tempo");
        QTest::addColumn<QString>("rows");
        QTest::addColumn<QString>("storedTempo");
        QTest::addColumn<QString>("storedRows");
        QTest::newRow("499") << 3 << "499"
                             << "3"
                             << "500"
                             << "3";
        QTest::newRow("500") << 3 << "500"
                             << "2"
                             << "500"
                             << "2";
        QTest::newRow("0700, rows over the groups") << 12 << "0700"
                                                    << "15"
                                                    << "0700"
                                                    << "12";
        QTest::newRow("empty boxes") << 3 << ""
                                     << ""
                                     << "500"
                                     << "4";
        QTest::newRow("pasted letters") << 3 << "1e3"
                                        << "x1"
                                        << "500"
                                        << "4";
        QTest::newRow("pasted zero rows") << 3 << "600"
                                          << "0"
                                          << "600"
                                          << "1";
        QTest::newRow("no groups") << 0 << "800"
                                   << "9"
                                   << "800"
                                   << "0";
    }
    void savedNumbersFollowTheSaveRules() {
        QFETCH(int, groups);
        QFETCH(QString, tempo);
        QFETCH(QString, rows);
        QFETCH(QString, storedTempo);
        QFETCH(QString, storedRows);
        TestAppFolder app;
        app.createDatabases();
        for (int i = 0; i < groups; ++i)
            app.addGroup(QStringLiteral("g%1").arg(i));
        app.setSettings({{QStringLiteral("numMiniList"), QStringLiteral("4")}});
        RecordingPrompt prompt;
        Frm1_ZT_ini main(app.path());
        QVERIFY(main.load());
        OpenedSettings settings = openSettings(main);
        // As pasted: past the key rules.
        settings->txtTempo->setText(tempo);
        settings->TxtMiniList->setText(rows);
        settings->btnUpdate->click();
        const SettingsOptions stored = readSettingsOptions(app.databases().settings);
        QCOMPARE(stored.tempo, storedTempo);
        QCOMPARE(stored.numMiniList, storedRows);
        QCOMPARE(main.state().lblTempo, storedTempo);
        QCOMPARE(main.state().lblNumMiniList, storedRows);
    }

    void storedShortcutsChangeOnlyWhenRemade() {
        TemporaryHome home;
        TestAppFolder app;
        app.setSettings({{QStringLiteral("atalhos"), QStringLiteral("0\x1f"
                                                                    "1\x1f"
                                                                    "0")}});
        RecordingPrompt prompt;
        Frm1_ZT_ini main(app.path());
        QVERIFY(main.load());

        OpenedSettings settings = openSettings(main);
        QVERIFY(settings->chkMenu->isChecked());
        settings->chkDesktop->click();
        settings->btnAdd->click();
        QCOMPARE(prompt.messages.size(), 1);
        QCOMPARE(prompt.messages[0].title, QStringLiteral("Zantor"));
        QCOMPARE(prompt.messages[0].text,
                 QStringLiteral("Atalho criado no desktop.\r\nAtalho criado no menu iniciar.\r\n"));
        QVERIFY(Shortcuts::exists(ShortcutPlace::Desktop));
        settings->btnUpdate->click();
        QCOMPARE(readSettingsOptions(app.databases().settings).atalhos, QStringLiteral("0\x1f"
                                                                                       "1\x1f"
                                                                                       "0"));

        OpenedSettings again = openSettings(main);
        QVERIFY(!again->chkDesktop->isChecked());
        again->chkDesktop->click();
        again->chkMenu->click();
        again->chkRemake->click();
        again->btnUpdate->click();
        QCOMPARE(readSettingsOptions(app.databases().settings).atalhos, QStringLiteral("1\x1f"
                                                                                       "0\x1f"
                                                                                       "0"));
        QVERIFY(Shortcuts::exists(ShortcutPlace::Desktop));
        QVERIFY(!Shortcuts::exists(ShortcutPlace::Menu));
        QCOMPARE(prompt.messages.size(), 1);
    }

    void closingHandsBackAndUnloadsTheWindow() {
        TestAppFolder app;
        RecordingPrompt prompt;
        Frm1_ZT_ini main(app.path());
        QVERIFY(main.load());
        OpenedSettings settings = openSettings(main);
        QTRY_VERIFY(!main.isVisible());
        settings->txtTempo->setText(QStringLiteral("900"));
        settings->move(40, 50);
        settings->imgFecharOn->click();
        QVERIFY(main.isVisible());
        QCOMPARE(main.pos(), QPoint(40, 50));
        QCOMPARE(main.lblFormNothing, QStringLiteral("Frm2_ZT_config"));
        QTRY_VERIFY(settings.window.isNull());

        // Opened again, it starts from what is stored, not from the edits dropped.
        OpenedSettings again = openSettings(main);
        QCOMPARE(again->txtTempo->text(), QStringLiteral("1000"));
        again->btnUpdate->click();
        QTRY_VERIFY(again.window.isNull());
        QVERIFY(main.isVisible());
    }

    // A write that fails is named in a message, the status line says so, and the order
    // is stored whole or not at all.
    void aFailedWriteIsReportedAsAFailure_data() {
        QTest::addColumn<bool>("orderFails");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("tempo");
        QTest::newRow("settings") << false << "ZT_Config.db"
                                  << "1000";
        QTest::newRow("custom order") << true << "ZT_Itens.db"
                                      << "2000";
    }
    void aFailedWriteIsReportedAsAFailure() {
        QFETCH(bool, orderFails);
        QFETCH(QString, file);
        QFETCH(QString, tempo);
        TestAppFolder app;
        addFiveGroups(app);
        app.setSettings({{QStringLiteral("ordemPosts"), QStringLiteral("1")}});
        RecordingPrompt prompt;
        Frm1_ZT_ini main(app.path());
        QVERIFY(main.load());
        OpenedSettings settings = openSettings(main);
        if (orderFails) {
            // Group C refuses its new place, after A and B have taken theirs.
            DbSession(app.databases().groups)
                .execute(
                    QStringLiteral("CREATE TRIGGER refuse BEFORE UPDATE ON Tabela1 WHEN OLD.titulo1 = 'C' "
                                   "BEGIN SELECT RAISE(ABORT, 'refused'); END"));
        } else {
            QVERIFY(QFile::remove(app.databases().settings));
        }
        drag(settings->ListConfig, 4, 0);
        settings->txtTempo->setText(QStringLiteral("2000"));
        settings->btnUpdate->click();
        QCOMPARE(prompt.messages.size(), 1);
        QVERIFY2(prompt.messages[0].text.contains(file), qPrintable(prompt.messages[0].text));
        QCOMPARE(main.lblMensagem->text(), QStringLiteral("Não foi possível gravar as configurações."));
        QCOMPARE(main.state().lblTempo, tempo);
        QCOMPARE(storedCustomOrder(app).join(QLatin1Char(' ')),
                 orderFails ? QStringLiteral("E D C B A") : QStringLiteral("A E D C B"));
        QVERIFY(main.isVisible());
        QTRY_VERIFY(settings.window.isNull());
    }
};

ZANTOR_TEST_MAIN(SettingsWindowTest)
#include "tst_settings_window.moc"
