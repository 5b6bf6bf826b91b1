#include "taskdb/ValueRanges.h"

#include "core/NumberFormat.h"
#include "core/UiTexts.h"

#include <cmath>
#include <cstdint>
#include <limits>

namespace rectix::taskdb {

namespace {

constexpr double i16Max = std::numeric_limits<std::int16_t>::max();
// 24 containers of this capacity still sum inside 32 bits.
constexpr double maxLoadWt = std::numeric_limits<std::int32_t>::max() / 24;
constexpr double maxCost = 1e9;

constexpr ValueRange ranges[] = {
    {"conts", "Length", 1, i16Max},     {"conts", "Width", 1, i16Max},     {"conts", "LoadWt", 0, maxLoadWt},
    {"conts", "NoseWt", 0, maxLoadWt},  {"conts", "TailWt", 0, maxLoadWt}, {"conts", "NoseDL", 0, i16Max},
    {"conts", "TailDL", 0, i16Max},     {"boxes", "Length", 1, i16Max},    {"boxes", "Width", 1, i16Max},
    {"boxes", "Weight", 0, i16Max},     {"tc", "Avail", 1, i16Max},        {"tc", "Cost", 0, maxCost},
    {"tb", "Total", 1, i16Max},         {"tb", "Cost", 0, maxCost},        {"tasks", "Power", 0, 20},
    {"tasks", "Time", 5, 5555},         {"tasks", "Rand", 1, 555},         {"tasks", "WeightFactor", 0, 95},
    {"tasks", "BindGroupFactor", 0, 9}, {"tasks", "Qc", 0, 100},           {"tasks", "Qr", 0, 100},
    {"tasks", "BB", 0, 5000},           {"tasks", "BW", 0, 5000},
};

std::string number(double v) {
    return core::NumberFormat::regional().general(v);
}

} // namespace

std::string ValueRange::refusal(double v) const {
    return core::messageWith(core::Msg::ValueOutside, {field, number(v), number(low), number(high)});
}

std::string ValueRange::rule() const {
    return core::messageWith(core::Msg::ValueMustBeFrom, {field, number(low), number(high)});
}

const ValueRange* valueRange(std::string_view table, std::string_view field) {
    for (const ValueRange& r : ranges)
        if (r.table == table && r.field == field) return &r;
    return nullptr;
}

std::string settingsRefusal(const StoredSettings& s, std::string& field) {
    const std::pair<const char*, long long> fields[] = {
        {"Power", s.power}, {"Time", s.time}, {"Rand", s.rand}, {"Qc", s.qc},
        {"Qr", s.qr},       {"BB", s.bb},     {"BW", s.bw}};
    for (const auto& [name, value] : fields) {
        const ValueRange* r = valueRange("tasks", name);
        if (r->contains(static_cast<double>(value))) continue;
        field = name;
        return r->refusal(static_cast<double>(value));
    }
    // Qw packs two settings; a negative Qw has no parts in range.
    const ValueRange* weight = valueRange("tasks", "WeightFactor");
    const ValueRange* bind = valueRange("tasks", "BindGroupFactor");
    if (s.qw < 0 || !weight->contains(static_cast<double>(s.qw % 100)) ||
        !bind->contains(static_cast<double>(s.qw / 100))) {
        field = "Qw";
        return core::messageWith(core::Msg::PackedOutside,
                                 {"Qw", std::to_string(s.qw), number(weight->low), number(weight->high),
                                  number(bind->low), number(bind->high)});
    }
    return {};
}

} // namespace rectix::taskdb
