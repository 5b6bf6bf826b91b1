#include "app/StartupChecks.h"

#include "core/UiTexts.h"
#include "dataset/AliasRegistry.h"
#include "taskdb/WriteCheck.h"
#include "ui/MessageDialogs.h"

#include <system_error>

namespace rectix::app {

const std::string DataFolderWarning = taskdb::WriteCheck::WarningText;

bool CheckFileReadWrite(const std::filesystem::path& path) { return taskdb::WriteCheck::CheckFileReadWrite(path); }

bool CheckDataFolderWritable() {
    std::error_code ec;
    const std::filesystem::path folder = std::filesystem::current_path(ec);
    if (!ec && CheckFileReadWrite(folder / taskdb::WriteCheck::ProbeName)) return true;
    ui::MessageDialogs::current().show(ui::DialogKind::Warning, DataFolderWarning, ui::DialogButton::Ok, 0);
    return false;
}

bool CheckAliasFolders(const std::filesystem::path& programFolder) {
    struct Set {
        const char* shown;
        const char* alias;
    };
    const dataset::AliasRegistry aliases(programFolder);
    bool all = true;
    for (const Set& set :
         {Set{"Main/Home", "RectixB"}, Set{"Export", "Rectixexp"}, Set{"Import", "Rectiximp"}}) {
        std::error_code ec;
        if (std::filesystem::is_directory(aliases.path(set.alias), ec)) continue;
        ui::MessageDialogs::current().plainMessage(std::string(set.shown) + " " + core::messageText(46) +
                                                   " " + set.alias);
        all = false;
    }
    return all;
}

} // namespace rectix::app
