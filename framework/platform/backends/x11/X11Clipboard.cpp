// The X11 backend's clipboard: owning and answering the CLIPBOARD selection, and asking its
// owner for data with a time limit.
#include "framework/platform/backends/x11/X11Internal.h"
#include "framework/platform/window/Clipboard.h"
#include "framework/rtl/Exceptions.h"
#include "framework/rtl/Utf8.h"

#include <poll.h>

#include <algorithm>
#include <cstring>

namespace dw {

namespace {

using Clock = std::chrono::steady_clock;

// What an owner answered: the property's type, its format (8, 16 or 32) and its items packed
// as 8, 16 or 32-bit values.
struct TSelectionReply {
    Atom Type = XNone;
    int Format = 8;
    std::vector<std::uint8_t> Bytes;
};

// Foreign formats fetched when taking the selection over are limited in number and in size, so
// that a generous owner cannot make a copy slow or huge.
constexpr std::size_t MaxForeignBytes = 16u << 20;
constexpr std::size_t MaxForeignTargets = 64;
// Anything larger is not read from another owner.
constexpr unsigned long MaxReplyBytes = 256ul << 20;

bool IsTextName(std::string_view name) {
    return name == ClipboardTextFormatName;
}

String Latin1ToUtf8(const std::vector<std::uint8_t>& bytes) {
    String s;
    for (std::uint8_t b : bytes) AppendUtf8(s, b);
    return s;
}

// Latin-1 bytes of UTF-8 text; false when some character is beyond Latin-1 (it becomes '?').
bool Utf8ToLatin1(const std::vector<std::uint8_t>& utf8, std::vector<std::uint8_t>& out) {
    bool exact = true;
    out.clear();
    std::string_view text(reinterpret_cast<const char*>(utf8.data()), utf8.size());
    for (std::size_t i = 0; i < text.size();) {
        char32_t cp = NextUtf8(text, i); // a bad sequence is U+FFFD, beyond Latin-1 too
        if (cp <= 0xFF) {
            out.push_back(static_cast<std::uint8_t>(cp));
        } else {
            out.push_back('?');
            exact = false;
        }
    }
    return exact;
}

void StripTrailingZeros(std::vector<std::uint8_t>& bytes) {
    while (!bytes.empty() && bytes.back() == 0) bytes.pop_back();
}

} // namespace

std::size_t TX11Backend::TImpl::MaxPropertyBytes() const {
    long units = XExtendedMaxRequestSize(Dpy);
    if (units == 0) units = XMaxRequestSize(Dpy);
    // A ChangeProperty request has a 24-byte header (28 as a big request).
    long bytes = units * 4 - 32;
    return bytes > 0 ? static_cast<std::size_t>(bytes) : 0;
}

// ---------------------------------------------------------------------------------------------
// Owning

void TX11Backend::TImpl::TakeClipboard() {
    Time t = ServerTime();
    XSetSelectionOwner(Dpy, Clipboard, SelectionWindow, t);
    if (XGetSelectionOwner(Dpy, Clipboard) != SelectionWindow) {
        OwnsClipboard = false;
        throw EInvalidOperation("The X server did not give this program the clipboard");
    }
    OwnsClipboard = true;
    OwnershipTime = t;
}

void TX11Backend::TImpl::HandleSelectionClear(const XSelectionClearEvent& ev) {
    if (ev.selection != Clipboard || ev.window != SelectionWindow) return;
    // A clear from before our latest ownership is old news.
    if (ev.time != CurrentTime && OwnershipTime != CurrentTime &&
        static_cast<std::int32_t>(static_cast<std::uint32_t>(ev.time) - static_cast<std::uint32_t>(OwnershipTime)) <
            0) {
        return;
    }
    OwnsClipboard = false;
    Offered.clear();
}

void TX11Backend::TImpl::HandleSelectionRequest(const XSelectionRequestEvent& req) {
    XEvent reply{};
    reply.xselection.type = SelectionNotify;
    reply.xselection.display = Dpy;
    reply.xselection.requestor = req.requestor;
    reply.xselection.selection = req.selection;
    reply.xselection.target = req.target;
    reply.xselection.time = req.time;
    reply.xselection.property = XNone;

    bool current = req.time == CurrentTime || static_cast<std::int32_t>(static_cast<std::uint32_t>(req.time) -
                                                                        static_cast<std::uint32_t>(OwnershipTime)) >= 0;
    TX11ErrorTrap trap(Dpy);
    if (req.selection == Clipboard && req.owner == SelectionWindow && OwnsClipboard && current) {
        // Old clients name no property; the target then doubles as one.
        Atom property = req.property != XNone ? req.property : req.target;
        const std::vector<std::uint8_t>* text = nullptr;
        for (auto& [name, data] : Offered) {
            if (IsTextName(name)) text = &data;
        }

        if (req.target == Targets) {
            std::vector<long> atoms{static_cast<long>(Targets), static_cast<long>(TimestampAtom)};
            for (auto& [name, data] : Offered) {
                if (IsTextName(name)) {
                    for (Atom a : {Utf8String, TextPlainUtf8, static_cast<Atom>(XA_STRING), TextAtom}) {
                        atoms.push_back(static_cast<long>(a));
                    }
                } else {
                    atoms.push_back(static_cast<long>(Intern(name.c_str())));
                }
            }
            XChangeProperty(Dpy, req.requestor, property, XA_ATOM, 32, PropModeReplace,
                            reinterpret_cast<unsigned char*>(atoms.data()), static_cast<int>(atoms.size()));
            reply.xselection.property = property;
        } else if (req.target == TimestampAtom) {
            long t = static_cast<long>(OwnershipTime);
            XChangeProperty(Dpy, req.requestor, property, XA_INTEGER, 32, PropModeReplace,
                            reinterpret_cast<unsigned char*>(&t), 1);
            reply.xselection.property = property;
        } else {
            const std::vector<std::uint8_t>* data = nullptr;
            std::vector<std::uint8_t> converted;
            Atom type = req.target;
            if (text && (req.target == Utf8String || req.target == TextPlainUtf8)) {
                data = text;
            } else if (text && req.target == XA_STRING) {
                Utf8ToLatin1(*text, converted);
                data = &converted;
            } else if (text && req.target == TextAtom) {
                // The owner picks the encoding of TEXT: Latin-1 when it says everything.
                if (Utf8ToLatin1(*text, converted)) {
                    type = XA_STRING;
                    data = &converted;
                } else {
                    type = Utf8String;
                    data = text;
                }
            } else if (req.target != Multiple && req.target != XNone) {
                String name = AtomName(req.target);
                for (auto& [n, d] : Offered) {
                    if (!IsTextName(n) && n == name) data = &d;
                }
            }
            // Too large for one request: refuse rather than break the connection (no INCR).
            if (data && data->size() <= MaxPropertyBytes()) {
                XChangeProperty(Dpy, req.requestor, property, type, 8, PropModeReplace, data->data(),
                                static_cast<int>(data->size()));
                reply.xselection.property = property;
            }
        }
    }
    if (reply.xselection.property != XNone && trap.Check() != 0) reply.xselection.property = XNone;
    XSendEvent(Dpy, req.requestor, False, NoEventMask, &reply);
    trap.Check(); // the requestor may be gone already
}

// ---------------------------------------------------------------------------------------------
// Asking

std::optional<std::vector<std::uint8_t>> TX11Backend::TImpl::Request(Atom target, Clock::time_point deadline,
                                                                     Atom* replyType) {
    // An owner that let the last request time out is not asked again for a while: the clipboard
    // is queried on every idle update, and a hung program must not freeze ours each time.
    Window owner = XGetSelectionOwner(Dpy, Clipboard);
    if (owner == XNone) return std::nullopt;
    if (owner == SilentOwner && Clock::now() < SilentUntil) return std::nullopt;
    XDeleteProperty(Dpy, SelectionWindow, SelectionProperty);
    XConvertSelection(Dpy, Clipboard, target, SelectionProperty, SelectionWindow, CurrentTime);
    XFlush(Dpy);
    for (;;) {
        XEvent ev;
        if (XCheckTypedWindowEvent(Dpy, SelectionWindow, SelectionNotify, &ev)) {
            const XSelectionEvent& sn = ev.xselection;
            if (sn.selection != Clipboard || sn.target != target) continue; // an answer to an earlier request
            if (sn.property == XNone) return std::nullopt;
            Atom type = XNone;
            int format = 0;
            unsigned long count = 0, after = 0;
            unsigned char* data = nullptr;
            if (XGetWindowProperty(Dpy, SelectionWindow, sn.property, 0, 0, False, AnyPropertyType, &type, &format,
                                   &count, &after, &data) != Success) {
                return std::nullopt;
            }
            if (data) XFree(data);
            if (type == Incr || type == XNone || after > MaxReplyBytes) {
                // Incremental transfers are not supported: drop the property and report no data.
                XDeleteProperty(Dpy, SelectionWindow, sn.property);
                return std::nullopt;
            }
            data = nullptr;
            if (XGetWindowProperty(Dpy, SelectionWindow, sn.property, 0, static_cast<long>((after + 3) / 4), True,
                                   AnyPropertyType, &type, &format, &count, &after, &data) != Success) {
                return std::nullopt;
            }
            std::vector<std::uint8_t> bytes;
            if (data) {
                // Xlib hands out 16-bit items as shorts and 32-bit items as longs.
                if (format == 8) {
                    bytes.assign(data, data + count);
                } else if (format == 16) {
                    auto* items = reinterpret_cast<short*>(data);
                    for (unsigned long i = 0; i < count; ++i) {
                        auto v = static_cast<std::uint16_t>(items[i]);
                        bytes.insert(bytes.end(), reinterpret_cast<std::uint8_t*>(&v),
                                     reinterpret_cast<std::uint8_t*>(&v) + 2);
                    }
                } else if (format == 32) {
                    auto* items = reinterpret_cast<long*>(data);
                    for (unsigned long i = 0; i < count; ++i) {
                        auto v = static_cast<std::uint32_t>(items[i]);
                        bytes.insert(bytes.end(), reinterpret_cast<std::uint8_t*>(&v),
                                     reinterpret_cast<std::uint8_t*>(&v) + 4);
                    }
                }
                XFree(data);
            }
            if (replyType) *replyType = format == 8 ? type : XNone;
            return bytes;
        }
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0) {
            SilentOwner = owner;
            SilentUntil = Clock::now() + std::chrono::milliseconds(SilentOwnerPauseMs);
            return std::nullopt;
        }
        pollfd p{ConnectionNumber(Dpy), POLLIN, 0};
        poll(&p, 1, static_cast<int>(left));
        XPending(Dpy); // read what arrived into the queue
    }
}

