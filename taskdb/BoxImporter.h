#pragma once

#include "taskdb/BoxLineParser.h"

#include <filesystem>
#include <string>
#include <vector>

namespace rectix::taskdb {

class DataModule;

// What an import did: the rows it added and the import error reports it has to show, each the
// text of one error box, in order.
struct BoxImportResult {
    int added = 0;
    std::vector<std::string> reports;
    // The import stopped before the end of the text: a bad line, a refused row, a read error.
    bool stopped = false;
    // Why the file could not be read at all ("in.txt: is a folder, not a file"); empty when it could.
    std::string unreadable;
};

// Adds the box kinds of a box import text file to the box library of the data module's working
// set, one row per good line, until the end line, the end of the file or the first bad line. The
// rows added before a bad line stay. The whole import is one transaction, committed when it
// ends; the library takes rows as in its edit mode while it runs. A UTF-8 byte-order mark at the
// start of the text is skipped. Only a regular file within core::maxInputFileBytes is read.
//
// When the rows cannot be stored (a full disk), nothing of the import is kept and the table
// layer's DatabaseError passes on.
class BoxImporter {
  public:
    // The most non-empty lines (header included) a text may have: the reach of a 16-bit counter.
    static constexpr int maxLines = 32768;

    explicit BoxImporter(DataModule& dm) : dm_(dm) {}

    BoxImportResult importFile(const std::filesystem::path& file, const BoxImportOptions& options);

    // The import error report of a bad line: the text, then the line's row number among the data
    // lines (the rows added before it, plus one) and that the rest is left out.
    static std::string report(const std::string& text, int addedRows);

  private:
    // A refusal of the library's rules passes on as their SilentAbort, after their message.
    void appendBox(const BoxLine& box);

    DataModule& dm_;
};

} // namespace rectix::taskdb
