#include "taskdb/WriteCheck.h"

#include "core/Dialogs.h"

#include <chrono>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <system_error>

namespace rectix::taskdb {

const char* const WriteCheck::warningText =
    "Problem saving data files.\r\rRunning this program without necessary rights to\rread/write files can "
    "possibly violate data structure.\r\rPlease move program into any folder avoiding protected\rareas like "
    "C:\\Program Files.., C:\\ProgramData.. \r(to move, you'd uninstall and then install program "
    "again).\rAlternatively, always run program \"As Administrator\".";

bool WriteCheck::writeTextLineFile(const std::filesystem::path& path, const std::string& line) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out << line << "\r\n";
    out.close();
    return !out.fail();
}

bool WriteCheck::readTextLineFile(const std::filesystem::path& path, std::string& line) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::getline(in, line);
    if (in.bad()) return false;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return true;
}

bool WriteCheck::checkFileReadWrite(const std::filesystem::path& path) {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char stamp[64];
    std::strftime(stamp, sizeof stamp, "%x %X", &local);
    const std::string text = std::string("Temp file for W/R check: ") + stamp;
    std::string back;
    if (!writeTextLineFile(path, text) || !readTextLineFile(path, back) || back != text) return false;
    std::error_code ec;
    return std::filesystem::remove(path, ec) && !ec;
}

bool WriteCheck::checkDataFolderWritable(const std::filesystem::path& folder) {
    if (checkFileReadWrite(folder / probeName)) return true;
    core::Dialogs::current().show(core::DialogKind::Warning, warningText, core::DialogButton::Ok, 0);
    return false;
}

} // namespace rectix::taskdb
