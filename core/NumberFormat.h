#pragma once

#include <string>
#include <string_view>

namespace rectix::core {

// How a number is written for a person to read. The decimal separator is given explicitly and
// is the only regional setting used (no digit grouping); the C library's locale is never read,
// since any library in the process can change it. Numbers that are stored or exported are
// written with point(), whatever the region.
class NumberFormat {
  public:
    explicit NumberFormat(std::string decimalSeparator = ".");

    // The stored and exported form.
    static const NumberFormat& point();
    // The form of the numbers shown to a person: the user's regional settings, set once at
    // start-up by the program's windows layer; point() until then.
    static const NumberFormat& regional();
    static void setRegional(const NumberFormat& format);

    const std::string& decimalSeparator() const { return separator_; }

    // `value` through a display pattern: '0' a digit always shown, '#' a digit shown unless it is
    // a leading or trailing zero, '.' the decimal separator; text around the digits is kept
    // ("0.##" shows 84.46 for 84.4599990844727 and 2 for 2.0; "0.00" shows 2.00).
    std::string pattern(double value, std::string_view pattern) const;
    // Fixed notation with `decimals` decimals, as printf's "%.*f".
    std::string fixed(long double value, int decimals) const;
    // Up to 15 significant digits, as printf's "%.15g".
    std::string general(double value) const;
    // Rounded to `digits` significant digits and written with `decimals` decimals; a value whose
    // integer part needs more than `digits` digits in scientific notation instead (a mantissa of
    // up to `digits` significant digits, "E" and the exponent: 1.2346E5). A NaN or an infinity
    // is the checked floating-point error.
    std::string significant(long double value, int digits, int decimals) const;

    // A number as a person typed it, with this format's separator or with a point, in the
    // stored form. Text that does not read as one number comes back as typed, so a refusal
    // quotes what the person wrote.
    std::string typedToStored(std::string_view typed) const;

  private:
    std::string withSeparator(std::string pointText) const;

    std::string separator_;
};

} // namespace rectix::core
