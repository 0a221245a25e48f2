#include "framework/rtl/FormConvert.h"

#include "framework/rtl/Exceptions.h"
#include "framework/rtl/Filer.h"
#include "framework/rtl/Parser.h"
#include "framework/rtl/ResourceHeader.h"
#include "framework/rtl/Utf8.h"

#include <bit>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>

namespace dw {

namespace {

// ---------------------------------------------------------------------------------------------
// Rules both directions share; each direction accepts exactly what the other can produce.

constexpr std::string_view kLineBreak = "\n";
// Characters of string content per line before a long string continues on the next.
constexpr int kStringLineWidth = 64;
constexpr size_t kBinaryBytesPerLine = 32;
constexpr size_t kFlushSize = 1 << 16;
// A class name length byte of $F0 and above would read as an object prefix.
constexpr size_t kMaxUnprefixedClassName = 0xEF;

constexpr Byte kNoType = 0xFF;

const char* TypeName(Byte type) {
    switch (type) {
    case vaInt8:
        return "Int8";
    case vaInt16:
        return "Int16";
    case vaInt32:
        return "Int32";
    case vaInt64:
        return "Int64";
    case vaExtended:
        return "Extended";
    case vaDouble:
        return "Double";
    case vaSingle:
        return "Single";
    case vaCurrency:
        return "Currency";
    case vaDate:
        return "Date";
    case vaString:
        return "String";
    case vaLString:
        return "LString";
    case vaUTF8String:
        return "UTF8String";
    case vaWString:
        return "WString";
    case vaIdent:
        return "Ident";
    default:
        return nullptr;
    }
}

Byte TypeFromName(std::string_view name) {
    for (Byte t = 0; t <= vaMaxValueType; ++t)
        if (const char* n = TypeName(t); n && SameText(name, n)) return t;
    return kNoType;
}

bool IsIntType(Byte t) {
    return t == vaInt8 || t == vaInt16 || t == vaInt32 || t == vaInt64;
}
bool IsByteStringType(Byte t) {
    return t == vaString || t == vaLString || t == vaUTF8String;
}

Byte MinimalIntType(Int64 v) {
    if (v >= -128 && v <= 127) return vaInt8;
    if (v >= -32768 && v <= 32767) return vaInt16;
    if (v >= std::numeric_limits<std::int32_t>::min() && v <= std::numeric_limits<std::int32_t>::max()) return vaInt32;
    return vaInt64;
}

bool FitsIntType(Int64 v, Byte t) {
    switch (t) {
    case vaInt8:
        return v >= -128 && v <= 127;
    case vaInt16:
        return v >= -32768 && v <= 32767;
    case vaInt32:
        return v >= std::numeric_limits<std::int32_t>::min() && v <= std::numeric_limits<std::int32_t>::max();
    default:
        return true;
    }
}

int IntTypeSize(Byte t) {
    return t == vaInt8 ? 1 : t == vaInt16 ? 2 : t == vaInt32 ? 4 : 8;
}

// The value type a string written without a type name reads back as.
Byte DefaultStringType(std::string_view bytes) {
    for (char c : bytes)
        if (static_cast<Byte>(c) >= 0x80) return vaUTF8String;
    return bytes.size() <= 255 ? vaString : vaLString;
}

bool IsIdentStart(Byte c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || c >= 0x80;
}
bool IsIdentChar(Byte c) {
    return IsIdentStart(c) || (c >= '0' && c <= '9');
}

// Exactly what the tokenizer reads as one identifier.
bool IsTextIdent(std::string_view s) {
    bool partStart = true;
    for (char ch : s) {
        Byte c = static_cast<Byte>(ch);
        if (partStart) {
            if (!IsIdentStart(c)) return false;
            partStart = false;
        } else if (c == '.') {
            partStart = true;
        } else if (!IsIdentChar(c)) {
            return false;
        }
    }
    return !partStart;
}

bool IsReservedWord(std::string_view s) {
    if (s.size() != 3 && s.size() != 6 && s.size() != 9) return false;
    return SameText(s, "object") || SameText(s, "inherited") || SameText(s, "inline") || SameText(s, "end");
}

// A name from the input as it appears in a message: control characters as #n, cut when long, so
// that the message stays on one line.
String Shown(std::string_view s) {
    constexpr size_t maxShown = 40;
    String out;
    for (size_t i = 0; i < s.size() && i < maxShown; ++i) {
        Byte c = static_cast<Byte>(s[i]);
        if (c < 32 || c == 127)
            out += "#" + IntToStr(c);
        else
            out += s[i];
    }
    if (s.size() > maxShown) out += "...";
    return out;
}

// Identifiers that read as vaTrue, vaFalse, vaNil and vaNull (a null variant).
bool IsValueName(std::string_view s) {
    return SameText(s, "True") || SameText(s, "False") || SameText(s, "nil") || SameText(s, "Null");
}

// 80-bit extended floats: 64-bit mantissa with an explicit integer bit, then sign and 15-bit
// exponent, little-endian.
void DoubleToExtended(double d, Byte out[10]) {
    std::uint64_t bits = std::bit_cast<std::uint64_t>(d);
    unsigned sign = static_cast<unsigned>(bits >> 63);
    int exp = static_cast<int>((bits >> 52) & 0x7FF);
    std::uint64_t frac = bits & ((std::uint64_t(1) << 52) - 1);
    std::uint64_t mant = 0;
    unsigned e = 0;
    if (exp == 0x7FF) {
        e = 0x7FFF;
        mant = std::uint64_t(1) << 63 | frac << 11;
    } else if (exp == 0 && frac != 0) {
        int top = 63 - std::countl_zero(frac);
        mant = frac << (63 - top);
        e = static_cast<unsigned>(16383 - 1074 + top);
    } else if (exp != 0) {
        mant = std::uint64_t(1) << 63 | frac << 11;
        e = static_cast<unsigned>(exp - 1023 + 16383);
    }
    for (int i = 0; i < 8; ++i) out[i] = static_cast<Byte>(mant >> (8 * i));
    unsigned se = sign << 15 | e;
    out[8] = static_cast<Byte>(se);
    out[9] = static_cast<Byte>(se >> 8);
}

// The double an extended value equals, when there is one and it is finite.
bool ExtendedToDouble(const Byte in[10], double& d) {
    std::uint64_t mant = 0;
    for (int i = 0; i < 8; ++i) mant |= std::uint64_t(in[i]) << (8 * i);
    unsigned se = in[8] | in[9] << 8;
    int e = static_cast<int>(se & 0x7FFF);
    if (e == 0 && mant == 0) {
        d = (se & 0x8000) ? -0.0 : 0.0;
        return true;
    }
    if (e == 0x7FFF || e == 0 || !(mant >> 63)) return false;
    d = std::ldexp(static_cast<double>(mant), e - 16383 - 63);
    if (se & 0x8000) d = -d;
    if (!std::isfinite(d)) return false;
    Byte back[10];
    DoubleToExtended(d, back);
    return std::memcmp(back, in, 10) == 0;
}

// Shortest decimal text that reads back to the same value, 'E' for the exponent.
template <class F> void AppendShortest(String& out, F value) {
    char buf[64];
    auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value);
    (void)ec;
    for (char* p = buf; p < end; ++p)
        if (*p == 'e') *p = 'E';
    out.append(buf, end);
}

// Characters written as #n inside strings although they are printable: invisible ones, line
// and paragraph separators and direction overrides, so that the text shows what it holds.
bool IsInvisibleChar(char32_t cp) {
    return cp == 0xAD || (cp >= 0x200B && cp <= 0x200F) || (cp >= 0x2028 && cp <= 0x202E) ||
           (cp >= 0x2060 && cp <= 0x206F) || cp == 0xFEFF || (cp >= 0xFFF9 && cp <= 0xFFFB);
}

bool IsLiteralChar(char32_t cp) {
    return (cp >= 32 && cp < 127) || (cp >= 0xA0 && !IsInvisibleChar(cp));
}

// Output through a buffer, written to the stream in large blocks.
class TOutBuffer {
public:
    explicit TOutBuffer(TStream& stream) : FStream(stream) { FBuf.reserve(kFlushSize + 4096); }
    void Put(char c) { FBuf += c; }
    void Put(std::string_view s) { FBuf.append(s); }
    void Put(const void* p, size_t n) { FBuf.append(static_cast<const char*>(p), n); }
    void PutByte(Byte b) { FBuf += static_cast<char>(b); }
    void PutLE(std::uint64_t v, int size) {
        for (int i = 0; i < size; ++i) FBuf += static_cast<char>(v >> (8 * i));
    }
    void PutInt(Int64 v) {
        char buf[24];
        auto [end, ec] = std::to_chars(buf, buf + sizeof buf, v);
        (void)ec;
        FBuf.append(buf, end);
    }
    void Indent(int level) { FBuf.append(static_cast<size_t>(level) * 2, ' '); }
    void MaybeFlush() {
        if (!FHold && FBuf.size() >= kFlushSize) Flush();
    }
    // Keeps everything in the buffer, so that what was written can be looked at and replaced.
    void Hold() { FHold = true; }
    void Flush() {
        FStream.WriteBuffer(FBuf.data(), static_cast<Int64>(FBuf.size()));
        FBuf.clear();
    }
    String& Raw() { return FBuf; }

private:
    TStream& FStream;
    String FBuf;
    bool FHold = false;
};

String KeyOf(const String& path, std::string_view item) {
    return path + '\x01' + String(item);
}

String ChildPath(const String& path, std::string_view name, int index) {
    return path + '/' + (name.empty() ? "#" + std::to_string(index) : UpperCase(name));
}

// Builds the quoted text of a string, splitting it into lines of at most kStringLineWidth
// characters between whole characters and escapes.
class TStringText {
public:
    void Clear() {
        FText.clear();
        FBreaks.clear();
        FWidth = 0;
        FInQuote = false;
    }
    void Char(const char* bytes, size_t n, bool isQuote) {
        Room(isQuote ? 2 : 1);
        Open();
        FText.append(bytes, n);
        if (isQuote) FText += '\'';
    }
    // A run of printable ASCII characters other than the quote.
    void Plain(const char* p, size_t n) {
        while (n > 0) {
            if (FWidth >= kStringLineWidth) BreakLine();
            size_t k = std::min(n, static_cast<size_t>(kStringLineWidth - FWidth));
            Open();
            FText.append(p, k);
            FWidth += static_cast<int>(k);
            p += k;
            n -= k;
        }
    }
    void Escape(std::uint32_t cp) {
        char buf[12];
        buf[0] = '#';
        auto [end, ec] = std::to_chars(buf + 1, buf + sizeof buf, cp);
        (void)ec;
        Room(static_cast<int>(end - buf));
        Close();
        FText.append(buf, end);
    }
    void Finish() {
        Close();
        if (FText.empty()) FText = "''";
    }
    const String& Text() const { return FText; }
    const std::vector<size_t>& Breaks() const { return FBreaks; }

private:
    void Room(int width) {
        if (FWidth > 0 && FWidth + width > kStringLineWidth) BreakLine();
        FWidth += width;
    }
    void BreakLine() {
        Close();
        FBreaks.push_back(FText.size());
        FWidth = 0;
    }
    void Open() {
        if (!FInQuote) FText += '\'';
        FInQuote = true;
    }
    void Close() {
        if (FInQuote) FText += '\'';
        FInQuote = false;
    }

