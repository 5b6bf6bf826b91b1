#include "dataset/Field.h"

#include "dataset/Cursor.h"
#include "dataset/Errors.h"

#include "core/Checked.h"
#include "core/Errors.h"
#include "core/NumberFormat.h"
#include "core/Rounding.h"
#include "core/UiTexts.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <utility>

namespace rectix::dataset {

namespace {

std::string trim(std::string_view s) {
    const auto b = s.find_first_not_of(" \t");
    if (b == std::string_view::npos) return {};
    return std::string(s.substr(b, s.find_last_not_of(" \t") - b + 1));
}

std::optional<std::int64_t> parseInteger(std::string_view s) {
    if (!s.empty() && s[0] == '+') s.remove_prefix(1);
    std::int64_t v = 0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (ec != std::errc() || end != s.data() + s.size() || s.empty()) return std::nullopt;
    return v;
}

std::optional<double> parseFloat(std::string_view s) {
    if (!s.empty() && s[0] == '+') s.remove_prefix(1);
    double v = 0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (ec != std::errc() || end != s.data() + s.size() || s.empty() || !std::isfinite(v))
        return std::nullopt;
    return v;
}

// "t", "tr", ... "true" and "f" ... "false", without regard to case.
std::optional<bool> parseBoolean(std::string_view s) {
    auto prefixOf = [&](std::string_view word) {
        return !s.empty() && s.size() <= word.size() && sameName(s, word.substr(0, s.size()));
    };
    if (prefixOf("True")) return true;
    if (prefixOf("False")) return false;
    return std::nullopt;
}

std::string plainText(const Value& v) {
    switch (v.kind()) {
    case Value::Kind::Null:
        return {};
    case Value::Kind::Integer:
        return std::to_string(v.integer());
    case Value::Kind::Float:
        return core::NumberFormat::point().general(v.real());
    case Value::Kind::Boolean:
        return v.boolean() ? "True" : "False";
    case Value::Kind::Text:
        return v.text();
    case Value::Kind::Date:
        return formatIsoDate(v.date());
    }
    return {};
}

// Cuts UTF-8 text after `chars` characters.
std::string cutToChars(std::string s, int chars) {
    int seen = 0;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if ((static_cast<unsigned char>(s[i]) & 0xC0) == 0x80) continue;
        if (seen++ == chars) {
            s.resize(i);
            break;
        }
    }
    return s;
}

} // namespace

Field::Field(Cursor& owner, std::string name, FieldType type, int size, FieldKind kind, std::size_t slot)
    : owner_(owner), name_(std::move(name)), type_(type), size_(size), kind_(kind), slot_(slot) {}

void Field::setConstraint(Constraint test, std::string errorText) {
    constraint_ = std::move(test);
    constraintText_ = std::move(errorText);
}

const Value& Field::value() const {
    return owner_.valueOf(*this);
}

bool Field::holdsItsType() const {
    const Value& v = value();
    switch (v.kind()) {
    case Value::Kind::Null:
        return true;
    case Value::Kind::Integer:
        if (type_ == FieldType::Int16) return std::in_range<std::int16_t>(v.integer());
        if (type_ == FieldType::Int32 || type_ == FieldType::AutoInc)
            return std::in_range<std::int32_t>(v.integer());
        return type_ == FieldType::Double;
    case Value::Kind::Float:
        return type_ == FieldType::Double && std::isfinite(v.real());
    case Value::Kind::Boolean:
        return type_ == FieldType::Boolean;
    case Value::Kind::Text:
        return type_ == FieldType::String;
    case Value::Kind::Date:
        return type_ == FieldType::Date;
    }
    return false;
}

void Field::setValue(const Value& v) {
    owner_.assign(*this, v);
}

void Field::focusControl() {
    owner_.notifyFocus(*this);
}

void Field::badValue(const Value& v, core::Msg refusal) const {
    throw FieldError(name_, core::messageWith(refusal, {plainText(v), label()}));
}

std::int32_t Field::asInteger() const {
    const Value& v = value();
    switch (v.kind()) {
    case Value::Kind::Null:
        return 0;
    case Value::Kind::Integer:
        return core::toI32(v.integer());
    case Value::Kind::Float:
        return core::toI32(core::roundHalfEven(v.real()));
    case Value::Kind::Text:
        if (auto i = parseInteger(trim(v.text()))) return core::toI32(*i);
        break;
    default:
        break;
    }
    badValue(v, core::Msg::NotAnInteger);
}

