#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>

namespace rectix::core {

// The error family of the system's own logic. An error ends the current user
// action; the window layer shows it in an error box and the program goes on.

// An index or a narrowed value outside its range.
class RangeError : public std::runtime_error {
  public:
    explicit RangeError(const std::string& what) : std::runtime_error(what) {}
};

// An integer operation whose result does not fit its type.
class OverflowError : public std::runtime_error {
  public:
    explicit OverflowError(const std::string& what) : std::runtime_error(what) {}
};

// A division by zero, integer or floating-point.
class ZeroDivideError : public std::runtime_error {
  public:
    explicit ZeroDivideError(const std::string& what) : std::runtime_error(what) {}
};

// A floating-point operation without a defined result (log of a negative, NaN, infinity).
class InvalidOpError : public std::runtime_error {
  public:
    explicit InvalidOpError(const std::string& what) : std::runtime_error(what) {}
};

// A file that could not be read or written: what() names the file and the cause
// ("out/a.csv: No space left on device").
class FileError : public std::runtime_error {
  public:
    FileError(const std::filesystem::path& file, const std::string& cause)
        : std::runtime_error(file.string() + ": " + cause), file_(file), cause_(cause) {}
    const std::filesystem::path& file() const { return file_; }
    const std::string& cause() const { return cause_; }

  private:
    std::filesystem::path file_;
    std::string cause_;
};

// The arithmetic error being handled (range, overflow, division by zero, invalid operation) thrown
// again with `text` in place of its own, so that it names what it met; any other error is thrown
// again as it is. Call only inside a catch block.
[[noreturn]] inline void rethrowArithmetic(const std::string& text) {
    try {
        throw;
    } catch (const RangeError&) {
        throw RangeError(text);
    } catch (const OverflowError&) {
        throw OverflowError(text);
    } catch (const ZeroDivideError&) {
        throw ZeroDivideError(text);
    } catch (const InvalidOpError&) {
        throw InvalidOpError(text);
    }
}

// A refusal whose dialog has already been shown: ends the action with nothing more shown.
class SilentAbort : public std::exception {
  public:
    const char* what() const noexcept override { return "Operation aborted"; }
};

} // namespace rectix::core