    String FText;
    std::vector<size_t> FBreaks;
    int FWidth = 0;
    bool FInQuote = false;
};

// ---------------------------------------------------------------------------------------------

class TBinaryToText {
public:
    TBinaryToText(const Byte* data, size_t size, Int64 base, TStream& output, const TTextStyle* style)
        : FStart(data), FPos(data), FEnd(data + size), FBase(base), FOut(output), FStyle(style) {
        if (FStyle) {
            FLineBreak = FStyle->LineBreak;
            FOut.Hold();
        }
    }

    TObjectSummary Run() {
        if (FEnd - FPos < 4 || std::memcmp(FPos, FilerSignature, 4) != 0)
            throw EReadError(Format("Invalid stream format: no signature 'TPF0' at offset %d", FBase));
        FPos += 4;
        ConvertObject(0, String(), -1);
        FOut.Flush();
        return FSummary;
    }
    size_t Consumed() const { return static_cast<size_t>(FPos - FStart); }

private:
    [[noreturn]] void Error(const Byte* at, const String& message) const {
        throw EReadError(Format("Offset %d: %s", FBase + (at - FStart), message));
    }
    size_t Left() const { return static_cast<size_t>(FEnd - FPos); }
    Byte ReadByte() {
        if (FPos == FEnd) Error(FPos, "Unexpected end of stream");
        return *FPos++;
    }
    Byte PeekByte() {
        if (FPos == FEnd) Error(FPos, "Unexpected end of stream");
        return *FPos;
    }
    // n bytes of what, checked against what is left.
    const Byte* Take(std::uint64_t n, const char* what) {
        if (n > Left())
            Error(FPos, Format("%s of %d bytes runs past the end of the stream (%d bytes left)", what,
                               static_cast<Int64>(n), static_cast<Int64>(Left())));
        const Byte* p = FPos;
        FPos += n;
        return p;
    }
    std::uint64_t ReadLE(int size, const char* what) {
        const Byte* p = Take(static_cast<std::uint64_t>(size), what);
        std::uint64_t v = 0;
        for (int i = 0; i < size; ++i) v |= std::uint64_t(p[i]) << (8 * i);
        return v;
    }
    std::string_view ReadShortString(const char* what) {
        Byte n = ReadByte();
        const Byte* p = Take(n, what);
        return {reinterpret_cast<const char*>(p), n};
    }
    std::string_view ReadName(const char* what, bool allowEmpty) {
        const Byte* at = FPos;
        std::string_view name = ReadShortString(what);
        if (name.empty() && allowEmpty) return name;
        if (!IsTextIdent(name)) Error(at, Format("%s '%s' is not a valid identifier", what, Shown(name)));
        if (IsReservedWord(name)) Error(at, Format("%s '%s' is a reserved word", what, Shown(name)));
        return name;
    }
    Int64 ReadIntValue(Byte type) {
        std::uint64_t v = ReadLE(IntTypeSize(type), "Integer");
        switch (type) {
        case vaInt8:
            return static_cast<std::int8_t>(v);
        case vaInt16:
            return static_cast<std::int16_t>(v);
        case vaInt32:
            return static_cast<std::int32_t>(v);
        default:
            return static_cast<Int64>(v);
        }
    }
    void PutInt(Int64 v, Byte type) {
        FOut.PutInt(v);
        if (type != MinimalIntType(v)) Annotate(type);
    }
    void Annotate(Byte type) {
        FOut.Put(':');
        FOut.Put(TypeName(type));
    }
    // An integer in brackets after a class name or an item: [2], [2:Int32].
    void ConvertIndex(const char* what) {
        const Byte* at = FPos;
        Byte type = ReadByte();
        if (!IsIntType(type)) Error(at, Format("%s must be an integer, not value type %d", what, type));
        FOut.Put(" [");
        PutInt(ReadIntValue(type), type);
        FOut.Put(']');
    }

