#include "OutputFile.h"

#include "core/DurableFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace rectix::tools {

namespace fs = std::filesystem;

std::string outputRefusal(const fs::path& file) {
    try {
        // A link is followed: the file it leads to is replaced, in its own folder.
        const fs::path target = core::replacedFile(file);
        const fs::path folder = core::folderOf(target);
        struct stat st {};
        if (::stat(folder.c_str(), &st) != 0) throw core::FileWriteError(folder, std::strerror(errno));
        if (!S_ISDIR(st.st_mode)) throw core::FileWriteError(folder, "not a folder");
        // The new file is written beside the target, then put in its place.
        if (::faccessat(AT_FDCWD, folder.c_str(), W_OK | X_OK, AT_EACCESS) != 0)
            throw core::FileWriteError(folder, std::strerror(errno));
        core::checkReplaceable(file);
    } catch (const core::FileWriteError& e) {
        return std::string("-o: ") + e.what();
    }
    return {};
}

} // namespace rectix::tools
