#include "StandardOutput.h"

#include "MessageLine.h"

#include "core/DurableFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <unistd.h>

namespace rectix::tools {

namespace {

// The errno of the first write to standard output that failed; 0 while all arrived.
int lostCause = 0;

} // namespace

void holdStandardStreams() {
    for (int fd = STDIN_FILENO; fd <= STDERR_FILENO; ++fd) {
        if (::fcntl(fd, F_GETFD) != -1 || errno != EBADF) continue;
        const int held = ::open("/dev/null", fd == STDIN_FILENO ? O_RDONLY : O_WRONLY);
        if (held >= 0 && held != fd) {
            ::dup2(held, fd);
            ::close(held);
        }
        if (fd == STDOUT_FILENO) lostCause = EBADF;
    }
}

void printOut(std::string_view text) {
    if (lostCause == 0) lostCause = core::writeAll(STDOUT_FILENO, text);
}

int outputStatus(std::string_view tool, int status) {
    if (status != 0 || lostCause == 0) return status;
    tellLine(tool, std::string("standard output: ") + std::strerror(lostCause));
    return 2;
}

} // namespace rectix::tools
