// TKeptState: what the reader kept of a component's stored form (its properties as raw values in
// stream order, its children's order, its class name and prefix), so that writing the component
// back gives the stored form again for everything that did not change since it was read.
#pragma once

#include "framework/rtl/Strings.h"

#include <map>
#include <memory>
#include <vector>

namespace dw {

struct TTextStyle;

// One property as it stands in a binary component stream: its (possibly dotted) name and the raw
// bytes of its value, value type included.
struct TKeptProperty {
    String Name;
    std::vector<Byte> Value;
};
using TKeptProperties = std::vector<TKeptProperty>;

struct TKeptState {
    // The object's prefix flags and child position as stored.
    Byte Flags = 0;
    int ChildPos = 0;
    // The class name as stored; a placeholder is written back with it.
    String ClassName;
    // A component made for a class the program does not have: nothing of it runs, all of it is kept.
    bool Placeholder = false;
    // Every property read, in stream order, with its stored value.
    TKeptProperties Properties;
    // What the writer gave for the component right after reading: a property whose value is still
    // the same is written back as stored; one that differs was changed and is written anew.
    TKeptProperties Baseline;
    // Values the component had of its own before reading (from its template, or as the reading
    // made it) and that the stream did not hold stay out when the component is written as stored.
    bool OmitUnstored = false;
    // The names of the children in stream order, and as the writer listed them after reading.
    std::vector<String> Children;
    std::vector<String> BaselineChildren;
    // The root only: the text style of the file it was read from, if it was text.
    std::shared_ptr<TTextStyle> TextStyle;
};

// What a reader kept unread: the placeholders made per stored class, and the properties nothing
// published ("Button1.Margins.Left").
struct TKeptSummary {
    std::map<String, int> Classes;
    std::vector<String> Properties;
    bool Empty() const { return Classes.empty() && Properties.empty(); }
};

} // namespace dw
