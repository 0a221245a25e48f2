#include "framework/rtl/SysUtils.h"

#include "framework/rtl/Exceptions.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace dw {

namespace {
char AsciiUpper(char c) {
    return (c >= 'a' && c <= 'z') ? char(c - 32) : c;
}
char AsciiLower(char c) {
    return (c >= 'A' && c <= 'Z') ? char(c + 32) : c;
}
bool IsSpace(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}
} // namespace

String UpperCase(std::string_view s) {
    String r(s);
    for (char& c : r) c = AsciiUpper(c);
    return r;
}

String LowerCase(std::string_view s) {
    String r(s);
    for (char& c : r) c = AsciiLower(c);
    return r;
}

int CompareText(std::string_view a, std::string_view b) {
    size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        unsigned char ca = static_cast<unsigned char>(AsciiUpper(a[i]));
        unsigned char cb = static_cast<unsigned char>(AsciiUpper(b[i]));
        if (ca != cb) return ca < cb ? -1 : 1;
    }
    if (a.size() == b.size()) return 0;
    return a.size() < b.size() ? -1 : 1;
}

bool SameText(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (AsciiUpper(a[i]) != AsciiUpper(b[i])) return false;
    return true;
}

String TrimLeft(std::string_view s) {
    size_t i = 0;
    while (i < s.size() && (IsSpace(s[i]) || s[i] == '\0')) ++i;
    return String(s.substr(i));
}

String TrimRight(std::string_view s) {
    size_t n = s.size();
    while (n > 0 && (IsSpace(s[n - 1]) || s[n - 1] == '\0')) --n;
    return String(s.substr(0, n));
}

String Trim(std::string_view s) {
    return TrimLeft(TrimRight(s));
}

bool IsValidIdent(std::string_view s) {
    if (s.empty()) return false;
    auto alpha = [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_'; };
    if (!alpha(s[0])) return false;
    for (char c : s)
        if (!alpha(c) && !(c >= '0' && c <= '9')) return false;
    return true;
}

String IntToStr(Int64 value) {
    return std::to_string(value);
}

String IntToHex(std::uint64_t value, int digits) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%0*llX", digits, static_cast<unsigned long long>(value));
    return buf;
}

bool TryStrToInt64(std::string_view s, Int64& value) {
    String t = Trim(s);
    if (t.empty()) return false;
    const char* p = t.data();
    const char* end = p + t.size();
    bool negative = false;
    if (*p == '-' || *p == '+') {
        negative = *p == '-';
        ++p;
    }
    if (p == end) return false;
    int base = 10;
    if (*p == '$') {
        base = 16;
        ++p;
    } else if (end - p > 2 && p[0] == '0' && (p[1] == 'x' || p[1] == 'X')) {
        base = 16;
        p += 2;
    }
    if (p == end) return false;
    std::uint64_t magnitude = 0;
    auto [rest, ec] = std::from_chars(p, end, magnitude, base);
    if (ec != std::errc() || rest != end) return false;
    if (base == 16) {
        // Hexadecimal literals denote bit patterns: $FFFFFFFF is -1 as a 32-bit value only when
        // the caller narrows it, so keep the full 64-bit pattern here.
        value = static_cast<Int64>(magnitude);
        if (negative) value = -value;
        return true;
    }
    if (!negative && magnitude > static_cast<std::uint64_t>(INT64_MAX)) return false;
    if (negative && magnitude > static_cast<std::uint64_t>(INT64_MAX) + 1) return false;
    value = negative ? static_cast<Int64>(0 - magnitude) : static_cast<Int64>(magnitude);
    return true;
}

Int64 StrToInt64(std::string_view s) {
    Int64 v;
    if (!TryStrToInt64(s, v)) throw EConvertError(Format("'%s' is not a valid integer value", String(s)));
    return v;
}

int StrToInt(std::string_view s) {
    Int64 v = StrToInt64(s);
    if (v < INT32_MIN || v > static_cast<Int64>(UINT32_MAX))
        throw EConvertError(Format("'%s' is not a valid integer value", String(s)));
    return static_cast<int>(static_cast<std::int32_t>(static_cast<std::uint32_t>(v)));
}

int StrToIntDef(std::string_view s, int defaultValue) {
    try {
        return StrToInt(s);
    } catch (const EConvertError&) {
        return defaultValue;
    }
}

String FloatToStr(double value) {
    if (std::isnan(value)) return "NAN";
    if (std::isinf(value)) return value > 0 ? "INF" : "-INF";
    char buf[64];
    auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value);
    (void)ec;
    String r(buf, end);
    for (char& c : r)
        if (c == 'e') c = 'E';
    return r;
}

bool TryStrToFloat(std::string_view s, double& value) {
    String t = Trim(s);
    if (t.empty()) return false;
    const char* p = t.data();
    const char* end = p + t.size();
    if (*p == '+') ++p;
    auto [rest, ec] = std::from_chars(p, end, value);
    return ec == std::errc() && rest == end;
}

