#include "taskdb/SolutionExport.h"

#include "core/NumberFormat.h"
#include "dataset/Cursor.h"
#include "dataset/Field.h"
#include "taskdb/DataModule.h"
#include "taskdb/OperationFrame.h"

#include <array>
#include <cerrno>
#include <cstring>
#include <exception>
#include <fcntl.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace rectix::taskdb {

namespace fs = std::filesystem;

namespace {

constexpr const char* eol = "\r\n";

std::string fileError(const fs::path& path, const std::string& reason) {
    return path.string() + ": " + reason;
}

// The error text, empty when the whole text reached the disk and the file was closed.
std::string writeFile(const fs::path& path, const std::string& text) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0) return fileError(path, std::strerror(errno));
    const char* data = text.data();
    std::size_t left = text.size();
    int error = 0;
    while (left > 0 && error == 0) {
        const ssize_t n = ::write(fd, data, left);
        if (n >= 0) {
            data += n;
            left -= static_cast<std::size_t>(n);
        } else if (errno != EINTR) {
            error = errno;
        }
    }
    // A device that cannot be synchronised (EINVAL) has taken the text all the same.
    if (error == 0 && ::fsync(fd) != 0 && errno != EINVAL) error = errno;
    if (::close(fd) != 0 && error == 0) error = errno;
    return error == 0 ? std::string() : fileError(path, std::strerror(error));
}

// Writes each text to "<target>.part" and renames the parts over the targets once every one is
// whole; the first error, empty on success. Parts left by a failure are removed.
std::string replaceFiles(const std::vector<std::pair<fs::path, const std::string*>>& files) {
    std::vector<fs::path> parts;
    std::string error;
    for (const auto& [target, text] : files) {
        fs::path part = target;
        part += ".part";
        parts.push_back(part);
        error = writeFile(part, *text);
        if (!error.empty()) break;
    }
    for (std::size_t i = 0; error.empty() && i < files.size(); ++i)
        if (std::rename(parts[i].c_str(), files[i].first.c_str()) != 0)
            error = fileError(files[i].first, std::strerror(errno));
    if (!error.empty()) {
        std::error_code ignore; // a part that was never made
        for (const fs::path& part : parts) fs::remove(part, ignore);
        return error;
    }
    // The renames reach the disk with the folder; the files are in place whatever this gives.
    const int dir = ::open(files.front().first.parent_path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return error;
}

} // namespace

SolutionFiles SolutionExport::filesFor(const fs::path& folder, const std::string& taskName) {
    std::string name = taskName;
    for (char& ch : name) {
        const auto byte = static_cast<unsigned char>(ch);
        if (byte < 0x20 || byte == 0x7f || std::strchr("/\\:*?\"<>|", ch) != nullptr) ch = '_';
    }
    return {folder / (name + "-conts.csv"), folder / (name + "-distr.csv"), folder / (name + "-posit.csv")};
}

std::string SolutionExport::csvText(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
    std::string quoted = "\"";
    for (char ch : text) {
        if (ch == '"') quoted += '"';
        quoted += ch;
    }
    return quoted + '"';
}

std::string SolutionExport::fixedText(double value, int width, int decimals) {
    std::string text = core::NumberFormat::point().fixed(value, decimals);
    if (text.size() < static_cast<std::size_t>(width)) text.insert(0, width - text.size(), ' ');
    return text;
}

SolutionExport::Result SolutionExport::write(const fs::path& folder, const std::string& dateText) {
    Result result;
    result.files = filesFor(folder, dm_.tasksName.asString());
    const Texts texts = compose(dateText);
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (ec) {
        result.error = fileError(folder, ec.message());
        return result;
    }
    result.error = replaceFiles({{result.files.containers, &texts.containers},
                                 {result.files.boxKinds, &texts.boxKinds},
                                 {result.files.positions, &texts.positions}});
    return result;
}

SolutionExport::Texts SolutionExport::compose(const std::string& dateText) {
    const std::string first = csvText(dateText) + ",  " + csvText(dm_.tasksName.asString()) + eol;
    Texts texts;
    texts.containers =
        first + "ContType,ContNo,BoxSum,LoadArea,Area%,LoadWeight,Weight%,LoadCost,NoseWeight,TailWeight," +
        eol + eol;
    texts.boxKinds = first + "BoxKind,BoxSum,AreaSum,WeightSum,Mark," + eol + eol;
    texts.positions = first + "BoxKind,BoxNo,PosX,PosY,PutL,PutW,LoadNo," + eol + eol;

    const std::array<dataset::Cursor*, 3> cursors{&dm_.solut, &dm_.distr, &dm_.posit};
    std::array<dataset::Bookmark, 3> marks{};
    for (std::size_t i = 0; i < cursors.size(); ++i) marks[i] = cursors[i]->bookmark();
    const OperationFrame frame(dm_.operationView(),
                               OperationFrame::Options().controlsOff({cursors.begin(), cursors.end()}));
    std::exception_ptr failure;
    try {
        composeRows(texts);
    } catch (...) {
        failure = std::current_exception();
    }
    // The master first: its details read their rows again when it moves.
    try {
        for (std::size_t i = 0; i < cursors.size(); ++i)
            if (marks[i].valid && cursors[i]->bookmarkValid(marks[i])) cursors[i]->gotoBookmark(marks[i]);
    } catch (...) {
        if (!failure) failure = std::current_exception();
    }
    if (failure) std::rethrow_exception(failure);
    return texts;
}

void SolutionExport::composeRows(Texts& texts) {
    auto integer = [](const dataset::Field& f) { return std::to_string(f.asInteger()) + ','; };
    auto text = [](const dataset::Field& f) { return csvText(f.asString()) + ','; };
    auto fixed = [](const dataset::Field& f, int width, int decimals) {
        return fixedText(f.asFloat(), width, decimals) + ',';
    };
    for (dm_.solut.first(); !dm_.solut.eof(); dm_.solut.next()) {
        const std::string contNo = std::to_string(dm_.solutContNo.asInteger());
        texts.containers +=
            text(dm_.solutType) + contNo + ',' + integer(dm_.solutBoxLoad) + integer(dm_.solutVolLoad) +
            fixed(dm_.solutVolEff, 8, 3) + integer(dm_.solutWgtLoad) + fixed(dm_.solutWgtEff, 8, 3) +
            fixed(dm_.solutCostLoad, 12, 2) + integer(dm_.solutNoseLoad) + integer(dm_.solutTailLoad) + eol;
        texts.boxKinds += "Container# " + contNo + eol;
        for (dm_.distr.first(); !dm_.distr.eof(); dm_.distr.next())
            texts.boxKinds += text(dm_.distrKind) + integer(dm_.distrPlaced) + integer(dm_.distrVolSum) +
                              integer(dm_.distrWgtSum) + text(dm_.distrMark) + eol;
        texts.boxKinds += eol;
        texts.positions += "Container# " + contNo + eol;
        for (dm_.posit.first(); !dm_.posit.eof(); dm_.posit.next())
            texts.positions += text(dm_.positKind) + integer(dm_.positBoxNo) + integer(dm_.positPosX) +
                               integer(dm_.positPosY) + integer(dm_.positPosLh) + integer(dm_.positPosWh) +
                               integer(dm_.positLoadNo) + eol;
        texts.positions += eol;
    }
}

} // namespace rectix::taskdb