    // The text just written from mark on stands for the bytes from start to the current position:
    // the file's own spelling of them replaces it when it has one.
    void Respell(const String& key, size_t mark, const Byte* start, bool checkBytes = true) {
        if (!FStyle) return;
        auto it = FStyle->Spellings.find(key);
        if (it == FStyle->Spellings.end()) return;
        if (checkBytes && (it->second.Bytes.size() != static_cast<size_t>(FPos - start) ||
                           !std::equal(it->second.Bytes.begin(), it->second.Bytes.end(), start)))
            return;
        FOut.Raw().resize(mark);
        FOut.Put(it->second.Text);
    }

    // index: the object's place among its parent's children; -1 for the root.
    void ConvertObject(int level, const String& parentPath, int index) {
        const Byte* at = FPos;
        size_t mark = FOut.Raw().size();
        if (++FObjectDepth > MaxFilerNesting)
            Error(at, Format("Objects are nested deeper than %d levels", MaxFilerNesting));
        ++FSummary.ObjectCount;
        Byte flags = 0;
        if ((PeekByte() & 0xF0) == 0xF0) {
            flags = ReadByte() & 0x0F;
            if (flags == 0 || flags > (ffInherited | ffChildPos | ffInline))
                Error(at, Format("Invalid object prefix $%x", 0xF0 | flags));
        }
        FOut.Indent(level);
        if ((flags & ffInherited) && (flags & ffInline))
            FOut.Put("inherited inline ");
        else if (flags & ffInherited)
            FOut.Put("inherited ");
        else if (flags & ffInline)
            FOut.Put("inline ");
        else
            FOut.Put("object ");
        // The child position comes before the names in the stream but after them in the text.
        const Byte* childPos = FPos;
        if (flags & ffChildPos) SkipIndex();
        std::string_view className = ReadName("Class name", false);
        std::string_view name = ReadName("Object name", true);
        if (level == 0) {
            FSummary.ClassName = String(className);
            FSummary.Name = String(name);
        }
        String path = index < 0 ? String() : ChildPath(parentPath, name, index);
        if (!name.empty()) {
            FOut.Put(name);
            FOut.Put(": ");
        }
        FOut.Put(className);
        if (flags & ffChildPos) {
            const Byte* after = FPos;
            FPos = childPos;
            ConvertIndex("Child position");
            FPos = after;
        }
        FOut.Put(FLineBreak);
        Respell(KeyOf(path, "object"), mark, at);
        while (PeekByte() != 0) {
            const Byte* propStart = FPos;
            mark = FOut.Raw().size();
            std::string_view prop = ReadName("Property name", false);
            FOut.Indent(level + 1);
            FOut.Put(prop);
            FOut.Put(" =");
            ConvertValue(level + 1, true);
            FOut.Put(FLineBreak);
            Respell(KeyOf(path, prop), mark, propStart);
            FOut.MaybeFlush();
        }
        ++FPos;
        for (int index = 0; PeekByte() != 0; ++index) ConvertObject(level + 1, path, index);
        ++FPos;
        mark = FOut.Raw().size();
        FOut.Indent(level);
        FOut.Put("end");
        FOut.Put(FLineBreak);
        Respell(KeyOf(path, "end"), mark, FPos, false);
        --FObjectDepth;
    }
    void SkipIndex() {
        const Byte* at = FPos;
        Byte type = ReadByte();
        if (!IsIntType(type)) Error(at, Format("Child position must be an integer, not value type %d", type));
        Take(static_cast<std::uint64_t>(IntTypeSize(type)), "Integer");
    }

