#include "core/InputFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

using namespace rectix::core;
namespace fs = std::filesystem;

namespace {

struct Folder {
    fs::path path = fs::temp_directory_path() / ("rectix-input-" + std::to_string(::getpid()));
    Folder() { fs::create_directories(path); }
    ~Folder() { fs::remove_all(path); }
};

// The cause a reader gives for the file, empty when it reads.
std::string refusal(const fs::path& file, std::uintmax_t limit = maxInputFileBytes) {
    try {
        readInputFile(file, limit);
    } catch (const FileReadError& e) {
        EXPECT_EQ(std::string(e.what()), file.string() + ": " + e.cause());
        return e.cause();
    }
    return {};
}

} // namespace

TEST(InputFile, SaysWhatIsThereInsteadOfAFile) {
    Folder f;
    EXPECT_EQ(refusal(f.path / "none.txt"), "is missing");
    EXPECT_EQ(refusal(f.path), "is a folder, not a file");
    EXPECT_EQ(refusal("/dev/zero"), "is a device, pipe or socket, not a file");
    const fs::path fifo = f.path / "fifo";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_EQ(refusal(fifo), "is a device, pipe or socket, not a file"); // and does not block
    EXPECT_EQ(notARegularFile(f.path), "is a folder, not a file");
    EXPECT_EQ(notARegularFile(f.path / "none.txt"), "is missing");
}

TEST(InputFile, ReadsUpToTheLimitAndRefusesMore) {
    Folder f;
    const fs::path file = f.path / "a.txt";
    std::ofstream(file, std::ios::binary) << std::string(100, 'x');
    EXPECT_EQ(readInputFile(file, 100), std::string(100, 'x'));
    EXPECT_EQ(refusal(file, 99), "is larger than 99 bytes");
    EXPECT_EQ(notARegularFile(file), "");
    EXPECT_EQ(refusal(file, 1 << 20), "");
    // A link to a regular file reads as the file.
    fs::create_symlink(file, f.path / "link.txt");
    EXPECT_EQ(readInputFile(f.path / "link.txt").size(), 100U);
}

TEST(InputFile, OnlyALeadingByteOrderMarkGoes) {
    EXPECT_EQ(withoutByteOrderMark("\xEF\xBB\xBF"
                                   "3 Panel"),
              "3 Panel");
    EXPECT_EQ(withoutByteOrderMark("3 \xEF\xBB\xBF"), "3 \xEF\xBB\xBF");
    EXPECT_EQ(withoutByteOrderMark("\xEF\xBB"), "\xEF\xBB");
}
