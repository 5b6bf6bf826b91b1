#include "core/UiTexts.h"

namespace rectix::core {

UiTexts& UiTexts::global() {
    static UiTexts instance;
    return instance;
}

std::string messageWith(Msg slot, std::initializer_list<std::string_view> values) {
    const std::string& text = messageText(slot);
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '%' && i + 1 < text.size() && text[i + 1] >= '1' && text[i + 1] <= '9') {
            const auto n = static_cast<std::size_t>(text[++i] - '1');
            if (n < values.size()) out += *(values.begin() + n);
            continue;
        }
        out += c;
    }
    return out;
}

void UiTexts::clear() {
    messages.fill({});
    captions.fill({});
    hints.fill({});
}

} // namespace rectix::core
