#pragma once

#include "core/Dialogs.h"
#include "taskdb/DataModule.h"
#include "taskdb/ProgressView.h"
#include "taskdb/RunStore.h"

#include <filesystem>
#include <string>
#include <vector>

namespace rectix::tools {

// One line of text: a dialog's line breaks become blanks.
std::string oneLine(std::string text);

// Dialogs take the accepting answer; their texts are kept and go to standard
// error only when the action succeeds. A failure is told in one line of its own.
struct StderrDialogs : core::Dialogs {
    core::DialogButton show(core::DialogKind, const std::string& text, core::DialogButtons buttons,
                            int) override;
    void errorBox(const std::string& text) override { plainMessage(text); }
    void plainMessage(const std::string& text) override { lines.push_back(oneLine(text)); }
    void flush();
    std::vector<std::string> lines;
};

// The dialogs of the process while it lives.
struct InstalledDialogs {
    explicit InstalledDialogs(core::Dialogs& dialogs) : replaced(core::Dialogs::install(&dialogs)) {}
    ~InstalledDialogs() { core::Dialogs::install(replaced); }
    InstalledDialogs(const InstalledDialogs&) = delete;
    InstalledDialogs& operator=(const InstalledDialogs&) = delete;
    core::Dialogs* replaced;
};

// A scratch program folder whose alias file points the home alias at the set's folder.
struct ScratchProgramFolder {
    std::filesystem::path path;
    explicit ScratchProgramFolder(const std::filesystem::path& set);
    ~ScratchProgramFolder();
    ScratchProgramFolder(const ScratchProgramFolder&) = delete;
    ScratchProgramFolder& operator=(const ScratchProgramFolder&) = delete;
};

// A table set opened as the program opens it, with its own store, the dialogs above and a data
// module over the set; open when the store's marker is 555.
struct OpenedSet {
    explicit OpenedSet(const std::filesystem::path& folder) : program(folder), dm(store, program.path) {
        dm.setWaitWindow(&wait);
        dm.dataModuleCreate();
    }
    bool isOpen() const { return store.dbState == 555; }

    ScratchProgramFolder program;
    taskdb::RunStore store;
    StderrDialogs dialogs;
    InstalledDialogs installed{dialogs};
    taskdb::NullProgressView wait;
    taskdb::DataModule dm;
};

} // namespace rectix::tools
