// Feeds the harness's task-file reader any bytes, and prepares the start plan
// from what it accepts as a solve would. A refusal is the answer to bad input;
// any other exception that escapes, or a sanitizer report, is a fault.
#include "tools/TaskFile.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // The record is large: one for the whole run, reset by every reading.
    static rectix::engine::PackProblem problem;
    try {
        rectix::tools::loadTaskJson(std::string(reinterpret_cast<const char*>(data), size), problem);
        rectix::tools::prepareStart(problem);
    } catch (const rectix::tools::TaskFileError&) {
    }
    return 0;
}
