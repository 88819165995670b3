#include "chrome/ImageButton.h"
#include "data/DbSession.h"
#include "data/SettingsStore.h"
#include "main/MainWindow.h"
#include "platform/Shortcuts.h"
#include "settings/OrderingList.h"
#include "settings/SettingsWindow.h"
#include "support/AccessibleControls.h"
#include "support/ChromePeers.h"
#include "support/RecordingPrompt.h"
#include "support/TemporaryHome.h"
#include "support/TestAppFolder.h"
#include "support/TestMain.h"
#include "support/TestZantor.h"
#include "support/WindowPeers.h"

#include <QCheckBox>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <cstring>

using namespace zantor;

namespace {

const QString kUnit(QChar(31));

// The main window on an app folder with the settings window opened from it, as a user
// opens it. The settings window goes at the end unless the main window unloaded it.
struct Visit {
    explicit Visit(const TestAppFolder& app)
        : zantor(app.path())
        , main(zantor.mainWindow()) {
        open();
    }
    ~Visit() { delete settings.data(); }
    void open() {
        const QWidgetList before = QApplication::topLevelWidgets();
        peer(main).settingsButton()->click();
        for (QWidget* window : QApplication::topLevelWidgets())
            if (!before.contains(window))
                settings = qobject_cast<SettingsWindow*>(window);
    }
    SettingsWindow* operator->() const { return settings; }
    SettingsWindow& operator*() const { return *settings; }

    TestZantor zantor;
    MainWindow& main;
    QPointer<SettingsWindow> settings;
};

QString shown(const QListWidget* list) {
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts.append(list->item(i)->text());
    return texts.join(QLatin1Char(' '));
}

QString shown(const QVector<ListEntry>& entries) {
    QStringList texts;
    for (const ListEntry& entry : entries)
        texts.append(entry.text);
    return texts.join(QLatin1Char(' '));
}

// Presses on one entry, moves over to the other and lets go there.
void drag(OrderingList* list, int from, int to, Qt::MouseButton button = Qt::LeftButton) {
    const QPoint start = list->visualItemRect(list->item(from)).center();
    const QPoint end = list->visualItemRect(list->item(to)).center();
    QTest::mousePress(list->viewport(), button, {}, start);
    QTest::mouseMove(list->viewport(), end);
    QTest::mouseRelease(list->viewport(), button, {}, end);
}

QString storedOrder(const TestAppFolder& app) {
    DbSession db(app.databases().groups);
    QStringList order;
    for (const QSqlRecord& row : db.select(QStringLiteral("select titulo1 from Tabela1 order by ordem, id")))
        order.append(row.value(0).toString());
    return order.join(QLatin1Char(' '));
}

// Groups A to E whose stored custom order is E D C B A.
void addFiveGroups(const TestAppFolder& app, const char* customOrder = "EDCBA") {
    for (const char* title : {"A", "B", "C", "D", "E"})
        app.addGroup(QString::fromLatin1(title), {}, {}, 1,
                     int(std::strchr(customOrder, title[0]) - customOrder));
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
        const auto add = [](const char* column, const char* value, const char* control, bool ticked) {
            QTest::addRow("%s %s %s", column, value, control) << column << value << control << ticked;
        };
        add("optLargura", "2", "130 px largura", true);
        add("optLargura", "0", "150 px largura", true);
        add("optLargura", "4", "150 px largura", true);
        add("checkMini", "2", "Zantor", true);
        add("checkMini", "2", "MiniZantor", false);
        add("checkMinimize", "0", "Minimizar para o tray ao abrir recursos", false);
        add("checkMinimize", "", "Minimizar para o tray ao abrir recursos", true);
        add("atalhos", "", "Desktop", false);
        add("atalhos", "", "Menu de aplicativos", false);
        add("atalhos", "", "Iniciar com a sessão", false);
        add("atalhos",
            "1\x1f"
            "0\x1f"
            "1",
            "Iniciar com a sessão", true);
        add("atalhos",
            "1\x1f"
            "0\x1f"
            "1",
            "Menu de aplicativos", false);
    }
    void storedOptionsAreShown() {
        QFETCH(QString, column);
        QFETCH(QString, value);
        QFETCH(QString, control);
        QFETCH(bool, ticked);
        TestAppFolder app;
        app.setSettings({{column, value}});
        Visit visit(app);
        QCOMPARE(accessibleControl<QAbstractButton>(visit.settings, control)->isChecked(), ticked);
    }

