#include "OpenedSet.h"

#include <cstdlib>
#include <fstream>
#include <iostream>
#include <stdexcept>
#include <system_error>

namespace rectix::tools {

namespace fs = std::filesystem;

std::string oneLine(std::string text) {
    for (char& ch : text)
        if (ch == '\r' || ch == '\n') ch = ' ';
    return text;
}

core::DialogButton StderrDialogs::show(core::DialogKind, const std::string& text, core::DialogButtons buttons,
                                       int) {
    plainMessage(text);
    using B = core::DialogButton;
    for (B b : {B::Ok, B::Yes, B::YesToAll, B::All, B::Ignore, B::No, B::NoToAll, B::Cancel})
        if (buttons.has(b)) return b;
    return B::Ok;
}

void StderrDialogs::flush() {
    for (const std::string& line : lines) std::cerr << "rectix-solve: " << line << "\n";
    lines.clear();
}

ScratchProgramFolder::ScratchProgramFolder(const fs::path& set) {
    char tmpl[] = "/tmp/rectix-solve-XXXXXX";
    if (!mkdtemp(tmpl)) throw std::runtime_error("cannot make a scratch folder");
    path = tmpl;
    std::ofstream aliases(path / "aliases.ini");
    aliases << "RectixB=" << fs::absolute(set).string() << "\nRectixexp=" << (path / "export").string()
            << "\nRectiximp=" << (path / "import").string() << "\n";
}

ScratchProgramFolder::~ScratchProgramFolder() {
    std::error_code ec;
    fs::remove_all(path, ec);
}

} // namespace rectix::tools
