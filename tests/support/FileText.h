#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

// The whole of a file, its bytes as they are; empty where it cannot be read.
inline std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}
