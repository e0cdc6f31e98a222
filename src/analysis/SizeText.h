#pragma once
// The program's number texts: sizes in table cells and in the status line, and shares in
// percent. All of them use the user's decimal and thousands separators (platform Locale).
#include <cstdint>
#include <string>
#include <string_view>

namespace orv::analysis {

// v rounded to `digits` significant digits and to at most `decimals` decimals, whichever is
// coarser, halves away from zero; printed with thousands separators and exactly `decimals`
// decimals. When the rounded value has more digits before the decimal point than `digits`,
// it is printed in exponent form instead: `digits` significant digits, trailing zeros
// dropped, "E" and the exponent (12345 with 4 digits gives 1.235E4).
std::u16string FormatSignificant(double v, int digits, int decimals, std::u16string_view decimalSep,
                                 std::u16string_view thousandSep);

// "0 Byte" for s <= 0, "512 Byte", "1.5 KB", "5.5 MB", "1.50 GB".
std::u16string CellSizeText(int64_t s);
// "512 Byte", "1.5 KB", "5.50 MB", "1.50 GB".
std::u16string StatusSizeText(int64_t s);
// The share p in percent with three decimals and no percent sign: "12.350".
std::u16string PercentText(double p);

}  // namespace orv::analysis
