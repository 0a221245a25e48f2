#include "framework/rtl/Utf8.h"

namespace dw {

namespace {
// The number of bytes a lead byte announces and the bits it carries; 0 for a byte that cannot
// start a sequence.
int SequenceLength(unsigned char lead, char32_t& bits) {
    if (lead < 0x80) {
        bits = lead;
        return 1;
    }
    if ((lead & 0xE0) == 0xC0) {
        bits = lead & 0x1F;
        return 2;
    }
    if ((lead & 0xF0) == 0xE0) {
        bits = lead & 0x0F;
        return 3;
    }
    if ((lead & 0xF8) == 0xF0) {
        bits = lead & 0x07;
        return 4;
    }
    return 0;
}
} // namespace

char32_t NextUtf8(std::string_view s, std::size_t& pos) {
    if (pos >= s.size()) return ReplacementChar;
    char32_t cp = 0;
    int length = SequenceLength(static_cast<unsigned char>(s[pos]), cp);
    if (length == 0) {
        ++pos;
        return ReplacementChar;
    }
    int k = 1;
    for (; k < length; ++k) {
        if (pos + k >= s.size() || !IsUtf8Continuation(s[pos + k])) break;
        cp = (cp << 6) | (static_cast<unsigned char>(s[pos + k]) & 0x3F);
    }
    pos += static_cast<std::size_t>(k);
    if (k < length) return ReplacementChar; // cut short: counts once, however many bytes were there
    static constexpr char32_t minimum[5] = {0, 0, 0x80, 0x800, 0x10000};
    if (cp < minimum[length] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return ReplacementChar;
    return cp;
}

std::u32string Utf8ToCodePoints(std::string_view s) {
    std::u32string out;
    out.reserve(s.size());
    for (std::size_t pos = 0; pos < s.size();) out.push_back(NextUtf8(s, pos));
    return out;
}

std::size_t ValidUtf8Length(std::string_view s, std::size_t pos) {
    if (pos >= s.size()) return 0;
    std::size_t next = pos;
    char32_t cp = NextUtf8(s, next);
    if (cp == ReplacementChar) {
        // U+FFFD written out is itself well formed.
        std::size_t length = next - pos;
        return length == 3 && s.substr(pos, 3) == "\xEF\xBF\xBD" ? 3 : 0;
    }
    return next - pos;
}

bool IsValidUtf8(std::string_view s) {
    for (std::size_t pos = 0; pos < s.size();) {
        std::size_t length = ValidUtf8Length(s, pos);
        if (length == 0) return false;
        pos += length;
    }
    return true;
}

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) cp = ReplacementChar;
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

} // namespace dw
