// Reads arbitrary bytes, as a text or a binary form file, into a form of the standard controls
// on the headless screen, shows and paints it and frees it: stored values reach the controls'
// setters, layout, scroll ranges and painting, where geometry, captions and lines can overflow
// or stall. Every reading error is handled, so the reader goes as far as it can. The reader keeps
// what it cannot use (placeholders, unknown properties, the text's style), and the form is written
// back as stored, in text, through that kept state.
#include "framework/controls/StdReg.h"
#include "framework/controls/forms/Forms.h"
#include "framework/platform/backends/headless/HeadlessBackend.h"
#include "framework/platform/window/MessageQueue.h"
#include "framework/rtl/Exceptions.h"
#include "framework/rtl/Filer.h"
#include "framework/rtl/FormConvert.h"
#include "framework/rtl/StreamFormat.h"

#include <cstdint>

using namespace dw;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    static bool ready = [] {
        SetBackend(std::make_unique<THeadlessBackend>());
        RegisterStandardControls();
        return true;
    }();
    (void)ready;
    TMemoryStream input, binary;
    TTextStyle style;
    input.WriteBuffer(data, static_cast<Int64>(size));
    input.SetPosition(0);
    try {
        if (TestStreamFormat(input) == TStreamOriginalFormat::sofText)
            ObjectTextToBinary(input, binary, &style);
        else
            binary.LoadFromStream(input);
        binary.SetPosition(0);
    } catch (const Exception&) {
        return 0;
    }
    TObjectPtr<TForm> form(New<TForm>(nullptr, CreateNew));
    try {
        TReader reader(binary, 64);
        reader.OnError = [](TReader*, const String&, bool& handled) { handled = true; };
        reader.SetKeepUnknown(true);
        reader.ReadRootComponent(form.get());
        TMemoryStream written, text;
        {
            TWriter writer(written, 64);
            writer.SetAsStored(true);
            writer.WriteRootComponent(form.get());
        }
        written.SetPosition(0);
        ObjectBinaryToText(written, text, &style);
        // A document window wants a frame; alone it is an ordinary form.
        if (form->FormStyle() == fsMDIChild || form->FormStyle() == fsMDIForm) form->SetFormStyle(fsNormal);
        form->Show();
        PumpMessages();
    } catch (const Exception&) {
    }
    form.reset();
    PumpMessages();
    return 0;
}
