// TMyReader: the component reader used to read form files into an open form. An object whose
// name and class match a component the root already owns is read into that component; while an
// event list is being captured, handler names become small numbers instead of methods.
#pragma once

#include "framework/rtl/Filer.h"
#include "framework/rtl/StringList.h"

namespace dw {

class TMyReader : public TReader {
    DW_CLASS(TMyReader, TReader)
    TMyReader(TStream& stream, int bufferSize);

    // The handler names met while capturing; the code of a captured handler is its position
    // here counted from 1. Null when handlers are resolved as usual.
    TStringList* HandlerNames() const { return FHandlerNames; }
    void SetHandlerNames(TStringList* names) { FHandlerNames = names; }
    // The existing component found for the object being read, or null.
    TComponent* ExistingComponent() const { return FExisting; }

protected:
    void ReadPrefix(TFilerFlags& flags, int& childPos) override;
    TComponent* FindAncestorComponent(const String& name, TClass componentClass) override;
    void* FindMethod(TComponent* root, const String& methodName) override;

private:
    TComponent* FExisting = nullptr;
    TStringList* FHandlerNames = nullptr;
};

} // namespace dw
