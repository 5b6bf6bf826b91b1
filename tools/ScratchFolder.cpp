#include "ScratchFolder.h"

#include "core/DurableFile.h"

#include "dataset/AliasRegistry.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <unistd.h>

namespace rectix::tools {

namespace fs = std::filesystem;

namespace {

constexpr const char* prefix = "rectix-solve-";

// What the signal handler removes: fixed buffers, since it may use nothing but system calls.
char scratchFile[4096];
char scratchDir[4096];

extern "C" void removeAndDie(int signal) {
    if (scratchFile[0] != '\0') ::unlink(scratchFile);
    if (scratchDir[0] != '\0') ::rmdir(scratchDir);
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

void remember(const fs::path& dir, const fs::path& file) {
    const std::string d = dir.string(), f = file.string();
    if (d.size() >= sizeof scratchDir || f.size() >= sizeof scratchFile) return;
    std::memcpy(scratchFile, f.c_str(), f.size() + 1);
    std::memcpy(scratchDir, d.c_str(), d.size() + 1);
    for (int s : {SIGINT, SIGTERM, SIGHUP}) std::signal(s, removeAndDie);
}

void forget() {
    for (int s : {SIGINT, SIGTERM, SIGHUP}) std::signal(s, SIG_DFL);
    scratchFile[0] = scratchDir[0] = '\0';
}

// The process id in a scratch folder's name, 0 when the name is not of that kind.
pid_t ownerOf(const std::string& name) {
    if (name.rfind(prefix, 0) != 0) return 0;
    const std::string rest = name.substr(std::strlen(prefix));
    const auto dash = rest.find('-');
    if (dash == 0 || dash == std::string::npos || rest.size() - dash - 1 != 6) return 0;
    long long pid = 0;
    for (std::size_t i = 0; i < dash; ++i) {
        if (rest[i] < '0' || rest[i] > '9' || pid > 1'000'000'000) return 0;
        pid = pid * 10 + (rest[i] - '0');
    }
    return static_cast<pid_t>(pid);
}

} // namespace

int ScratchFolder::removeStale(const fs::path& parent) {
    int removed = 0;
    std::error_code ec;
    for (fs::directory_iterator it(parent, ec), end; !ec && it != end; it.increment(ec)) {
        const pid_t pid = ownerOf(it->path().filename().string());
        if (pid <= 0 || pid == ::getpid() || ::kill(pid, 0) == 0 || errno != ESRCH) continue;
        std::error_code gone;
        if (fs::remove_all(it->path(), gone) > 0 && !gone) ++removed;
    }
    return removed;
}

ScratchFolder::ScratchFolder(const fs::path& set) {
    // $TMPDIR as the user set it: one that is not there is an error, not a reason to write elsewhere.
    const char* tmpdir = std::getenv("TMPDIR");
    const fs::path parent = tmpdir && *tmpdir ? fs::path(tmpdir) : fs::path("/tmp");
    std::error_code ec;
    removeStale(parent);
    std::string name = (parent / (prefix + std::to_string(::getpid()) + "-XXXXXX")).string();
    if (!::mkdtemp(name.data()))
        throw ScratchError("cannot make a scratch folder in " + parent.string() + ": " +
                           std::strerror(errno));
    path_ = name;
    const fs::path aliases = path_ / dataset::AliasRegistry::fileName;
    remember(path_, aliases);
    try {
        core::writeFileDurably(aliases, "RectixB=" + fs::absolute(set).string() +
                                            "\nRectixexp=" + (path_ / "export").string() +
                                            "\nRectiximp=" + (path_ / "import").string() + "\n");
    } catch (const std::exception& e) {
        fs::remove_all(path_, ec);
        forget();
        throw ScratchError("cannot write the scratch file " + std::string(e.what()));
    }
}

ScratchFolder::~ScratchFolder() {
    std::error_code ec;
    fs::remove_all(path_, ec);
    forget();
}

} // namespace rectix::tools
