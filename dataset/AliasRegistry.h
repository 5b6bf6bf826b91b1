#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace rectix::dataset {

// The table-set aliases: names that stand for folders. They are read from the
// alias file in the program folder, one "Name=folder" a line ('#' or ';'
// starts a comment); a relative folder is taken from the program folder.
// Without the file, or for an alias the file leaves out, the three aliases of
// the program keep their defaults: RectixB data/home, Rectixexp data/export,
// Rectiximp data/import.
class AliasRegistry {
  public:
    static constexpr const char* fileName = "aliases.ini";

    // Reads the alias file; a line without '=' or without a name is a DatabaseError.
    explicit AliasRegistry(std::filesystem::path programFolder);

    // The folder of an alias (names compare without regard to case); an unknown
    // alias is a DatabaseError. The folder need not exist.
    std::filesystem::path path(std::string_view alias) const;
    const std::filesystem::path& programFolder() const { return programFolder_; }

  private:
    std::filesystem::path programFolder_;
    std::vector<std::pair<std::string, std::filesystem::path>> aliases_;
};

} // namespace rectix::dataset
