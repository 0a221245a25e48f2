// TParser, the tokenizer of the text form of component streams: identifiers, numbers, strings,
// symbols and hexadecimal binary data, with the source line of every token for error messages.
#pragma once

#include "framework/rtl/Object.h"
#include "framework/rtl/Stream.h"

#include <string_view>
#include <vector>

namespace dw {

// Token kinds returned by TParser::NextToken. Any other value is a symbol: the character itself
// ('=', ':', '[', ']', '(', ')', '{', '}', '<', '>', ',', '.', '+', ...).
constexpr char toEOF = 0;
constexpr char toSymbol = 1; // an identifier, possibly dotted: Font.Height, Form1.Button1
constexpr char toString = 2;
constexpr char toInteger = 3;
constexpr char toFloat = 4;

// The text form's lexical rules:
// - Lines end with LF, CR LF or a lone CR. Space, tab, VT, FF and line ends separate tokens; other
//   control characters are errors. A UTF-8 byte order mark at the very start is skipped.
// - Identifiers: a letter, '_' or a byte of $80 and above (so UTF-8 names work), then those and
//   digits; parts joined by '.' without spaces form one identifier.
// - Integers: decimal with an optional '-', or '$' and up to 16 hex digits; the value must fit a
//   signed 64-bit integer.
// - Floats: decimal digits with a fraction ('.' and digits) and/or an exponent ('E', optional sign,
//   digits), or an integer followed by a type suffix. A suffix letter marks the stored type:
//   's' single, 'c' currency, 'd' date (either case); without one the float is the default type.
// - Strings: quoted pieces ('' stands for one quote; a piece ends on its line) and character
//   escapes #n (decimal) or #$n (hex) written back to back: 'abc'#13#10'def'. An escape is the
//   Unicode character n, kept in the token as UTF-8; escapes of lone UTF-16 surrogates are kept in
//   the same generalised encoding so that TokenWideString gives them back. Quoted text is taken
//   byte for byte. Joining pieces across lines with '+' is the grammar's job, not the tokenizer's.
// - Binary data: after a '{' token, HexToBinary reads hex digit pairs, with white space and line
//   ends anywhere between pairs, up to the closing '}'.
class TParser : public TObject {
    DW_CLASS(TParser, TObject)
    // Reads the stream from its current position and moves to the first token.
    explicit TParser(TStream& stream);
    // Leaves the stream positioned just after the current token.
    ~TParser() override;

    char NextToken();
    char Token() const { return FToken; }
    // An identifier or the text of a number as written; the value of a string as UTF-8.
    const String& TokenString() const { return FTokenString; }
    // The value of a string token as UTF-16; invalid UTF-8 in quoted text becomes U+FFFD.
    WideString TokenWideString() const;
    Int64 TokenInt() const { return FTokenInt; }
    // 0 for a float without suffix, otherwise the suffix in lower case: 's', 'c' or 'd'.
    char FloatType() const { return FFloatType; }
    // The float's digits without the suffix, for conversion at the precision the caller needs.
    std::string_view TokenFloatText() const;
    // The float as a double; raises when it is out of range.
    double TokenFloat() const;
    // The float as a currency value scaled by 10000, converted exactly from the decimal text;
    // digits beyond the fourth decimal round half away from zero.
    Int64 TokenCurrency() const;
    // Case-insensitive test of an identifier token.
    bool TokenSymbolIs(std::string_view symbol) const;

    // Raise "'x' expected but 'y' found" unless the current token matches.
    void CheckToken(char token);
    void CheckTokenSymbol(std::string_view symbol);
    // The current token is '{': appends the bytes up to the matching '}' and moves to the token
    // after it.
    void HexToBinary(std::vector<Byte>& data);

    // Raises ETextParserError "Line n: message" for the current token's line.
    [[noreturn]] void Error(const String& message) const;
    [[noreturn]] void ErrorExpected(const String& expected) const;
    // A short description of the current token for messages: 'Left', '=', end of file.
    String TokenDescription() const;

    // The text read (from where the parser started) and the current token's offset in it.
    std::string_view SourceText() const { return FText; }
    size_t TokenOffset() const { return FTokenStart; }

    // The line of the current token, counted from 1.
    int SourceLine() const { return FTokenLine; }
    // The stream position where the current token starts.
    Int64 SourcePos() const { return FStreamStart + static_cast<Int64>(FTokenStart); }

private:
    [[noreturn]] void ErrorAtLine(int line, const String& message) const;
    void SkipBlanks();
    void ScanIdentifier();
    void ScanNumber();
    void ScanString();

    TStream& FStream;
    Int64 FStreamStart = 0;
    // The rest of the stream; the terminating zero of the string marks the end.
    String FText;
    size_t FPos = 0;
    size_t FTokenStart = 0;
    int FLine = 1;
    int FTokenLine = 1;
    char FToken = toEOF;
    String FTokenString;
    Int64 FTokenInt = 0;
    char FFloatType = 0;
};

// Turns the UTF-8 of a string token into UTF-16: encoded lone surrogates become those code units,
// invalid bytes U+FFFD each.
WideString TokenTextToWide(std::string_view text);

} // namespace dw
