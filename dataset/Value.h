#pragma once

#include <chrono>
#include <concepts>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <variant>

namespace rectix::dataset {

// A calendar date. Date fields are stored as ISO text "YYYY-MM-DD", so they
// sort by date and read as dates in any SQLite tool.
using CalendarDate = std::chrono::year_month_day;

std::string formatIsoDate(CalendarDate d);
// Accepts exactly "YYYY-MM-DD" naming a real day.
std::optional<CalendarDate> parseIsoDate(std::string_view text);

// One field value as the table layer holds it: null, or a value of one of the
// stored kinds. All integer types share the 64-bit kind; the field that takes
// a value checks its range.
class Value {
  public:
    enum class Kind { Null, Integer, Float, Boolean, Text, Date };

    Value() = default;
    template <std::integral T>
    requires(!std::same_as<T, bool>) Value(T v) : v_(toInt64(v)) {}
    Value(bool v) : v_(v) {}
    // Zero has no sign here, as in the table files: -0 is held, stored and shown as 0.
    Value(double v) : v_(v == 0 ? 0.0 : v) {}
    Value(std::string v) : v_(std::move(v)) {}
    Value(std::string_view v) : v_(std::string(v)) {}
    Value(const char* v) : v_(std::string(v)) {}
    Value(CalendarDate v) : v_(v) {}

    Kind kind() const { return static_cast<Kind>(v_.index()); }
    bool isNull() const { return kind() == Kind::Null; }

    // Each accessor requires the value to be of its kind.
    std::int64_t integer() const { return std::get<std::int64_t>(v_); }
    double real() const { return std::get<double>(v_); }
    bool boolean() const { return std::get<bool>(v_); }
    const std::string& text() const { return std::get<std::string>(v_); }
    CalendarDate date() const { return std::get<CalendarDate>(v_); }

    // The order of SQLite's ORDER BY over the stored forms: null first, then
    // numbers (Booleans as 0 and 1) by value, then texts and dates (as their ISO
    // text) byte by byte. Cursors keep their rows in this order.
    static int compare(const Value& a, const Value& b);
    // Equal in that order: 1, 1.0 and true are equal, and so are two nulls.
    bool operator==(const Value& o) const { return compare(*this, o) == 0; }

  private:
    template <std::integral T> static std::int64_t toInt64(T v);

    std::variant<std::monostate, std::int64_t, double, bool, std::string, CalendarDate> v_;
};

// A number, Boolean (1 or 0) or null (0) as one numeric value; text and dates read as 0.
long double numericValue(const Value& v);

template <std::integral T> std::int64_t Value::toInt64(T v) {
    if (!std::in_range<std::int64_t>(v)) throw std::out_of_range("Integer value out of 64-bit range");
    return static_cast<std::int64_t>(v);
}

} // namespace rectix::dataset
