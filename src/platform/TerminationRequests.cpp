#include "TerminationRequests.h"

#include <QCoreApplication>

#ifdef Q_OS_UNIX
#include <QSocketNotifier>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>
#endif

namespace zantor {

#ifdef Q_OS_UNIX

namespace {

int requestSocket[2] = {-1, -1};
volatile std::sig_atomic_t eventLoopRunning = 0;

// Only a write is safe inside a signal handler; the event loop does the rest. Before it
// runs (a start-up error on screen, say), nothing would read the request: the program
// ends as it would without this handler.
void noteRequest(int request) {
    if (!eventLoopRunning) {
        ::signal(request, SIG_DFL);
        ::raise(request);
        return;
    }
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(requestSocket[0], &byte, 1);
}

} // namespace

void quitOnTerminationRequests() {
    if (requestSocket[0] != -1 || ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, requestSocket) != 0)
        return;
    auto* notifier =
        new QSocketNotifier(requestSocket[1], QSocketNotifier::Read, QCoreApplication::instance());
    QObject::connect(notifier, &QSocketNotifier::activated, notifier, [notifier] {
        notifier->setEnabled(false);
        // Not quit(): it asks every window to close first, and a box that will not close
        // (one with no button for Esc) would cancel it.
        QCoreApplication::exit(0);
    });
    struct sigaction action {};
    action.sa_handler = noteRequest;
    sigemptyset(&action.sa_mask);
    // Back to the default after the first request: a program stuck on its way out can
    // still be ended by asking again.
    action.sa_flags = SA_RESTART | SA_RESETHAND;
    for (const int request : {SIGTERM, SIGINT, SIGHUP})
        ::sigaction(request, &action, nullptr);
}

void noteEventLoopRunning() {
    eventLoopRunning = 1;
}

#else

// Windows sends no such signals: it ends a session through the windows themselves.
void quitOnTerminationRequests() {}
void noteEventLoopRunning() {}

#endif

} // namespace zantor
