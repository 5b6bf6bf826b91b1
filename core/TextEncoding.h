#pragma once

#include <string>
#include <string_view>

namespace rectix::core {

// Whether the bytes are well-formed UTF-8 (no overlong forms, surrogates or values past U+10FFFF).
bool isValidUtf8(std::string_view bytes);

// Text read from a file: kept when it is valid UTF-8, else taken as Windows code page 1252 and
// converted to UTF-8 (files made on other systems carry accented names that way).
std::string utf8FromFileText(std::string_view bytes);

} // namespace rectix::core