    void EnterValue(const Byte* at) {
        if (++FValueDepth > MaxFilerNesting)
            Error(at, Format("Lists and collections are nested deeper than %d levels", MaxFilerNesting));
    }

    // Writes the value that starts on a line indented by level. afterEquals: it follows "Name =".
    void ConvertValue(int level, bool afterEquals) {
        const Byte* at = FPos;
        Byte type = ReadByte();
        if (afterEquals && type != vaString && type != vaLString && type != vaUTF8String && type != vaWString)
            FOut.Put(' ');
        switch (type) {
        case vaNull:
            // Only a property's value can be null: in a list it would end the list.
            FOut.Put("Null");
            break;
        case vaList:
            EnterValue(at);
            FOut.Put('(');
            while (PeekByte() != vaNull) {
                FOut.Put(FLineBreak);
                FOut.Indent(level + 1);
                ConvertValue(level + 1, false);
                FOut.MaybeFlush();
            }
            ++FPos;
            FOut.Put(')');
            --FValueDepth;
            break;
        case vaInt8:
        case vaInt16:
        case vaInt32:
        case vaInt64:
            PutInt(ReadIntValue(type), type);
            break;
        case vaExtended: {
            const Byte* p = Take(10, "Extended value");
            double d;
            if (ExtendedToDouble(p, d))
                PutPlainFloat(d);
            else
                PutRawHex(p, 10);
            Annotate(vaExtended);
            break;
        }
        case vaDouble:
        case vaDate: {
            const Byte* p = Take(8, "Float value");
            double d = std::bit_cast<double>(static_cast<std::uint64_t>(LoadLE(p, 8)));
            if (!std::isfinite(d)) {
                PutRawHex(p, 8);
                Annotate(type);
            } else if (type == vaDate) {
                AppendShortest(FOut.Raw(), d);
                FOut.Put('d');
            } else {
                PutPlainFloat(d);
            }
            break;
        }
        case vaSingle: {
            const Byte* p = Take(4, "Single value");
            float f = std::bit_cast<float>(static_cast<std::uint32_t>(LoadLE(p, 4)));
            if (!std::isfinite(f)) {
                PutRawHex(p, 4);
                Annotate(vaSingle);
            } else {
                AppendShortest(FOut.Raw(), f);
                FOut.Put('s');
            }
            break;
        }
        case vaCurrency:
            PutCurrency(static_cast<Int64>(ReadLE(8, "Currency value")));
            break;
        case vaString: {
            Byte n = ReadByte();
            PutByteString(Take(n, "String"), n, vaString, level, afterEquals);
            break;
        }
        case vaLString:
        case vaUTF8String: {
            std::uint64_t n = ReadLE(4, "String length");
            PutByteString(Take(n, "String"), static_cast<size_t>(n), type, level, afterEquals);
            break;
        }
        case vaWString: {
            std::uint64_t n = ReadLE(4, "String length");
            const Byte* p = Take(n * 2, "Wide string");
            PutWideString(p, static_cast<size_t>(n), level, afterEquals);
            break;
        }
        case vaIdent: {
            at = FPos;
            std::string_view ident = ReadShortString("Identifier");
            if (!IsTextIdent(ident)) Error(at, Format("Identifier '%s' is not valid", Shown(ident)));
            FOut.Put(ident);
            if (IsValueName(ident)) Annotate(vaIdent);
            break;
        }
        case vaFalse:
            FOut.Put("False");
            break;
        case vaTrue:
            FOut.Put("True");
            break;
        case vaNil:
            FOut.Put("nil");
            break;
        case vaBinary: {
            std::uint64_t n = ReadLE(4, "Binary length");
            PutBinary(Take(n, "Binary data"), static_cast<size_t>(n), level);
            break;
        }
        case vaSet: {
            FOut.Put('[');
            for (bool first = true;; first = false) {
                at = FPos;
                std::string_view element = ReadShortString("Set element");
                if (element.empty()) break;
                if (!IsTextIdent(element))
                    Error(at, Format("Set element '%s' is not a valid identifier", Shown(element)));
                if (!first) FOut.Put(", ");
                FOut.Put(element);
            }
            FOut.Put(']');
            break;
        }
        case vaCollection:
            EnterValue(at);
            FOut.Put('<');
            while (PeekByte() != vaNull) {
                FOut.Put(FLineBreak);
                FOut.Indent(level + 1);
                FOut.Put("item");
                if (IsIntType(PeekByte())) ConvertIndex("Collection item index");
                at = FPos;
                if (ReadByte() != vaList) Error(at, "Collection item expected");
                FOut.Put(FLineBreak);
                while (PeekByte() != 0) {
                    std::string_view prop = ReadName("Property name", false);
                    FOut.Indent(level + 2);
                    FOut.Put(prop);
                    FOut.Put(" =");
                    ConvertValue(level + 2, true);
                    FOut.Put(FLineBreak);
                    FOut.MaybeFlush();
                }
                ++FPos;
                FOut.Indent(level + 1);
                FOut.Put("end");
            }
            ++FPos;
            FOut.Put('>');
            --FValueDepth;
            break;
        default:
            Error(at, Format("Invalid value type %d", type));
        }
    }

    static std::uint64_t LoadLE(const Byte* p, int size) {
        std::uint64_t v = 0;
        for (int i = 0; i < size; ++i) v |= std::uint64_t(p[i]) << (8 * i);
        return v;
    }

    // A float without suffix always shows a fraction or an exponent, so it does not read back as
    // an integer.
    void PutPlainFloat(double d) {
        String& out = FOut.Raw();
        size_t start = out.size();
        AppendShortest(out, d);
        if (out.find_first_of(".E", start) == String::npos) out += ".0";
    }

    void PutCurrency(Int64 v) {
        std::uint64_t u = v < 0 ? 0 - static_cast<std::uint64_t>(v) : static_cast<std::uint64_t>(v);
        if (v < 0) FOut.Put('-');
        char buf[24];
        auto [end, ec] = std::to_chars(buf, buf + sizeof buf, u / 10000);
        (void)ec;
        FOut.Put(buf, static_cast<size_t>(end - buf));
        unsigned frac = static_cast<unsigned>(u % 10000);
        if (frac != 0) {
            char digits[5] = {'.', char('0' + frac / 1000), char('0' + frac / 100 % 10), char('0' + frac / 10 % 10),
                              char('0' + frac % 10)};
            size_t n = 5;
            while (digits[n - 1] == '0') --n;
            FOut.Put(digits, n);
        }
        FOut.Put('c');
    }

