// A second program for the tests: opens a table set of a program folder the
// way the program does. Exit code 0 opened, 3 busy, 4 any other failure.
// With "hold" it writes 'o' once open and keeps the set open until killed.
#include "../TestSchema.h"

#include "dataset/AliasRegistry.h"
#include "dataset/Errors.h"
#include "dataset/TableSet.h"

#include <cstring>
#include <unistd.h>

using namespace rectix::dataset;

int main(int argc, char** argv) {
    if (argc < 3) return 2;
    try {
        TableSet set(AliasRegistry(argv[1]), argv[2], test::testSchema());
        set.open();
        if (argc > 3 && std::strcmp(argv[3], "hold") == 0) {
            const char opened = 'o';
            if (write(STDOUT_FILENO, &opened, 1) != 1) return 2;
            for (int i = 0; i < 600; ++i) sleep(1);
        }
        return 0;
    } catch (const BusyError&) {
        return 3;
    } catch (const DatabaseError&) {
        return 4;
    }
}
