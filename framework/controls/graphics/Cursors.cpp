#include "framework/controls/graphics/Cursors.h"

#include "framework/rtl/Exceptions.h"
#include "framework/rtl/Filer.h"

namespace dw {

namespace {

struct TCursorName {
    TCursor Value;
    const char* Name;
};

constexpr TCursorName kCursorNames[] = {
    {crDefault, "crDefault"},     {crNone, "crNone"},           {crArrow, "crArrow"},
    {crCross, "crCross"},         {crIBeam, "crIBeam"},         {crSizeNESW, "crSizeNESW"},
    {crSizeNS, "crSizeNS"},       {crSizeNWSE, "crSizeNWSE"},   {crSizeWE, "crSizeWE"},
    {crUpArrow, "crUpArrow"},     {crHourGlass, "crHourGlass"}, {crDrag, "crDrag"},
    {crNoDrop, "crNoDrop"},       {crHSplit, "crHSplit"},       {crVSplit, "crVSplit"},
    {crMultiDrag, "crMultiDrag"}, {crSQLWait, "crSQLWait"},     {crNo, "crNo"},
    {crAppStart, "crAppStart"},   {crHelp, "crHelp"},           {crHandPoint, "crHandPoint"},
    {crSizeAll, "crSizeAll"},
};

} // namespace

const TTypeInfo& CursorTypeInfo() {
    static const TTypeInfo& info = []() -> const TTypeInfo& {
        const TTypeInfo& t = NamedType(tkInteger, "TCursor", INT16_MIN, INT16_MAX);
        RegisterIntegerConsts(
            t,
            [](const String& ident, std::int32_t& value) {
                int v;
                if (!IdentToCursor(ident, v)) return false;
                value = v;
                return true;
            },
            [](std::int32_t value, String& ident) { return CursorToIdent(value, ident); });
        return t;
    }();
    return info;
}

bool CursorToIdent(int cursor, String& ident) {
    for (const TCursorName& entry : kCursorNames)
        if (entry.Value == cursor) {
            ident = entry.Name;
            return true;
        }
    return false;
}

bool IdentToCursor(const String& ident, int& cursor) {
    if (SameText(ident, "crSize")) {
        cursor = crSize;
        return true;
    }
    for (const TCursorName& entry : kCursorNames)
        if (SameText(ident, entry.Name)) {
            cursor = entry.Value;
            return true;
        }
    return false;
}

String CursorToString(TCursor cursor) {
    String ident;
    if (CursorToIdent(cursor, ident)) return ident;
    return IntToStr(cursor);
}

TCursor StringToCursor(const String& text) {
    int cursor;
    if (IdentToCursor(Trim(text), cursor)) return static_cast<TCursor>(cursor);
    Int64 value;
    if (!TryStrToInt64(text, value) || value < INT16_MIN || value > INT16_MAX)
        throw EConvertError(Format("'%s' is not a valid cursor", text));
    return static_cast<TCursor>(value);
}

void GetCursorValues(const std::function<void(const String& name)>& proc) {
    for (const TCursorName& entry : kCursorNames) proc(entry.Name);
}

} // namespace dw
