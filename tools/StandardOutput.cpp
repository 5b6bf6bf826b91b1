#include "StandardOutput.h"

#include "MessageLine.h"

#include "core/DurableFile.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <unistd.h>

namespace rectix::tools {

namespace {

// The errno of the first write to standard output that failed; 0 while all arrived.
int lostCause = 0;
bool closedByCaller = false;
bool changeInPlace = false;

} // namespace

void holdStandardStreams() {
    // A reader that has gone makes the write fail with EPIPE, told as any other lost output,
    // instead of ending the run unseen with its scratch folder left behind.
    ::signal(SIGPIPE, SIG_IGN);
    for (int fd = STDIN_FILENO; fd <= STDERR_FILENO; ++fd) {
        if (::fcntl(fd, F_GETFD) != -1 || errno != EBADF) continue;
        const int held = ::open("/dev/null", fd == STDIN_FILENO ? O_RDONLY : O_WRONLY);
        if (held >= 0 && held != fd) {
            ::dup2(held, fd);
            ::close(held);
        }
        if (fd == STDOUT_FILENO) closedByCaller = true;
    }
}

void printOut(std::string_view text) {
    if (lostCause == 0) lostCause = closedByCaller ? EBADF : core::writeAll(STDOUT_FILENO, text);
}

void markChangeInPlace() {
    changeInPlace = true;
}

int outputStatus(std::string_view tool, int status) {
    if (status != 0 || lostCause == 0) return status;
    const std::string lost = std::string("standard output: ") + std::strerror(lostCause);
    if (!changeInPlace) {
        tellLine(tool, lost);
        return 2;
    }
    tellLine(tool, "warning: " + lost + ": the change is made, but what was printed about it did not arrive");
    return status;
}

} // namespace rectix::tools
