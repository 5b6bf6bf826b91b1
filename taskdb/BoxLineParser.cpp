#include "taskdb/BoxLineParser.h"

#include "core/UiTexts.h"

#include <array>
#include <charconv>

namespace rectix::taskdb {

namespace {

// Field numbers (from 1) of quantity, kind, length, width, weight and mark, by column order.
struct Columns {
    int quantity, kind, length, width, weight, mark;
};
constexpr std::array<Columns, 4> columnOrders{{
    {1, 2, 3, 4, 5, 6},
    {2, 1, 3, 4, 5, 6},
    {4, 1, 2, 3, 5, 6},
    {5, 1, 2, 3, 4, 6},
}};
constexpr int turnField = 7;
constexpr std::int32_t endValue = 555;

bool isBlank(char c) {
    return static_cast<unsigned char>(c) <= ' ';
}

std::string_view trim(std::string_view s) {
    while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back())) s.remove_suffix(1);
    return s;
}

// A signed 32-bit decimal number, the whole text; nothing otherwise.
std::optional<std::int32_t> number(std::string_view s) {
    // One sign at most: "+-5" and "++5" are no numbers.
    if (!s.empty() && s.front() == '+') {
        s.remove_prefix(1);
        if (!s.empty() && s.front() == '-') return std::nullopt;
    }
    if (s.empty() || s.front() == '+') return std::nullopt;
    std::int32_t value = 0;
    const auto [end, error] = std::from_chars(s.data(), s.data() + s.size(), value);
    if (error != std::errc() || end != s.data() + s.size()) return std::nullopt;
    return value;
}

bool startsCharacter(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
}

// The first and the last character of a UTF-8 text.
std::string_view firstCharacter(std::string_view s) {
    std::size_t n = 1;
    while (n < s.size() && !startsCharacter(s[n])) ++n;
    return s.substr(0, n);
}

std::string_view lastCharacter(std::string_view s) {
    std::size_t start = s.size() - 1;
    while (start > 0 && !startsCharacter(s[start])) --start;
    return s.substr(start);
}

// The mark a kind gets when its line has none.
std::string markOf(std::string_view kind) {
    if (kind.empty()) return "?";
    const std::string_view first = firstCharacter(kind);
    if (first.size() == kind.size()) return std::string(first);
    return std::string(first) + std::string(lastCharacter(kind));
}

std::string limitText(core::Msg slot, int limit) {
    return core::messageText(slot) + " " + std::to_string(limit) + ".";
}

} // namespace

BoxLineParser::BoxLineParser(const BoxImportOptions& options) : options_(options) {
    if (options_.order < 0 || options_.order >= static_cast<int>(columnOrders.size())) options_.order = 0;
}

bool BoxLineParser::isSeparator(char c) const {
    return options_.comma ? c == ',' : c == ' ' || c == '\t';
}

std::string_view BoxLineParser::cutTrailingBlanks(std::string_view line) {
    while (!line.empty() && isBlank(line.back())) line.remove_suffix(1);
    return line;
}

std::optional<std::vector<std::string_view>> BoxLineParser::split(std::string_view line) const {
    // Boundary positions count from 1; the table starts with the fixed boundary 0.
    std::vector<std::size_t> bounds{0};
    auto add = [&](std::size_t position) {
        if (bounds.size() > static_cast<std::size_t>(maxFields)) return false;
        bounds.push_back(position);
        return true;
    };
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (!isSeparator(line[i])) continue;
        if (!options_.comma && (i == 0 || isSeparator(line[i - 1]))) continue;
        if (!add(i + 1)) return std::nullopt;
    }
    if (!line.empty() && !isSeparator(line.back()) && !add(line.size() + 1)) return std::nullopt;

    std::vector<std::string_view> fields;
    fields.reserve(bounds.size() - 1);
    for (std::size_t n = 1; n < bounds.size(); ++n)
        fields.push_back(trim(line.substr(bounds[n - 1], bounds[n] - bounds[n - 1] - 1)));
    return fields;
}

BoxLine BoxLineParser::read(std::string_view line) const {
    BoxLine box;
    const auto fields = split(line);
    if (!fields) {
        box.outcome = BoxLine::Outcome::TooManyFields;
        return box;
    }
    auto field = [&](int n) -> std::optional<std::string_view> {
        if (n > static_cast<int>(fields->size())) return std::nullopt;
        return (*fields)[static_cast<std::size_t>(n - 1)];
    };
    // A missing field takes its default; a present one must be a number.
    auto numberOr = [&](int n, std::optional<std::int32_t> missing) -> std::optional<std::int32_t> {
        const auto text = field(n);
        return text ? number(*text) : missing;
    };

    const Columns& c = columnOrders[static_cast<std::size_t>(options_.order)];
    const auto quantity = numberOr(c.quantity, 1);
    const auto length = numberOr(c.length, std::nullopt);
    const auto width = numberOr(c.width, std::nullopt);
    const auto weight = numberOr(c.weight, 0);
    const auto kind = field(c.kind);
    const auto turn = numberOr(turnField, 1);
    if (!quantity || !length || !width || !weight || !kind || !turn) return box;

    box.quantity = *quantity;
    box.length = *length;
    box.width = *width;
    box.weight = *weight;
    box.turn = *turn;
    box.kind = std::string(*kind);
    const auto mark = field(c.mark);
    box.mark = mark ? std::string(*mark) : markOf(*kind);
    box.outcome = box.length == endValue && box.width == endValue && number(*kind) == endValue
                      ? BoxLine::Outcome::EndLine
                      : BoxLine::Outcome::Box;
    return box;
}

std::vector<std::string> BoxLineParser::ruleFailures(const BoxLine& box) {
    std::vector<std::string> failures;
    if (box.length < 1 || box.length > 32000) failures.push_back(limitText(core::Msg::BoxLengthsUpTo, 32000));
    if (box.width < 1 || box.width > 32000) failures.push_back(limitText(core::Msg::BoxWidthsUpTo, 32000));
    if (box.weight < 0 || box.weight > 30000) failures.push_back(limitText(core::Msg::BoxWeightsUpTo, 30000));
    if (box.quantity < 0 || box.quantity > 1000)
        failures.push_back(limitText(core::Msg::BoxNumbersUpTo, 1000));
    if (box.kind.empty()) failures.push_back(core::messageText(core::Msg::BoxKindsUndefined));
    if (box.mark.empty()) failures.push_back(core::messageText(core::Msg::BoxMarkInvalid));
    if (box.turn < 0 || box.turn > 1) failures.push_back(core::messageText(core::Msg::TurnRuleSigns));
    return failures;
}

} // namespace rectix::taskdb
