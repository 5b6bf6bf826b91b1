#pragma once

#include <cstdint>
#include <string>

namespace rectix::taskdb {

// The process-wide run-time state that every window and the bridge read and
// write directly. One object for the process; tests make fresh ones. Values
// are those the program starts with; the start-up sequence then sets the
// settings-file values (volMltPos, lastTaskID, customize, the Opt... settings,
// taskOptSet, the import options) and areaMult from volMltPos.
//
// Kept elsewhere: the interface language in lang::Language, the three UI
// text tables in core::UiTexts.
struct RunStore {
    // totals of the current task, written by the totals routines.
    float placedBoxCost = 0; // sum of Cost x placed over the task's boxes
    float usedCapCost = 0;   // sum of Cost x used over the task's containers
    float usedCapArea = 0;   // sum of Wolume x used over the task's containers
    float placedArea = 0;    // sum of Wolume x placed over the task's boxes
    std::int64_t usedCapWgt = 0;
    std::int64_t placedWgt = 0;
    // Sums of avail and of total; a larger sum holds 32767, which Solve refuses alike.
    std::int16_t totalContainers = 0; // the solve limit is 24
    std::int16_t totalBoxes = 0;      // the solve limit is 1000

    // Area display: every shown area is the stored one divided by areaMult and mode.
    std::int32_t areaMult = 1; // 10^volMltPos
    std::int32_t volMltPos = 0;
    std::int32_t mode = 1;
    std::string areaLabel = "Area";

    std::int32_t lastTaskID = 0;           // task to select when the home set opens
    std::int32_t loadedSolutionTaskID = 0; // task whose plan the engine's result record holds
    std::int32_t customize = 0;            // carried from reading the settings file to writing it

    // The state of the tables: tablesOpened once they opened at start-up, else 0.
    static constexpr std::int16_t tablesOpened = 555;
    std::int16_t dbState = 0;
    std::int16_t activeDB = 0; // 0 home, 1 export, 2 import

    // The active optimizer settings: what the next solve uses and a new task receives.
    std::int16_t optPower = 0;
    std::int16_t optTime = 0;
    std::int16_t optRand = 0;
    std::int16_t optQw = 0; // weight factor in %: the task's Qw mod 100
    std::int16_t optQg = 0; // bind group factor: the task's Qw div 100
    std::int16_t optQc = 0;
    std::int16_t optQr = 0;
    std::int16_t optBB = 0; // item-to-item gap
    std::int16_t optBW = 0; // item-to-edge gap
    bool optLast = false;
    bool taskOptSet = false; // a change of task loads the task's own settings

    // Box import options.
    std::int16_t impOrder = 0;  // column order 0..3
    std::int16_t impHeader = 0; // header lines to skip, 0 or 1
    std::int16_t impSepar = 0;  // 0 space or tab, 1 comma

    bool solutionState = false; // the current task has a stored solution
    bool reportsFailed = false;
    bool cntEditMode = false;
    bool boxEditMode = false;
    bool askEachTaskConts = false;
    bool askEachTaskBoxes = false;
    // The About window's "warnings" option, checked when the program starts.
    bool warnings = true;

    // Re-place a window beside the main window when it is next shown.
    struct Placement {
        bool boxForm = false;
        bool cntForm = false;
        bool solutForm = false;
        bool optForm = false;
        bool distrForm = false;
        bool tuneForm = false;
        void setAll() { boxForm = cntForm = solutForm = optForm = distrForm = tuneForm = true; }
    } placementFlags;
};

} // namespace rectix::taskdb
