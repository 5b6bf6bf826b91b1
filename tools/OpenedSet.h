#pragma once

#include "ExitStatus.h"
#include "MessageLine.h"
#include "ScratchFolder.h"

#include "core/Dialogs.h"
#include "taskdb/DataModule.h"
#include "taskdb/ProgressView.h"
#include "taskdb/RunStore.h"

#include <cstdint>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

namespace rectix::tools {

// A dialog's text in one line: its line breaks ("\r", as the text tables write them) become
// blanks. Any other control character is left to tellLine(), which shows it escaped.
std::string oneLine(std::string text);

// Dialogs take the accepting answer; their texts are kept and go to standard error only when the
// action succeeds. A failure is told in one line of its own.
struct StderrDialogs : core::Dialogs {
    core::DialogButton show(core::DialogKind, const std::string& text, core::DialogButtons buttons,
                            int) override {
        plainMessage(text);
        using B = core::DialogButton;
        for (B b : {B::Ok, B::Yes, B::YesToAll, B::All, B::Ignore, B::No, B::NoToAll, B::Cancel})
            if (buttons.has(b)) return b;
        return B::Ok;
    }
    void errorBox(const std::string& text) override { plainMessage(text); }
    void plainMessage(const std::string& text) override { lines.push_back(oneLine(text)); }
    void flush() {
        for (const std::string& line : lines) tellLine("rectix-solve", line);
        lines.clear();
    }
    // Every text shown so far in one line; they end the action that showed them.
    std::string joined() const {
        std::string all;
        for (const std::string& line : lines) all += (all.empty() ? "" : " ") + line;
        return all;
    }
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

// A table set opened as the program opens it, with its own store, the dialogs above and a data
// module over the set, its areas shown divided by `areaMult`. Throws what a failure to get that
// far is; open when the store's marker is 555.
struct OpenedSet {
    explicit OpenedSet(const std::filesystem::path& folder, std::int32_t areaMult = 1)
        : program(folder), dm(store, program.path()) {
        store.areaMult = areaMult;
        dm.setWaitWindow(&wait);
        dm.dataModuleCreate();
    }
    bool isOpen() const { return store.dbState == 555; }

    ScratchFolder program;
    taskdb::RunStore store;
    StderrDialogs dialogs;
    InstalledDialogs installed{dialogs};
    taskdb::NullProgressView wait;
    taskdb::DataModule dm;
};

// Empty when `folder` is a folder, else what is there instead.
std::string folderRefusal(const std::filesystem::path& folder);

// The line and status of the exception being handled, a stored value that does not fit named
// when it was the cause. Call inside a catch block.
Failure failureOn(std::optional<OpenedSet>& set, const std::filesystem::path& folder);

// Why the set did not open: a stored value that does not fit, else the data module's reason.
std::string openRefusal(OpenedSet& set, const std::filesystem::path& folder);

} // namespace rectix::tools
