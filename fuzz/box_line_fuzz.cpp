// Feeds the box import line parser: the first byte chooses the column order, the separators and
// the header count; the rest are lines as a file would give them.
#include "core/TextEncoding.h"
#include "taskdb/BoxLineParser.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

using rectix::taskdb::BoxImportOptions;
using rectix::taskdb::BoxLine;
using rectix::taskdb::BoxLineParser;

namespace {

void check(bool condition) {
    if (!condition) std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const BoxImportOptions options{
        .order = data[0] & 3, .comma = (data[0] & 4) != 0, .header = (data[0] >> 3) & 1};
    const BoxLineParser parser(options);
    std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        const std::string_view raw = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);

        const std::string_view line = BoxLineParser::cutTrailingBlanks(raw);
        if (line.empty()) continue;
        const std::string utf8 = rectix::core::utf8FromFileText(line);
        check(rectix::core::isValidUtf8(utf8));
        const auto fields = parser.split(utf8);
        const BoxLine box = parser.read(utf8);
        check(fields.has_value() == (box.outcome != BoxLine::Outcome::TooManyFields));
        if (fields) check(fields->size() <= static_cast<std::size_t>(BoxLineParser::maxFields));
        if (box.outcome != BoxLine::Outcome::Box) continue;
        // A read box's texts are whole characters, and a box that passes the rules fits the table.
        check(rectix::core::isValidUtf8(box.kind) && rectix::core::isValidUtf8(box.mark));
        if (BoxLineParser::ruleFailures(box).empty())
            check(box.length >= 1 && box.length <= 32000 && box.width >= 1 && box.width <= 32000 &&
                  box.weight >= 0 && box.weight <= 30000 && box.quantity >= 0 && box.quantity <= 1000 &&
                  !box.kind.empty() && !box.mark.empty() && (box.turn == 0 || box.turn == 1));
    }
    return 0;
}