    void storedTextsAndGroupsAreShown_data() {
        QTest::addColumn<QStringList>("stored");
        QTest::addColumn<QString>("listed");
        QTest::newRow("no groups") << QStringList() << QString();
        QTest::newRow("escaped title") << QStringList{"Rock''n Roll", "Blues"} << "Blues Rock'n Roll";
    }
    void storedTextsAndGroupsAreShown() {
        QFETCH(QStringList, stored);
        QFETCH(QString, listed);
        TestAppFolder app;
        app.setSettings({{"tempo", "0700"}, {"numMiniList", "07"}, {"atalhos", ""}});
        for (const QString& title : stored)
            app.addGroup(title);
        Visit visit(app);
        QCOMPARE(shown(peer(*visit).orderList()), listed);
        QCOMPARE(peer(*visit).groupTotal()->text(), QStringLiteral("Total: %1").arg(stored.size()));
        QCOMPARE(peer(*visit).launchDelay()->text(), QStringLiteral("0700"));
        QCOMPARE(peer(*visit).compactRows()->text(), QStringLiteral("07"));
        QCOMPARE(peer(*visit).storedShortcuts(), QString());
        QCOMPARE(peer(*visit).shortcutFlags().atalhos(), QStringList({"0", "0", "0"}).join(kUnit));
    }

    void typedNumbersFollowTheBoxRules_data() {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        const auto add = [](const char* box, const char* typed, const char* shown) {
            QTest::addRow("%s '%s'", box, typed) << box << typed << shown;
        };
        const char* rows = "Itens mostrados na lista";
        const char* delay = "Intervalo de execução entre cada recurso";
        add(rows, "20", "15");
        add(rows, "0", "1");
        add(rows, "1a2", "12");
        add(rows, "", "");
        add(delay, "300", "500");
        add(delay, "0500", "0500");
        add(delay, "7x0 0", "700");
        add(delay, "", "");
    }
    void typedNumbersFollowTheBoxRules() {
        QFETCH(QString, box);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        TestAppFolder app;
        Visit visit(app);
        auto* edit = accessibleControl<QLineEdit>(visit.settings, box);
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
        Visit visit(app);
        const auto ticks = [&] {
            return qMakePair(peer(*visit).startCompact()->isChecked(), peer(*visit).startMain()->isChecked());
        };
        QCOMPARE(ticks(), qMakePair(false, true));
        for (QCheckBox* clicked : {peer(*visit).startMain(), peer(*visit).startMain(),
                                   peer(*visit).startCompact(), peer(*visit).startCompact()}) {
            const auto before = ticks();
            QTest::mouseClick(clicked, Qt::LeftButton);
            QCOMPARE(ticks(), qMakePair(before.second, before.first));
        }
    }

    void draggingReordersTheCustomOrderOnly_data() {
        QTest::addColumn<bool>("custom");
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::addColumn<Qt::MouseButton>("button");
        QTest::addColumn<QString>("order");
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
        QFETCH(QString, order);
        TestAppFolder app;
        addFiveGroups(app, "ABCDE");
        app.setSettings({{"ordemPosts", custom ? "1" : "0"}});
        Visit visit(app);
        drag(peer(*visit).orderList(), from, to, button);
        QCOMPARE(shown(peer(*visit).orderList()), order);
        QCOMPARE(shown(peer(*visit).custom()), custom ? order : QStringLiteral("A B C D E"));
        QCOMPARE(peer(*visit).orderList()->currentRow(), to);
    }

