#include "app/DefaultOptions.h"

#include "taskdb/RunStore.h"

namespace rectix::app {

void SetDefaultOptions(taskdb::RunStore& store, bool alsoTaskOptSet) {
    store.OptPower = 5;
    store.OptTime = 555;
    store.OptRand = 1;
    store.OptLast = true;
    store.OptQw = 0;
    store.OptQg = 0;
    store.OptQc = 0;
    store.OptQr = 0;
    store.OptBB = 0;
    store.OptBW = 0;
    if (alsoTaskOptSet) store.TaskOptSet = true;
}

} // namespace rectix::app
