#include "app/StartupChecks.h"

#include "core/UiTexts.h"
#include "dataset/AliasRegistry.h"
#include "ui/MessageDialogs.h"

#include <QDateTime>
#include <QLocale>

#include <fstream>
#include <system_error>

namespace rectix::app {

const std::string DataFolderWarning =
    "Problem saving data files.\r\rRunning this program without necessary rights to\rread/write files can "
    "possibly violate data structure.\r\rPlease move program into any folder avoiding protected\rareas like "
    "C:\\Program Files.., C:\\ProgramData.. \r(to move, you'd uninstall and then install program "
    "again).\rAlternatively, always run program \"As Administrator\".";

namespace {

bool writeTextLineFile(const std::filesystem::path& path, const std::string& line) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out.is_open()) return false;
    out << line << "\r\n";
    out.close();
    return !out.fail();
}

bool readTextLineFile(const std::filesystem::path& path, std::string& line) {
    std::ifstream in(path, std::ios::binary);
    if (!in.is_open() || !std::getline(in, line)) return false;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return !in.bad();
}

std::string nowText() {
    const QLocale locale = QLocale::system();
    const QDateTime now = QDateTime::currentDateTime();
    return (locale.toString(now.date(), QLocale::ShortFormat) + QLatin1Char(' ') +
            locale.toString(now.time(), QLocale::ShortFormat))
        .toStdString();
}

} // namespace

// No write is ever redirected here, so there is no second copy of the probe to look for.
bool CheckFileReadWrite(const std::filesystem::path& path) {
    const std::string text = "Temp file for W/R check: " + nowText();
    std::string back;
    if (!writeTextLineFile(path, text) || !readTextLineFile(path, back) || back != text) return false;
    std::error_code ec;
    return std::filesystem::remove(path, ec);
}

bool CheckDataFolderWritable() {
    std::error_code ec;
    const std::filesystem::path folder = std::filesystem::current_path(ec);
    if (!ec && CheckFileReadWrite(folder / "z-temp-pr.bat")) return true;
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
