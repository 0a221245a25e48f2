#include "framework/rtl/Parser.h"

#include "framework/rtl/ClassInfo.h"
#include "framework/rtl/Exceptions.h"
#include "framework/rtl/ScopeGuard.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <limits>

namespace dw {

DW_DEFINE_CLASS(TParser) {}

namespace {

enum : Byte { kIdentStart = 1, kIdentChar = 2, kDigit = 4, kHex = 8, kStringStop = 16, kBlank = 32 };

constexpr auto kCharClass = [] {
    std::array<Byte, 256> t{};
    for (int c = 'A'; c <= 'Z'; ++c) t[c] |= kIdentStart | kIdentChar;
    for (int c = 'a'; c <= 'z'; ++c) t[c] |= kIdentStart | kIdentChar;
    for (int c = 0x80; c <= 0xFF; ++c) t[c] |= kIdentStart | kIdentChar;
    t['_'] |= kIdentStart | kIdentChar;
    for (int c = '0'; c <= '9'; ++c) t[c] |= kIdentChar | kDigit | kHex;
    for (int c = 'A'; c <= 'F'; ++c) t[c] |= kHex;
    for (int c = 'a'; c <= 'f'; ++c) t[c] |= kHex;
    t['\''] |= kStringStop;
    t['\r'] |= kStringStop;
    t['\n'] |= kStringStop;
    t[0] |= kStringStop;
    t[' '] |= kBlank;
    t['\t'] |= kBlank;
    t['\v'] |= kBlank;
    t['\f'] |= kBlank;
    return t;
}();

inline bool CharIs(char c, Byte cls) {
    return (kCharClass[static_cast<Byte>(c)] & cls) != 0;
}

inline int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    return (c | 0x20) - 'a' + 10;
}

// UTF-8 generalised to lone surrogates, so that an escape such as #55296 survives until the
// string is turned into UTF-16.
void AppendCodePoint(String& out, char32_t cp) {
    if (cp < 0x80) {
        out += char(cp);
    } else if (cp < 0x800) {
        out += char(0xC0 | (cp >> 6));
        out += char(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += char(0xE0 | (cp >> 12));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    } else {
        out += char(0xF0 | (cp >> 18));
        out += char(0x80 | ((cp >> 12) & 0x3F));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    }
}

} // namespace

WideString TokenTextToWide(std::string_view text) {
    WideString out;
    out.reserve(text.size());
    const auto* p = reinterpret_cast<const Byte*>(text.data());
    const auto* end = p + text.size();
    auto cont = [&](int i) { return p + i < end && (p[i] & 0xC0) == 0x80; };
    while (p < end) {
        Byte b = *p;
        if (b < 0x80) {
            out += WideChar(b);
            ++p;
        } else if (b >= 0xC2 && b <= 0xDF && cont(1)) {
            out += WideChar(((b & 0x1F) << 6) | (p[1] & 0x3F));
            p += 2;
        } else if (b >= 0xE0 && b <= 0xEF && cont(1) && cont(2) && (b != 0xE0 || p[1] >= 0xA0)) {
            out += WideChar(((b & 0x0F) << 12) | ((p[1] & 0x3F) << 6) | (p[2] & 0x3F));
            p += 3;
        } else if (b >= 0xF0 && b <= 0xF4 && cont(1) && cont(2) && cont(3) && (b != 0xF0 || p[1] >= 0x90) &&
                   (b != 0xF4 || p[1] < 0x90)) {
            char32_t cp = ((b & 0x07) << 18) | ((p[1] & 0x3F) << 12) | ((p[2] & 0x3F) << 6) | (p[3] & 0x3F);
            cp -= 0x10000;
            out += WideChar(0xD800 + (cp >> 10));
            out += WideChar(0xDC00 + (cp & 0x3FF));
            p += 4;
        } else {
            out += WideChar(0xFFFD);
            ++p;
        }
    }
    return out;
}

TParser::TParser(TStream& stream) : FStream(stream) {
    FStreamStart = stream.Position();
    Int64 size = stream.Size() - FStreamStart;
    if (size > 0) {
        FText.resize(static_cast<size_t>(size));
        stream.ReadBuffer(FText.data(), size);
    }
    if (FText.size() >= 3 && FText.compare(0, 3, "\xEF\xBB\xBF") == 0) FPos = 3;
    {
        auto undo = ScopeFail([&] { FStream.Seek(FStreamStart + static_cast<Int64>(FPos), TSeekOrigin::soBeginning); });
        NextToken();
    }
}

TParser::~TParser() {
    try {
        FStream.Seek(FStreamStart + static_cast<Int64>(FPos), TSeekOrigin::soBeginning);
    } catch (...) {
        // A stream that cannot seek back has nothing to tell the caller at this point.
    }
}

void TParser::ErrorAtLine(int line, const String& message) const {
    throw ETextParserError(Format("Line %d: %s", line, message), line);
}

void TParser::Error(const String& message) const {
    ErrorAtLine(FTokenLine, message);
}

void TParser::ErrorExpected(const String& expected) const {
    Error(Format("%s expected but %s found", expected, TokenDescription()));
}

String TParser::TokenDescription() const {
    switch (FToken) {
    case toEOF:
        return "end of file";
    case toString: {
        // Control characters as #n, so that the message stays on one line.
        constexpr size_t maxShown = 24;
        String shown;
        for (size_t i = 0; i < FTokenString.size() && i < maxShown; ++i) {
            Byte c = static_cast<Byte>(FTokenString[i]);
            if (c < 32 || c == 127)
                shown += "#" + IntToStr(c);
            else
                shown += FTokenString[i];
        }
        return "string '" + shown + (FTokenString.size() > maxShown ? "...'" : "'");
    }
    case toSymbol:
    case toInteger:
    case toFloat:
        return "'" + FTokenString + "'";
    default:
        return String("'") + FToken + "'";
    }
}

void TParser::SkipBlanks() {
    for (;;) {
        char c = FText[FPos];
        if (CharIs(c, kBlank)) {
            ++FPos;
        } else if (c == '\n') {
            ++FPos;
            ++FLine;
        } else if (c == '\r') {
            ++FPos;
            if (FText[FPos] == '\n') ++FPos;
            ++FLine;
        } else {
            return;
        }
    }
}

char TParser::NextToken() {
    SkipBlanks();
    FTokenStart = FPos;
    FTokenLine = FLine;
    FFloatType = 0;
    char c = FText[FPos];
    if (CharIs(c, kIdentStart)) {
        ScanIdentifier();
    } else if (CharIs(c, kDigit) || c == '$' || (c == '-' && CharIs(FText[FPos + 1], kDigit))) {
        ScanNumber();
    } else if (c == '\'' || c == '#') {
        ScanString();
    } else if (c == 0 && FPos >= FText.size()) {
        FToken = toEOF;
        FTokenString.clear();
    } else if (static_cast<Byte>(c) < 32 || c == 127) {
        Error(Format("Invalid character #%d", static_cast<int>(static_cast<Byte>(c))));
    } else {
        ++FPos;
        FToken = c;
        FTokenString.assign(1, c);
    }
    return FToken;
}

void TParser::ScanIdentifier() {
    for (;;) {
        while (CharIs(FText[FPos], kIdentChar)) ++FPos;
        if (FText[FPos] == '.' && CharIs(FText[FPos + 1], kIdentStart))
            ++FPos;
        else
            break;
    }
    FToken = toSymbol;
    FTokenString.assign(FText, FTokenStart, FPos - FTokenStart);
}

void TParser::ScanNumber() {
    auto invalidNumber = [&] {
        while (CharIs(FText[FPos], kIdentChar)) ++FPos;
        Error(Format("Invalid number '%s'", FText.substr(FTokenStart, FPos - FTokenStart)));
    };
    if (FText[FPos] == '$') {
        ++FPos;
        std::uint64_t value = 0;
        int digits = 0;
        while (CharIs(FText[FPos], kHex)) {
            if (++digits > 16) invalidNumber();
            value = value << 4 | static_cast<std::uint64_t>(HexValue(FText[FPos]));
            ++FPos;
        }
        if (digits == 0 || CharIs(FText[FPos], kIdentChar)) invalidNumber();
        FTokenString.assign(FText, FTokenStart, FPos - FTokenStart);
        if (value > static_cast<std::uint64_t>(std::numeric_limits<Int64>::max()))
            Error(Format("Integer '%s' is out of range", FTokenString));
        FToken = toInteger;
        FTokenInt = static_cast<Int64>(value);
        return;
    }
    bool negative = FText[FPos] == '-';
    if (negative) ++FPos;
    std::uint64_t value = 0;
    bool overflow = false;
    while (CharIs(FText[FPos], kDigit)) {
        std::uint64_t digit = static_cast<std::uint64_t>(FText[FPos] - '0');
        if (value > (std::numeric_limits<std::uint64_t>::max() - digit) / 10) overflow = true;
        value = value * 10 + digit;
        ++FPos;
    }
    bool isFloat = false;
    if (FText[FPos] == '.' && CharIs(FText[FPos + 1], kDigit)) {
        isFloat = true;
        ++FPos;
        while (CharIs(FText[FPos], kDigit)) ++FPos;
    }
    char e = FText[FPos];
    if ((e == 'e' || e == 'E') &&
        (CharIs(FText[FPos + 1], kDigit) ||
         ((FText[FPos + 1] == '+' || FText[FPos + 1] == '-') && CharIs(FText[FPos + 2], kDigit)))) {
        isFloat = true;
        FPos += 2;
        while (CharIs(FText[FPos], kDigit)) ++FPos;
    }
    char suffix = static_cast<char>(FText[FPos] | 0x20);
    if ((suffix == 's' || suffix == 'c' || suffix == 'd') && !CharIs(FText[FPos + 1], kIdentChar)) {
        isFloat = true;
        FFloatType = suffix;
        ++FPos;
    }
    if (CharIs(FText[FPos], kIdentChar)) invalidNumber();
    FTokenString.assign(FText, FTokenStart, FPos - FTokenStart);
    if (isFloat) {
        FToken = toFloat;
        return;
    }
    std::uint64_t limit = static_cast<std::uint64_t>(std::numeric_limits<Int64>::max()) + (negative ? 1 : 0);
    if (overflow || value > limit) Error(Format("Integer '%s' is out of range", FTokenString));
    FToken = toInteger;
    FTokenInt = negative ? static_cast<Int64>(0 - value) : static_cast<Int64>(value);
}

void TParser::ScanString() {
    FTokenString.clear();
    for (;;) {
        char c = FText[FPos];
        if (c == '\'') {
            ++FPos;
            for (;;) {
                size_t runStart = FPos;
                while (!CharIs(FText[FPos], kStringStop)) ++FPos;
                FTokenString.append(FText, runStart, FPos - runStart);
                char stop = FText[FPos];
                if (stop == '\'') {
                    if (FText[FPos + 1] != '\'') {
                        ++FPos;
                        break;
                    }
                    FTokenString += '\'';
                    FPos += 2;
                } else if (stop == 0 && FPos < FText.size()) {
                    FTokenString += '\0';
                    ++FPos;
                } else {
                    Error("Unterminated string");
                }
            }
        } else if (c == '#') {
            ++FPos;
            std::uint32_t value = 0;
            int digits = 0;
            bool hex = FText[FPos] == '$';
            if (hex) ++FPos;
            // The value stops growing once it is out of range, so it cannot wrap around.
            while (hex ? CharIs(FText[FPos], kHex) : CharIs(FText[FPos], kDigit)) {
                if (value <= 0x10FFFF)
                    value = value * (hex ? 16 : 10) + static_cast<std::uint32_t>(HexValue(FText[FPos]));
                ++FPos;
                ++digits;
            }
            if (digits == 0) Error("Invalid character escape: digits expected after '#'");
            if (value > 0x10FFFF)
                Error(Format("Character escape '%s' is out of range", FText.substr(FTokenStart, FPos - FTokenStart)));
            AppendCodePoint(FTokenString, value);
        } else {
            break;
        }
    }
    FToken = toString;
}

WideString TParser::TokenWideString() const {
    return TokenTextToWide(FTokenString);
}

std::string_view TParser::TokenFloatText() const {
    std::string_view text = FTokenString;
    if (FFloatType) text.remove_suffix(1);
    return text;
}

double TParser::TokenFloat() const {
    std::string_view text = TokenFloatText();
    double value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size())
        Error(Format("Float value '%s' is out of range", FTokenString));
    return value;
}

