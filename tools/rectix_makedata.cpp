// Lays out the program's data on a fresh install: the alias file and the three
// table-set folders beside the program, the home set with the sample data.
// Existing data is never touched.
#include "tools/DataFolders.h"

#include <fstream>
#include <iostream>
#include <sstream>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: rectix-makedata PROGRAM_FOLDER SAMPLE.json\n";
        return 2;
    }
    std::ifstream in(argv[2], std::ios::binary);
    if (!in) {
        std::cerr << "rectix-makedata: cannot read " << argv[2] << "\n";
        return 2;
    }
    std::stringstream sample;
    sample << in.rdbuf();
    try {
        for (const auto& folder : rectix::tools::makeDataFolders(argv[1], sample.str()))
            std::cout << "rectix-makedata: made " << folder.string() << "\n";
    } catch (const std::exception& e) {
        std::cerr << "rectix-makedata: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
