#include "taskdb/Figures.h"

#include "core/Checked.h"
#include "core/Rounding.h"

#include <string>

namespace rectix::taskdb {

std::int32_t roundAreaGuarded(float value) {
    if (!(static_cast<long double>(value) < static_cast<long double>(displayCap))) return displayCap;
    if (static_cast<long double>(value) <= -static_cast<long double>(displayCap)) return -displayCap;
    return core::toI32(core::roundHalfEven(value));
}

std::int32_t areaMultiplier(std::int32_t power) {
    std::int32_t mult = 1;
    for (std::int32_t i = 0; i < power; ++i) mult = core::mul32(mult, 10);
    return mult;
}

std::int32_t displayedArea(long double area, std::int32_t areaMult, std::int32_t mode) {
    const long double shown = core::fdiv(core::fdiv(area, areaMult), mode);
    // Beyond the cap the figure is the cap, also where single precision would not hold it.
    if (shown >= displayCap) return displayCap;
    if (shown <= -displayCap) return -displayCap;
    return roundAreaGuarded(core::toF32(shown));
}

std::string formatPageFigure(long double value, const core::NumberFormat& format) {
    return format.significant(value, 5, 2);
}

std::string pageFigureText(const TaskTotals& totals, PageFigure figure, const core::NumberFormat& format) {
    const auto use = [&](const std::optional<long double>& percent) {
        return percent ? formatPageFigure(*percent, format) : std::string("...");
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
    return formatPageFigure(totals.netCost, format);
}

std::string sizeText(std::int32_t length, std::int32_t width) {
    // Each side whole: cut to four digits, a five-digit side would read as another size.
    return std::to_string(length) + "  " + std::to_string(width);
}

} // namespace rectix::taskdb
