#include "termination.h"

#include <QGuiApplication>
#include <QSessionManager>
#include <QSocketNotifier>

#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>
#include <cerrno>
#include <csignal>

namespace yorvane {

namespace {

int signalPipe[2] = {-1, -1};
volatile sig_atomic_t received = 0;

// How long the event loop has to answer a signal before the signal's own action ends the
// program: a loop stuck in a call that never returns (a display that stopped answering) must
// not make the program deaf to the session's end.
constexpr unsigned kAnswerSeconds = 5;

constexpr int kEndingSignals[] = {SIGTERM, SIGHUP, SIGINT};

void restoreDefaultActions() {
    for (const int number : kEndingSignals) ::signal(number, SIG_DFL);
}

void onNoAnswer(int) {
    // Ends the program as the first signal would have without a handler.
    restoreDefaultActions();
    ::raise(received);
}

void onSignal(int number) {
    const int saved = errno;
    const char byte = char(number);
    // Nothing else is safe inside a signal handler; the event loop does the rest. A second
    // signal ends the program at once, and so does the first when the loop does not answer.
    [[maybe_unused]] const ssize_t n = ::write(signalPipe[1], &byte, 1);
    received = number;
    restoreDefaultActions();
    ::signal(SIGALRM, onNoAnswer);
    ::alarm(kAnswerSeconds);
    errno = saved;
}

}  // namespace

void closeOnTerminationSignals(std::function<void()> close) {
    if (signalPipe[0] >= 0) return;
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, signalPipe) != 0)
        return;
    auto* notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, qApp);
    QObject::connect(notifier, &QSocketNotifier::activated, qApp, [close = std::move(close)] {
        char byte = 0;
        while (::read(signalPipe[0], &byte, 1) > 0) {
        }
        static bool ending = false;
        if (ending) return;
        ending = true;
        close();
        // Leaves every event loop, a dialog's included.
        QCoreApplication::exit(0);
    });
    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int number : kEndingSignals) ::sigaction(number, &action, nullptr);
}

void saveOnSessionRequest(std::function<void()> save) {
    QObject::connect(qGuiApp, &QGuiApplication::commitDataRequest, qGuiApp,
                     [save = std::move(save)](QSessionManager&) { save(); });
}

}  // namespace yorvane