Int64 TParser::TokenCurrency() const {
    std::string_view text = TokenFloatText();
    size_t i = 0;
    bool negative = i < text.size() && text[i] == '-';
    if (negative) ++i;
    // The significant digits and the power of ten they are scaled by.
    String digits;
    int scale = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) digits += text[i];
    if (i < text.size() && text[i] == '.') {
        for (++i; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
            digits += text[i];
            --scale;
        }
    }
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        bool negExp = i < text.size() && text[i] == '-';
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
        int exponent = 0;
        for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
            exponent = std::min(exponent * 10 + (text[i] - '0'), 100000);
        scale += negExp ? -exponent : exponent;
    }
    scale += 4;
    size_t first = digits.find_first_not_of('0');
    if (first == String::npos) return 0;
    digits.erase(0, first);
    // Digits that fall below the fourth decimal are dropped, rounding half away from zero.
    bool roundUp = false;
    if (scale < 0) {
        size_t drop = static_cast<size_t>(-scale);
        if (drop > digits.size()) {
            digits.clear();
        } else {
            roundUp = digits[digits.size() - drop] >= '5';
            digits.resize(digits.size() - drop);
        }
        scale = 0;
    }
    const std::uint64_t limit = static_cast<std::uint64_t>(std::numeric_limits<Int64>::max()) + (negative ? 1 : 0);
    auto outOfRange = [&] { Error(Format("Currency value '%s' is out of range", FTokenString)); };
    std::uint64_t value = 0;
    for (char d : digits) {
        if (value > (limit - static_cast<std::uint64_t>(d - '0')) / 10) outOfRange();
        value = value * 10 + static_cast<std::uint64_t>(d - '0');
    }
    for (; scale > 0; --scale) {
        if (value != 0 && value > limit / 10) outOfRange();
        value *= 10;
    }
    if (roundUp) {
        if (value == limit) outOfRange();
        ++value;
    }
    return negative ? static_cast<Int64>(0 - value) : static_cast<Int64>(value);
}