std::vector<Atom> TX11Backend::TImpl::RequestTargets(Clock::time_point deadline) {
    std::vector<Atom> targets;
    auto bytes = Request(Targets, deadline);
    if (!bytes) return targets;
    for (std::size_t i = 0; i + 4 <= bytes->size(); i += 4) {
        std::uint32_t v;
        std::memcpy(&v, bytes->data() + i, 4);
        if (v != XNone && std::find(targets.begin(), targets.end(), v) == targets.end()) targets.push_back(v);
    }
    return targets;
}

std::optional<std::vector<std::uint8_t>> TX11Backend::TImpl::RequestText(const std::vector<Atom>& targets,
                                                                         Clock::time_point deadline) {
    // In order of preference; with no target list at hand every kind is tried.
    for (Atom t : {Utf8String, TextPlainUtf8, static_cast<Atom>(XA_STRING), TextAtom, TextPlain, CompoundText}) {
        if (!targets.empty() && std::find(targets.begin(), targets.end(), t) == targets.end()) continue;
        Atom type = XNone;
        auto bytes = Request(t, deadline, &type);
        if (!bytes) {
            if (Clock::now() >= deadline) break;
            continue;
        }
        StripTrailingZeros(*bytes);
        if (type == XA_STRING) {
            String s = Latin1ToUtf8(*bytes);
            return std::vector<std::uint8_t>(s.begin(), s.end());
        }
        if (type == Utf8String || type == TextPlainUtf8 || type == TextPlain) return bytes;
        // Compound text is taken when it is plain ASCII, which it then equals.
        if (type == CompoundText &&
            std::all_of(bytes->begin(), bytes->end(), [](std::uint8_t b) { return b < 0x80; })) {
            return bytes;
        }
    }
    return std::nullopt;
}

