// Text of date-time values: "yyyy-mm-dd", "hh:nn:ss" and both joined by a space, read back with
// a clear error for anything else.
#pragma once

#include "framework/rtl/Variant.h"

namespace dw {

String DateToStr(TDateTime value);
String TimeToStr(TDateTime value);
// The date alone at midnight, the time alone on day 0.
String DateTimeToStr(TDateTime value);
// Each raises EConvertError "'%s' is not a valid date" (time, date and time) for malformed text
// or values out of range (years 1 to 9999).
TDateTime StrToDate(std::string_view text);
TDateTime StrToTime(std::string_view text);
TDateTime StrToDateTime(std::string_view text);

} // namespace dw
