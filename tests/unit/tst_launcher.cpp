#include "data/DbSession.h"
#include "data/GroupStore.h"
#include "main/Launcher.h"
#include "support/RecordingPrompt.h"
#include "support/RecordingResourceHandler.h"
#include "support/TestAppFolder.h"

#include <QTest>

using namespace zantor;

namespace {

const QString kUnit = QString(QChar(31));
constexpr int kRunTimeoutMs = 10000;

QString storedList(const QStringList& addresses) {
    return addresses.join(kUnit);
}

// Opening k (from 0) belongs to the tick k + 1 delays after the command: never before
// it, and not as late as the next one.
void verifyTicks(const RecordingResourceHandler& handler, const QVector<int>& ticks, int delayMs) {
    QCOMPARE(handler.opened.size(), ticks.size());
    for (qsizetype k = 0; k < ticks.size(); ++k) {
        const qint64 slot = qint64(ticks[k]) * delayMs;
        const qint64 at = handler.opened[k].atMs;
        QVERIFY2(at >= slot - 2 && at < slot + delayMs,
                 qPrintable(QStringLiteral("%1 opened at %2 ms, its tick is at %3 ms")
                                .arg(handler.opened[k].path)
                                .arg(at)
                                .arg(slot)));
    }
}

struct AfterStartProbe {
    int runs = 0;
    qsizetype openedBefore = -1;
    bool timerWasRunning = false;
};

} // namespace

class LauncherTest : public QObject {
    Q_OBJECT
private slots:
    void opensGroupAfterGroupOneDelayApart() {
        TestAppFolder app;
        const int upper = app.addGroup(QStringLiteral("upper"), {}, storedList({"/u/1", "  /u/two words  "}));
        const int lower = app.addGroup(QStringLiteral("lower"), {}, storedList({"/l/1", "/l/2"}));
        const int deleted = app.addGroup(QStringLiteral("deleted"));
        DbSession(app.databases().groups)
            .execute(QStringLiteral("delete from Tabela1 where id=?"), {deleted});
        RecordingResourceHandler handler({"/u/1", "/u/two words", "/l/1", "/l/2"});
        RecordingPrompt prompt;
        AfterStartProbe probe;
        Launcher launcher(app.databases().groups, handler, nullptr, [&] {
            ++probe.runs;
            probe.openedBefore = handler.opened.size();
            probe.timerWasRunning = launcher.TimerDelay.isActive();
        });
        QCOMPARE(launcher.TimerDelay.objectName(), QStringLiteral("TimerDelay"));
        QVERIFY(!launcher.TimerDelay.isActive());

        // The list order is the order given, not the order of the ids.
        const int delay = 100;
        handler.restartClock();
        launcher.openGroups({lower, deleted, upper}, delay);
        QCOMPARE(probe.runs, 1);
        QCOMPARE(probe.openedBefore, 0);
        QVERIFY(probe.timerWasRunning);
        QTRY_VERIFY_WITH_TIMEOUT(!launcher.TimerDelay.isActive(), kRunTimeoutMs);
        QCOMPARE(handler.openedPaths(), QStringList({"/l/1", "/l/2", "/u/1", "/u/two words"}));
        verifyTicks(handler, {1, 2, 3, 4}, delay);
        QVERIFY(prompt.messages.isEmpty());
        QCOMPARE(probe.runs, 1);
    }

    void anEmptyPieceTakesItsTickAndOpensNothing() {
        TestAppFolder app;
        const int id = app.addGroup(QStringLiteral("g"), {}, storedList({"/a", " ", "", "/b"}));
        RecordingResourceHandler handler({"/a", "/b", ""});
        RecordingPrompt prompt;
        Launcher launcher(app.databases().groups, handler, nullptr);
        const int delay = 80;
        handler.restartClock();
        launcher.openGroups({id}, delay);
        QTRY_VERIFY_WITH_TIMEOUT(!launcher.TimerDelay.isActive(), kRunTimeoutMs);
        QCOMPARE(handler.openedPaths(), QStringList({"/a", "/b"}));
        verifyTicks(handler, {1, 4}, delay);
        QVERIFY(prompt.messages.isEmpty());
    }

