#include "core/NumberFormat.h"

#include "core/Errors.h"
#include "core/Rounding.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <system_error>

namespace rectix::core {

namespace {

// `value` in the C locale's form of `format` and `precision`.
template <typename T> std::string chars(T value, std::chars_format format, int precision) {
    char buf[512]; // the largest double in fixed notation with a few decimals
    const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value, format, precision);
    if (ec != std::errc()) throw InvalidOpError("Number cannot be shown: out of range");
    return std::string(buf, end);
}

std::string trimmed(std::string_view s) {
    const auto b = s.find_first_not_of(" \t");
    if (b == std::string_view::npos) return {};
    return std::string(s.substr(b, s.find_last_not_of(" \t") - b + 1));
}

bool readsAsNumber(std::string_view s) {
    if (!s.empty() && s[0] == '+') s.remove_prefix(1);
    double v = 0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    return !s.empty() && ec == std::errc() && end == s.data() + s.size();
}

NumberFormat& regionalFormat() {
    static NumberFormat format;
    return format;
}

} // namespace

NumberFormat::NumberFormat(std::string decimalSeparator)
    : separator_(decimalSeparator.empty() ? std::string(".") : std::move(decimalSeparator)) {}

const NumberFormat& NumberFormat::point() {
    static const NumberFormat format;
    return format;
}

const NumberFormat& NumberFormat::regional() {
    return regionalFormat();
}

void NumberFormat::setRegional(const NumberFormat& format) {
    regionalFormat() = format;
}

std::string NumberFormat::withSeparator(std::string pointText) const {
    const auto at = pointText.find('.');
    if (at != std::string::npos && separator_ != ".") pointText.replace(at, 1, separator_);
    return pointText;
}

std::string NumberFormat::pattern(double value, std::string_view pattern) const {
    const auto first = pattern.find_first_of("0#");
    if (first == std::string_view::npos) return general(value);
    const auto last = pattern.find_last_of("0#");
    const std::string_view body = pattern.substr(first, last - first + 1);
    const auto point = body.find('.');
    const std::string_view intPart = body.substr(0, point);
    const std::string_view decPart =
        point == std::string_view::npos ? std::string_view() : body.substr(point + 1);
    const auto minInt = static_cast<std::size_t>(std::count(intPart.begin(), intPart.end(), '0'));
    int minDec = 0;
    int maxDec = 0;
    for (char c : decPart) {
        if (c == '0')
            minDec = ++maxDec;
        else if (c == '#')
            ++maxDec;
    }
    if (!std::isfinite(value)) return general(value);
    const std::string digits = chars(std::fabs(value), std::chars_format::fixed, maxDec);
    const auto dot = digits.find('.');
    std::string whole = digits.substr(0, dot);
    std::string frac = dot == std::string::npos ? std::string() : digits.substr(dot + 1);
    while (static_cast<int>(frac.size()) > minDec && frac.back() == '0') frac.pop_back();
    if (whole == "0" && minInt == 0) whole.clear();
    if (whole.size() < minInt) whole.insert(0, minInt - whole.size(), '0');
    const bool zero =
        whole.find_first_not_of('0') == std::string::npos && frac.find_first_not_of('0') == std::string::npos;
    std::string out = (value < 0 && !zero ? "-" : "") + whole;
    if (!frac.empty()) out += separator_ + frac;
    return std::string(pattern.substr(0, first)) + out + std::string(pattern.substr(last + 1));
}

std::string NumberFormat::fixed(long double value, int decimals) const {
    return withSeparator(chars(value, std::chars_format::fixed, std::max(0, decimals)));
}

std::string NumberFormat::general(double value) const {
    return withSeparator(chars(value, std::chars_format::general, 15));
}

std::string NumberFormat::significant(long double value, int digits, int decimals) const {
    checkFinite(value);
    digits = std::max(1, digits);
    decimals = std::max(0, decimals);
    // The significant digits and the decimal exponent of the first: 123.456 -> "12346", 2.
    const std::string sci = chars(std::fabs(value), std::chars_format::scientific, digits - 1);
    const auto e = sci.find('e');
    std::string kept;
    for (std::size_t i = 0; i < e; ++i)
        if (sci[i] != '.') kept += sci[i];
    const int exponent = std::stoi(sci.substr(e + 1));
    const bool zero = kept.find_first_not_of('0') == std::string::npos;
    const std::string sign = value < 0 && !zero ? "-" : "";
    if (!zero && exponent + 1 > digits) {
        while (kept.size() > 1 && kept.back() == '0') kept.pop_back();
        std::string mantissa = kept.substr(0, 1);
        if (kept.size() > 1) mantissa += separator_ + kept.substr(1);
        return sign + mantissa + "E" + std::to_string(exponent);
    }
    // One rounding, at the last significant digit or the last decimal, whichever comes first.
    const int places = std::max(0, std::min(decimals, digits - 1 - exponent));
    std::string text = chars(std::fabs(value), std::chars_format::fixed, places);
    if (places < decimals) {
        if (places == 0) text += '.';
        text.append(static_cast<std::size_t>(decimals - places), '0');
    }
    const bool shownZero = text.find_first_not_of("0.") == std::string::npos;
    return (shownZero ? "" : sign) + withSeparator(text);
}

std::string NumberFormat::typedToStored(std::string_view typed) const {
    if (separator_ == ".") return std::string(typed);
    std::string text = trimmed(typed);
    const auto at = text.find(separator_);
    if (at == std::string::npos || text.find('.') != std::string::npos ||
        text.find(separator_, at + separator_.size()) != std::string::npos)
        return std::string(typed);
    text.replace(at, separator_.size(), ".");
    return readsAsNumber(text) ? text : std::string(typed);
}

} // namespace rectix::core
