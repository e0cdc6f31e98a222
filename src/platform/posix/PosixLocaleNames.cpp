// Native stand-in for the locale queries: the answers an English Windows gives for every
// identifier the program's culture table knows, a US English user on a US English system, and
// Windows-1252 as the ANSI code page.
#include <array>

#include "platform/LocaleNames.h"

namespace orv::platform {
namespace {

struct LocaleRow {
    uint32_t lcid;
    std::u16string_view iso639, iso3166, abbrevLang, abbrevCountry, name;
};

// clang-format off
constexpr LocaleRow kRows[] = {
    {9, u"en", u"US", u"ENU", u"USA", u"English"},
    {1025, u"ar", u"SA", u"ARA", u"SAU", u"Arabic (Saudi Arabia)"},
    {1026, u"bg", u"BG", u"BGR", u"BGR", u"Bulgarian (Bulgaria)"},
    {1027, u"ca", u"ES", u"CAT", u"ESP", u"Catalan (Catalan)"},
    {1028, u"zh", u"TW", u"CHT", u"TWN", u"Chinese (Traditional, Taiwan)"},
    {1029, u"cs", u"CZ", u"CSY", u"CZE", u"Czech (Czech Republic)"},
    {1030, u"da", u"DK", u"DAN", u"DNK", u"Danish (Denmark)"},
    {1031, u"de", u"DE", u"DEU", u"DEU", u"German (Germany)"},
    {1032, u"el", u"GR", u"ELL", u"GRC", u"Greek (Greece)"},
    {1033, u"en", u"US", u"ENU", u"USA", u"English (United States)"},
    {1034, u"es", u"ES", u"ESP", u"ESP", u"Spanish (Spain, Traditional Sort)"},
    {1035, u"fi", u"FI", u"FIN", u"FIN", u"Finnish (Finland)"},
    {1036, u"fr", u"FR", u"FRA", u"FRA", u"French (France)"},
    {1037, u"he", u"IL", u"HEB", u"ISR", u"Hebrew (Israel)"},
    {1038, u"hu", u"HU", u"HUN", u"HUN", u"Hungarian (Hungary)"},
    {1039, u"is", u"IS", u"ISL", u"ISL", u"Icelandic (Iceland)"},
    {1040, u"it", u"IT", u"ITA", u"ITA", u"Italian (Italy)"},
    {1041, u"ja", u"JP", u"JPN", u"JPN", u"Japanese (Japan)"},
    {1042, u"ko", u"KR", u"KOR", u"KOR", u"Korean (Korea)"},
    {1043, u"nl", u"NL", u"NLD", u"NLD", u"Dutch (Netherlands)"},
    {1044, u"nb", u"NO", u"NOR", u"NOR", u"Norwegian, Bokm\u00e5l (Norway)"},
    {1045, u"pl", u"PL", u"PLK", u"POL", u"Polish (Poland)"},
    {1046, u"pt", u"BR", u"PTB", u"BRA", u"Portuguese (Brazil)"},
    {1047, u"rm", u"CH", u"RMC", u"CHE", u"Romansh (Switzerland)"},
    {1048, u"ro", u"RO", u"ROM", u"ROU", u"Romanian (Romania)"},
    {1049, u"ru", u"RU", u"RUS", u"RUS", u"Russian (Russia)"},
    {1050, u"hr", u"HR", u"HRV", u"HRV", u"Croatian (Croatia)"},
    {1051, u"sk", u"SK", u"SKY", u"SVK", u"Slovak (Slovakia)"},
    {1052, u"sq", u"AL", u"SQI", u"ALB", u"Albanian (Albania)"},
    {1053, u"sv", u"SE", u"SVE", u"SWE", u"Swedish (Sweden)"},
    {1054, u"th", u"TH", u"THA", u"THA", u"Thai (Thailand)"},
    {1055, u"tr", u"TR", u"TRK", u"TUR", u"Turkish (Turkey)"},
    {1056, u"ur", u"PK", u"URD", u"PAK", u"Urdu (Islamic Republic of Pakistan)"},
    {1057, u"id", u"ID", u"IND", u"IDN", u"Indonesian (Indonesia)"},
    {1058, u"uk", u"UA", u"UKR", u"UKR", u"Ukrainian (Ukraine)"},
    {1059, u"be", u"BY", u"BEL", u"BLR", u"Belarusian (Belarus)"},
    {1060, u"sl", u"SI", u"SLV", u"SVN", u"Slovenian (Slovenia)"},
    {1061, u"et", u"EE", u"ETI", u"EST", u"Estonian (Estonia)"},
    {1062, u"lv", u"LV", u"LVI", u"LVA", u"Latvian (Latvia)"},
    {1063, u"lt", u"LT", u"LTH", u"LTU", u"Lithuanian (Lithuania)"},
    {1065, u"fa", u"IR", u"FAR", u"IRN", u"Persian (Iran)"},
    {1066, u"vi", u"VN", u"VIT", u"VNM", u"Vietnamese (Vietnam)"},
    {1067, u"hy", u"AM", u"HYE", u"ARM", u"Armenian (Armenia)"},
    {1069, u"eu", u"ES", u"EUQ", u"ESP", u"Basque (Basque)"},
    {1070, u"hsb", u"DE", u"HSB", u"DEU", u"Upper Sorbian (Germany)"},
    {1071, u"mk", u"MK", u"MKI", u"MKD", u"Macedonian (North Macedonia)"},
    {1072, u"st", u"ZA", u"SOT", u"ZAF", u"Sesotho (South Africa)"},
    {1073, u"ts", u"ZA", u"TSO", u"ZAF", u"Xitsonga (South Africa)"},
    {1074, u"tn", u"ZA", u"TSN", u"ZAF", u"Setswana (South Africa)"},
    {1075, u"ve", u"ZA", u"VEN", u"ZAF", u"Venda (South Africa)"},
    {1076, u"xh", u"ZA", u"XHO", u"ZAF", u"isiXhosa (South Africa)"},
    {1077, u"zu", u"ZA", u"ZUL", u"ZAF", u"isiZulu (South Africa)"},
    {1078, u"af", u"ZA", u"AFK", u"ZAF", u"Afrikaans (South Africa)"},
    {1079, u"ka", u"GE", u"KAT", u"GEO", u"Georgian (Georgia)"},
    {1080, u"fo", u"FO", u"FOS", u"FRO", u"Faroese (Faroe Islands)"},
    {1081, u"hi", u"IN", u"HIN", u"IND", u"Hindi (India)"},
    {1082, u"mt", u"MT", u"MLT", u"MLT", u"Maltese (Malta)"},
    {1083, u"se", u"NO", u"SME", u"NOR", u"Sami, Northern (Norway)"},
    {1084, u"gd", u"GB", u"GLA", u"GBR", u"Scottish Gaelic (United Kingdom)"},
    {1085, u"yi", u"001", u"YID", u"001", u"Yiddish (World)"},
    {1086, u"ms", u"MY", u"MSL", u"MYS", u"Malay (Malaysia)"},
    {1087, u"kk", u"KZ", u"KKZ", u"KAZ", u"Kazakh (Kazakhstan)"},
    {2049, u"ar", u"IQ", u"ARI", u"IRQ", u"Arabic (Iraq)"},
    {2052, u"zh", u"CN", u"CHS", u"CHN", u"Chinese (Simplified, China)"},
    {2055, u"de", u"CH", u"DES", u"CHE", u"German (Switzerland)"},
    {2057, u"en", u"GB", u"ENG", u"GBR", u"English (United Kingdom)"},
    {2058, u"es", u"MX", u"ESM", u"MEX", u"Spanish (Mexico)"},
    {2060, u"fr", u"BE", u"FRB", u"BEL", u"French (Belgium)"},
    {2064, u"it", u"CH", u"ITS", u"CHE", u"Italian (Switzerland)"},
    {2067, u"nl", u"BE", u"NLB", u"BEL", u"Dutch (Belgium)"},
    {2068, u"nn", u"NO", u"NON", u"NOR", u"Norwegian, Nynorsk (Norway)"},
    {2070, u"pt", u"PT", u"PTG", u"PRT", u"Portuguese (Portugal)"},
    {2072, u"ro", u"MD", u"ROD", u"MDA", u"Romanian (Moldova)"},
    {2073, u"ru", u"MD", u"RUM", u"MDA", u"Russian (Moldova)"},
    {2077, u"sv", u"FI", u"SVF", u"FIN", u"Swedish (Finland)"},
    {2108, u"ga", u"IE", u"IRE", u"IRL", u"Irish (Ireland)"},
    {3073, u"ar", u"EG", u"ARE", u"EGY", u"Arabic (Egypt)"},
    {3076, u"zh", u"HK", u"ZHH", u"HKG", u"Chinese (Traditional, Hong Kong SAR)"},
    {3079, u"de", u"AT", u"DEA", u"AUT", u"German (Austria)"},
    {3081, u"en", u"AU", u"ENA", u"AUS", u"English (Australia)"},
    {3084, u"fr", u"CA", u"FRC", u"CAN", u"French (Canada)"},
    {3098, u"sr", u"CS", u"SRB", u"SCG", u"Serbian (Cyrillic, Serbia and Montenegro (Former))"},
    {4097, u"ar", u"LY", u"ARL", u"LBY", u"Arabic (Libya)"},
    {4100, u"zh", u"SG", u"ZHI", u"SGP", u"Chinese (Simplified, Singapore)"},
    {4103, u"de", u"LU", u"DEL", u"LUX", u"German (Luxembourg)"},
    {4105, u"en", u"CA", u"ENC", u"CAN", u"English (Canada)"},
    {4106, u"es", u"GT", u"ESG", u"GTM", u"Spanish (Guatemala)"},
    {4108, u"fr", u"CH", u"FRS", u"CHE", u"French (Switzerland)"},
    {5121, u"ar", u"DZ", u"ARG", u"DZA", u"Arabic (Algeria)"},
    {5127, u"de", u"LI", u"DEC", u"LIE", u"German (Liechtenstein)"},
    {5129, u"en", u"NZ", u"ENZ", u"NZL", u"English (New Zealand)"},
    {5130, u"es", u"CR", u"ESC", u"CRI", u"Spanish (Costa Rica)"},
    {5132, u"fr", u"LU", u"FRL", u"LUX", u"French (Luxembourg)"},
    {6145, u"ar", u"MA", u"ARM", u"MAR", u"Arabic (Morocco)"},
    {6153, u"en", u"IE", u"ENI", u"IRL", u"English (Ireland)"},
    {6154, u"es", u"PA", u"ESA", u"PAN", u"Spanish (Panama)"},
    {7169, u"ar", u"TN", u"ART", u"TUN", u"Arabic (Tunisia)"},
    {7177, u"en", u"ZA", u"ENS", u"ZAF", u"English (South Africa)"},
    {7178, u"es", u"DO", u"ESD", u"DOM", u"Spanish (Dominican Republic)"},
    {8193, u"ar", u"OM", u"ARO", u"OMN", u"Arabic (Oman)"},
    {8201, u"en", u"JM", u"ENJ", u"JAM", u"English (Jamaica)"},
    {8202, u"es", u"VE", u"ESV", u"VEN", u"Spanish (Venezuela)"},
    {9217, u"ar", u"YE", u"ARY", u"YEM", u"Arabic (Yemen)"},
    {9226, u"es", u"CO", u"ESO", u"COL", u"Spanish (Colombia)"},
    {10241, u"ar", u"SY", u"ARS", u"SYR", u"Arabic (Syria)"},
    {10249, u"en", u"BZ", u"ENL", u"BLZ", u"English (Belize)"},
    {10250, u"es", u"PE", u"ESR", u"PER", u"Spanish (Peru)"},
    {11265, u"ar", u"JO", u"ARJ", u"JOR", u"Arabic (Jordan)"},
    {11273, u"en", u"TT", u"ENT", u"TTO", u"English (Trinidad and Tobago)"},
    {11274, u"es", u"AR", u"ESS", u"ARG", u"Spanish (Argentina)"},
    {12289, u"ar", u"LB", u"ARB", u"LBN", u"Arabic (Lebanon)"},
    {12298, u"es", u"EC", u"ESF", u"ECU", u"Spanish (Ecuador)"},
    {13313, u"ar", u"KW", u"ARK", u"KWT", u"Arabic (Kuwait)"},
    {13322, u"es", u"CL", u"ESL", u"CHL", u"Spanish (Chile)"},
    {14337, u"ar", u"AE", u"ARU", u"ARE", u"Arabic (United Arab Emirates)"},
    {14346, u"es", u"UY", u"ESY", u"URY", u"Spanish (Uruguay)"},
    {15361, u"ar", u"BH", u"ARH", u"BHR", u"Arabic (Bahrain)"},
    {15370, u"es", u"PY", u"ESZ", u"PRY", u"Spanish (Paraguay)"},
    {16385, u"ar", u"QA", u"ARQ", u"QAT", u"Arabic (Qatar)"},
    {16394, u"es", u"BO", u"ESB", u"BOL", u"Spanish (Bolivia)"},
    {17418, u"es", u"SV", u"ESE", u"SLV", u"Spanish (El Salvador)"},
    {18442, u"es", u"HN", u"ESH", u"HND", u"Spanish (Honduras)"},
    {19466, u"es", u"NI", u"ESI", u"NIC", u"Spanish (Nicaragua)"},
    {20490, u"es", u"PR", u"ESU", u"PRI", u"Spanish (Puerto Rico)"},
};
// clang-format on

const LocaleRow* Find(uint32_t lcid) {
    for (const auto& r : kRows) {
        if (r.lcid == lcid) return &r;
    }
    return nullptr;
}

// Windows-1252 from 0x80 to 0x9F; the five unassigned bytes cannot be decoded.
constexpr std::array<char16_t, 32> kHigh = {
    0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD, 0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178};

class PosixLocaleNames final : public LocaleNames {
  public:
    uint32_t UserDefaultLCID() override { return 1033; }
    uint16_t SystemDefaultLangID() override { return 1033; }
    bool LocaleInfo(uint32_t lcid, LocaleField field, std::u16string& out) override {
        out.clear();
        const LocaleRow* r = Find(lcid);
        if (r == nullptr) return false;
        switch (field) {
            case LocaleField::Iso639LanguageName:
                out = r->iso639;
                break;
            case LocaleField::Iso3166CountryName:
                out = r->iso3166;
                break;
            case LocaleField::AbbrevLanguageName:
                out = r->abbrevLang;
                break;
            case LocaleField::AbbrevCountryName:
                out = r->abbrevCountry;
                break;
        }
        return true;
    }
    std::u16string LanguageName(uint32_t langId) override {
        const LocaleRow* r = Find(langId);
        return r != nullptr ? std::u16string(r->name) : std::u16string();
    }
    std::u16string AnsiToUtf16(std::string_view bytes) override {
        std::u16string out;
        out.reserve(bytes.size());
        for (const char ch : bytes) {
            const auto b = static_cast<unsigned char>(ch);
            out.push_back(b >= 0x80 && b < 0xA0 ? kHigh[b - 0x80] : static_cast<char16_t>(b));
        }
        return out;
    }
};

LocaleNames* g_replacement = nullptr;

}  // namespace

LocaleNames& DefaultLocaleNames() {
    static PosixLocaleNames instance;
    return instance;
}
LocaleNames& LocNames() {
    return g_replacement != nullptr ? *g_replacement : DefaultLocaleNames();
}
void SetLocaleNames(LocaleNames* replacement) {
    g_replacement = replacement;
}

}  // namespace orv::platform
