#include "core/UiTexts.h"

namespace rectix::core {

UiTexts& UiTexts::global() {
    static UiTexts instance;
    return instance;
}

void UiTexts::clear() {
    messages.fill({});
    captions.fill({});
    hints.fill({});
}

} // namespace rectix::core
