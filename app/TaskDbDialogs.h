#pragma once

#include "taskdb/MessageDialog.h"

namespace rectix::app {

// The data module's message dialogs, shown by the program's message dialogs of the moment. A
// dialog closed without pressing a button answers Closed, unless Cancel was offered, which then
// answers for it; either way the rules take it as refusing.
class TaskDbDialogs : public taskdb::MessageDialog {
  public:
    taskdb::DialogButton showWindow(taskdb::DialogKind kind, const std::string& text,
                                    const std::vector<taskdb::DialogButton>& buttons,
                                    int helpContext) override;
    void showMessage(const std::string& text) override;
};

} // namespace rectix::app
