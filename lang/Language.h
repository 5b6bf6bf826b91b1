#pragma once

#include "core/UiTexts.h"
#include "lang/TextSet.h"

#include <cstdint>
#include <functional>
#include <string>
#include <utility>

namespace rectix::lang {

class WindowTextWriter;

// The language routine. It always fills the used slots of the UI text tables; with windows it
// also writes the window texts, sets langIndex and then runs the refresh hook, which rewrites
// the texts that depend on state (run button, main caption, table-set indicator) from the
// freshly filled tables.
//
// langIndex lives here: 0 English, 1 French, 2 German (shown as English), 3 Italian. The
// routines write 0, 1 or 3; 2 comes only from the settings file, through setLangIndex, and stays
// until the user chooses a language. The settings file reads and writes it through this object.
class Language {
  public:
    explicit Language(core::UiTexts& tables = core::UiTexts::global());

    // The process's one routine, on the global text tables.
    static Language& global();

    void applyEnglishTexts(bool withForms);
    void applyFrenchTexts(bool withForms);
    void applyItalianTexts(bool withForms);
    // 1 French, 3 Italian, any other value English.
    void applyLanguage(bool withForms, std::int32_t index);

    std::int32_t langIndex() const { return langIndex_; }
    // The help file the routines name; the same for every language, empty until the first
    // routine with windows.
    const std::string& helpFile() const { return helpFile_; }
    void setLangIndex(std::int32_t index) { langIndex_ = index; }

    // Without a writer, applying with windows writes no window (as when none exists yet).
    void setWindowWriter(WindowTextWriter* writer) { writer_ = writer; }
    void setRefreshHook(std::function<void()> hook) { refresh_ = std::move(hook); }

  private:
    void apply(const TextSet& set, bool withForms, std::int32_t index);

    core::UiTexts& tables_;
    std::int32_t langIndex_ = 0;
    std::string helpFile_;
    WindowTextWriter* writer_ = nullptr;
    std::function<void()> refresh_;
};

} // namespace rectix::lang
