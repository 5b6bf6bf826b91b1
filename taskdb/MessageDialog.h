#pragma once

#include <initializer_list>
#include <string>
#include <vector>

namespace rectix::taskdb {

inline constexpr const char* applicationTitle = "Rectix";

enum class DialogKind { Warning, Error, Information, Confirmation };

// The buttons a dialog offers and the answer it returns. Closed: the user
// closed the dialog with its close box (or Esc) instead of pressing a button;
// every rule takes that as refusing.
enum class DialogButton { Closed, OK, Cancel, Yes, No, All, YesToAll, Ignore };

// The modal message dialog of the rules. The windows implement it; this
// layer never shows anything itself. A carriage return in a text breaks the line.
class MessageDialog {
  public:
    virtual ~MessageDialog() = default;

    virtual DialogButton showWindow(DialogKind kind, const std::string& text,
                                    const std::vector<DialogButton>& buttons, int helpContext) = 0;
    // A plain message box with an OK button.
    virtual void showMessage(const std::string& text) = 0;
};

// Headless: shows nothing and answers as if the dialog were closed.
class NullMessageDialog : public MessageDialog {
  public:
    DialogButton showWindow(DialogKind, const std::string&, const std::vector<DialogButton>&, int) override {
        return DialogButton::Closed;
    }
    void showMessage(const std::string&) override {}
};

} // namespace rectix::taskdb
