// UTF-8 text: decoding code points one at a time, encoding them, and finding character starts.
// One policy for bad input everywhere: a bad sequence (a stray byte, a sequence cut short, an
// overlong form, a surrogate or a value past U+10FFFF) decodes as U+FFFD once, and decoding goes
// on after it; nothing is dropped and nothing is read past the end.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace dw {

constexpr char32_t ReplacementChar = 0xFFFD;

inline bool IsUtf8Continuation(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// The code point at pos; pos moves past it (past a bad sequence's bytes, at least one).
char32_t NextUtf8(std::string_view s, std::size_t& pos);
// Every code point of s.
std::u32string Utf8ToCodePoints(std::string_view s);
// The length of the well-formed sequence at pos, or 0 when the bytes there are not one.
std::size_t ValidUtf8Length(std::string_view s, std::size_t pos);
bool IsValidUtf8(std::string_view s);

// Appends the UTF-8 form of one code point; a surrogate or a value past U+10FFFF becomes U+FFFD.
void AppendUtf8(std::string& out, char32_t codePoint);

} // namespace dw