    void PutHexBytes(const Byte* p, size_t n) {
        static const char digits[] = "0123456789ABCDEF";
        String& out = FOut.Raw();
        size_t at = out.size();
        out.resize(at + 2 * n);
        for (size_t i = 0; i < n; ++i) {
            out[at + 2 * i] = digits[p[i] >> 4];
            out[at + 2 * i + 1] = digits[p[i] & 15];
        }
    }
    // Raw bytes of a value that has no other notation, on one line.
    void PutRawHex(const Byte* p, size_t n) {
        FOut.Put('{');
        PutHexBytes(p, n);
        FOut.Put('}');
    }
    void PutBinary(const Byte* p, size_t n, int level) {
        FOut.Put('{');
        for (size_t i = 0; i < n; i += kBinaryBytesPerLine) {
            FOut.Put(FLineBreak);
            FOut.Indent(level + 1);
            PutHexBytes(p + i, std::min(kBinaryBytesPerLine, n - i));
            FOut.MaybeFlush();
        }
        FOut.Put('}');
    }

    void PutByteString(const Byte* p, size_t n, Byte type, int level, bool afterEquals) {
        std::string_view bytes(reinterpret_cast<const char*>(p), n);
        if (!IsValidUtf8(bytes)) {
            if (afterEquals) FOut.Put(' ');
            if (n <= kBinaryBytesPerLine)
                PutRawHex(p, n);
            else
                PutBinary(p, n, level);
            Annotate(type);
            return;
        }
        FString.Clear();
        const Byte* end = p + n;
        while (p < end) {
            Byte b = *p;
            if (b < 0x80) {
                if (b >= 32 && b < 127 && b != '\'') {
                    const Byte* run = p;
                    while (p < end && *p >= 32 && *p < 127 && *p != '\'') ++p;
                    FString.Plain(reinterpret_cast<const char*>(run), static_cast<size_t>(p - run));
                    continue;
                }
                if (b == '\'')
                    FString.Char("'", 1, true);
                else
                    FString.Escape(b);
                ++p;
                continue;
            }
            size_t at = static_cast<size_t>(p - reinterpret_cast<const Byte*>(bytes.data()));
            size_t next = at;
            char32_t cp = NextUtf8(bytes, next);
            size_t len = next - at;
            if (IsLiteralChar(cp) && !(FStyle && FStyle->EscapeNonAscii))
                FString.Char(reinterpret_cast<const char*>(p), len, false);
            else
                FString.Escape(cp);
            p += len;
        }
        FString.Finish();
        PutStringText(level, afterEquals);
        if (type != DefaultStringType(bytes)) Annotate(type);
    }

    void PutWideString(const Byte* p, size_t count, int level, bool afterEquals) {
        FString.Clear();
        for (size_t i = 0; i < count; ++i) {
            char32_t cp = static_cast<char32_t>(p[2 * i] | p[2 * i + 1] << 8);
            if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < count) {
                char32_t low = static_cast<char32_t>(p[2 * i + 2] | p[2 * i + 3] << 8);
                if (low >= 0xDC00 && low <= 0xDFFF) {
                    cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
                    ++i;
                }
            }
            if (cp == '\'') {
                FString.Char("'", 1, true);
            } else if (IsLiteralChar(cp) && (cp < 0xD800 || cp > 0xDFFF) &&
                       !(cp >= 0x80 && FStyle && FStyle->EscapeNonAscii)) {
                String utf8;
                AppendUtf8(utf8, cp);
                FString.Char(utf8.data(), utf8.size(), false);
            } else {
                FString.Escape(cp);
            }
        }
        FString.Finish();
        PutStringText(level, afterEquals);
        Annotate(vaWString);
    }

    // The built string: on the same line when it is short, otherwise one piece per line joined
    // with '+'.
    void PutStringText(int level, bool afterEquals) {
        const String& text = FString.Text();
        const auto& breaks = FString.Breaks();
        if (breaks.empty()) {
            if (afterEquals) FOut.Put(' ');
            FOut.Put(text);
            return;
        }
        size_t from = 0;
        for (size_t i = 0; i <= breaks.size(); ++i) {
            size_t to = i < breaks.size() ? breaks[i] : text.size();
            if (i > 0) FOut.Put(" +");
            if (i > 0 || afterEquals) {
                FOut.Put(FLineBreak);
                FOut.Indent(level + 1);
            }
            FOut.Put(std::string_view(text).substr(from, to - from));
            from = to;
        }
    }

    const Byte* FStart;
    const Byte* FPos;
    const Byte* FEnd;
    Int64 FBase;
    TOutBuffer FOut;
    const TTextStyle* FStyle;
    String FLineBreak{kLineBreak};
    TStringText FString;
    int FObjectDepth = 0;
    int FValueDepth = 0;
    TObjectSummary FSummary;
};

// ---------------------------------------------------------------------------------------------

class TTextToBinary {
public:
    TTextToBinary(TParser& parser, TStream& output, TTextStyle* style)
        : FParser(parser), FOut(output), FStyle(style), FText(parser.SourceText()) {
        if (FStyle) {
            FOut.Hold();
            NoteGeneralStyle();
        }
    }