double StrToFloat(std::string_view s) {
    double v;
    if (!TryStrToFloat(s, v)) throw EConvertError(Format("'%s' is not a valid floating point value", String(s)));
    return v;
}

String WideToUtf8(const WideString& s) {
    String out;
    out.reserve(s.size());
    for (size_t i = 0; i < s.size(); ++i) {
        char32_t c = s[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < s.size() && s[i + 1] >= 0xDC00 && s[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (s[i + 1] - 0xDC00);
            ++i;
        }
        AppendUtf8(out, c);
    }
    return out;
}

WideString Utf8ToWide(std::string_view s) {
    WideString out;
    out.reserve(s.size());
    for (size_t i = 0; i < s.size();) {
        char32_t cp = NextUtf8(s, i);
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out += char16_t(0xD800 + (cp >> 10));
            out += char16_t(0xDC00 + (cp & 0x3FF));
        } else {
            out += char16_t(cp);
        }
    }
    return out;
}

String FormatV(std::string_view fmt, const std::vector<TFormatArg>& args) {
    String out;
    size_t argIndex = 0;
    auto next = [&](char directive) -> const TFormatArg& {
        if (argIndex >= args.size())
            throw EConvertError(Format("Format '%s' has no argument for %%%s", String(fmt), String(1, directive)));
        return args[argIndex++];
    };
    for (size_t i = 0; i < fmt.size(); ++i) {
        char c = fmt[i];
        if (c != '%') {
            out += c;
            continue;
        }
        if (++i >= fmt.size()) throw EConvertError(Format("Format '%s' ends inside a directive", String(fmt)));
        if (fmt[i] == '%') {
            out += '%';
            continue;
        }
        bool leftAlign = false;
        if (fmt[i] == '-') {
            leftAlign = true;
            ++i;
        }
        int width = -1, precision = -1;
        while (i < fmt.size() && std::isdigit(static_cast<unsigned char>(fmt[i])))
            width = (width < 0 ? 0 : width) * 10 + (fmt[i++] - '0');
        if (i < fmt.size() && fmt[i] == '.') {
            ++i;
            precision = 0;
            while (i < fmt.size() && std::isdigit(static_cast<unsigned char>(fmt[i])))
                precision = precision * 10 + (fmt[i++] - '0');
        }
        if (i >= fmt.size()) throw EConvertError(Format("Format '%s' ends inside a directive", String(fmt)));
        char d = static_cast<char>(std::tolower(static_cast<unsigned char>(fmt[i])));
        const TFormatArg& a = next(d);
        String piece;
        char buf[512];
        switch (d) {
        case 'd':
        case 'u':
            if (a.GetKind() != TFormatArg::Kind::Integer)
                throw EConvertError(Format("Format '%s' invalid or incompatible with argument", String(fmt)));
            piece = std::to_string(a.AsInteger());
            if (precision > 0 && static_cast<int>(piece.size()) < precision) {
                bool neg = piece[0] == '-';
                String digits = neg ? piece.substr(1) : piece;
                digits.insert(0, precision - digits.size(), '0');
                piece = neg ? "-" + digits : digits;
            }
            break;
        case 'x':
            if (a.GetKind() != TFormatArg::Kind::Integer)
                throw EConvertError(Format("Format '%s' invalid or incompatible with argument", String(fmt)));
            piece = IntToHex(static_cast<std::uint64_t>(a.AsInteger()), precision < 0 ? 0 : precision);
            break;
        case 'f':
        case 'g':
        case 'e':
        case 'n': {
            double v =
                a.GetKind() == TFormatArg::Kind::Float ? a.AsFloat()
                : a.GetKind() == TFormatArg::Kind::Integer
                    ? double(a.AsInteger())
                    : throw EConvertError(Format("Format '%s' invalid or incompatible with argument", String(fmt)));
            int prec = precision < 0 ? (d == 'g' ? 15 : 2) : precision;
            char spec[8] = {'%', '.', '*', d == 'n' ? 'f' : d, 0};
            std::snprintf(buf, sizeof buf, spec, prec, v);
            piece = buf;
            break;
        }
        case 's':
            if (a.GetKind() == TFormatArg::Kind::Text)
                piece = a.AsText();
            else if (a.GetKind() == TFormatArg::Kind::Integer)
                piece = std::to_string(a.AsInteger());
            else
                piece = FloatToStr(a.AsFloat());
            if (precision >= 0 && static_cast<int>(piece.size()) > precision) piece.resize(precision);
            break;
        default:
            throw EConvertError(Format("Format '%s' has an unknown directive %%%s", String(fmt), String(1, fmt[i])));
        }
        if (width > static_cast<int>(piece.size())) {
            String pad(width - piece.size(), ' ');
            piece = leftAlign ? piece + pad : pad + piece;
        }
        out += piece;
    }
    return out;
}

} // namespace dw
