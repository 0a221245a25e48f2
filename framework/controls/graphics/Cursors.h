// TCursor: the numbers of the standard mouse cursors as controls store them, and their names in
// streams.
#pragma once

#include "framework/rtl/TypInfo.h"

#include <cstdint>
#include <functional>

namespace dw {

// Standard cursors have numbers from 0 downwards; numbers above 0 are free for a program's own
// cursors. -5 is unused: crSize is the same cursor as crSizeAll, so both names read as -22 and
// -22 is written as crSizeAll.
using TCursor = std::int16_t;

constexpr TCursor crDefault = 0;
constexpr TCursor crNone = -1;
constexpr TCursor crArrow = -2;
constexpr TCursor crCross = -3;
constexpr TCursor crIBeam = -4;
constexpr TCursor crSizeNESW = -6;
constexpr TCursor crSizeNS = -7;
constexpr TCursor crSizeNWSE = -8;
constexpr TCursor crSizeWE = -9;
constexpr TCursor crUpArrow = -10;
constexpr TCursor crHourGlass = -11;
constexpr TCursor crDrag = -12;
constexpr TCursor crNoDrop = -13;
constexpr TCursor crHSplit = -14;
constexpr TCursor crVSplit = -15;
constexpr TCursor crMultiDrag = -16;
constexpr TCursor crSQLWait = -17;
constexpr TCursor crNo = -18;
constexpr TCursor crAppStart = -19;
constexpr TCursor crHelp = -20;
constexpr TCursor crHandPoint = -21;
constexpr TCursor crSizeAll = -22;
constexpr TCursor crSize = crSizeAll;

// The named type under which cursor properties are published; streams store standard cursors by
// name (registered on first use).
const TTypeInfo& CursorTypeInfo();

bool CursorToIdent(int cursor, String& ident);
bool IdentToCursor(const String& ident, int& cursor);
// The name, or the decimal number for a cursor without one.
String CursorToString(TCursor cursor);
// A name or a number; raises EConvertError naming the text otherwise.
TCursor StringToCursor(const String& text);
// Calls proc with the name of every standard cursor, from crDefault down to crSizeAll.
void GetCursorValues(const std::function<void(const String& name)>& proc);

} // namespace dw
