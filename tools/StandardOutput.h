#pragma once

#include <string_view>

namespace rectix::tools {

// What a tool prints on standard output goes through here, so that a result that did not arrive (a
// full disk, a closed stream) is told instead of passing for success.

// Opens /dev/null on any of standard input, output and error that the caller closed, so that no
// file the tool opens takes one of their numbers and gets its messages; a closed standard output
// counts as one that cannot be written once the tool has something to print. Ignores SIGPIPE, so
// that a pipe whose reader has gone is such a one too. Call first thing in main().
void holdStandardStreams();

// Writes `text` to standard output whole, unbuffered; after a failure nothing more is written.
void printOut(std::string_view text);

// Says that the run's change is on disk (a stored solve, a file written): a caller that took a lost
// result for a refusal would make the change twice.
void markChangeInPlace();

// `status` when everything printed reached standard output, else one line "TOOL: standard output:
// CAUSE" and 2; after markChangeInPlace(), one line "TOOL: warning: standard output: ..." and
// `status`. A status other than 0 stands as it is: that failure was told already.
int outputStatus(std::string_view tool, int status);

} // namespace rectix::tools
