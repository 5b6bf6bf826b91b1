#pragma once

#include "taskdb/SavedViewSettings.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>

namespace rectix::taskdb {

struct RunStore;

// The settings file: the user's working state from one run of the program to the next (the task
// to show first, the area multiplier, the active optimizer settings, the saved view settings, the
// box import options, the interface language). 30 lines with CR LF ends, read by position: the
// labels are for a human reader and never looked at.
class SettingsFile {
  public:
    static constexpr const char* fileName = "rectix.ini";

    // The file lies in `folder`; by default in the current folder.
    SettingsFile(RunStore& store, SavedViewSettings& view, std::filesystem::path folder = {});

    // The task written on the first line; without a source, 0.
    void setCurrentTask(std::function<std::int32_t()> currentTaskID) {
        currentTask_ = std::move(currentTaskID);
    }
    // The view settings as the view options show them when the file is written; without a
    // source, those read at start-up.
    void setViewSource(std::function<SavedViewSettings()> viewSettings) {
        viewSource_ = std::move(viewSettings);
    }

    // Reads the file into the store, the interface language and the saved view settings, then
    // fills the text tables of that language. A missing, unreadable or malformed file, or one
    // without a single value, gives every value its default; the end of the file reads as 0,
    // except that a file ending before the view settings saved none; a value out of the range
    // the settings window allows gets its default and the others stay as read (a view setting
    // out of range: none saved). A language it does not know shows English.
    // False when any default replaced a value; never throws, shows nothing.
    bool read();
    // Reads the file; message 19 when the read gave false.
    void loadIni();
    // Writes the file through the durable writer: a failed write leaves the old file as it was,
    // with message 20.
    void saveIni();

    std::filesystem::path path() const { return folder_ / fileName; }

    // The file as a fresh install lays it out: every value at the default a failed read gives,
    // with `taskIni` as the task to show first.
    static std::string defaultText(std::int32_t taskIni);

  private:
    RunStore& store_;
    SavedViewSettings& view_;
    std::filesystem::path folder_;
    std::function<std::int32_t()> currentTask_;
    std::function<SavedViewSettings()> viewSource_;
};

} // namespace rectix::taskdb
