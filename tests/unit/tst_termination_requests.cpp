#include "platform/TerminationRequests.h"

#include <QTest>
#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

using namespace zantor;

class TerminationRequestsTest : public QObject {
    Q_OBJECT
private slots:
    // The first request is left to the event loop, which ends the program as its close
    // command does; a copy stuck on its way out, whose loop no longer answers, is ended
    // by the second.
    void aSecondRequestEndsACopyStuckOnItsWayOut_data() {
        QTest::addColumn<int>("request");
        QTest::newRow("SIGTERM, a kill or a logout") << SIGTERM;
        QTest::newRow("SIGINT, Ctrl+C") << SIGINT;
        QTest::newRow("SIGHUP, a closed terminal") << SIGHUP;
    }

    void aSecondRequestEndsACopyStuckOnItsWayOut() {
        QFETCH(int, request);
        const pid_t copy = ::fork();
        QVERIFY(copy >= 0);
        if (copy == 0) {
            quitOnTerminationRequests();
            noteEventLoopRunning();
            ::raise(request);
            // Still here: the first request waits for the event loop, which never runs.
            ::raise(request);
            ::_exit(0);
        }
        int status = 0;
        QCOMPARE(::waitpid(copy, &status, 0), copy);
        QVERIFY2(WIFSIGNALED(status), "the copy outlived the second request");
        QCOMPARE(WTERMSIG(status), request);
    }
};

QTEST_GUILESS_MAIN(TerminationRequestsTest)
#include "tst_termination_requests.moc"