    // The drag survives a look at the alphabetical order, and a save in it drops the drag.
    void theAlphabeticalOrderLeavesTheDragAlone() {
        TestAppFolder app;
        addFiveGroups(app);
        app.setSettings({{"ordemPosts", "1"}});
        RecordingPrompt prompt;
        Visit visit(app);
        drag(peer(*visit).orderList(), 0, 2);
        QCOMPARE(shown(peer(*visit).orderList()), QStringLiteral("D C E B A"));
        // The lists are the window's own snapshot: a save elsewhere that refills the
        // shared group list leaves the user's arrangement as it is.
        app.addGroup(QStringLiteral("F"));
        visit.main.state().groups.refill();
        QCOMPARE(visit.main.state().groups.rowCount(), 6);
        QCOMPARE(shown(peer(*visit).orderList()), QStringLiteral("D C E B A"));
        const QColor hint = peer(*visit).dragHint()->palette().color(QPalette::WindowText);
        QTest::mouseClick(peer(*visit).alphabeticalOrder(), Qt::LeftButton);
        QCOMPARE(shown(peer(*visit).orderList()), QStringLiteral("A B C D E"));
        QVERIFY(peer(*visit).dragHint()->palette().color(QPalette::WindowText) != hint);
        QTest::mouseClick(peer(*visit).customOrder(), Qt::LeftButton);
        QCOMPARE(shown(peer(*visit).orderList()), QStringLiteral("D C E B A"));

        QTest::mouseClick(peer(*visit).alphabeticalOrder(), Qt::LeftButton);
        peer(*visit).saveButton()->click();
        QCOMPARE(storedOrder(app), QStringLiteral("E F D C B A"));
        QCOMPARE(readSettingsOptions(app.databases().settings).ordemPosts, QStringLiteral("0"));
    }

    void saveStoresEveryOptionAndPassesThreeOnAtOnce() {
        TestAppFolder app;
        addFiveGroups(app);
        RecordingPrompt prompt;
        Visit visit(app);
        peer(*visit).customOrder()->click();
        drag(peer(*visit).orderList(), 4, 0);
        peer(*visit).startInTray()->click();
        peer(*visit).minimizeOnLaunch()->setChecked(true);
        peer(*visit).compactMedium()->click();
        QSignalSpy changed(&visit.main.state(), &SharedState::settingsChanged);
        peer(*visit).saveButton()->click();

        const SettingsOptions stored = readSettingsOptions(app.databases().settings);
        QCOMPARE(QStringList({stored.ordemPosts, stored.iniMinimized, stored.checkMinimize, stored.tempo,
                              stored.atalhos, stored.numMiniList, stored.checkMini, stored.optLargura}),
                 QStringList({"1", "1", "1", "1000", "", "5", "1", "2"}));
        QCOMPARE(storedOrder(app), QStringLiteral("A E D C B"));
        const Settings& settings = visit.main.state().settings();
        QCOMPARE(settings.launchDelay, std::chrono::milliseconds(1000));
        QCOMPARE(settings.compactWidth, CompactWidth::Medium);
        QCOMPARE(settings.compactRows, 5);
        // Only they change this run: the tray option waits for the next start.
        QVERIFY(!settings.startInTray);
        QCOMPARE(changed.size(), 1);
        QCOMPARE(peer(visit.main).messageLine()->text(),
                 QStringLiteral("Configurações atualizadas com sucesso!"));
        QCOMPARE(prompt.beeps, 1);
    }

    void savedNumbersFollowTheSaveRules_data() {
        QTest::addColumn<int>("groups");
        QTest::addColumn<QString>("tempo");
        QTest::addColumn<QString>("rows");
        QTest::addColumn<QString>("storedTempo");
        QTest::addColumn<QString>("storedRows");
        const auto add = [](int groups, const char* tempo, const char* rows, const char* storedTempo,
                            const char* storedRows) {
            QTest::addRow("%d groups, '%s', '%s'", groups, tempo, rows)
                << groups << tempo << rows << storedTempo << storedRows;
        };
        add(3, "499", "3", "500", "3");
        add(3, "500", "2", "500", "2");
        add(12, "0700", "15", "0700", "12");
        add(3, "", "", "500", "4");
        add(3, "1e3", "x1", "500", "4");
        add(3, "600", "0", "600", "1");
        add(0, "800", "9", "800", "0");
    }
    void savedNumbersFollowTheSaveRules() {
        QFETCH(int, groups);
        QFETCH(QString, tempo);
        QFETCH(QString, rows);
        QFETCH(QString, storedTempo);
        QFETCH(QString, storedRows);
        TestAppFolder app;
        app.setSettings({{"numMiniList", "4"}});
        for (int i = 0; i < groups; ++i)
            app.addGroup(QStringLiteral("g%1").arg(i));
        RecordingPrompt prompt;
        Visit visit(app);
        // As pasted: past the key rules.
        peer(*visit).launchDelay()->setText(tempo);
        peer(*visit).compactRows()->setText(rows);
        peer(*visit).saveButton()->click();
        const SettingsOptions stored = readSettingsOptions(app.databases().settings);
        QCOMPARE(QStringList({stored.tempo, stored.numMiniList}), QStringList({storedTempo, storedRows}));
        QCOMPARE(visit.main.state().settings().launchDelay, std::chrono::milliseconds(storedTempo.toInt()));
        QCOMPARE(visit.main.state().settings().compactRows, storedRows.toInt());
    }

