#include "OpenedSet.h"

#include "core/Errors.h"
#include "dataset/Errors.h"
#include "dataset/TableSet.h"

#include <exception>
#include <system_error>

namespace rectix::tools {

namespace fs = std::filesystem;

namespace {

std::string setContext(const fs::path& folder) {
    return "the table set in " + folder.string();
}

// The first stored value of the set that its field cannot hold, named by file, row and field;
// empty when all fit or the set cannot be read. An arithmetic or range error far from its row is
// told by this instead.
std::string storedValueMisfit(dataset::TableSet& set) {
    try {
        for (const dataset::TableDef& table : set.schema())
            if (const std::string bad = set.badStoredValue(table.name); !bad.empty())
                return "a stored value does not fit its field: " + bad;
    } catch (const std::exception&) {
        // Then the error that ended the action says it best.
    }
    return {};
}

// Whether the exception being handled is what a stored value that does not fit its field ends
// in: an arithmetic or range error, or a text that is no value of its field.
bool endedByAStoredValue() {
    try {
        throw;
    } catch (const core::RangeError&) {
        return true;
    } catch (const core::OverflowError&) {
        return true;
    } catch (const core::ZeroDivideError&) {
        return true;
    } catch (const core::InvalidOpError&) {
        return true;
    } catch (const dataset::FieldError&) {
        return true;
    } catch (...) {
        return false;
    }
}

} // namespace

std::string oneLine(std::string text) {
    for (char& ch : text)
        if (ch == '\r') ch = ' ';
    return text;
}

std::string folderRefusal(const fs::path& folder) {
    std::error_code ec;
    const fs::file_status st = fs::status(folder, ec);
    if (fs::is_directory(st)) return {};
    if (st.type() == fs::file_type::not_found) return "--taskset: no folder " + folder.string();
    if (ec) return "--taskset: " + folder.string() + ": " + ec.message();
    return "--taskset: " + folder.string() + " is a file, not a folder";
}

Failure failureOn(std::optional<OpenedSet>& set, const fs::path& folder) {
    Failure f = currentFailure(setContext(folder));
    if (set && endedByAStoredValue())
        if (const std::string misfit = storedValueMisfit(set->dm.db); !misfit.empty())
            f = {2, setContext(folder) + ": " + misfit};
    return f;
}

std::string openRefusal(OpenedSet& set, const fs::path& folder) {
    const std::string misfit = storedValueMisfit(set.dm.db);
    return setContext(folder) + " cannot be opened: " + (misfit.empty() ? set.dm.openError() : misfit);
}

} // namespace rectix::tools