bool TParser::TokenSymbolIs(std::string_view symbol) const {
    return FToken == toSymbol && SameText(FTokenString, symbol);
}

void TParser::CheckToken(char token) {
    if (FToken == token) return;
    switch (token) {
    case toSymbol:
        ErrorExpected("Identifier");
    case toString:
        ErrorExpected("String");
    case toInteger:
        ErrorExpected("Integer");
    case toFloat:
        ErrorExpected("Number");
    case toEOF:
        ErrorExpected("End of file");
    default:
        ErrorExpected(String("'") + token + "'");
    }
}

void TParser::CheckTokenSymbol(std::string_view symbol) {
    if (!TokenSymbolIs(symbol)) ErrorExpected("'" + String(symbol) + "'");
}

void TParser::HexToBinary(std::vector<Byte>& data) {
    CheckToken('{');
    for (;;) {
        SkipBlanks();
        while (CharIs(FText[FPos], kHex) && CharIs(FText[FPos + 1], kHex)) {
            data.push_back(static_cast<Byte>(HexValue(FText[FPos]) << 4 | HexValue(FText[FPos + 1])));
            FPos += 2;
        }
        char c = FText[FPos];
        if (c == '}') {
            ++FPos;
            break;
        }
        if (CharIs(c, kBlank) || c == '\r' || c == '\n') continue;
        if (CharIs(c, kHex)) {
            // A digit without a partner: either the count is odd or a stray character follows.
            char next = FText[FPos + 1];
            if (!(CharIs(next, kBlank) || next == '\r' || next == '\n' || next == '}' || next == 0))
                c = FText[++FPos];
            else
                ErrorAtLine(FLine, "Invalid binary data: odd number of hex digits");
        }
        if (c == 0 && FPos >= FText.size()) ErrorAtLine(FLine, "'}' expected but end of file found in binary data");
        if (static_cast<Byte>(c) < 32 || c == 127)
            ErrorAtLine(FLine, Format("Invalid character #%d in binary data", static_cast<int>(static_cast<Byte>(c))));
        if (static_cast<Byte>(c) >= 0x80)
            ErrorAtLine(FLine, Format("Invalid byte $%x in binary data", static_cast<int>(static_cast<Byte>(c))));
        ErrorAtLine(FLine, Format("Invalid character '%s' in binary data", String(1, c)));
    }
    NextToken();
}

} // namespace dw
