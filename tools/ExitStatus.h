#pragma once

#include <string>

namespace rectix::tools {

// How a tool ends on the exception being handled: status 2 and one line for bad input and for
// the environment it meets (a file that cannot be read or written, a damaged table set, a stored
// value out of range, a full disk, a missing permission); status 1 only for a fault of the
// program itself.
struct Failure {
    int status = 1;
    std::string line; // told through tellLine(), which keeps it one line
};

// Call inside a catch block. `storedData` names where the data came from ("the table set in
// work/home"): an arithmetic or range error then comes from a stored value and is bad input;
// without it such an error is the program's fault.
Failure currentFailure(const std::string& storedData = {});

// Makes each of the durable writer's warnings (a file put in place whose folder the disk did not
// confirm) one line on standard error, "TOOL: warning: ...". The file is the new one, so the
// action stands and the tool ends as it would without the warning.
void warnOnStandardError(const std::string& tool);

} // namespace rectix::tools
