#pragma once

#include "ScratchFolder.h"

#include <QGuiApplication>

#include <memory>
#include <optional>

namespace rectix::tools {

// The application object a tool draws or prints with, made without a display: the offscreen
// platform whatever QT_QPA_PLATFORM says, as the tool shows no window; Qt's critical notes each one line
// "TOOL: ..." and its lesser ones dropped. Qt asks for a runtime folder when the object is made, and without
// XDG_RUNTIME_DIR makes one in $TMPDIR that it leaves behind: it gets a scratch folder of the run's
// own instead, removed with the object. Where no scratch folder can be made, Qt cannot make its
// folder either, and its note about that is dropped: the tool needs none.
//
// Makes nothing when an application object exists. At most one lives at a time.
class HeadlessGui {
  public:
    // `tool` names the tool in its lines and must outlive the object.
    explicit HeadlessGui(const char* tool);
    ~HeadlessGui();
    HeadlessGui(const HeadlessGui&) = delete;
    HeadlessGui& operator=(const HeadlessGui&) = delete;

  private:
    std::optional<ScratchFolder> runtime_;
    bool runtimeSet_ = false;
    QtMessageHandler previousHandler_ = nullptr;
    int argc_ = 1;
    char* argv_[2] = {nullptr, nullptr};
    std::unique_ptr<QGuiApplication> app_;
};

} // namespace rectix::tools
