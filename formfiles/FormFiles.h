// Reading and writing designed forms as form files: the text form, or the binary form behind
// the resource header. Event bindings without code behind them travel as handler names through
// an event list ("Button1.OnClick=Button1Click", or "OnCreate=FormCreate" for the root).
#pragma once

#include "framework/rtl/Filer.h"
#include "framework/rtl/KeptState.h"
#include "framework/rtl/Strings.h"

#include <functional>

namespace dw {

// The reader's component-creation event: the class to create and the component made for it.
using TCreateComponentHook = std::function<void(TReader* reader, TClass componentClass, TComponent*& component)>;
// The reader's error event: the message, and whether the error is handled (the item is skipped).
using TReadErrorHook = std::function<void(TReader* reader, const String& message, bool& handled)>;

// One event property bound while writing.
struct TEventPropInfo {
    TPersistent* Instance = nullptr;
    const TPropInfo* Prop = nullptr;
};

// How a form file is read into its root, and what was kept unread.
struct TReadKeeping {
    bool FreshRoot = false;
    TKeptSummary Summary;
};

// Handler codes from 1 to this are captured handler indexes, not methods.
constexpr std::intptr_t MaxCapturedHandler = 999999;

// Reads a form (text, or binary behind the resource header) into an existing root. Raises
// "Unsupported resource format" when the stream is neither, and "Invalid stream format" for
// binary data without the header. With an event list, the handler names in the stream are
// captured into it and the event properties stay empty.
// Nothing of the stream is lost: objects of unknown classes become placeholders, properties
// nothing publishes are kept, every component keeps its stored form and the root the text's style,
// and writing gives them back. keeping, when given, says whether the root is fresh (see
// TReader::SetFreshRoot) and gets what was kept unread.
void ReadFormStream(TStream& stream, TComponent* root, TStrings* eventList = nullptr,
                    const TCreateComponentHook& createHook = nullptr, const TReadErrorHook& errorHook = nullptr,
                    TReadKeeping* keeping = nullptr);
// Opens the file for reading with other writers excluded, then ReadFormStream.
void ReadFormFile(const String& fileName, TComponent* root, TStrings* eventList = nullptr,
                  const TCreateComponentHook& createHook = nullptr, const TReadErrorHook& errorHook = nullptr,
                  TReadKeeping* keeping = nullptr);
// Writes root and what it owns, as text or as binary behind the resource header named after the
// root's class. The lines of the event list are written as handler names of their events.
void WriteFormStream(TStream& stream, TComponent* root, bool asText, TStrings* eventList = nullptr);
// Text and binary files are written as stored: a value the root had of its own when the file was
// read (a template's) and the file did not hold stays out. Binary copies (undo, preview) hold
// everything, as they are read back into a root reset to its defaults.
enum class TFormWriteMode { Text, BinaryFile, Binary };
void WriteFormStream(TStream& stream, TComponent* root, TFormWriteMode mode, TStrings* eventList = nullptr);
// Copies instance's state into root through a binary round trip read with TMyReader.
void CopyComponentState(TComponent* root, TComponent* instance);

} // namespace dw
