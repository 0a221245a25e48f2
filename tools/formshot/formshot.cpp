// formshot FORM OUTPUT.png: reads a text or binary form file on the headless screen, creates its
// components through the class registry, shows the form and writes it as a PNG. Whatever the
// reader cannot use (unknown classes, properties, event handlers, bad values) is skipped, counted
// and listed, as a reader with an error hook that handles every error does.
#include "framework/controls/StdReg.h"
#include "framework/controls/dialogs/Dialogs.h"
#include "framework/controls/forms/Forms.h"
#include "framework/controls/menus/ActnList.h"
#include "framework/controls/menus/Menus.h"
#include "framework/controls/menus/StdActns.h"
#include "framework/platform/backends/headless/HeadlessBackend.h"
#include "framework/platform/window/MessageQueue.h"
#include "framework/rtl/Exceptions.h"
#include "framework/rtl/Filer.h"
#include "framework/rtl/FormConvert.h"
#include "framework/rtl/ResourceHeader.h"
#include "framework/rtl/StreamFormat.h"

#include <cstdio>
#include <memory>
#include <vector>

using namespace dw;

namespace {

// The binary component stream of a form file, whichever form it is stored in.
void ReadFormStream(const String& fileName, TMemoryStream& binary) {
    TMemoryStream file;
    file.LoadFromFile(fileName);
    file.SetPosition(0);
    switch (TestStreamFormat(file)) {
    case TStreamOriginalFormat::sofText:
        ObjectTextToBinary(file, binary);
        break;
    case TStreamOriginalFormat::sofBinary: {
        Byte first = 0;
        file.Read(&first, 1);
        file.SetPosition(0);
        Int64 length = first == 0xFF ? ReadResourceHeader(file) : file.Size();
        binary.CopyFrom(file, length);
        break;
    }
    default:
        throw EReadError(Format("%s is not a form file", fileName));
    }
    binary.SetPosition(0);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: formshot FORM OUTPUT.png\n");
        return 2;
    }
    try {
        SetBackend(std::make_unique<THeadlessBackend>());
        RegisterStandardControls();
        RegisterMenuClasses();
        RegisterActionClasses();
        RegisterStandardActions();
        RegisterDialogClasses();
        TMemoryStream binary;
        ReadFormStream(argv[1], binary);

        TObjectPtr<TForm> form(New<TForm>(nullptr, CreateNew));
        std::vector<String> skipped;
        {
            TReader reader(binary, 4096);
            reader.OnError = [&](TReader*, const String& message, bool& handled) {
                skipped.push_back(message);
                handled = true;
            };
            reader.ReadRootComponent(form.get());
        }
        // A document window needs a frame window; alone it is shown as a normal one.
        if (form->FormStyle() == fsMDIChild || form->FormStyle() == fsMDIForm) form->SetFormStyle(fsNormal);
        if (form->WindowState() != wsNormal) form->SetWindowState(wsNormal);
        form->SetPosition(poDesigned);
        form->Show();
        Application->ProcessMessages();
        PumpMessages();
        HeadlessBackend()->SaveWindowScreenshot(form->Handle(), argv[2]);

        std::printf("%s: %s, %d x %d; skipped %zu\n", argv[1], form->Name().c_str(), form->Width(), form->Height(),
                    skipped.size());
        for (const String& s : skipped) std::printf("  skipped: %s\n", s.c_str());
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "formshot: %s\n", e.what());
        return 1;
    }
}