    TObjectSummary Run() {
        FOut.Put(FilerSignature, 4);
        ConvertObject(true, String(), -1);
        FOut.Flush();
        return FSummary;
    }

private:
    bool IsObjectKeyword() const {
        return FParser.TokenSymbolIs("object") || FParser.TokenSymbolIs("inherited") || FParser.TokenSymbolIs("inline");
    }
    void PutShortString(std::string_view s, const char* what, int line) {
        if (s.size() > 255) ErrorAt(line, Format("%s is longer than 255 bytes", what));
        FOut.PutByte(static_cast<Byte>(s.size()));
        FOut.Put(s);
    }
    // A name that must not be a reserved word.
    String TakeName(const char* what) {
        if (FParser.Token() != toSymbol || IsReservedWord(FParser.TokenString())) FParser.ErrorExpected(what);
        FNameLine = FParser.SourceLine();
        String name = FParser.TokenString();
        FParser.NextToken();
        return name;
    }
    [[noreturn]] void ErrorAt(int line, const String& message) {
        throw ETextParserError(Format("Line %d: %s", line, message), line);
    }
    // ':' and a value type name after a value, or kNoType. FTypeLine is where the name is, for
    // the errors that the combination of value and type may raise.
    Byte TakeTypeName() {
        FTypeLine = FParser.SourceLine();
        if (FParser.Token() != ':') return kNoType;
        FParser.NextToken();
        if (FParser.Token() != toSymbol) FParser.ErrorExpected("Value type name");
        Byte type = TypeFromName(FParser.TokenString());
        if (type == kNoType) FParser.Error(Format("Unknown value type '%s'", FParser.TokenString()));
        FParser.NextToken();
        return type;
    }
    [[noreturn]] void TypeMismatch(const char* notation, Byte type) {
        ErrorAt(FTypeLine, Format("%s cannot be stored as %s", notation, TypeName(type)));
    }
    void PutInt(Int64 v, Byte type) {
        FOut.PutByte(type);
        FOut.PutLE(static_cast<std::uint64_t>(v), IntTypeSize(type));
    }
    // An integer with an optional value type name, in brackets after a class name or an item.
    void ConvertIndex() {
        FParser.NextToken();
        FParser.CheckToken(toInteger);
        Int64 v = FParser.TokenInt();
        FParser.NextToken();
        PutIntValue(v);
        FParser.CheckToken(']');
        FParser.NextToken();
    }
    void PutIntValue(Int64 v) {
        Byte type = TakeTypeName();
        if (type == kNoType) type = MinimalIntType(v);
        if (!IsIntType(type)) TypeMismatch("An integer", type);
        if (!FitsIntType(v, type)) ErrorAt(FTypeLine, Format("%d does not fit %s", v, TypeName(type)));
        PutInt(v, type);
    }

    // The first line end and whether characters beyond ASCII are escapes or text.
    void NoteGeneralStyle() {
        size_t lf = FText.find_first_of("\r\n");
        if (lf != std::string_view::npos)
            FStyle->LineBreak = FText[lf] == '\n'                                ? "\n"
                                : lf + 1 < FText.size() && FText[lf + 1] == '\n' ? "\r\n"
                                                                                 : "\r";
        bool utf8 = false, escapes = false;
        for (size_t i = 0; i < FText.size(); ++i) {
            auto c = static_cast<unsigned char>(FText[i]);
            if (c >= 0x80 && !(i < 3 && FText.substr(0, 3) == "\xEF\xBB\xBF")) utf8 = true;
            if (c == '#' && i + 1 < FText.size() && CharIsDigit(FText[i + 1])) {
                unsigned v = 0;
                for (size_t k = i + 1; k < FText.size() && CharIsDigit(FText[k]) && v < 0x110000; ++k)
                    v = v * 10 + static_cast<unsigned>(FText[k] - '0');
                if (v >= 0x80) escapes = true;
            }
        }
        FStyle->EscapeNonAscii = escapes && !utf8;
    }
    static bool CharIsDigit(char c) { return c >= '0' && c <= '9'; }
    size_t LineStart(size_t offset) const {
        offset = std::min(offset, FText.size());
        while (offset > 0 && FText[offset - 1] != '\n' && FText[offset - 1] != '\r') --offset;
        return offset;
    }
    // Notes the lines from the one at textStart up to the current token's line as the spelling of
    // what was written from outMark on.
    void NoteSpelling(const String& key, size_t textStart, size_t outMark, size_t textEnd) {
        if (!FStyle || textEnd <= textStart) return;
        const String& out = FOut.Raw();
        TTextSpelling& spelling = FStyle->Spellings[key];
        spelling.Bytes.assign(out.begin() + static_cast<std::ptrdiff_t>(outMark), out.end());
        spelling.Text = String(FText.substr(textStart, textEnd - textStart));
    }
    size_t CurrentLineStart() const {
        return FParser.Token() == toEOF ? FText.size() : LineStart(FParser.TokenOffset());
    }

    void ConvertObject(bool root, const String& parentPath, int index) {
        if (!IsObjectKeyword()) FParser.ErrorExpected("'object'");
        size_t textStart = LineStart(FParser.TokenOffset());
        size_t outMark = FOut.Raw().size();
        if (++FObjectDepth > MaxFilerNesting)
            FParser.Error(Format("Objects are nested deeper than %d levels", MaxFilerNesting));
        ++FSummary.ObjectCount;
        Byte flags = FParser.TokenSymbolIs("inherited") ? ffInherited : FParser.TokenSymbolIs("inline") ? ffInline : 0;
        FParser.NextToken();
        if ((flags == ffInherited && FParser.TokenSymbolIs("inline")) ||
            (flags == ffInline && FParser.TokenSymbolIs("inherited"))) {
            flags = ffInherited | ffInline;
            FParser.NextToken();
        }
        String name, className = TakeName("Object name");
        if (FParser.Token() == ':') {
            FParser.NextToken();
            name = std::move(className);
            className = TakeName("Class name");
        }
        // In the stream the prefix and the child position come before the names.
        bool hasChildPos = FParser.Token() == '[';
        if (hasChildPos) flags |= ffChildPos;
        if (flags) FOut.PutByte(static_cast<Byte>(0xF0 | flags));
        if (hasChildPos) ConvertIndex();
        if (flags == 0 && className.size() > kMaxUnprefixedClassName)
            ErrorAt(FNameLine, Format("Class name is longer than %d bytes", static_cast<int>(kMaxUnprefixedClassName)));
        PutShortString(className, "Class name", FNameLine);
        PutShortString(name, "Object name", FNameLine);
        if (root) {
            FSummary.Name = name;
            FSummary.ClassName = className;
        }
        String path = root ? String() : ChildPath(parentPath, name, index);
        NoteSpelling(KeyOf(path, "object"), textStart, outMark, CurrentLineStart());
        while (FParser.Token() == toSymbol && !FParser.TokenSymbolIs("end") && !IsObjectKeyword()) {
            textStart = LineStart(FParser.TokenOffset());
            outMark = FOut.Raw().size();
            String prop = FParser.TokenString();
            ConvertProperty();
            NoteSpelling(KeyOf(path, prop), textStart, outMark, CurrentLineStart());
        }
        FOut.PutByte(0);
        for (int index = 0; IsObjectKeyword(); ++index) ConvertObject(false, path, index);
        FParser.CheckTokenSymbol("end");
        FOut.PutByte(0);
        FOut.MaybeFlush();
        --FObjectDepth;
        textStart = LineStart(FParser.TokenOffset());
        // The root's end is the last token read, so that the input is left just after it.
        if (!root) {
            FParser.NextToken();
            NoteSpelling(KeyOf(path, "end"), textStart, FOut.Raw().size(), CurrentLineStart());
        } else if (FStyle) {
            size_t end = FParser.TokenOffset() + 3;
            if (end < FText.size() && FText[end] == '\r') ++end;
            if (end < FText.size() && FText[end] == '\n' && (end == 0 || FText[end - 1] != '\n')) ++end;
            NoteSpelling(KeyOf(path, "end"), textStart, FOut.Raw().size(), end);
        }
    }