    void missingResourcesAreReportedOnceAtTheEnd() {
        TestAppFolder app;
        const int id = app.addGroup(QStringLiteral("g"), {},
                                    storedList({"/x/falta um.txt", "/a", "/d''Ávila/falta", "/b"}));
        RecordingResourceHandler handler({"/a", "/b"});
        RecordingPrompt prompt;
        Launcher launcher(app.databases().groups, handler, nullptr);
        launcher.openGroups({id}, 20);
        QTRY_COMPARE_WITH_TIMEOUT(handler.opened.size(), 2, kRunTimeoutMs);
        // Nothing is said while the run is going.
        QVERIFY(prompt.messages.isEmpty());
        QTRY_VERIFY_WITH_TIMEOUT(!launcher.TimerDelay.isActive(), kRunTimeoutMs);
        QCOMPARE(handler.openedPaths(), QStringList({"/a", "/b"}));
        QCOMPARE(prompt.messages.size(), 1);
        QCOMPARE(prompt.messages[0].icon, PromptIcon::Warning);
        QCOMPARE(prompt.messages[0].title, QStringLiteral("Erro"));
        QCOMPARE(prompt.messages[0].text, QStringLiteral("Recurso(s) não encontrado(s): \r\n"
                                                         "- /x/falta um.txt\r\n"
                                                         "- /d'Ávila/falta\r\n"));

        // A new run starts with an empty report.
        launcher.openGroups({id}, 20);
        QTRY_VERIFY_WITH_TIMEOUT(!launcher.TimerDelay.isActive(), kRunTimeoutMs);
        QCOMPARE(prompt.messages.size(), 2);
        QCOMPARE(prompt.messages[1].text, prompt.messages[0].text);
    }

    void aNewCommandReplacesTheRunningOne() {
        TestAppFolder app;
        const int first =
            app.addGroup(QStringLiteral("first"), {}, storedList({"/gone", "/a1", "/a2", "/a3"}));
        const int second = app.addGroup(QStringLiteral("second"), {}, storedList({"/b1"}));
        RecordingResourceHandler handler({"/a1", "/a2", "/a3", "/b1"});
        RecordingPrompt prompt;
        int afterStartRuns = 0;
        Launcher launcher(app.databases().groups, handler, nullptr, [&] { ++afterStartRuns; });
        launcher.openGroups({first}, 200);
        QTRY_COMPARE_WITH_TIMEOUT(handler.opened.size(), 1, kRunTimeoutMs);
        launcher.openGroups({second}, 20);
        QTRY_VERIFY_WITH_TIMEOUT(!launcher.TimerDelay.isActive(), kRunTimeoutMs);
        QCOMPARE(handler.openedPaths(), QStringList({"/a1", "/b1"}));
        // "/gone" belonged to the replaced run: it is not reported.
        QVERIFY(prompt.messages.isEmpty());
        QCOMPARE(afterStartRuns, 2);
    }

    void aCommandThatFindsNothingChangesNothing() {
        TestAppFolder app;
        const int empty = app.addGroup(QStringLiteral("empty"), {}, QString());
        const int full = app.addGroup(QStringLiteral("full"), {}, storedList({"/a", "/b"}));
        RecordingResourceHandler handler({"/a", "/b"});
        RecordingPrompt prompt;
        int afterStartRuns = 0;
        Launcher launcher(app.databases().groups, handler, nullptr, [&] { ++afterStartRuns; });

        for (const QVector<int>& ids : {QVector<int>(), QVector<int>{empty}, QVector<int>{full + 100}}) {
            launcher.openGroups(ids, 20);
            QVERIFY(!launcher.TimerDelay.isActive());
        }
        QCOMPARE(afterStartRuns, 0);

        // Nor does it stop a run that is going.
        launcher.openGroups({full}, 100);
        launcher.openGroups({empty}, 20);
        QCOMPARE(launcher.TimerDelay.interval(), 100);
        QTRY_VERIFY_WITH_TIMEOUT(!launcher.TimerDelay.isActive(), kRunTimeoutMs);
        QCOMPARE(handler.openedPaths(), QStringList({"/a", "/b"}));
        QCOMPARE(afterStartRuns, 1);
        QVERIFY(prompt.messages.isEmpty());
    }

