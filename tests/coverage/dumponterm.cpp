// Linked into the program of the coverage build only. The end-to-end tests end the program
// with SIGTERM, whose default action ends it without running exit handlers, so the counters
// of everything it did would never reach the disk.
#include <csignal>
#include <unistd.h>

extern "C" void __gcov_dump();

namespace {

void dumpAndEnd(int signal)
{
    __gcov_dump();
    _exit(128 + signal);
}

const bool installed = [] {
    struct sigaction action = {};
    action.sa_handler = dumpAndEnd;
    return sigaction(SIGTERM, &action, nullptr) == 0;
}();

} // namespace