    void ConvertProperty() {
        PutShortString(FParser.TokenString(), "Property name", FParser.SourceLine());
        FParser.NextToken();
        FParser.CheckToken('=');
        FParser.NextToken();
        ConvertValue();
    }

    void EnterValue() {
        if (++FValueDepth > MaxFilerNesting)
            FParser.Error(Format("Lists and collections are nested deeper than %d levels", MaxFilerNesting));
    }

    // inList: the value is an item of a list, where a null would end the list.
    void ConvertValue(bool inList = false) {
        switch (FParser.Token()) {
        case toInteger: {
            Int64 v = FParser.TokenInt();
            FParser.NextToken();
            PutIntValue(v);
            break;
        }
        case toFloat:
            ConvertFloat();
            break;
        case toString:
            ConvertString();
            break;
        case toSymbol: {
            String ident = FParser.TokenString();
            int line = FParser.SourceLine();
            FParser.NextToken();
            Byte type = TakeTypeName();
            if (type != kNoType && type != vaIdent) TypeMismatch("An identifier", type);
            if (type == kNoType && SameText(ident, "True"))
                FOut.PutByte(vaTrue);
            else if (type == kNoType && SameText(ident, "False"))
                FOut.PutByte(vaFalse);
            else if (type == kNoType && SameText(ident, "nil"))
                FOut.PutByte(vaNil);
            else if (type == kNoType && SameText(ident, "Null")) {
                if (inList) ErrorAt(line, "Null cannot be a list item");
                FOut.PutByte(vaNull);
            } else {
                FOut.PutByte(vaIdent);
                PutShortString(ident, "Identifier", line);
            }
            break;
        }
        case '[':
            FOut.PutByte(vaSet);
            FParser.NextToken();
            if (FParser.Token() != ']') {
                for (;;) {
                    if (FParser.Token() != toSymbol) FParser.ErrorExpected("Set element");
                    PutShortString(FParser.TokenString(), "Set element", FParser.SourceLine());
                    FParser.NextToken();
                    if (FParser.Token() == ']') break;
                    FParser.CheckToken(',');
                    FParser.NextToken();
                }
            }
            FOut.PutByte(0);
            FParser.NextToken();
            break;
        case '(':
            EnterValue();
            FOut.PutByte(vaList);
            FParser.NextToken();
            while (FParser.Token() != ')') {
                if (FParser.Token() == toEOF) FParser.ErrorExpected("')'");
                ConvertValue(true);
            }
            FOut.PutByte(vaNull);
            FParser.NextToken();
            --FValueDepth;
            break;
        case '{':
            ConvertBinary();
            break;
        case '<':
            EnterValue();
            FOut.PutByte(vaCollection);
            FParser.NextToken();
            while (FParser.TokenSymbolIs("item")) {
                FParser.NextToken();
                if (FParser.Token() == '[') ConvertIndex();
                FOut.PutByte(vaList);
                while (FParser.Token() == toSymbol && !FParser.TokenSymbolIs("end")) {
                    if (IsReservedWord(FParser.TokenString())) FParser.ErrorExpected("Property name");
                    ConvertProperty();
                }
                FParser.CheckTokenSymbol("end");
                FOut.PutByte(vaNull);
                FParser.NextToken();
            }
            if (FParser.Token() != '>') FParser.ErrorExpected("'item' or '>'");
            FOut.PutByte(vaNull);
            FParser.NextToken();
            --FValueDepth;
            break;
        default:
            FParser.ErrorExpected("Value");
        }
        FOut.MaybeFlush();
    }