namespace {

bool IsTextTarget(const TX11Backend::TImpl& x, Atom a) {
    return a == x.Utf8String || a == x.TextPlainUtf8 || a == XA_STRING || a == x.TextAtom || a == x.TextPlain ||
           a == x.CompoundText;
}

} // namespace

std::vector<std::pair<String, std::vector<std::uint8_t>>> TX11Backend::TImpl::FetchForeignFormats() {
    std::vector<std::pair<String, std::vector<std::uint8_t>>> result;
    Window owner = XGetSelectionOwner(Dpy, Clipboard);
    if (owner == XNone || owner == SelectionWindow) return result;
    auto deadline = Clock::now() + std::chrono::milliseconds(Options.SelectionTimeoutMs);
    std::vector<Atom> targets = RequestTargets(deadline);
    std::size_t total = 0;
    if (std::any_of(targets.begin(), targets.end(), [&](Atom a) { return IsTextTarget(*this, a); })) {
        if (auto text = RequestText(targets, deadline)) {
            total += text->size();
            result.emplace_back(String(ClipboardTextFormatName), std::move(*text));
        }
    }
    std::size_t asked = 0;
    for (Atom t : targets) {
        if (Clock::now() >= deadline || asked >= MaxForeignTargets) break;
        if (t == Targets || t == TimestampAtom || t == Multiple || IsTextTarget(*this, t)) continue;
        String name = AtomName(t);
        // Requests about the selection itself rather than data (SAVE_TARGETS, DELETE, ...) are
        // upper-case protocol atoms; data formats are MIME types or registered names.
        if (name.empty() || name == "SAVE_TARGETS" || name == "DELETE" || name == "INSERT_SELECTION" ||
            name == "INSERT_PROPERTY")
            continue;
        ++asked;
        Atom type = XNone;
        auto bytes = Request(t, deadline, &type);
        if (!bytes || type == XNone || total + bytes->size() > MaxForeignBytes) continue;
        total += bytes->size();
        result.emplace_back(std::move(name), std::move(*bytes));
    }
    return result;
}

