#pragma once

#include "core/UiTexts.h"

#include <cstdint>
#include <string>

namespace rectix::taskdb {

// The process-wide run-time state that every window and the bridge read and
// write directly. One object for the process; tests make fresh ones. Values
// are those the program starts with; the start-up sequence then sets the
// settings-file values (VolMltPos, LastTaskID, Customize, the Opt... settings,
// TaskOptSet, the import options) and AreaMult from VolMltPos.
//
// Kept elsewhere and reached from here: LangIndex lives in lang::Language,
// the three UI text tables in core::UiTexts.
struct RunStore {
    // Totals of the current task, written by the totals routines.
    float PlacedBoxCost = 0; // sum of Cost x Placed over the task's boxes
    float UsedCapCost = 0;   // sum of Cost x Used over the task's containers
    float UsedCapArea = 0;   // sum of Wolume x Used over the task's containers
    float PlacedArea = 0;    // sum of Wolume x Placed over the task's boxes
    std::int32_t UsedCapWgt = 0;
    std::int32_t PlacedWgt = 0;
    std::int16_t TotalContainers = 0; // sum of Avail; the solve limit is 24
    std::int16_t TotalBoxes = 0;      // sum of Total; the solve limit is 1000

    // Area display: every shown area is the stored one divided by AreaMult and Mode.
    std::int32_t AreaMult = 1; // 10^VolMltPos
    std::int32_t VolMltPos = 0;
    std::int32_t Mode = 1;
    std::string AreaLabel = "Area";

    std::int32_t LastTaskID = 0;           // task to select when the home set opens
    std::int32_t LoadedSolutionTaskID = 0; // task whose plan the engine's result record holds
    std::int32_t Customize = 0;            // carried from reading the settings file to writing it

    std::int16_t DBState = 0;  // 555 once the tables opened at start-up
    std::int16_t ActiveDB = 0; // 0 home, 1 export, 2 import

    // The active optimizer settings: what the next solve uses and a new task receives.
    std::int16_t OptPower = 0;
    std::int16_t OptTime = 0;
    std::int16_t OptRand = 0;
    std::int16_t OptQw = 0; // weight factor in %: the task's Qw mod 100
    std::int16_t OptQg = 0; // bind group factor: the task's Qw div 100
    std::int16_t OptQc = 0;
    std::int16_t OptQr = 0;
    std::int16_t OptBB = 0; // item-to-item gap
    std::int16_t OptBW = 0; // item-to-edge gap
    bool OptLast = false;
    bool TaskOptSet = false; // a change of task loads the task's own settings

    // Box import options.
    std::int16_t ImpOrder = 0;  // column order 0..3
    std::int16_t ImpHeader = 0; // header lines to skip, 0 or 1
    std::int16_t ImpSepar = 0;  // 0 space or tab, 1 comma

    bool SolutionState = false; // the current task has a stored solution
    bool ReportsFailed = false;
    bool CntEditMode = false;
    bool BoxEditMode = false;
    bool AskEachTaskConts = false;
    bool AskEachTaskBoxes = false;
    // The About window's "Warnings" option, checked when the program starts.
    bool Warnings = true;

    // Re-place a window beside the main window when it is next shown.
    struct Placement {
        bool BoxForm = false;
        bool CntForm = false;
        bool SolutForm = false;
        bool OptForm = false;
        bool DistrForm = false;
        bool TuneForm = false;
        void setAll() { BoxForm = CntForm = SolutForm = OptForm = DistrForm = TuneForm = true; }
    } PlacementFlags;

    // The interface language, kept by the language routine.
    static std::int32_t LangIndex();
    static void setLangIndex(std::int32_t index);
    // The message, caption and hint slot tables.
    static auto& MessageTexts() { return core::UiTexts::global().messages; }
    static auto& CaptionTexts() { return core::UiTexts::global().captions; }
    static auto& HintTexts() { return core::UiTexts::global().hints; }
};

} // namespace rectix::taskdb
