// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/termination.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace {

int g_signalled[2] = {-1, -1}; // written by the handler, read by the event loop

void onSignal(int)
{
    const char byte = 1;
    // Only a write is safe in a signal handler; a full socket already holds a wake-up.
    [[maybe_unused]] const auto written = ::write(g_signalled[0], &byte, 1);
}

} // namespace

void quitOnTerminationSignals()
{
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, g_signalled) != 0)
        return; // the signals keep their default action: the program ends at once
    auto* notifier =
        new QSocketNotifier(g_signalled[1], QSocketNotifier::Read, QCoreApplication::instance());
    QObject::connect(notifier, &QSocketNotifier::activated, [] { QCoreApplication::quit(); });
    struct sigaction action = {};
    action.sa_handler = onSignal;
    action.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
}
