#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace rectix::taskdb {

// The box import options the user chooses in the import menu.
struct BoxImportOptions {
    int order = 0;      // column order 0..3
    bool comma = false; // fields separated by commas; else by spaces and tabs
    int header = 0;     // leading non-empty lines to skip
};

// One line of a box import text as read, before the rules are checked.
struct BoxLine {
    enum class Outcome {
        Box,          // the fields were read
        EndLine,      // the line that ends the import
        FormatError,  // a mandatory field is missing or a number field is no number
        TooManyFields // more fields than a line may have
    };
    Outcome outcome = Outcome::FormatError;
    std::int32_t quantity = 1;
    std::int32_t length = 0;
    std::int32_t width = 0;
    std::int32_t weight = 0;
    std::int32_t turn = 1;
    std::string kind;
    std::string mark;
};

// Reads the lines of a box import text: splits a line into its fields and takes the box's
// values from them in the chosen column order. Knows nothing of files or tables, so any text
// can be given to it.
class BoxLineParser {
  public:
    static constexpr int maxFields = 50;

    explicit BoxLineParser(const BoxImportOptions& options);

    // The line without its trailing spaces, tabs and other control characters.
    static std::string_view cutTrailingBlanks(std::string_view line);
    // The line's fields with blanks trimmed at both ends. In space mode a run of blanks makes one
    // separator and leading blanks none; in comma mode every comma separates, and a trailing one
    // adds no empty field. Nothing when the line has more than maxFields fields.
    std::optional<std::vector<std::string_view>> split(std::string_view line) const;
    // The box of a line whose trailing blanks are cut.
    BoxLine read(std::string_view line) const;

    // The messages of the rules a read box fails, in the rules' order; none for a good box.
    static std::vector<std::string> ruleFailures(const BoxLine& box);

  private:
    bool isSeparator(char c) const;

    BoxImportOptions options_;
};

} // namespace rectix::taskdb
