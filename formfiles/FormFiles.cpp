#include "formfiles/FormFiles.h"

#include "formfiles/FormReader.h"
#include "framework/rtl/Exceptions.h"
#include "framework/rtl/FormConvert.h"
#include "framework/rtl/KeptState.h"
#include "framework/rtl/ResourceHeader.h"
#include "framework/rtl/ScopeGuard.h"
#include "framework/rtl/StreamFormat.h"

#include <memory>

namespace dw {

namespace {

// Turns captured handler codes back into event list lines and clears the properties.
void CollectCapturedHandlers(TComponent* root, const TStringList& handlerNames, TStrings& eventList) {
    auto collect = [&](TComponent* instance, bool isRoot) {
        for (const TPropInfo* prop : GetPropList(instance->ClassType(), tkMethods)) {
            if (!prop->HasGetter() || !prop->HasSetter()) continue;
            TMethod method = GetMethodProp(instance, *prop);
            std::intptr_t code = method.CodeAsNumber();
            if (code < 1 || code > MaxCapturedHandler) continue;
            SetMethodProp(instance, *prop, TMethod{});
            if (code > handlerNames.Count()) continue;
            String handler = handlerNames.Strings(static_cast<int>(code - 1));
            eventList.Add(isRoot ? prop->Name + "=" + handler : instance->Name() + "." + prop->Name + "=" + handler);
        }
    };
    collect(root, true);
    for (int i = 0; i < root->ComponentCount(); ++i) collect(root->Components(i), false);
}

// Binds the event list's lines to their event properties as numbered codes, and undoes that.
class TEventBinding {
public:
    TEventBinding(TComponent* root, TStrings& eventList) {
        for (int i = 0; i < eventList.Count(); ++i) {
            String line = eventList.Strings(i);
            size_t eq = line.find('=');
            if (eq == String::npos) continue;
            String target = Trim(line.substr(0, eq));
            FNames.push_back(Trim(line.substr(eq + 1)));
            TPersistent* instance = root;
            String propName = target;
            size_t dot = target.find('.');
            if (dot != String::npos) {
                instance = root->FindComponent(target.substr(0, dot));
                propName = target.substr(dot + 1);
            }
            if (!instance) continue;
            const TPropInfo* prop = GetPropInfo(instance, propName);
            if (!prop || prop->Kind() != tkMethod || !prop->HasSetter()) continue;
            // Line i (from 1) is code i: the writer finds the name again through FNames.
            SetMethodProp(instance, *prop, TMethod::FromNumber(static_cast<std::intptr_t>(FNames.size()), root));
            FBound.push_back(TEventPropInfo{instance, prop});
        }
    }
    ~TEventBinding() {
        for (const TEventPropInfo& info : FBound) SetMethodProp(info.Instance, *info.Prop, TMethod{});
    }
    String NameOf(const TMethod& method) const {
        std::intptr_t code = method.CodeAsNumber();
        if (code < 1 || code > static_cast<std::intptr_t>(FNames.size())) return "";
        return FNames[static_cast<size_t>(code - 1)];
    }

private:
    std::vector<String> FNames;
    std::vector<TEventPropInfo> FBound;
};

void WriteRootWithEvents(TStream& stream, TComponent* root, TStrings* eventList, bool asStored) {
    TWriter writer(stream, 4096);
    writer.SetAsStored(asStored);
    if (!eventList || eventList->Count() == 0) {
        writer.WriteRootComponent(root);
        return;
    }
    TEventBinding binding(root, *eventList);
    // Only the list's handlers have names now: handlers bound to real methods stay out.
    writer.OnFindMethodName = [&binding](TWriter*, const TMethod& method) { return binding.NameOf(method); };
    writer.WriteRootComponent(root);
}

} // namespace

void ReadFormStream(TStream& stream, TComponent* root, TStrings* eventList, const TCreateComponentHook& createHook,
                    const TReadErrorHook& errorHook, TReadKeeping* keeping) {
    std::unique_ptr<TMemoryStream> converted;
    std::shared_ptr<TTextStyle> style;
    TStream* source = &stream;
    switch (TestStreamFormat(stream)) {
    case TStreamOriginalFormat::sofUnknown: throw EReadError("Unsupported resource format");
    case TStreamOriginalFormat::sofBinary: ReadResourceHeader(stream); break;
    case TStreamOriginalFormat::sofText:
        converted = std::make_unique<TMemoryStream>();
        style = std::make_shared<TTextStyle>();
        ObjectTextToBinary(stream, *converted, style.get());
        converted->SetPosition(0);
        source = converted.get();
        break;
    }

    TStringList handlerNames;
    TMyReader reader(*source, 4096);
    // Nothing of the file is lost: what the program does not know is kept and written back.
    reader.SetKeepUnknown(true);
    reader.SetFreshRoot(keeping && keeping->FreshRoot);
    auto finish = [&] {
        if (eventList) CollectCapturedHandlers(root, handlerNames, *eventList);
        if (keeping) keeping->Summary = reader.KeptSummary();
        // A form read into one that came from a file takes the file's spellings in addition.
        if (style && root->Kept()) {
            if (root->Kept()->TextStyle)
                root->Kept()->TextStyle->Merge(*style);
            else
                root->Kept()->TextStyle = style;
        }
    };
    if (createHook) reader.OnCreateComponent = createHook;
    if (errorHook) reader.OnError = errorHook;
    if (eventList) {
        eventList->Clear();
        reader.SetHandlerNames(&handlerNames);
    }
    {
        auto done = ScopeExit(finish);
        reader.ReadRootComponent(root);
    }
}

void ReadFormFile(const String& fileName, TComponent* root, TStrings* eventList, const TCreateComponentHook& createHook,
                  const TReadErrorHook& errorHook, TReadKeeping* keeping) {
    TFileStream file(fileName, fmOpenRead | fmShareDenyWrite);
    ReadFormStream(file, root, eventList, createHook, errorHook, keeping);
}

void WriteFormStream(TStream& stream, TComponent* root, bool asText, TStrings* eventList) {
    WriteFormStream(stream, root, asText ? TFormWriteMode::Text : TFormWriteMode::Binary, eventList);
}

void WriteFormStream(TStream& stream, TComponent* root, TFormWriteMode mode, TStrings* eventList) {
    const TKeptState* kept = root->Kept();
    bool asStored = mode != TFormWriteMode::Binary;
    if (mode == TFormWriteMode::Text) {
        TMemoryStream binary;
        WriteRootWithEvents(binary, root, eventList, asStored);
        binary.SetPosition(0);
        ObjectBinaryToText(binary, stream, kept ? kept->TextStyle.get() : nullptr);
        return;
    }
    Int64 lengthPos = WriteResourceHeader(stream, kept ? kept->ClassName : root->ClassName());
    WriteRootWithEvents(stream, root, eventList, asStored);
    FixupResourceHeader(stream, lengthPos);
}

void CopyComponentState(TComponent* root, TComponent* instance) {
    TMemoryStream stream;
    {
        TWriter writer(stream, 4096);
        writer.WriteRootComponent(instance);
    }
    stream.SetPosition(0);
    TMyReader reader(stream, 4096);
    reader.ReadRootComponent(root);
}

} // namespace dw
