#include "ExitStatus.h"

#include "MessageLine.h"
#include "ScratchFolder.h"
#include "TaskFile.h"

#include "core/DurableFile.h"
#include "core/Errors.h"
#include "core/InputFile.h"
#include "dataset/Errors.h"
#include "taskdb/SolveBridge.h"

#include <filesystem>
#include <new>
#include <system_error>

namespace rectix::tools {

namespace {

Failure badInput(const std::string& text) {
    return {2, text};
}

} // namespace

void warnOnStandardError(const std::string& tool) {
    core::reportFileSyncWarnings([tool](const core::FileSyncWarning& warning) {
        tellLine(tool, "warning: " + warning.fileList() +
                           ": saved, but the disk did not confirm the change (" + warning.cause +
                           "); after a power failure the earlier version may be back");
    });
}

Failure currentFailure(const std::string& storedData) {
    const auto fromData = [&](const std::exception& e) {
        if (storedData.empty()) return Failure{1, std::string("internal error: ") + e.what()};
        return badInput(storedData + " holds a value the program cannot use: " + e.what());
    };
    try {
        throw;
    } catch (const core::FileReadError& e) {
        return badInput(e.what());
    } catch (const core::FileWriteError& e) {
        return badInput(e.what());
    } catch (const ScratchError& e) {
        return badInput(e.what());
    } catch (const TaskFileError& e) {
        return badInput(e.what());
    } catch (const taskdb::BridgeError& e) {
        return badInput(e.what()); // stored rows that do not fit their task
    } catch (const dataset::DatabaseError& e) {
        return badInput(e.what()); // a damaged, busy or read-only table set, a full disk
    } catch (const std::filesystem::filesystem_error& e) {
        return badInput(e.what());
    } catch (const std::system_error& e) {
        return badInput(e.what());
    } catch (const core::RangeError& e) {
        return fromData(e);
    } catch (const core::OverflowError& e) {
        return fromData(e);
    } catch (const core::ZeroDivideError& e) {
        return fromData(e);
    } catch (const core::InvalidOpError& e) {
        return fromData(e);
    } catch (const std::bad_alloc&) {
        return {1, "out of memory"};
    } catch (const std::exception& e) {
        return {1, std::string("internal error: ") + e.what()};
    } catch (...) {
        return {1, "internal error"};
    }
}

} // namespace rectix::tools
