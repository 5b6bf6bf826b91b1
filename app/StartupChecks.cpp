#include "app/StartupChecks.h"

#include "core/Dialogs.h"
#include "core/UiTexts.h"
#include "dataset/AliasRegistry.h"
#include "taskdb/WriteCheck.h"

#include <system_error>

namespace rectix::app {

const std::string dataFolderWarning = taskdb::WriteCheck::warningText;

bool checkFileReadWrite(const std::filesystem::path& path) {
    return taskdb::WriteCheck::checkFileReadWrite(path);
}

bool checkDataFolderWritable() {
    std::error_code ec;
    const std::filesystem::path folder = std::filesystem::current_path(ec);
    if (!ec && checkFileReadWrite(folder / taskdb::WriteCheck::probeName)) return true;
    core::Dialogs::current().show(core::DialogKind::Warning, dataFolderWarning, core::DialogButton::Ok, 0);
    return false;
}

bool checkAliasFolders(const std::filesystem::path& programFolder) {
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
        core::Dialogs::current().plainMessage(
            std::string(set.shown) + " " + core::messageText(core::Msg::SetFolderNotFound) + " " + set.alias);
        all = false;
    }
    return all;
}

} // namespace rectix::app
