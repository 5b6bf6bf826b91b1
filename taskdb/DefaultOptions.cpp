#include "taskdb/DefaultOptions.h"

#include "taskdb/RunStore.h"

namespace rectix::taskdb {

void setDefaultOptions(taskdb::RunStore& store, bool alsoTaskOptSet) {
    store.optPower = 5;
    store.optTime = 555;
    store.optRand = 1;
    store.optLast = true;
    store.optQw = 0;
    store.optQg = 0;
    store.optQc = 0;
    store.optQr = 0;
    store.optBB = 0;
    store.optBW = 0;
    if (alsoTaskOptSet) store.taskOptSet = true;
}

} // namespace rectix::taskdb