    void storedShortcutsChangeOnlyWhenRemade() {
        TemporaryHome home;
        TestAppFolder app;
        app.setSettings({{"atalhos", QStringList({"0", "1", "0"}).join(kUnit)}});
        RecordingPrompt prompt;
        Visit visit(app);
        peer(*visit).desktopShortcut()->click();
        peer(*visit).addShortcutsButton()->click();
        QCOMPARE(prompt.messages.size(), 1);
        QCOMPARE(prompt.messages[0].title, QStringLiteral("Zantor"));
        peer(*visit).saveButton()->click();
        QCOMPARE(readSettingsOptions(app.databases().settings).atalhos,
                 QStringList({"0", "1", "0"}).join(kUnit));

        visit.open();
        QVERIFY(!peer(*visit).desktopShortcut()->isChecked());
        peer(*visit).desktopShortcut()->click();
        peer(*visit).menuShortcut()->click();
        peer(*visit).remakeShortcuts()->click();
        peer(*visit).saveButton()->click();
        QCOMPARE(readSettingsOptions(app.databases().settings).atalhos,
                 QStringList({"1", "0", "0"}).join(kUnit));
        QVERIFY(QFileInfo::exists(Shortcuts::folder(ShortcutPlace::Desktop) + "/Zantor.desktop"));
        QVERIFY(!QFileInfo::exists(Shortcuts::folder(ShortcutPlace::Menu) + "/Zantor.desktop"));
        QCOMPARE(prompt.messages.size(), 1);
    }

    void closingHandsBackAndUnloadsTheWindow() {
        TestAppFolder app;
        Visit visit(app);
        QPointer<SettingsWindow> first = visit.settings;
        QTRY_VERIFY(!visit.main.isVisible());
        peer(*visit).launchDelay()->setText(QStringLiteral("900"));
        visit->move(40, 50);
        TitledWindowPeer(*visit).closeButton()->click();
        QVERIFY(visit.main.isVisible());
        QCOMPARE(visit.main.pos(), QPoint(40, 50));
        QCOMPARE(PageHostWindowPeer(visit.main).lastPageName(), QStringLiteral("SettingsWindow"));
        QTRY_VERIFY(first.isNull());

        // Opened again, it starts from what is stored, not from the edits dropped.
        visit.open();
        QCOMPARE(peer(*visit).launchDelay()->text(), QStringLiteral("1000"));
    }

    // A write that fails is named in a message and the status line says so; the order
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
        app.setSettings({{"ordemPosts", "1"}});
        RecordingPrompt prompt;
        Visit visit(app);
        if (orderFails) {
            // Group C refuses its new place, after others have taken theirs.
            DbSession(app.databases().groups)
                .execute(
                    QStringLiteral("CREATE TRIGGER refuse BEFORE UPDATE ON Tabela1 WHEN OLD.titulo1 = 'C' "
                                   "BEGIN SELECT RAISE(ABORT, 'refused'); END"));
        } else {
            QVERIFY(QFile::remove(app.databases().settings));
        }
        drag(peer(*visit).orderList(), 4, 0);
        peer(*visit).launchDelay()->setText(QStringLiteral("2000"));
        peer(*visit).saveButton()->click();
        QCOMPARE(prompt.messages.size(), 1);
        QVERIFY2(prompt.messages[0].text.contains(file), qPrintable(prompt.messages[0].text));
        QCOMPARE(peer(visit.main).messageLine()->text(),
                 QStringLiteral("Não foi possível gravar as configurações."));
        QCOMPARE(visit.main.state().settings().launchDelay, std::chrono::milliseconds(tempo.toInt()));
        QCOMPARE(storedOrder(app), orderFails ? QStringLiteral("E D C B A") : QStringLiteral("A E D C B"));
        QVERIFY(visit.main.isVisible());
        QTRY_VERIFY(visit.settings.isNull());
    }
};

ZANTOR_TEST_MAIN(SettingsWindowTest)
#include "tst_settings_window.moc"
