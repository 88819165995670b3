#include "data/DatabaseError.h"
#include "data/DbSession.h"
#include "data/GroupStore.h"
#include "state/Launcher.h"
#include "support/RecordingResourceHandler.h"
#include "support/TestAppFolder.h"

#include <QTest>

using namespace zantor;

namespace {

const QString kUnit = QString(QChar(31));
// Generous: a loaded machine may run a timer very late, never early.
constexpr int kRunTimeoutMs = 20000;
constexpr int kLateAllowanceMs = 2000;

QString storedList(const QStringList& addresses) {
    return addresses.join(kUnit);
}

// Opening k (from 0) belongs to the tick ticks[k] delays after the command: never
// before it.
void verifyTicks(const RecordingResourceHandler& handler, const QVector<int>& ticks, int delayMs) {
    QCOMPARE(handler.opened.size(), ticks.size());
    for (qsizetype k = 0; k < ticks.size(); ++k) {
        const qint64 slot = qint64(ticks[k]) * delayMs;
        const qint64 at = handler.opened[k].atMs;
        QVERIFY2(at >= slot - 2 && at < slot + kLateAllowanceMs,
                 qPrintable(QStringLiteral("%1 opened at %2 ms, its tick is at %3 ms")
                                .arg(handler.opened[k].path)
                                .arg(at)
                                .arg(slot)));
    }
}

// Keeps what the launcher says, as the window that owns it would hear it.
struct RunRecorder {
    explicit RunRecorder(Launcher& launcher, const RecordingResourceHandler& handler) {
        QObject::connect(&launcher, &Launcher::runStarted, [this, &launcher, &handler] {
            ++starts;
            openedBeforeStart = handler.opened.size();
            timerRunningAtStart = launcher.delayTimer().isActive();
        });
        QObject::connect(&launcher, &Launcher::runFinished,
                         [this](const LaunchResult& result) { results.append(result); });
    }
    void waitForRuns(int count) const { QTRY_COMPARE_WITH_TIMEOUT(results.size(), count, kRunTimeoutMs); }

    int starts = 0;
    qsizetype openedBeforeStart = -1;
    bool timerRunningAtStart = false;
    QList<LaunchResult> results;
};

// Presses Esc, as it were, once `cancelAfter` has opened: the cancel comes from the event
// loop, between two ticks.
struct CancellingHandler : RecordingResourceHandler {
    using RecordingResourceHandler::RecordingResourceHandler;
    bool open(const QString& path, const QStringList& arguments) override {
        if (path == cancelAfter)
            QMetaObject::invokeMethod(launcher, &Launcher::cancel, Qt::QueuedConnection);
        return RecordingResourceHandler::open(path, arguments);
    }

    QString cancelAfter;
    Launcher* launcher = nullptr;
};

} // namespace

