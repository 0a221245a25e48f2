// Strings and the small text helpers every layer uses: case-insensitive identifiers, number
// conversion and Format with the classic %s/%d/%x/%f directives.
#pragma once

#include "framework/rtl/Utf8.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace dw {

// UTF-8 text. Identifiers compare without regard to ASCII case.
using String = std::string;
using WideString = std::u16string;
using WideChar = char16_t;
using Byte = std::uint8_t;
using Word = std::uint16_t;
using Cardinal = std::uint32_t;
using Int64 = std::int64_t;

String UpperCase(std::string_view s);
String LowerCase(std::string_view s);
int CompareText(std::string_view a, std::string_view b);
bool SameText(std::string_view a, std::string_view b);
String Trim(std::string_view s);
String TrimLeft(std::string_view s);
String TrimRight(std::string_view s);

// Letters, digits and underscores, not starting with a digit, not empty.
bool IsValidIdent(std::string_view s);

String IntToStr(Int64 value);
String IntToHex(std::uint64_t value, int digits);
// Raises EConvertError naming the text when it is not an integer.
int StrToInt(std::string_view s);
Int64 StrToInt64(std::string_view s);
int StrToIntDef(std::string_view s, int defaultValue);
bool TryStrToInt64(std::string_view s, Int64& value);
// Shortest text that reads back to the same double ("1.5", "100", "1E20").
String FloatToStr(double value);
double StrToFloat(std::string_view s);
bool TryStrToFloat(std::string_view s, double& value);

String WideToUtf8(const WideString& s);
// Invalid UTF-8 sequences become U+FFFD rather than failing: text from files is untrusted.
WideString Utf8ToWide(std::string_view s);

// One argument of Format: an integer, a floating-point number or a string.
class TFormatArg {
public:
    enum class Kind { Integer, Float, Text };
    TFormatArg(int v) : FKind(Kind::Integer), FInt(v) {}
    TFormatArg(long v) : FKind(Kind::Integer), FInt(v) {}
    TFormatArg(long long v) : FKind(Kind::Integer), FInt(v) {}
    TFormatArg(unsigned v) : FKind(Kind::Integer), FInt(v) {}
    TFormatArg(unsigned long v) : FKind(Kind::Integer), FInt(static_cast<Int64>(v)) {}
    TFormatArg(unsigned long long v) : FKind(Kind::Integer), FInt(static_cast<Int64>(v)) {}
    TFormatArg(double v) : FKind(Kind::Float), FFloat(v) {}
    TFormatArg(const char* v) : FKind(Kind::Text), FText(v ? v : "") {}
    TFormatArg(std::string_view v) : FKind(Kind::Text), FText(v) {}
    TFormatArg(const String& v) : FKind(Kind::Text), FText(v) {}
    Kind GetKind() const { return FKind; }
    Int64 AsInteger() const { return FInt; }
    double AsFloat() const { return FFloat; }
    const String& AsText() const { return FText; }

private:
    Kind FKind;
    Int64 FInt = 0;
    double FFloat = 0;
    String FText;
};

// %s, %d, %u, %x, %f, %g, %e, %n, %% with optional width, "-" and precision. A directive that
// does not match its argument, or a missing argument, raises EConvertError.
String FormatV(std::string_view format, const std::vector<TFormatArg>& args);
template <class... Args> String Format(std::string_view format, const Args&... args) {
    return FormatV(format, std::vector<TFormatArg>{TFormatArg(args)...});
}

} // namespace dw