double Field::asFloat() const {
    const Value& v = value();
    switch (v.kind()) {
    case Value::Kind::Null:
        return 0;
    case Value::Kind::Integer:
        return static_cast<double>(v.integer());
    case Value::Kind::Float:
        return v.real();
    case Value::Kind::Text:
        if (auto d = parseFloat(trim(v.text()))) return *d;
        break;
    default:
        break;
    }
    badValue(v, core::Msg::NotAFloat);
}

bool Field::asBoolean() const {
    const Value& v = value();
    switch (v.kind()) {
    case Value::Kind::Null:
        return false;
    case Value::Kind::Boolean:
        return v.boolean();
    case Value::Kind::Integer:
        return v.integer() != 0;
    case Value::Kind::Text:
        if (auto b = parseBoolean(trim(v.text()))) return *b;
        break;
    default:
        break;
    }
    badValue(v, core::Msg::NotABoolean);
}

std::string Field::asString() const {
    return plainText(value());
}

CalendarDate Field::asDate() const {
    const Value& v = value();
    if (v.isNull()) return CalendarDate{};
    if (v.kind() == Value::Kind::Date) return v.date();
    if (v.kind() == Value::Kind::Text)
        if (auto d = parseIsoDate(trim(v.text()))) return *d;
    badValue(v, core::Msg::NotADate);
}

std::string Field::displayText(const Value& v) const {
    const core::NumberFormat& shown = core::NumberFormat::regional();
    if (!displayFormat_.empty() && (v.kind() == Value::Kind::Float || v.kind() == Value::Kind::Integer))
        return shown.pattern(v.kind() == Value::Kind::Float ? v.real() : static_cast<double>(v.integer()),
                             displayFormat_);
    if (v.kind() == Value::Kind::Float) return shown.general(v.real());
    return plainText(v);
}

Value Field::convert(const Value& v) const {
    if (v.isNull()) return v;
    switch (type_) {
    case FieldType::AutoInc:
    case FieldType::Int16:
    case FieldType::Int32: {
        std::int64_t i = 0;
        if (v.kind() == Value::Kind::Integer)
            i = v.integer();
        else if (v.kind() == Value::Kind::Float && std::isfinite(v.real()) &&
                 v.real() == std::trunc(v.real()) && std::fabs(v.real()) < 9.2e18)
            i = static_cast<std::int64_t>(v.real());
        else if (v.kind() == Value::Kind::Text) {
            const std::string t = trim(v.text());
            if (t.empty()) return {};
            const auto p = parseInteger(t);
            if (!p) badValue(v, core::Msg::NotAnInteger);
            i = *p;
        } else
            badValue(v, core::Msg::NotAnInteger);
        const std::int64_t lo = type_ == FieldType::Int16 ? -32768 : std::numeric_limits<std::int32_t>::min();
        const std::int64_t hi = type_ == FieldType::Int16 ? 32767 : std::numeric_limits<std::int32_t>::max();
        if (i < lo || i > hi)
            throw core::RangeError(
                core::messageWith(core::Msg::OutOfFieldRange,
                                  {std::to_string(i), label(), std::to_string(lo), std::to_string(hi)}));
        return i;
    }
    case FieldType::Double:
        if (v.kind() == Value::Kind::Integer) return static_cast<double>(v.integer());
        if (v.kind() == Value::Kind::Float) {
            if (!std::isfinite(v.real())) throw core::InvalidOpError("Invalid floating point operation");
            return v;
        }
        if (v.kind() == Value::Kind::Text) {
            const std::string t = trim(v.text());
            if (t.empty()) return {};
            if (auto d = parseFloat(t)) return *d;
        }
        badValue(v, core::Msg::NotAFloat);
    case FieldType::Boolean:
        if (v.kind() == Value::Kind::Boolean) return v;
        if (v.kind() == Value::Kind::Text) {
            const std::string t = trim(v.text());
            if (t.empty()) return {};
            if (auto b = parseBoolean(t)) return *b;
        }
        badValue(v, core::Msg::NotABoolean);
    case FieldType::Date:
        if (v.kind() == Value::Kind::Date) {
            if (!v.date().ok()) badValue(v, core::Msg::NotADate);
            return v;
        }
        if (v.kind() == Value::Kind::Text) {
            const std::string t = trim(v.text());
            if (t.empty()) return {};
            if (auto d = parseIsoDate(t)) return *d;
        }
        badValue(v, core::Msg::NotADate);
    case FieldType::String: {
        std::string s = size_ > 0 ? cutToChars(plainText(v), size_) : plainText(v);
        if (s.empty()) return {};
        return s;
    }
    }
    return {};
}

} // namespace rectix::dataset
