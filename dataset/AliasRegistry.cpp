#include "dataset/AliasRegistry.h"

#include "core/InputFile.h"

#include "dataset/Errors.h"
#include "dataset/TableDef.h"

#include <sstream>

namespace rectix::dataset {

namespace {

std::string trimmed(std::string_view s) {
    const auto b = s.find_first_not_of(" \t\r");
    if (b == std::string_view::npos) return {};
    const auto e = s.find_last_not_of(" \t\r");
    return std::string(s.substr(b, e - b + 1));
}

} // namespace

AliasRegistry::AliasRegistry(std::filesystem::path programFolder) : programFolder_(std::move(programFolder)) {
    aliases_ = {{"RectixB", "data/home"}, {"Rectixexp", "data/export"}, {"Rectiximp", "data/import"}};
    const auto file = programFolder_ / fileName;
    std::error_code ec;
    if (!std::filesystem::exists(std::filesystem::symlink_status(file, ec))) return;
    std::istringstream in;
    try {
        in.str(std::string(core::withoutByteOrderMark(core::readInputFile(file))));
    } catch (const core::FileReadError& e) {
        throw DatabaseError(std::string("Alias file ") + e.what());
    }
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        const std::string text = trimmed(line);
        if (text.empty() || text[0] == '#' || text[0] == ';') continue;
        const auto eq = text.find('=');
        const std::string name = eq == std::string::npos ? std::string() : trimmed(text.substr(0, eq));
        if (name.empty())
            throw DatabaseError("Alias file " + file.string() + ", line " + std::to_string(number) +
                                ": expected Name=folder");
        const std::filesystem::path folder = trimmed(text.substr(eq + 1));
        if (folder.empty())
            throw DatabaseError("Alias file " + file.string() + ", line " + std::to_string(number) +
                                ": the alias '" + name + "' has no folder");
        bool known = false;
        for (auto& [n, p] : aliases_)
            if (sameName(n, name)) {
                p = folder;
                known = true;
            }
        if (!known) aliases_.emplace_back(name, folder);
    }
}

std::filesystem::path AliasRegistry::path(std::string_view alias) const {
    for (const auto& [n, p] : aliases_)
        if (sameName(n, alias)) return (p.is_absolute() ? p : programFolder_ / p).lexically_normal();
    throw DatabaseError("Unknown table set alias '" + std::string(alias) + "'");
}

} // namespace rectix::dataset
