#include "taskdb/RunStore.h"

#include "lang/Language.h"

namespace rectix::taskdb {

std::int32_t RunStore::langIndex() {
    return lang::Language::global().langIndex();
}

void RunStore::setLangIndex(std::int32_t index) {
    lang::Language::global().setLangIndex(index);
}

} // namespace rectix::taskdb
