#include "dataset/Value.h"

#include <cstdio>

namespace rectix::dataset {

std::string formatIsoDate(CalendarDate d) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%04d-%02u-%02u", static_cast<int>(d.year()),
                  static_cast<unsigned>(d.month()), static_cast<unsigned>(d.day()));
    return buf;
}

std::optional<CalendarDate> parseIsoDate(std::string_view text) {
    if (text.size() != 10 || text[4] != '-' || text[7] != '-') return std::nullopt;
    auto number = [&](std::size_t from, std::size_t len) -> std::optional<int> {
        int v = 0;
        for (std::size_t i = from; i < from + len; ++i) {
            if (text[i] < '0' || text[i] > '9') return std::nullopt;
            v = v * 10 + (text[i] - '0');
        }
        return v;
    };
    const auto y = number(0, 4);
    const auto m = number(5, 2);
    const auto d = number(8, 2);
    if (!y || !m || !d) return std::nullopt;
    const CalendarDate date{std::chrono::year{*y}, std::chrono::month{static_cast<unsigned>(*m)},
                            std::chrono::day{static_cast<unsigned>(*d)}};
    if (!date.ok()) return std::nullopt;
    return date;
}

namespace {

// Storage classes in SQLite's sort order.
int rank(const Value& v) {
    switch (v.kind()) {
    case Value::Kind::Null:
        return 0;
    case Value::Kind::Integer:
    case Value::Kind::Float:
    case Value::Kind::Boolean:
        return 1;
    case Value::Kind::Text:
    case Value::Kind::Date:
        return 2;
    }
    return 3;
}

std::string textOf(const Value& v) {
    return v.kind() == Value::Kind::Date ? formatIsoDate(v.date()) : v.text();
}

} // namespace

long double numericValue(const Value& v) {
    switch (v.kind()) {
    case Value::Kind::Integer:
        return static_cast<long double>(v.integer());
    case Value::Kind::Float:
        return v.real();
    case Value::Kind::Boolean:
        return v.boolean() ? 1 : 0;
    default:
        return 0;
    }
}

int Value::compare(const Value& a, const Value& b) {
    const int ra = rank(a);
    const int rb = rank(b);
    if (ra != rb) return ra < rb ? -1 : 1;
    if (ra == 1) {
        if (a.kind() == Kind::Integer && b.kind() == Kind::Integer)
            return a.integer() < b.integer() ? -1 : (a.integer() > b.integer() ? 1 : 0);
        const long double x = numericValue(a);
        const long double y = numericValue(b);
        return x < y ? -1 : (x > y ? 1 : 0);
    }
    if (ra == 2) {
        if (a.kind() == Kind::Date && b.kind() == Kind::Date)
            return a.date() < b.date() ? -1 : (a.date() > b.date() ? 1 : 0);
        const int c = textOf(a).compare(textOf(b));
        return c < 0 ? -1 : (c > 0 ? 1 : 0);
    }
    return 0;
}

} // namespace rectix::dataset
