#include "core/InputFile.h"

#include "core/ScopeGuard.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace rectix::core {

namespace {

std::string whatIsThere(const struct stat& st) {
    if (S_ISREG(st.st_mode)) return {};
    if (S_ISDIR(st.st_mode)) return "is a folder, not a file";
    return "is a device, pipe or socket, not a file";
}

std::string tooLarge(std::uintmax_t limit) {
    constexpr std::uintmax_t mib = std::uintmax_t{1} << 20;
    if (limit % mib == 0) return "is larger than " + std::to_string(limit / mib) + " MiB";
    return "is larger than " + std::to_string(limit) + " bytes";
}

} // namespace

std::string notARegularFile(const std::filesystem::path& file) {
    struct stat st {};
    if (::stat(file.c_str(), &st) != 0)
        return errno == ENOENT ? std::string("is missing") : std::string(std::strerror(errno));
    return whatIsThere(st);
}

void checkInputFile(const std::filesystem::path& file, std::uintmax_t limit) {
    struct stat st {};
    if (::stat(file.c_str(), &st) != 0)
        throw FileReadError(file, errno == ENOENT ? std::string("is missing") : std::strerror(errno));
    if (const std::string wrong = whatIsThere(st); !wrong.empty()) throw FileReadError(file, wrong);
    if (static_cast<std::uintmax_t>(st.st_size) > limit) throw FileReadError(file, tooLarge(limit));
}

std::string readInputFile(const std::filesystem::path& file, std::uintmax_t limit) {
    // A device or a pipe must not be opened at all: opening one can block.
    checkInputFile(file, limit);
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) throw FileReadError(file, std::strerror(errno));
    const ScopeGuard closeFile([fd] { ::close(fd); });
    // What was checked may have been swapped since: the open file decides.
    struct stat st {};
    if (::fstat(fd, &st) != 0) throw FileReadError(file, std::strerror(errno));
    if (const std::string wrong = whatIsThere(st); !wrong.empty()) throw FileReadError(file, wrong);
    std::string text;
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR) continue;
            throw FileReadError(file, std::strerror(errno));
        }
        if (n == 0) break;
        if (text.size() + static_cast<std::size_t>(n) > limit) throw FileReadError(file, tooLarge(limit));
        text.append(buffer, static_cast<std::size_t>(n));
    }
    return text;
}

std::string_view withoutByteOrderMark(std::string_view text) {
    if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
    return text;
}

} // namespace rectix::core
