#include "framework/rtl/Resources.h"

#include <map>

namespace dw {

namespace {
std::map<String, TResourceData>& Table() {
    static std::map<String, TResourceData> table;
    return table;
}
String Key(const String& name, const String& type) {
    return UpperCase(type) + "/" + UpperCase(name);
}
} // namespace

void RegisterResource(const String& name, const String& type, const unsigned char* data, size_t size) {
    Table()[Key(name, type)] = TResourceData{data, size};
}

TResourceData FindResource(const String& name, const String& type) {
    auto it = Table().find(Key(name, type));
    return it == Table().end() ? TResourceData{} : it->second;
}

} // namespace dw
