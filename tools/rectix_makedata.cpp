// Lays out the program's data on a fresh install: the alias file and the three
// table-set folders beside the program, the home set with the sample data.
// Existing data is never touched.
#include "tools/DataFolders.h"
#include "tools/ExitStatus.h"
#include "tools/MessageLine.h"
#include "tools/StandardOutput.h"

#include "core/InputFile.h"

#include <iostream>

int main(int argc, char** argv) {
    rectix::tools::holdStandardStreams();
    if (argc != 3) {
        std::cerr << "usage: rectix-makedata PROGRAM_FOLDER SAMPLE.json\n";
        return 2;
    }
    rectix::tools::warnOnStandardError("rectix-makedata");
    try {
        const std::string sample = rectix::core::readInputFile(argv[2]);
        const auto made = rectix::tools::makeDataFolders(argv[1], sample);
        rectix::tools::markChangeInPlace();
        for (const auto& folder : made)
            rectix::tools::printOut("rectix-makedata: made " + folder.string() + "\n");
    } catch (const rectix::tools::SampleDataError& e) {
        rectix::tools::tellLine("rectix-makedata", e.what());
        return 2;
    } catch (...) {
        const rectix::tools::Failure f = rectix::tools::currentFailure();
        rectix::tools::tellLine("rectix-makedata", f.line);
        return f.status;
    }
    return rectix::tools::outputStatus("rectix-makedata", 0);
}
