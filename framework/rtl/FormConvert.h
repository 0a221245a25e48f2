// Conversion between the binary form of a component stream (see Filer.h) and its text form, on
// the bytes alone: no class needs to be registered, and binary -> text -> binary gives back the
// same bytes.
#pragma once

#include "framework/rtl/Stream.h"

#include <unordered_map>
#include <vector>

namespace dw {

// The text form:
//
//   object Form1: TForm1               one object: keyword, name (may be absent), class
//     Caption = 'Hello'                properties, one per line, indented two spaces per level
//     object Button1: TButton [2]      children after the properties; [n] is the child position
//     end
//   end
//
// The keyword is object, inherited (ffInherited), inline (ffInline) or inherited inline (both).
// object, inherited, inline and end are reserved: they are never names of objects, classes or
// properties. Lines end with LF; the reader also takes CR LF.
//
// Values and the value type each gives when read back:
//   12, -3, $FF            integer: the smallest of vaInt8, vaInt16, vaInt32, vaInt64 that holds it
//   1.5, 2.0, 1E+20        vaDouble (the framework's floats are doubles)
//   1.5s  45000.5d  1.25c  vaSingle, vaDate, vaCurrency (currency exact to four decimals)
//   'text'#13#10'more'     string: quoted text, '' for a quote, #n for the Unicode character n.
//                          Control characters, C1 controls and invisible or line-breaking
//                          characters are written as #n, everything else as UTF-8 text. Long
//                          strings continue on the next line after a '+'. Pure ASCII is
//                          vaString up to 255 bytes and vaLString above; anything else is
//                          vaUTF8String.
//   Left, clRed, nil, True identifier (vaIdent); True, False, nil and Null are vaTrue, vaFalse,
//                          vaNil and vaNull (a null variant, so never a list item)
//   [akLeft, akTop]        set
//   ( 'a' 'b' )            list, one item per line
//   { 0A1B... }            binary, 32 bytes (64 hex digits) per line
//   < item ... end >       collection; item [n] gives the item's index
//
// A value whose value type differs from the one its notation gives is followed by ':' and the
// value type's name without the "va": 5:Int32, 1.5:Extended, 'abc':LString, 'x':WString,
// True:Ident. Strings that are not valid UTF-8 and floats that have no decimal form (NaN,
// infinities, extended values no double holds) are written as their raw bytes in braces with
// the type: {0000C07F}:Single, {C3}:String.
// The few binary streams no text expresses are refused: names and identifiers that the text
// form cannot spell or that are reserved words, and object prefixes without flags or with
// unknown ones.
//
// Reading stops after the root object (the input stream is left just after it, so several
// objects can follow one another). Untrusted input is safe to convert: objects nest at most
// MaxFilerNesting deep and so do lists and collections within a value, every length is checked
// against the input, and every failure raises EReadError ("Offset n: ...", the offset in the
// input stream) for the binary form and ETextParserError ("Line n: ...") for the text form.

// What a conversion saw: the root object's name and class and the number of objects in all.
struct TObjectSummary {
    String Name;
    String ClassName;
    int ObjectCount = 0;
};

// The text style of a form file, noted when its text is read and followed when it is written
// again, so that a form written back unchanged is the same text: its line ends, how it spells
// characters beyond ASCII, and the exact lines of every object header, property and end (the
// digits of a float, the escapes and line wrapping of a string, the line breaks of binary data),
// each with the binary form it stands for: an item whose binary form is still the same is written
// as those lines, anything else in the default notation.
struct TTextSpelling {
    std::vector<Byte> Bytes;
    String Text;
};
struct TTextStyle {
    String LineBreak = "\n";
    // Characters beyond ASCII as #n escapes (the file had those and no UTF-8 text).
    bool EscapeNonAscii = false;
    // By object path (names from the root down) and item (a property name, "object" or "end").
    std::unordered_map<String, TTextSpelling> Spellings;
    // Takes other's spellings in addition to (and over) these; the general style stays.
    void Merge(const TTextStyle& other);
};

// Binary component stream (starting with the signature "TPF0") to text, in the given style.
TObjectSummary ObjectBinaryToText(TStream& input, TStream& output, const TTextStyle* style = nullptr);
// Text to a binary component stream, signature included; notes the text's style when asked.
TObjectSummary ObjectTextToBinary(TStream& input, TStream& output, TTextStyle* style = nullptr);
// The same behind a resource header (see ResourceHeader.h): the input starts with the header;
// the output gets one named after the root's class.
TObjectSummary ObjectResourceToText(TStream& input, TStream& output);
TObjectSummary ObjectTextToResource(TStream& input, TStream& output);

} // namespace dw
