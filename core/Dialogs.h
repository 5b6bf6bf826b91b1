#pragma once

#include <cstdint>
#include <string>

namespace rectix::core {

enum class DialogKind { Warning, Error, Information, Confirmation };

enum class DialogButton : std::uint16_t {
    Ok = 1 << 0,
    Cancel = 1 << 1,
    Yes = 1 << 2,
    No = 1 << 3,
    All = 1 << 4,
    YesToAll = 1 << 5,
    NoToAll = 1 << 6,
    Ignore = 1 << 7,
};

// A set of dialog buttons: DialogButton::Ok | DialogButton::Cancel.
class DialogButtons {
  public:
    constexpr DialogButtons() = default;
    constexpr DialogButtons(DialogButton b) : bits_(static_cast<std::uint16_t>(b)) {}

    constexpr bool has(DialogButton b) const { return (bits_ & static_cast<std::uint16_t>(b)) != 0; }
    constexpr bool empty() const { return bits_ == 0; }
    constexpr DialogButtons operator|(DialogButtons other) const { return fromBits(bits_ | other.bits_); }
    constexpr bool operator==(const DialogButtons&) const = default;

  private:
    static constexpr DialogButtons fromBits(int bits) {
        DialogButtons set;
        set.bits_ = static_cast<std::uint16_t>(bits);
        return set;
    }
    std::uint16_t bits_ = 0;
};

constexpr DialogButtons operator|(DialogButton a, DialogButton b) {
    return DialogButtons(a) | b;
}

// The program's modal messages, for every layer: the windows implement them (ui), the layers
// below only ask. Texts are UTF-8; a carriage return breaks a line. Titles and button captions
// are fixed English texts in every language.
//
// One object serves the process (current()). Until one is installed nothing is shown and every
// question answers Cancel, as a dialog closed without a button.
class Dialogs {
  public:
    virtual ~Dialogs() = default;

    // Asks and returns the button pressed. Closing the dialog without pressing a button (its
    // close box, Esc) answers Cancel, even when Cancel is not among the buttons, so it never
    // counts as an accepting answer. F1 in the dialog opens help at helpContext. An empty set
    // of buttons shows OK.
    virtual DialogButton show(DialogKind kind, const std::string& text, DialogButtons buttons,
                              int helpContext) = 0;

    // The error box: application title, stop icon, the text, OK.
    virtual void errorBox(const std::string& text) = 0;

    // A plain message: application title, no icon, the text, OK.
    virtual void plainMessage(const std::string& text) = 0;

    static Dialogs& current();
    // Makes `dialogs` the process's dialogs and returns the ones it replaces (nullptr: none),
    // which the caller installs again when it is done. The caller keeps ownership.
    static Dialogs* install(Dialogs* dialogs);
};

} // namespace rectix::core