    void ConvertFloat() {
        char suffix = FParser.FloatType();
        double d = 0;
        Int64 currency = 0;
        float single = 0;
        // Converted before the type name is read, so that errors name the number's line.
        int line = FParser.SourceLine();
        String text = FParser.TokenString();
        if (suffix == 'c')
            currency = FParser.TokenCurrency();
        else if (suffix == 's')
            single = ParseSingle();
        else
            d = FParser.TokenFloat();
        FParser.NextToken();
        Byte type = TakeTypeName();
        Byte given = suffix == 's' ? vaSingle : suffix == 'c' ? vaCurrency : suffix == 'd' ? vaDate : vaDouble;
        if (type == kNoType) type = given;
        if (suffix && type != given) ErrorAt(FTypeLine, Format("%s cannot be stored as %s", text, TypeName(type)));
        switch (type) {
        case vaExtended: {
            Byte ext[10];
            DoubleToExtended(d, ext);
            FOut.PutByte(vaExtended);
            FOut.Put(ext, 10);
            break;
        }
        case vaDouble:
        case vaDate:
            FOut.PutByte(type);
            FOut.PutLE(std::bit_cast<std::uint64_t>(d), 8);
            break;
        case vaSingle:
            // Converted from the text, not through the double, so "0.1:Single" is the float
            // nearest to 0.1.
            if (!suffix) {
                auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), single);
                if (ec != std::errc()) ErrorAt(line, Format("Float value '%s' is out of range", text));
            }
            FOut.PutByte(vaSingle);
            FOut.PutLE(std::bit_cast<std::uint32_t>(single), 4);
            break;
        case vaCurrency:
            if (!suffix) {
                // Currency is converted exactly from the text, not through a double.
                throw ETextParserError(
                    Format("Line %d: write currency values with the suffix c, as in %sc", line, text), line);
            }
            FOut.PutByte(vaCurrency);
            FOut.PutLE(static_cast<std::uint64_t>(currency), 8);
            break;
        default:
            ErrorAt(FTypeLine, Format("%s cannot be stored as %s", text, TypeName(type)));
        }
    }
    float ParseSingle() {
        std::string_view text = FParser.TokenFloatText();
        float f = 0;
        auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), f);
        if (ec != std::errc() || end != text.data() + text.size())
            FParser.Error(Format("Float value '%s' is out of range", FParser.TokenString()));
        return f;
    }

    void ConvertString() {
        FString = FParser.TokenString();
        FParser.NextToken();
        while (FParser.Token() == '+') {
            FParser.NextToken();
            FParser.CheckToken(toString);
            FString += FParser.TokenString();
            FParser.NextToken();
        }
        Byte type = TakeTypeName();
        if (type == kNoType) type = DefaultStringType(FString);
        if (type == vaWString) {
            WideString wide = TokenTextToWide(FString);
            if (wide.size() > 0xFFFFFFFFu) FParser.Error("String is too long");
            FOut.PutByte(vaWString);
            FOut.PutLE(wide.size(), 4);
            for (WideChar c : wide) FOut.PutLE(c, 2);
            return;
        }
        if (!IsByteStringType(type)) TypeMismatch("A string", type);
        PutByteString(FString, type);
    }
    void PutByteString(std::string_view bytes, Byte type) {
        if (type == vaString && bytes.size() > 255)
            ErrorAt(FTypeLine, Format("String of %d bytes is too long for String (255 at most)",
                                      static_cast<Int64>(bytes.size())));
        if (bytes.size() > 0xFFFFFFFFu) FParser.Error("String is too long");
        FOut.PutByte(type);
        if (type == vaString)
            FOut.PutByte(static_cast<Byte>(bytes.size()));
        else
            FOut.PutLE(bytes.size(), 4);
        FOut.Put(bytes);
    }

    void ConvertBinary() {
        FBytes.clear();
        FParser.HexToBinary(FBytes);
        Byte type = TakeTypeName();
        std::string_view bytes(reinterpret_cast<const char*>(FBytes.data()), FBytes.size());
        if (type == kNoType) {
            if (FBytes.size() > 0xFFFFFFFFu) FParser.Error("Binary data is too long");
            FOut.PutByte(vaBinary);
            FOut.PutLE(FBytes.size(), 4);
            FOut.Put(bytes);
        } else if (IsByteStringType(type)) {
            PutByteString(bytes, type);
        } else if (type == vaExtended || type == vaDouble || type == vaDate || type == vaSingle) {
            size_t size = type == vaExtended ? 10 : type == vaSingle ? 4 : 8;
            if (FBytes.size() != size)
                ErrorAt(FTypeLine, Format("%s takes %d bytes of raw data, not %d", TypeName(type),
                                          static_cast<Int64>(size), static_cast<Int64>(FBytes.size())));
            FOut.PutByte(type);
            FOut.Put(bytes);
        } else {
            TypeMismatch("Binary data", type);
        }
    }

    TParser& FParser;
    TOutBuffer FOut;
    TTextStyle* FStyle;
    std::string_view FText;
    String FString;
    std::vector<Byte> FBytes;
    int FObjectDepth = 0;
    int FValueDepth = 0;
    int FTypeLine = 0;
    int FNameLine = 0;
    TObjectSummary FSummary;
};

// The bytes of a stream from its position on (at most limit of them), without a copy when it is
// a memory stream.
struct TInputBytes {
    const Byte* Data = nullptr;
    size_t Size = 0;
    Int64 Start = 0;
    std::vector<Byte> Copy;
};

void ReadInput(TStream& stream, Int64 limit, TInputBytes& in) {
    in.Start = stream.Position();
    Int64 size = std::max<Int64>(stream.Size() - in.Start, 0);
    if (limit >= 0) size = std::min(size, limit);
    if (size == 0) {
        in.Data = nullptr;
    } else if (auto* memory = As<TMemoryStream>(&stream)) {
        in.Data = memory->Memory() + in.Start;
    } else {
        in.Copy.resize(static_cast<size_t>(size));
        stream.ReadBuffer(in.Copy.data(), size);
        in.Data = in.Copy.data();
    }
    in.Size = static_cast<size_t>(size);
}

TObjectSummary BinaryToText(TStream& input, TStream& output, Int64 limit, const TTextStyle* style) {
    TInputBytes in;
    ReadInput(input, limit, in);
    TBinaryToText converter(in.Data, in.Size, in.Start, output, style);
    TObjectSummary summary = converter.Run();
    input.SetPosition(in.Start + static_cast<Int64>(limit >= 0 ? in.Size : converter.Consumed()));
    return summary;
}

} // namespace

void TTextStyle::Merge(const TTextStyle& other) {
    for (const auto& [key, spelling] : other.Spellings) {
        TTextSpelling& mine = Spellings[key] = spelling;
        // The other file's lines take this file's line ends.
        if (other.LineBreak == LineBreak) continue;
        String text;
        for (size_t at = 0; at < mine.Text.size();) {
            if (mine.Text.compare(at, other.LineBreak.size(), other.LineBreak) == 0) {
                text += LineBreak;
                at += other.LineBreak.size();
            } else {
                text += mine.Text[at++];
            }
        }
        mine.Text = std::move(text);
    }
}

TObjectSummary ObjectBinaryToText(TStream& input, TStream& output, const TTextStyle* style) {
    return BinaryToText(input, output, -1, style);
}

TObjectSummary ObjectTextToBinary(TStream& input, TStream& output, TTextStyle* style) {
    TParser parser(input);
    TTextToBinary converter(parser, output, style);
    return converter.Run();
}

TObjectSummary ObjectResourceToText(TStream& input, TStream& output) {
    Int64 length = ReadResourceHeader(input);
    return BinaryToText(input, output, length, nullptr);
}

TObjectSummary ObjectTextToResource(TStream& input, TStream& output) {
    TMemoryStream binary;
    TObjectSummary summary = ObjectTextToBinary(input, binary);
    Int64 lengthPos = WriteResourceHeader(output, summary.ClassName);
    output.WriteBuffer(binary.Memory(), binary.Size());
    FixupResourceHeader(output, lengthPos);
    return summary;
}

} // namespace dw