    void aDatabaseErrorIsReportedAndStartsNothing() {
        TestAppFolder app;
        RecordingResourceHandler handler;
        RecordingPrompt prompt;
        int afterStartRuns = 0;
        // The databases were never made: the groups file is missing.
        Launcher launcher(app.databases().groups, handler, nullptr, [&] { ++afterStartRuns; });
        launcher.openGroups({1}, 20);
        QVERIFY(!launcher.TimerDelay.isActive());
        QCOMPARE(afterStartRuns, 0);
        QCOMPARE(prompt.messages.size(), 1);
        QCOMPARE(prompt.messages[0].icon, PromptIcon::Critical);
        QCOMPARE(prompt.messages[0].title, QStringLiteral("Erro"));
        QVERIFY2(prompt.messages[0].text.contains(QStringLiteral("ZT_Itens.db")),
                 qPrintable(prompt.messages[0].text));
    }

    void aTypedBackslashTIsTriedWhenTheTabFormIsMissing() {
        TestAppFolder app;
        // Stored texts keep the backslash-t the user typed; reading turns it into a TAB.
        const int id = app.addGroup(QStringLiteral("g"), {},
                                    storedList({"/home/ana/\\tarefas", "/srv/\\tmp/\\todo", "/real\\ttab"}));
        RecordingResourceHandler handler({"/home/ana/\\tarefas", "/real\ttab", "/real\\ttab"});
        RecordingPrompt prompt;
        Launcher launcher(app.databases().groups, handler, nullptr);
        launcher.openGroups({id}, 20);
        QTRY_VERIFY_WITH_TIMEOUT(!launcher.TimerDelay.isActive(), kRunTimeoutMs);
        // A path that exists with its TAB is taken as it reads.
        QCOMPARE(handler.openedPaths(), QStringList({"/home/ana/\\tarefas", "/real\ttab"}));
        QCOMPARE(prompt.messages.size(), 1);
        QCOMPARE(prompt.messages[0].text,
                 QStringLiteral("Recurso(s) não encontrado(s): \r\n- /srv/\\tmp/\\todo\r\n"));
        const auto stored = readResourceList(app.databases().groups, id);
        QCOMPARE(stored.value_or("no group"),
                 storedList({"/home/ana/\\tarefas", "/srv/\\tmp/\\todo", "/real\\ttab"}));
    }

    void aLongListAndANegativeDelayRunWithoutALimit() {
        TestAppFolder app;
        QStringList addresses;
        for (int i = 0; i < 50; ++i)
            addresses << QStringLiteral("/r/%1").arg(i);
        const int id = app.addGroup(QStringLiteral("g"), {}, storedList(addresses));
        RecordingResourceHandler handler(QSet<QString>(addresses.begin(), addresses.end()));
        RecordingPrompt prompt;
        Launcher launcher(app.databases().groups, handler, nullptr);
        launcher.openGroups({id}, -300);
        QCOMPARE(launcher.TimerDelay.interval(), 0);
        QTRY_VERIFY_WITH_TIMEOUT(!launcher.TimerDelay.isActive(), kRunTimeoutMs);
        QCOMPARE(handler.openedPaths(), addresses);
    }
};

QTEST_GUILESS_MAIN(LauncherTest)
#include "tst_launcher.moc"
