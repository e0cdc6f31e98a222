#include "analysis/SizeText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>
#include <vector>

#include "core/Text.h"
#include "platform/Locale.h"

namespace orv::analysis {

namespace {

// Digits of |v| as written exactly enough to decide a half at any place the texts round at:
// value = 0.d0 d1 d2 ... x 10^(top + 1), i.e. d0 stands at the place 10^top.
struct Digits {
    std::vector<int> d;
    int top = 0;
};

Digits DigitsOf(double a) {
    // 40 significant digits: far more than a double carries, so a value that is not exactly
    // a half at the rounding place never looks like one.
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, a, std::chars_format::scientific, 40);
    Digits out;
    const char* p = buf;
    for (; p < r.ptr && *p != 'e'; ++p) {
        if (*p >= '0' && *p <= '9') out.d.push_back(*p - '0');
    }
    int exponent = 0;
    std::from_chars(p + 1 + (p[1] == '+' ? 1 : 0), r.ptr, exponent);
    out.top = exponent;
    return out;
}

std::u16string Group(const std::u16string& intDigits, std::u16string_view sep) {
    std::u16string out;
    const size_t n = intDigits.size();
    for (size_t i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0) out += sep;
        out += intDigits[i];
    }
    return out;
}

}  // namespace

std::u16string FormatSignificant(double v, int digits, int decimals, std::u16string_view decimalSep,
                                 std::u16string_view thousandSep) {
    if (std::isnan(v)) return u"NAN";
    if (std::isinf(v)) return v < 0 ? u"-INF" : u"INF";
    if (digits < 1) digits = 1;
    if (decimals < 0) decimals = 0;

    // Kept digits, most significant first; the last one stands at the place 10^q.
    std::vector<int> kept;
    int q = -decimals;
    if (v != 0) {
        const Digits all = DigitsOf(std::fabs(v));
        q = std::max(all.top - digits + 1, -decimals);
        const int count = all.top - q + 1;  // may be 0 or less: v is below the rounding place
        for (int i = 0; i < count; ++i) {
            kept.push_back(i < static_cast<int>(all.d.size()) ? all.d[i] : 0);
        }
        const int next = count >= 0 && count < static_cast<int>(all.d.size()) ? all.d[count] : 0;
        if (next >= 5) {
            int i = static_cast<int>(kept.size()) - 1;
            while (i >= 0 && kept[i] == 9) kept[i--] = 0;
            if (i >= 0) {
                ++kept[i];
            } else {
                kept.insert(kept.begin(), 1);
            }
        }
    }
    // Drop leading zeros so the first kept digit is the most significant one.
    size_t lead = 0;
    while (lead < kept.size() && kept[lead] == 0) ++lead;
    kept.erase(kept.begin(), kept.begin() + static_cast<long>(lead));
    const bool zero = kept.empty();
    const int top = zero ? 0 : q + static_cast<int>(kept.size()) - 1;

    std::u16string out;
    if (v < 0 && !zero) out += u'-';

    if (!zero && top + 1 > digits) {
        // Exponent form.
        while (kept.size() > 1 && kept.back() == 0) kept.pop_back();
        out += static_cast<char16_t>(u'0' + kept[0]);
        if (kept.size() > 1) {
            out += decimalSep;
            for (size_t i = 1; i < kept.size(); ++i) out += static_cast<char16_t>(u'0' + kept[i]);
        }
        out += u'E';
        out += ToDecimal(top);
        return out;
    }

    auto digitAt = [&](int place) -> char16_t {
        if (zero || place > top || place < q) return u'0';
        return static_cast<char16_t>(u'0' + kept[static_cast<size_t>(top - place)]);
    };
    std::u16string intDigits;
    for (int place = std::max(top, 0); place >= 0; --place) intDigits += digitAt(place);
    out += Group(intDigits, thousandSep);
    if (decimals > 0) {
        out += decimalSep;
        for (int place = -1; place >= -decimals; --place) out += digitAt(place);
    }
    return out;
}

namespace {

std::u16string Scaled(double v, int decimals, std::u16string_view unit) {
    platform::Locale& loc = platform::Loc();
    std::u16string s =
        FormatSignificant(v, 4, decimals, loc.DecimalSeparator(), loc.ThousandSeparator());
    s += unit;
    return s;
}

constexpr int64_t kKB = 1024;
constexpr int64_t kMB = 1048576;
constexpr int64_t kGB = 1073741824;

}  // namespace

std::u16string CellSizeText(int64_t s) {
    if (s <= 0) return u"0 Byte";
    if (s < kKB) return ToDecimal(s) + u" Byte";
    if (s < kMB) return Scaled(static_cast<double>(s) / kKB, 1, u" KB");
    if (s < kGB) return Scaled(static_cast<double>(s) / kMB, 1, u" MB");
    return Scaled(static_cast<double>(s) / kGB, 2, u" GB");
}

std::u16string StatusSizeText(int64_t s) {
    if (s < kKB) return ToDecimal(s) + u" Byte";
    if (s < kMB) return Scaled(static_cast<double>(s) / kKB, 1, u" KB");
    if (s < kGB) return Scaled(static_cast<double>(s) / kMB, 2, u" MB");
    return Scaled(static_cast<double>(s) / kGB, 2, u" GB");
}

std::u16string PercentText(double p) {
    return Scaled(p, 3, u"");
}

}  // namespace orv::analysis
