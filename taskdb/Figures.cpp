#include "taskdb/Figures.h"

#include "core/Checked.h"
#include "core/Rounding.h"

#include <algorithm>
#include <charconv>
#include <clocale>
#include <cmath>
#include <string>

namespace rectix::taskdb {

std::int32_t roundAreaGuarded(float value) {
    if (!(static_cast<long double>(value) < static_cast<long double>(displayCap))) return displayCap;
    return core::toI32(core::roundHalfEven(value));
}

std::int32_t displayedArea(long double area, std::int32_t areaMult, std::int32_t mode) {
    return roundAreaGuarded(core::toF32(core::fdiv(core::fdiv(area, areaMult), mode)));
}

namespace {

// Text of `value` in `format` with `precision` digits, whatever the locale.
std::string chars(long double value, std::chars_format format, int precision) {
    char buf[128];
    const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value, format, precision);
    if (ec != std::errc()) throw core::InvalidOpError("Number cannot be shown: out of range");
    return std::string(buf, end);
}

std::string withSeparator(std::string text, char separator) {
    for (char& c : text)
        if (c == '.') c = separator;
    return text;
}

} // namespace

std::string formatPageFigure(long double value, char decimalSeparator) {
    core::checkFinite(value);
    constexpr int precision = 5;
    constexpr int decimals = 2;
    // The 5 significant digits and the decimal exponent of the first: 123.456 -> "12346", 2.
    const std::string sci = chars(std::fabs(value), std::chars_format::scientific, precision - 1);
    const auto e = sci.find('e');
    std::string digits;
    for (std::size_t i = 0; i < e; ++i)
        if (sci[i] != '.') digits += sci[i];
    const int exponent = std::stoi(sci.substr(e + 1));
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
    std::string text = chars(std::fabs(value), std::chars_format::fixed, kept);
    if (kept < decimals)
        text += (kept == 0 ? "." : "") + std::string(static_cast<std::size_t>(decimals - kept), '0');
    const bool shownZero = text.find_first_not_of("0.") == std::string::npos;
    return (shownZero ? "" : sign) + withSeparator(text, decimalSeparator);
}

std::string pageFigureText(const TaskTotals& totals, PageFigure figure, char decimalSeparator) {
    const auto use = [&](const std::optional<long double>& percent) {
        return percent ? formatPageFigure(*percent, decimalSeparator) : std::string("...");
    };
    switch (figure) {
    case PageFigure::AvlNmb:
        return std::to_string(totals.available.number);
    case PageFigure::AvlWgt:
        return std::to_string(totals.available.weight);
    case PageFigure::AvlVol:
        return std::to_string(totals.available.area);
    case PageFigure::UsdNmb:
        return std::to_string(totals.used.number);
    case PageFigure::UsdWgt:
        return std::to_string(totals.used.weight);
    case PageFigure::UsdVol:
        return std::to_string(totals.used.area);
    case PageFigure::TotNmb:
        return std::to_string(totals.boxes.number);
    case PageFigure::TotWgt:
        return std::to_string(totals.boxes.weight);
    case PageFigure::TotVol:
        return std::to_string(totals.boxes.area);
    case PageFigure::LftNmb:
        return std::to_string(totals.left.number);
    case PageFigure::LftWgt:
        return std::to_string(totals.left.weight);
    case PageFigure::LftVol:
        return std::to_string(totals.left.area);
    case PageFigure::EffWgt:
        return use(totals.weightUse);
    case PageFigure::EffVol:
        return use(totals.areaUse);
    case PageFigure::CostPck:
        break;
    }
    return formatPageFigure(totals.netCost, decimalSeparator);
}

char regionalDecimalSeparator() {
    const std::lconv* lc = std::localeconv();
    return lc && lc->decimal_point && lc->decimal_point[0] ? lc->decimal_point[0] : '.';
}

std::string sizeText(std::int32_t length, std::int32_t width) {
    return std::to_string(length).substr(0, 4) + "  " + std::to_string(width).substr(0, 4);
}

} // namespace rectix::taskdb
