#include "ScratchFolder.h"

#include "core/DurableFile.h"
#include "core/SideFiles.h"

#include "dataset/AliasRegistry.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <unistd.h>
#include <utility>

namespace rectix::tools {

namespace fs = std::filesystem;

namespace {

constexpr const char* prefix = "rectix-solve-";

// The process id in a scratch folder's name as mkdtemp() makes it, 0 when the name is not of that kind.
pid_t ownerOf(const std::string& name) {
    if (name.rfind(prefix, 0) != 0) return 0;
    return core::stampOwner(std::string_view(name).substr(std::strlen(prefix)));
}

} // namespace

// Only folders of this user, of the shape mkdtemp() gives them, never through a link.
int ScratchFolder::removeStale(const fs::path& parent) {
    int removed = 0;
    std::error_code ec;
    for (fs::directory_iterator it(parent, ec), end; !ec && it != end; it.increment(ec)) {
        const pid_t pid = ownerOf(it->path().filename().string());
        if (pid <= 0 || pid == ::getpid() || ::kill(pid, 0) == 0 || errno != ESRCH) continue;
        const int lock = core::takeLeftover(it->path(), true);
        if (lock < 0) continue;
        std::error_code gone;
        if (fs::remove_all(it->path(), gone) > 0 && !gone) ++removed;
        ::close(lock);
    }
    return removed;
}

ScratchFolder::ScratchFolder() {
    // $TMPDIR as the user set it: one that is not there is an error, not a reason to write elsewhere.
    const char* tmpdir = std::getenv("TMPDIR");
    const fs::path parent = tmpdir && *tmpdir ? fs::path(tmpdir) : fs::path("/tmp");
    std::error_code ec;
    removeStale(parent);
    // Set up before the folder is made: from its making on, a signal removes it.
    removal_.emplace();
    const auto fail = [this, &parent](int error) {
        if (lock_ >= 0) ::close(std::exchange(lock_, -1));
        removal_.reset();
        return ScratchError("cannot make a scratch folder in " + parent.string() + ": " +
                            std::strerror(error));
    };
    for (int attempt = 0; lock_ < 0; ++attempt) {
        std::string name = (parent / (prefix + std::to_string(::getpid()) + "-XXXXXX")).string();
        if (!::mkdtemp(name.data())) throw fail(errno);
        lock_ = core::holdMadeFolder(name);
        if (lock_ >= 0) {
            path_ = name;
            break;
        }
        const int error = errno;
        ::rmdir(name.c_str()); // empty, unless a sweep is removing it
        if (error != EAGAIN || attempt == 99) throw fail(error);
    }
    if (!removal_->watch(path_)) {
        fs::remove_all(path_, ec);
        throw fail(ENAMETOOLONG);
    }
}

// Once the folder is made the object stands, so a failure below removes the folder on its way out.
ScratchFolder::ScratchFolder(const fs::path& set) : ScratchFolder() {
    const fs::path aliases = path_ / dataset::AliasRegistry::fileName;
    try {
        core::writeFileDurably(aliases, "RectixB=" + fs::absolute(set).string() +
                                            "\nRectixexp=" + (path_ / "export").string() +
                                            "\nRectiximp=" + (path_ / "import").string() + "\n");
    } catch (const std::exception& e) {
        throw ScratchError("cannot write the scratch file " + std::string(e.what()));
    }
}

ScratchFolder::~ScratchFolder() {
    std::error_code ec;
    fs::remove_all(path_, ec);
    ::close(lock_);
}

} // namespace rectix::tools
