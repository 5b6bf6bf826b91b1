#pragma once

#include "core/Dialogs.h"
#include "dataset/AliasRegistry.h"
#include "dataset/TableSet.h"
#include "taskdb/Schema.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <system_error>
#include <unistd.h>
#include <vector>

namespace rectix::bench {

inline double msSince(std::chrono::steady_clock::time_point t0) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
}

struct Figures {
    double median, max;
};

inline Figures measure(int runs, const std::function<void()>& work) {
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
        const auto t0 = std::chrono::steady_clock::now();
        work();
        ms.push_back(msSince(t0));
    }
    std::sort(ms.begin(), ms.end());
    return {ms[ms.size() / 2], ms.back()};
}

// While it lives, answers every dialog with OK, showing nothing; errors go to standard error so
// a benchmark that hits one says so.
class SilentDialogs : public core::Dialogs {
  public:
    SilentDialogs() : replaced_(install(this)) {}
    ~SilentDialogs() override { install(replaced_); }
    SilentDialogs(const SilentDialogs&) = delete;
    SilentDialogs& operator=(const SilentDialogs&) = delete;

    core::DialogButton show(core::DialogKind, const std::string&, core::DialogButtons, int) override {
        return core::DialogButton::Ok;
    }
    void errorBox(const std::string& text) override { std::fprintf(stderr, "error: %s\n", text.c_str()); }
    void plainMessage(const std::string&) override {}

  private:
    core::Dialogs* replaced_;
};

// A fresh folder under /tmp with the three table-set folders and the program's empty tables in the
// home set, removed with everything in it when the benchmark ends. `ok()` is false when it could
// not be made.
class TempRoot {
  public:
    TempRoot() {
        std::string name = "/tmp/rectix-bench-XXXXXX";
        if (!mkdtemp(name.data())) return;
        path_ = name;
        std::error_code ec;
        for (const char* set : {"data/home", "data/export", "data/import"})
            std::filesystem::create_directories(path_ / set, ec);
        dataset::TableSet(dataset::AliasRegistry(path_), "RectixB", taskdb::schema()).createTableFiles();
    }
    ~TempRoot() {
        std::error_code ec;
        if (!path_.empty()) std::filesystem::remove_all(path_, ec);
    }
    TempRoot(const TempRoot&) = delete;
    TempRoot& operator=(const TempRoot&) = delete;

    bool ok() const { return !path_.empty(); }
    const std::filesystem::path& path() const { return path_; }

  private:
    std::filesystem::path path_;
};

} // namespace rectix::bench
