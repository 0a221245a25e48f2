#include "framework/rtl/DateUtils.h"

#include "framework/rtl/Exceptions.h"

#include <cmath>
#include <cstdio>

namespace dw {

namespace {

// Days from 1970-01-01 of a civil date, and back (proleptic Gregorian).
Int64 DaysFromCivil(Int64 y, unsigned m, unsigned d) {
    y -= m <= 2;
    const Int64 era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<Int64>(doe) - 719468;
}

void CivilFromDays(Int64 z, Int64& y, unsigned& m, unsigned& d) {
    z += 719468;
    const Int64 era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    y = static_cast<Int64>(yoe) + era * 400;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    d = doy - (153 * mp + 2) / 5 + 1;
    m = mp < 10 ? mp + 3 : mp - 9;
    y += m <= 2;
}

constexpr Int64 DelphiEpochFromUnix = 25569; // days from 1899-12-30 to 1970-01-01

bool DaysInMonthOk(Int64 y, unsigned m, unsigned d) {
    static const unsigned days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (m < 1 || m > 12 || d < 1) return false;
    bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
    return d <= days[m - 1] + (m == 2 && leap ? 1u : 0u);
}

bool ParseDate(std::string_view text, double& days) {
    int y, m, d, used = 0;
    String s(text);
    if (std::sscanf(s.c_str(), "%4d-%2d-%2d%n", &y, &m, &d, &used) != 3 || used != static_cast<int>(s.size()))
        return false;
    if (y < 1 || y > 9999 || !DaysInMonthOk(y, static_cast<unsigned>(m), static_cast<unsigned>(d))) return false;
    days =
        static_cast<double>(DaysFromCivil(y, static_cast<unsigned>(m), static_cast<unsigned>(d)) + DelphiEpochFromUnix);
    return true;
}

bool ParseTime(std::string_view text, double& fraction) {
    int h, n, sec = 0, used = 0;
    String s(text);
    if (std::sscanf(s.c_str(), "%2d:%2d:%2d%n", &h, &n, &sec, &used) != 3 || used != static_cast<int>(s.size())) {
        used = 0;
        sec = 0;
        if (std::sscanf(s.c_str(), "%2d:%2d%n", &h, &n, &used) != 2 || used != static_cast<int>(s.size())) return false;
    }
    if (h < 0 || h > 23 || n < 0 || n > 59 || sec < 0 || sec > 59) return false;
    fraction = (h * 3600 + n * 60 + sec) / 86400.0;
    return true;
}

[[noreturn]] void Invalid(std::string_view text, const char* what) {
    throw EConvertError(Format("'%s' is not a valid %s", String(text), what));
}

} // namespace

String DateToStr(TDateTime value) {
    Int64 y;
    unsigned m, d;
    CivilFromDays(static_cast<Int64>(std::floor(value.Value)) - DelphiEpochFromUnix, y, m, d);
    char buf[32];
    std::snprintf(buf, sizeof buf, "%04lld-%02u-%02u", static_cast<long long>(y), m, d);
    return buf;
}

String TimeToStr(TDateTime value) {
    double fraction = value.Value - std::floor(value.Value);
    auto seconds = static_cast<long long>(std::llround(fraction * 86400.0)) % 86400;
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02lld:%02lld:%02lld", seconds / 3600, seconds / 60 % 60, seconds % 60);
    return buf;
}

String DateTimeToStr(TDateTime value) {
    double fraction = value.Value - std::floor(value.Value);
    String text = DateToStr(value);
    if (fraction != 0) text += " " + TimeToStr(value);
    return text;
}

TDateTime StrToDate(std::string_view text) {
    double days;
    if (!ParseDate(Trim(text), days)) Invalid(text, "date");
    return {days};
}

TDateTime StrToTime(std::string_view text) {
    double fraction;
    if (!ParseTime(Trim(text), fraction)) Invalid(text, "time");
    return {fraction};
}

TDateTime StrToDateTime(std::string_view text) {
    String s = Trim(text);
    size_t space = s.find(' ');
    double days = 0, fraction = 0;
    bool ok = space == String::npos
                  ? ParseDate(s, days) || ParseTime(s, fraction)
                  : ParseDate(s.substr(0, space), days) && ParseTime(Trim(s.substr(space + 1)), fraction);
    if (!ok) Invalid(text, "date and time");
    return {days + fraction};
}

} // namespace dw
