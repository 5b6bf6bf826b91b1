#pragma once

namespace rectix::taskdb {

struct RunStore;

// The default optimizer settings: intensity 5, time limit 555 s, random line 1, "Ignore Last
// Container" on, every factor and gap 0; with alsoTaskOptSet, "Load task specific" on as well.
// The settings window shows them afterwards where it exists.
void setDefaultOptions(RunStore& store, bool alsoTaskOptSet);

} // namespace rectix::taskdb
