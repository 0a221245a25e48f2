#include "formfiles/FormReader.h"

#include "framework/rtl/KeptState.h"

namespace dw {

DW_DEFINE_CLASS(TMyReader) {}

TMyReader::TMyReader(TStream& stream, int bufferSize) : TReader(stream, bufferSize) {}

void TMyReader::ReadPrefix(TFilerFlags& flags, int& childPos) {
    TReader::ReadPrefix(flags, childPos);
    FExisting = nullptr;
    if (!Root()) return;
    Int64 start = Position();
    String className = ReadStr();
    String name = ReadStr();
    SetPosition(start);
    TComponent* existing = Root()->FindComponent(name);
    // A placeholder stands for the class it was stored with.
    String existingClass = existing && existing->Kept() && existing->Kept()->Placeholder ? existing->Kept()->ClassName
                           : existing                                                    ? existing->ClassName()
                                                                                         : String();
    if (existing && SameText(existingClass, className)) {
        flags |= ffInherited;
        FExisting = existing;
    }
}

TComponent* TMyReader::FindAncestorComponent(const String& name, TClass componentClass) {
    if (FExisting) return FExisting;
    return TReader::FindAncestorComponent(name, componentClass);
}

void* TMyReader::FindMethod(TComponent* root, const String& methodName) {
    if (!FHandlerNames) return TReader::FindMethod(root, methodName);
    int index = FHandlerNames->IndexOf(methodName);
    if (index < 0) index = FHandlerNames->Add(methodName);
    return reinterpret_cast<void*>(static_cast<std::intptr_t>(index + 1));
}

} // namespace dw
