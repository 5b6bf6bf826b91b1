// Headless harness: solves a task given as JSON and prints the plan as JSON.
#include "StoredTask.h"
#include "TaskFile.h"

#include "engine/PackRun.h"
#include "engine/Progress.h"

#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    using namespace rectix;
    if (argc > 1 && std::string(argv[1]).rfind("--", 0) == 0)
        return tools::runStoredTask(std::vector<std::string>(argv + 1, argv + argc));
    if (argc != 2) {
        std::cerr << "usage: rectix-solve TASK.json\n"
                     "       rectix-solve --taskset DIR --task ID [--clear | --reload]\n";
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) {
        std::cerr << "rectix-solve: cannot read " << argv[1] << "\n";
        return 2;
    }
    std::stringstream text;
    text << in.rdbuf();

    engine::PackRun::setDefaultCaptions();
    engine::PackProblem problem;
    engine::NullProgress progress;
    engine::PackRun run(problem, progress);
    try {
        tools::loadTaskJson(text.str(), problem);
    } catch (const tools::TaskFileError& e) {
        std::cerr << "rectix-solve: " << e.what() << "\n";
        return 2;
    }
    try {
        tools::prepareStart(problem);
        run.runPacking();
    } catch (const std::exception& e) {
        std::cerr << "rectix-solve: solve failed: " << e.what() << "\n";
        return 1;
    }
    std::cout << tools::planJson(problem, run, run.fillEngine().totalFills) << "\n";
    return 0;
}