// ---------------------------------------------------------------------------------------------
// The backend's clipboard hooks

void TX11Backend::SetClipboardData(const String& format, std::vector<std::uint8_t> data) {
    if (format.empty()) throw EInvalidArgument("A clipboard format needs a name");
    bool owner = F->OwnsClipboard && XGetSelectionOwner(F->Dpy, F->Clipboard) == F->SelectionWindow;
    if (!owner) {
        auto kept = F->FetchForeignFormats();
        F->TakeClipboard();
        F->Offered = std::move(kept);
    }
    auto& offered = F->Offered;
    auto it = std::find_if(offered.begin(), offered.end(), [&](auto& entry) { return entry.first == format; });
    if (it != offered.end()) {
        it->second = std::move(data);
    } else {
        offered.emplace_back(format, std::move(data));
    }
}

std::optional<std::vector<std::uint8_t>> TX11Backend::GetClipboardData(const String& format) const {
    Window owner = XGetSelectionOwner(F->Dpy, F->Clipboard);
    if (owner == XNone) return std::nullopt;
    if (owner == F->SelectionWindow && F->OwnsClipboard) {
        for (auto& [name, data] : F->Offered) {
            if (name == format) return data;
        }
        return std::nullopt;
    }
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(F->Options.SelectionTimeoutMs);
    if (IsTextName(format)) return F->RequestText({}, deadline);
    Atom type = XNone;
    auto bytes = F->Request(F->Intern(format.c_str()), deadline, &type);
    if (!bytes || type == XNone) return std::nullopt;
    return bytes;
}

std::vector<String> TX11Backend::ClipboardFormats() const {
    std::vector<String> names;
    Window owner = XGetSelectionOwner(F->Dpy, F->Clipboard);
    if (owner == XNone) return names;
    if (owner == F->SelectionWindow && F->OwnsClipboard) {
        for (auto& [name, data] : F->Offered) names.push_back(name);
        return names;
    }
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(F->Options.SelectionTimeoutMs);
    bool text = false;
    for (Atom t : F->RequestTargets(deadline)) {
        if (t == F->Targets || t == F->TimestampAtom || t == F->Multiple) continue;
        if (IsTextTarget(*F, t)) {
            if (!text) names.emplace_back(ClipboardTextFormatName);
            text = true;
            continue;
        }
        String name = F->AtomName(t);
        if (!name.empty()) names.push_back(std::move(name));
    }
    return names;
}

void TX11Backend::EmptyClipboard() {
    F->Offered.clear();
    bool owner = F->OwnsClipboard && XGetSelectionOwner(F->Dpy, F->Clipboard) == F->SelectionWindow;
    if (!owner) F->TakeClipboard();
}

} // namespace dw
