#pragma once

#include <QString>

#include <string>

namespace rectix::ui {

// A UTF-8 text of the text tables as a label shows it: each carriage return (alone or before a
// line feed) breaks the line.
QString dialogText(const std::string& text);
QString dialogText(const char* text);

} // namespace rectix::ui
