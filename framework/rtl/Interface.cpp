// TGUID text conversion.
#include "framework/rtl/Interface.h"
#include "framework/rtl/Exceptions.h"

namespace dw {

namespace detail {
void RaiseBadGuid(std::string_view text) {
    throw EConvertError(Format("'%s' is not a valid GUID", String(text)));
}
} // namespace detail

String TGUID::ToString() const {
    String s = "{" + IntToHex(D1, 8) + "-" + IntToHex(D2, 4) + "-" + IntToHex(D3, 4) + "-";
    for (size_t i = 0; i < 8; ++i) {
        if (i == 2) s += "-";
        s += IntToHex(D4[i], 2);
    }
    return s + "}";
}

} // namespace dw
