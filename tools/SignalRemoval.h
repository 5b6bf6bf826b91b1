#pragma once

#include <csignal>
#include <filesystem>

namespace rectix::tools {

// While an object lives, SIGINT, SIGTERM and SIGHUP remove its folder with everything in it and
// the part files that the process's durable writers have open (core::removeHeldSideFiles()), and
// the process then takes the signal as it would have without the object. A signal the caller left
// ignored stays ignored; the earlier actions are back when the last object goes.
//
// The signals are held from construction until watch(): make the folder in between, so that no
// signal falls between its making and its recording. At most four objects live at once.
class SignalRemoval {
  public:
    // Throws std::runtime_error when the signal actions cannot be set, which only a fault of the
    // program causes.
    SignalRemoval();
    ~SignalRemoval();
    SignalRemoval(const SignalRemoval&) = delete;
    SignalRemoval& operator=(const SignalRemoval&) = delete;

    // The folder a signal removes from now on, none when empty; lets the held signals in. False,
    // and nothing recorded, when its absolute name is longer than the handler can keep.
    bool watch(const std::filesystem::path& folder);

  private:
    void letIn() noexcept;

    int slot_ = -1;
    sigset_t callerMask_{};
    bool holding_ = false;
};

} // namespace rectix::tools
