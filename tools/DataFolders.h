#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

namespace rectix::tools {

// Sample data that cannot be written: its message names the row and field at fault.
class SampleDataError : public std::runtime_error {
  public:
    explicit SampleDataError(const std::string& what) : std::runtime_error(what) {}
};

// Lays out the program's data beside the program: the alias file, and the
// folders of the home, export and import sets (where the alias file puts
// them) with their empty tables, the home set holding the sample data. An
// alias file or set folder that exists is kept as it is; a set folder appears
// whole or not at all: it is made in a side folder of its own beside it
// (".home.PID-XXXXXX.part", core/SideFiles.h; those of killed runs go first)
// and then takes its name, unless another run put a set there meanwhile,
// which then stands. With a new home set comes the settings file
// "rectix.ini" at its defaults, showing the sample's first task, unless one
// exists. What it made is on the disk when it returns: files, folders and
// their entries synced. Gives the set folders made.
//
// All three sets are made before the first takes its name, the home set last
// after its settings file. A failure takes back what this run made: the sets
// it put in place, the files it wrote, the folders it made on the way. A
// kill between two renames leaves sets that a later run keeps and completes.
// While it works, SIGINT, SIGTERM and SIGHUP remove its side folders and
// part files before the process takes them (SignalRemoval).
//
// The sample is JSON: "conts" and "boxes", the library rows, and "tasks",
// each task with its "tc" and "tb" rows; a row's members are field names of
// its table, and a task row names its container type by "Type" and its box
// kind by "Kind". Throws SampleDataError, core::FileWriteError, or the table
// layer's errors.
std::vector<std::filesystem::path> makeDataFolders(const std::filesystem::path& programFolder,
                                                   const std::string& sampleJson);

} // namespace rectix::tools
