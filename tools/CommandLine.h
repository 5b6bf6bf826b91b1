#pragma once

#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace rectix::tools {

// How an option of a tool takes its value.
enum class OptionValue {
    None,     // --chart
    Next,     // --task ID: the next argument, whatever it looks like
    Attached, // --grid alone or --grid=G
};

struct OptionSpec {
    std::string_view name;
    OptionValue value = OptionValue::None;
};

// An argument as read: an option and its value, none when it takes none or came alone; or an
// operand (an argument that does not start with "-"), with an empty name and itself as value.
struct GivenArgument {
    std::string name;
    std::optional<std::string> value;
};

// Reads a tool's arguments against its options, in their order: each option at most once and a
// value after each that takes one. Empty when they are sound, else what is wrong in one line
// ("--chart is given twice"). Nothing is opened.
std::string readArguments(const std::vector<std::string>& args, std::initializer_list<OptionSpec> options,
                          std::vector<GivenArgument>& given);

// A whole number from `low` to `high`, the whole text; nothing otherwise.
std::optional<long> optionNumber(const std::string& text, long low, long high);

// "OPTION: VALUE is not WHAT", the value cut to a readable length: the refusal of every option's
// value.
std::string valueRefusal(std::string_view option, std::string_view value, std::string_view what);

// The value of --container, a container of a plan, in the one range of every tool; else why not.
struct ContainerOption {
    int number = 0;
    std::string refusal;
};
ContainerOption readContainerOption(const std::string& text);
// Why --container N cannot be shown: the plan puts no box in container N, so that it has no row
// of the stored solution either.
std::string emptyContainerRefusal(int container);

// The value of --task, a task's TaskID, in the one range of every tool; else why not.
struct TaskOption {
    long number = 0;
    std::string refusal;
};
TaskOption readTaskOption(const std::string& text);

} // namespace rectix::tools
