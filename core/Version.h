#pragma once

namespace rectix::core {

// The program's version as its caption, its About window and its printed reports show it.
inline constexpr const char* programVersion = "1.95";

} // namespace rectix::core
