#include "taskdb/SolutionExport.h"

#include "core/DurableFile.h"
#include "core/NumberFormat.h"
#include "dataset/Cursor.h"
#include "dataset/Field.h"
#include "taskdb/DataModule.h"
#include "taskdb/OperationFrame.h"
#include "taskdb/SolveBridge.h"

#include <cstring>

namespace rectix::taskdb {

namespace fs = std::filesystem;

namespace {

constexpr const char* eol = "\r\n";

std::string fileError(const fs::path& path, const std::string& reason) {
    return path.string() + ": " + reason;
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
    SolveBridge::checkStoredSolution(dm_);
    const Texts texts = compose(dateText);
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (ec) {
        result.error = fileError(folder, ec.message());
        return result;
    }
    try {
        for (const fs::path& target :
             {result.files.containers, result.files.boxKinds, result.files.positions})
            core::checkReplaceable(target);
        core::DurableReplacement containers(result.files.containers), boxKinds(result.files.boxKinds),
            positions(result.files.positions);
        containers.write(texts.containers);
        boxKinds.write(texts.boxKinds);
        positions.write(texts.positions);
        core::DurableReplacement::commitTogether({&containers, &boxKinds, &positions});
    } catch (const core::FileWriteError& e) {
        result.error = e.what();
    }
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

    walkKeepingRows(dm_.operationView(), {&dm_.solut, &dm_.distr, &dm_.posit}, [&] { composeRows(texts); });
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
