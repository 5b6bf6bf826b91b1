#pragma once

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>
#include <unistd.h>

// The UTF-8 locales the tests need, made with localedef in a folder of the tests' own beside the
// test program (LOCPATH points there), so a fresh machine needs only Debian's locales package.
namespace rectix::test {

// Makes `name`.UTF-8 ("fr_FR.UTF-8") unless it is made already; false when it cannot be.
inline bool makeTestLocale(const std::string& name) {
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::path folder = fs::read_symlink("/proc/self/exe", ec).parent_path() / "test-locales";
    if (ec) return false;
    const fs::path target = folder / (name + ".UTF-8");
    if (!fs::exists(target / "LC_NUMERIC")) {
        fs::create_directories(folder, ec);
        // Made beside and renamed, as test programs run side by side may make the same locale.
        const fs::path part = folder / (name + ".part" + std::to_string(::getpid()));
        const std::string command =
            "localedef -i " + name + " -f UTF-8 '" + part.string() + "' >/dev/null 2>&1";
        [[maybe_unused]] const int status = std::system(command.c_str()); // warnings exit with 1
        if (fs::exists(part / "LC_NUMERIC")) fs::rename(part, target, ec);
        fs::remove_all(part, ec);
    }
    if (!fs::exists(target / "LC_NUMERIC")) return false;
    ::setenv("LOCPATH", folder.c_str(), 1);
    return true;
}

// The C library's locale set to `name`.UTF-8 for a scope, as Qt sets it at start-up from the
// user's environment; "C" is always there. A locale that cannot be made fails the test.
class CLibraryLocale {
  public:
    explicit CLibraryLocale(const std::string& name) : before_(std::setlocale(LC_ALL, nullptr)) {
        const std::string full = name == "C" ? name : name + ".UTF-8";
        if (name != "C" && !makeTestLocale(name)) {
            ADD_FAILURE() << "localedef cannot make " << full << " (is Debian's locales package installed?)";
            return;
        }
        active_ = std::setlocale(LC_ALL, full.c_str()) != nullptr;
        if (!active_) ADD_FAILURE() << "the C library does not take " << full;
    }
    ~CLibraryLocale() { std::setlocale(LC_ALL, before_.c_str()); }
    CLibraryLocale(const CLibraryLocale&) = delete;
    CLibraryLocale& operator=(const CLibraryLocale&) = delete;

    bool active() const { return active_; }
    // The decimal separator the C library now writes.
    static std::string decimalPoint() { return std::localeconv()->decimal_point; }

  private:
    std::string before_;
    bool active_ = false;
};

} // namespace rectix::test
