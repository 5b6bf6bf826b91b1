#pragma once

#include "core/Slots.h"
#include "core/TextSlots.h"

#include <initializer_list>
#include <string>
#include <string_view>

namespace rectix::core {

// The three slot-indexed text tables that every dialog reads at the moment it
// is shown, so a language switch takes effect at once. One set for the process.
struct UiTexts {
    Slots<std::string, 0, 164> messages;
    Slots<std::string, 0, 99> captions;
    Slots<std::string, 0, 30> hints;

    static UiTexts& global();
    void clear();
};

inline const std::string& messageText(int slot) {
    return UiTexts::global().messages[slot];
}
inline const std::string& captionText(int slot) {
    return UiTexts::global().captions[slot];
}
inline const std::string& hintText(int slot) {
    return UiTexts::global().hints[slot];
}

inline const std::string& messageText(Msg slot) {
    return messageText(static_cast<int>(slot));
}
// The message of the slot with its places %1 to %9 filled from `values`, in the order each
// language puts them; a place without a value is left out.
std::string messageWith(Msg slot, std::initializer_list<std::string_view> values);

// The caption of the slot, or of one `offset` slots after it (a caption per table set).
inline const std::string& captionText(Caption slot, int offset = 0) {
    return captionText(static_cast<int>(slot) + offset);
}
inline const std::string& hintText(Hint slot) {
    return hintText(static_cast<int>(slot));
}

} // namespace rectix::core
