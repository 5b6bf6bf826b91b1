#include "taskdb/BoxImporter.h"

#include "taskdb/DataModule.h"
#include "taskdb/OperationFrame.h"
#include "taskdb/RunStore.h"

#include "dataset/Errors.h"
#include "dataset/Transaction.h"

#include "core/Errors.h"
#include "core/InputFile.h"
#include "core/TextEncoding.h"
#include "core/UiTexts.h"

#include "core/ScopeGuard.h"

#include <fstream>
#include <utility>

namespace rectix::taskdb {

std::string BoxImporter::report(const std::string& text, int addedRows) {
    std::string r = text.empty() ? std::string() : text + "\r";
    return r + core::messageText(core::Msg::SeeImportLine) + " " + std::to_string(addedRows + 1) + ".\r" +
           core::messageText(core::Msg::ImportLinesOmitted);
}

BoxImportResult BoxImporter::importFile(const std::filesystem::path& file, const BoxImportOptions& options) {
    BoxImportResult result;
    std::ifstream in;
    try {
        core::checkInputFile(file);
        in.open(file, std::ios::binary);
        if (!in) throw core::FileReadError(file, "cannot be opened");
    } catch (const core::FileReadError& e) {
        result.reports.push_back(report(core::messageText(core::Msg::ImportFileError), 0));
        result.stopped = true;
        result.unreadable = e.what();
        return result;
    }
    const BoxLineParser parser(options);
    {
        const bool editing = std::exchange(dm_.store().boxEditMode, true);
        const core::ScopeGuard editMode([this, editing] { dm_.store().boxEditMode = editing; });
        const OperationFrame off(dm_.operationView(), OperationFrame::Options().controlsOff({&dm_.boxes}));
        dataset::Transaction tx(dm_.db);
        int skip = options.header;
        int lines = 0;
        bool formatError = false;
        std::string writeError;
        std::string raw;
        std::uintmax_t bytes = 0;
        bool first = true;
        while (!result.stopped && std::getline(in, raw)) {
            // The size was checked before the open; a file that grows since is cut there.
            bytes += raw.size() + 1;
            if (bytes > core::maxInputFileBytes + 1) {
                formatError = true;
                break;
            }
            std::string_view line = BoxLineParser::cutTrailingBlanks(raw);
            if (std::exchange(first, false)) line = core::withoutByteOrderMark(line);
            if (line.empty()) continue;
            if (++lines > maxLines) {
                formatError = true;
                break;
            }
            if (--skip >= 0) continue;
            const BoxLine box = parser.read(core::utf8FromFileText(line));
            if (box.outcome == BoxLine::Outcome::EndLine) break;
            if (box.outcome != BoxLine::Outcome::Box) {
                formatError = true;
                break;
            }
            const std::vector<std::string> failures = BoxLineParser::ruleFailures(box);
            for (const std::string& failure : failures)
                result.reports.push_back(report(failure, result.added));
            if (!failures.empty()) {
                result.stopped = true;
                break;
            }
            try {
                appendBox(box);
            } catch (const core::SilentAbort&) {
                // The library's rule showed its message; the report names the row.
                result.reports.push_back(report({}, result.added));
                result.stopped = true;
                break;
            } catch (const std::exception& e) {
                result.reports.push_back(report(e.what(), result.added));
                result.stopped = true;
                writeError = e.what();
                break;
            }
            ++result.added;
        }
        if (in.bad()) formatError = true;
        try {
            tx.commit();
        } catch (const dataset::DatabaseError& e) {
            // The transaction rolls back as the scope ends: not one row of the import stays.
            throw dataset::DatabaseError("The box import could not be stored; nothing of it was kept: " +
                                         (writeError.empty() ? std::string(e.what()) : writeError));
        }
        if (formatError) {
            result.reports.push_back(report(core::messageText(core::Msg::ImportFileError), result.added));
            result.stopped = true;
        }
    }
    return result;
}

void BoxImporter::appendBox(const BoxLine& box) {
    DataModule& dm = dm_;
    dm.boxes.append();
    try {
        dm.boxesKind.setString(box.kind);
        dm.boxesMark.setString(box.mark);
        dm.boxesLength.setInteger(box.length);
        dm.boxesWidth.setInteger(box.width);
        dm.boxesWeight.setInteger(box.weight);
        dm.boxesTurnOn.setBoolean(box.turn > 0);
        dm.boxesTotal.setInteger(box.quantity);
        dm.boxes.post();
    } catch (...) {
        dm.boxes.cancel();
        throw;
    }
}

} // namespace rectix::taskdb