class LauncherTest : public QObject {
    Q_OBJECT
private slots:
    // A terminal gets one line per missing item or refusal: whatever a stored text holds
    // shows, and only the report's own line ends end lines.
    void aTerminalReportKeepsEachItemOnItsLine_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("shown");
        QTest::newRow("plain") << "a"
                               << "a";
        QTest::newRow("line break") << "a\nb"
                                    << "a\\nb";
        QTest::newRow("carriage return and line feed") << "a\r\nb"
                                                       << "a\\nb";
        QTest::newRow("escape") << "a\x1b[2J"
                                << "a\\x1b[2J";
    }
    void aTerminalReportKeepsEachItemOnItsLine() {
        QFETCH(QString, stored);
        QFETCH(QString, shown);
        LaunchResult result;
        result.missing.append({{1, 0, stored, stored}, stored, stored});
        result.refused << stored;
        QCOMPARE(
            result.terminalReport(),
            QStringLiteral("Recurso(s) não encontrado(s):\n- %1 (grupo \"%1\", item \"%1\")\n"
                           "Não foi possível abrir:\n- %1\n"
                           "Os itens não encontrados podem ser corrigidos na próxima abertura pela janela "
                           "do Zantor.\n")
                .arg(shown));
    }

    void opensGroupAfterGroupOneDelayApart() {
        TestAppFolder app;
        const int upper = app.addGroup(QStringLiteral("upper"), {}, storedList({"/u/1", "  /u/two words  "}));
        const int lower = app.addGroup(QStringLiteral("lower"), {}, storedList({"/l/1", "/l/2"}));
        const int deleted = app.addGroup(QStringLiteral("deleted"));
        DbSession(app.databases().groups)
            .execute(QStringLiteral("delete from Tabela1 where id=?"), {deleted});
        RecordingResourceHandler handler({"/u/1", "/u/two words", "/l/1", "/l/2"});
        Launcher launcher(app.databases().groups, handler);
        RunRecorder run(launcher, handler);
        QCOMPARE(launcher.delayTimer().objectName(), QStringLiteral("delayTimer"));
        QVERIFY(!launcher.delayTimer().isActive());

        // The list order is the order given, not the order of the ids.
        const int delay = 100;
        handler.restartClock();
        launcher.openGroups({lower, deleted, upper}, delay);
        QCOMPARE(run.starts, 1);
        QCOMPARE(run.openedBeforeStart, 0);
        QVERIFY(run.timerRunningAtStart);
        run.waitForRuns(1);
        QVERIFY(!launcher.delayTimer().isActive());
        QCOMPARE(handler.openedPaths(), QStringList({"/l/1", "/l/2", "/u/1", "/u/two words"}));
        verifyTicks(handler, {1, 2, 3, 4}, delay);
        QVERIFY(!run.results[0].hasProblems());
        QCOMPARE(run.starts, 1);
    }

    void anEmptyPieceTakesItsTickAndOpensNothing() {
        TestAppFolder app;
        const int id = app.addGroup(QStringLiteral("g"), {}, storedList({"/a", " ", "", "/b"}));
        RecordingResourceHandler handler({"/a", "/b", ""});
        Launcher launcher(app.databases().groups, handler);
        RunRecorder run(launcher, handler);
        const int delay = 80;
        handler.restartClock();
        launcher.openGroups({id}, delay);
        run.waitForRuns(1);
        QCOMPARE(handler.openedPaths(), QStringList({"/a", "/b"}));
        verifyTicks(handler, {1, 4}, delay);
        QVERIFY(!run.results[0].hasProblems());
    }

    void theReportListsWhatWasMissingAndWhatTheDesktopRefused() {
        TestAppFolder app;
        const int id = app.addGroup(QStringLiteral("g"), {},
                                    storedList({"/x/falta um.txt", "/a", "/sem/aplicativo.xyz",
                                                "/d''Ávila/falta", "/b", "/nao/inicia"}));
        RecordingResourceHandler handler({"/a", "/b", "/sem/aplicativo.xyz", "/nao/inicia"});
        handler.refused = {"/sem/aplicativo.xyz", "/nao/inicia"};
        Launcher launcher(app.databases().groups, handler);
        RunRecorder run(launcher, handler);
        launcher.openGroups({id}, 20);
        run.waitForRuns(1);
        QCOMPARE(handler.openedPaths(), QStringList({"/a", "/sem/aplicativo.xyz", "/b", "/nao/inicia"}));
        QCOMPARE(run.results[0].report(), QStringLiteral("Recurso(s) não encontrado(s): \r\n"
                                                         "- /x/falta um.txt\r\n"
                                                         "- /d'Ávila/falta\r\n"
                                                         "Não foi possível abrir:\r\n"
                                                         "- /sem/aplicativo.xyz\r\n"
                                                         "- /nao/inicia\r\n"));

        // A new run starts with an empty report; a refusal alone has its own section.
        handler.existing += "/x/falta um.txt";
        handler.existing += "/d'Ávila/falta";
        launcher.openGroups({id}, 20);
        run.waitForRuns(2);
        QCOMPARE(run.results[1].report(), QStringLiteral("Não foi possível abrir:\r\n"
                                                         "- /sem/aplicativo.xyz\r\n"
                                                         "- /nao/inicia\r\n"));
    }

    void aNewCommandReplacesTheRunningOne() {
        TestAppFolder app;
        const int first =
            app.addGroup(QStringLiteral("first"), {}, storedList({"/gone", "/a1", "/a2", "/a3"}));
        const int second = app.addGroup(QStringLiteral("second"), {}, storedList({"/b1"}));
        RecordingResourceHandler handler({"/a1", "/a2", "/a3", "/b1"});
        Launcher launcher(app.databases().groups, handler);
        RunRecorder run(launcher, handler);
        launcher.openGroups({first}, 300);
        QTRY_COMPARE_WITH_TIMEOUT(handler.opened.size(), 1, kRunTimeoutMs);
        launcher.openGroups({second}, 20);
        run.waitForRuns(1);
        QCOMPARE(handler.openedPaths(), QStringList({"/a1", "/b1"}));
        // "/gone" belonged to the replaced run: it is not reported.
        QVERIFY(!run.results[0].hasProblems());
        QCOMPARE(run.starts, 2);
    }

    void cancelStopsTheQueueAndReportsOnlyWhatWasTried() {
        TestAppFolder app;
        const int id =
            app.addGroup(QStringLiteral("g"), {}, storedList({"/a", "/falta/1", "/b", "/falta/2", "/c"}));
        CancellingHandler handler({"/a", "/b", "/c"});
        Launcher launcher(app.databases().groups, handler);
        RunRecorder run(launcher, handler);
        launcher.cancel();
        QCOMPARE(run.results.size(), 0);

        handler.launcher = &launcher;
        handler.cancelAfter = QStringLiteral("/b");
        launcher.openGroups({id}, 200);
        run.waitForRuns(1);
        QVERIFY(!launcher.delayTimer().isActive());
        QVERIFY(run.results[0].cancelled);
        QCOMPARE(handler.openedPaths(), QStringList({"/a", "/b"}));
        // The missed item knows where it is stored, for the user to fix it.
        QCOMPARE(run.results[0].missing.size(), 1);
        const MissedItem& missed = run.results[0].missing[0];
        QCOMPARE(
            QVariantList({missed.shownAddress, missed.place.groupId, missed.place.index, missed.groupTitle}),
            QVariantList({"/falta/1", id, 1, "g"}));
        launcher.cancel();
        QCOMPARE(run.results.size(), 1);
    }

    void webAddressesOpenWithoutAnExistenceTestAndFileUrlsAsPaths() {
        TestAppFolder app;
        const int id =
            app.addGroup(QStringLiteral("g"), {},
                         storedList({"https://example.org/relatorio", "/a", "mailto:ana@example.org",
                                     "file:///b%20c", "file:///falta", "smb://nas/recusado"}));
        RecordingResourceHandler handler({"/a", "/b c"});
        handler.refused = {"smb://nas/recusado"};
        Launcher launcher(app.databases().groups, handler);
        RunRecorder run(launcher, handler);
        launcher.openGroups({id}, 20);
        run.waitForRuns(1);
        QCOMPARE(handler.openedPaths(),
                 QStringList({"https://example.org/relatorio", "/a", "mailto:ana@example.org", "/b c",
                              "smb://nas/recusado"}));
        QCOMPARE(run.results[0].report(), QStringLiteral("Recurso(s) não encontrado(s): \r\n"
                                                         "- file:///falta\r\n"
                                                         "Não foi possível abrir:\r\n"
                                                         "- smb://nas/recusado\r\n"));
    }

    void aCommandThatFindsNothingChangesNothing() {
        TestAppFolder app;
        const int empty = app.addGroup(QStringLiteral("empty"), {}, QString());
        const int full = app.addGroup(QStringLiteral("full"), {}, storedList({"/a", "/b"}));
        RecordingResourceHandler handler({"/a", "/b"});
        Launcher launcher(app.databases().groups, handler);
        RunRecorder run(launcher, handler);

        for (const QVector<int>& ids : {QVector<int>(), QVector<int>{empty}, QVector<int>{full + 100}}) {
            launcher.openGroups(ids, 20);
            QVERIFY(!launcher.delayTimer().isActive());
        }
        QCOMPARE(run.starts, 0);

        // Nor does it stop a run that is going.
        launcher.openGroups({full}, 100);
        launcher.openGroups({empty}, 20);
        QCOMPARE(launcher.delayTimer().interval(), 100);
        run.waitForRuns(1);
        QCOMPARE(handler.openedPaths(), QStringList({"/a", "/b"}));
        QCOMPARE(run.starts, 1);
    }

    void aDatabaseErrorStartsNothing() {
        TestAppFolder app;
        RecordingResourceHandler handler;
        // The databases were never made: the groups file is missing.
        Launcher launcher(app.databases().groups, handler);
        RunRecorder run(launcher, handler);
        QVERIFY_THROWS_EXCEPTION(DatabaseError, launcher.openGroups({1}, 20));
        QVERIFY(!launcher.delayTimer().isActive());
        QCOMPARE(run.starts, 0);
    }

    void aTypedBackslashTIsTriedWhenTheTabFormIsMissing() {
        TestAppFolder app;
        // Stored texts keep the backslash-t the user typed; reading turns it into a TAB.
        const int id = app.addGroup(QStringLiteral("g"), {},
                                    storedList({"/home/ana/\\tarefas", "/srv/\\tmp/\\todo", "/real\\ttab"}));
        RecordingResourceHandler handler({"/home/ana/\\tarefas", "/real\ttab", "/real\\ttab"});
        Launcher launcher(app.databases().groups, handler);
        RunRecorder run(launcher, handler);
        launcher.openGroups({id}, 20);
        run.waitForRuns(1);
        // A path that exists with its TAB is taken as it reads.
        QCOMPARE(handler.openedPaths(), QStringList({"/home/ana/\\tarefas", "/real\ttab"}));
        QCOMPARE(run.results[0].report(),
                 QStringLiteral("Recurso(s) não encontrado(s): \r\n- /srv/\\tmp/\\todo\r\n"));
        const auto stored = readResourceList(app.databases().groups, id);
        QCOMPARE(stored.value_or("no group"),
                 storedList({"/home/ana/\\tarefas", "/srv/\\tmp/\\todo", "/real\\ttab"}));
    }

    void eachResourceGetsItsOwnArgumentsAsWords() {
        TestAppFolder app;
        const int id = app.addGroup(QStringLiteral("g"), {}, storedList({"/p", "/doc", "/q", "/r"}));
        DbSession(app.databases().groups)
            .execute(QStringLiteral("update Tabela1 set texto3=? where id=?"),
                     {storedList({"-a 'b c' $HOME", "", "It's", "\\tmp"}), id});
        RecordingResourceHandler handler({"/p", "/doc", "/q", "/r"});
        Launcher launcher(app.databases().groups, handler);
        RunRecorder run(launcher, handler);
        launcher.openGroups({id}, 20);
        run.waitForRuns(1);
        // A quote left open (only a hand-made row holds one) starts nothing and says so.
        QCOMPARE(handler.openedPaths(), QStringList({"/p", "/doc", "/r"}));
        QCOMPARE(handler.opened[0].arguments, QStringList({"-a", "b c", "$HOME"}));
        QCOMPARE(handler.opened[1].arguments, QStringList());
        // The backslash-t typed, not a TAB: the backslash keeps the "t".
        QCOMPARE(handler.opened[2].arguments, QStringList({"tmp"}));
        QCOMPARE(run.results[0].report(), QStringLiteral("Não foi possível abrir:\r\n- /q\r\n"));
    }

    void aLongListAndANegativeDelayRunWithoutALimit() {
        TestAppFolder app;
        QStringList addresses;
        for (int i = 0; i < 50; ++i)
            addresses << QStringLiteral("/r/%1").arg(i);
        const int id = app.addGroup(QStringLiteral("g"), {}, storedList(addresses));
        RecordingResourceHandler handler(QSet<QString>(addresses.begin(), addresses.end()));
        Launcher launcher(app.databases().groups, handler);
        RunRecorder run(launcher, handler);
        launcher.openGroups({id}, -300);
        QCOMPARE(launcher.delayTimer().interval(), 0);
        run.waitForRuns(1);
        QCOMPARE(handler.openedPaths(), addresses);
    }
};

QTEST_GUILESS_MAIN(LauncherTest)
#include "tst_launcher.moc"
