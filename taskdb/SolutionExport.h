#pragma once

#include <filesystem>
#include <string>

namespace rectix::taskdb {

class DataModule;

// The three CSV files of a stored solution, in the order they are reported.
struct SolutionFiles {
    std::filesystem::path containers; // "<name>-conts.csv": a line per loaded container
    std::filesystem::path boxKinds;   // "<name>-distr.csv": the box kinds of each container
    std::filesystem::path positions;  // "<name>-posit.csv": the position of every placed box
};

// Writes the current task's stored solution as three CSV files for other programs, every value
// as the solution page shows it.
//
// Format: CR LF line ends, UTF-8 texts. Line 1 is the date text, ",  " and the task name; line
// 2 the file's header; line 3 empty. Header and data lines end with a comma. A text holding a
// comma, a quote or a line break is quoted (inner quotes doubled); numbers are written with a
// point whatever the locale.
//
// A target that may not be replaced (read-only, a folder) stops the export before any file is
// written. The files are written and synced beside their targets and renamed over them, one
// right after the other, only when all three are whole: a failure while writing leaves the
// files of an earlier export as they were. A kill in the moment between two renames can leave
// files of two exports side by side, each of them whole.
class SolutionExport {
  public:
    struct Result {
        SolutionFiles files;
        std::string error; // "file: cause" of the first failure; empty when the three were replaced
        bool written() const { return error.empty(); }
    };

    explicit SolutionExport(DataModule& dm) : dm_(dm) {}

    // The files in `folder` named after the task. Characters a file name cannot hold (path
    // separators, control characters, and those other systems refuse) become '_', so the files
    // always land in `folder`.
    static SolutionFiles filesFor(const std::filesystem::path& folder, const std::string& taskName);
    // A text as a CSV field.
    static std::string csvText(const std::string& text);
    // printf's "%<width>.<decimals>f", with a point as the decimal separator in every locale.
    static std::string fixedText(double value, int width, int decimals);

    // Creates `folder` when it is missing and writes the three files there. `dateText` is the
    // task's date as the user's short date format shows it. A stored solution that a reload
    // refuses (SolveBridge::checkStoredSolution) and a database error pass on before any file is
    // touched.
    Result write(const std::filesystem::path& folder, const std::string& dateText);

  private:
    struct Texts {
        std::string containers, boxKinds, positions;
    };

    // Walks the solution's containers with their box kinds and positions in an operation frame:
    // the three cursors come back to their rows and their views hear nothing until the walk has
    // ended, however it ends.
    Texts compose(const std::string& dateText);
    void composeRows(Texts& texts);

    DataModule& dm_;
};

} // namespace rectix::taskdb
