#include "CommandLine.h"

#include "MessageLine.h"

#include "engine/Limits.h"

#include <algorithm>
#include <cstdlib>

namespace rectix::tools {

std::string readArguments(const std::vector<std::string>& args, std::initializer_list<OptionSpec> options,
                          std::vector<GivenArgument>& given) {
    given.clear();
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg.empty() || arg[0] != '-') {
            given.push_back({{}, arg});
            continue;
        }
        const std::string name = arg.substr(0, arg.find('='));
        const auto option = std::find_if(options.begin(), options.end(), [&](const OptionSpec& o) {
            return o.name == name && (name == arg || o.value == OptionValue::Attached);
        });
        if (option == options.end()) return "unknown argument " + shortValue(arg);
        if (std::any_of(given.begin(), given.end(), [&](const GivenArgument& g) { return g.name == name; }))
            return name + " is given twice";
        GivenArgument g{name, std::nullopt};
        if (option->value == OptionValue::Next) {
            if (i + 1 >= args.size()) return name + " needs a value";
            g.value = args[++i];
        } else if (name != arg) {
            g.value = arg.substr(name.size() + 1);
        }
        given.push_back(std::move(g));
    }
    return {};
}

std::optional<long> optionNumber(const std::string& text, long low, long high) {
    // strtol would pass over leading blanks and a plus sign.
    if (text.empty() || text.size() > 18 || !(text[0] == '-' || (text[0] >= '0' && text[0] <= '9')))
        return std::nullopt;
    char* end = nullptr;
    const long v = std::strtol(text.c_str(), &end, 10);
    if (*end != '\0' || v < low || v > high) return std::nullopt;
    return v;
}

std::string valueRefusal(std::string_view option, std::string_view value, std::string_view what) {
    return std::string(option) + ": " + shortValue(value) + " is not " + std::string(what);
}

ContainerOption readContainerOption(const std::string& text) {
    constexpr long most = engine::maxTaskContainers;
    if (const auto n = optionNumber(text, 1, most)) return {static_cast<int>(*n), {}};
    return {0, valueRefusal("--container", text, "a container number 1.." + std::to_string(most))};
}

std::string emptyContainerRefusal(int container) {
    return "--container: container " + std::to_string(container) + " holds no box of the plan";
}

TaskOption readTaskOption(const std::string& text) {
    constexpr long most = 2147483647; // a TaskID is a 32-bit integer
    if (const auto n = optionNumber(text, 1, most)) return {*n, {}};
    return {0, valueRefusal("--task", text, "a task number 1.." + std::to_string(most))};
}

} // namespace rectix::tools
