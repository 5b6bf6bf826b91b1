#include "taskdb/Figures.h"

#include "core/Checked.h"
#include "core/Rounding.h"

#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace rectix::taskdb {

std::int32_t RoundAreaGuarded(float value) {
    if (!(static_cast<long double>(value) < static_cast<long double>(DisplayCap))) return DisplayCap;
    return core::toI32(core::roundHalfEven(value));
}

std::int32_t DisplayArea(long double area, std::int32_t areaMult, std::int32_t mode) {
    return RoundAreaGuarded(core::toF32(core::fdiv(core::fdiv(area, areaMult), mode)));
}

namespace {

// Digits of `value` rounded to `sig` significant digits, and the decimal
// exponent of the first digit: 123.456 at 5 -> "12346", 2.
void significantDigits(long double value, int sig, std::string& digits, int& exponent) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*Le", sig - 1, std::fabs(value));
    const std::string s = buf;
    const auto e = s.find('e');
    digits.clear();
    for (std::size_t i = 0; i < e; ++i)
        if (s[i] != '.') digits += s[i];
    exponent = std::atoi(s.c_str() + e + 1);
}

std::string withSeparator(std::string text, char separator) {
    for (char& c : text)
        if (c == '.') c = separator;
    return text;
}

} // namespace

std::string FormatPageFigure(long double value, char decimalSeparator) {
    core::checkFinite(value);
    constexpr int precision = 5;
    constexpr int decimals = 2;
    std::string digits;
    int exponent = 0;
    significantDigits(value, precision, digits, exponent);
    const bool zero = digits.find_first_not_of('0') == std::string::npos;
    const std::string sign = value < 0 && !zero ? "-" : "";
    if (!zero && exponent + 1 > precision) {
        while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
        std::string mantissa = digits.substr(0, 1);
        if (digits.size() > 1) mantissa += "." + digits.substr(1);
        return sign + withSeparator(mantissa, decimalSeparator) + "E" + std::to_string(exponent);
    }
    // One rounding, at the 5th significant digit or the 2nd decimal, whichever comes first.
    const int kept = std::max(0, std::min(decimals, precision - 1 - exponent));
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*Lf", kept, std::fabs(value));
    std::string text = buf;
    if (kept < decimals)
        text += (kept == 0 ? "." : "") + std::string(static_cast<std::size_t>(decimals - kept), '0');
    const bool shownZero = text.find_first_not_of("0.") == std::string::npos;
    return (shownZero ? "" : sign) + withSeparator(text, decimalSeparator);
}

char RegionalDecimalSeparator() {
    const std::lconv* lc = std::localeconv();
    return lc && lc->decimal_point && lc->decimal_point[0] ? lc->decimal_point[0] : '.';
}

std::string SizeText(std::int32_t length, std::int32_t width) {
    return std::to_string(length).substr(0, 4) + "  " + std::to_string(width).substr(0, 4);
}

} // namespace rectix::taskdb
