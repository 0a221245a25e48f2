// formshot FORM OUTPUT.png: reads a text or binary form file on the headless screen, creates its
// components through the class registry, shows the form and writes it as a PNG. Whatever the
// reader cannot use (unknown classes, properties, event handlers, bad values) is skipped, counted
// and listed, as a reader with an error hook that handles every error does.
// formshot --time FORM: reads, shows, paints once and destroys the form without writing a PNG,
// and prints how long each step took (the cost a user waits for when a form first opens).
#include "framework/controls/ActnList.h"
#include "framework/controls/Dialogs.h"
#include "framework/controls/Forms.h"
#include "framework/controls/Menus.h"
#include "framework/controls/StdActns.h"
#include "framework/controls/StdReg.h"
#include "framework/platform/MessageQueue.h"
#include "framework/platform/headless/HeadlessBackend.h"
#include "framework/rtl/Exceptions.h"
#include "framework/rtl/Filer.h"
#include "framework/rtl/FormConvert.h"
#include "framework/rtl/ResourceHeader.h"
#include "framework/rtl/StreamFormat.h"

#include <chrono>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

using namespace dw;

namespace {

const char kUsage[] = "usage: formshot FORM OUTPUT.png\n"
                      "       formshot --time FORM\n"
                      "  --time  read, show, paint once and destroy FORM and print how long that took\n";

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

double MillisecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

} // namespace

int main(int argc, char** argv) {
    bool timeOnly = argc == 3 && std::strcmp(argv[1], "--time") == 0;
    if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (argc != 3 || (!timeOnly && argv[1][0] == '-')) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    const char* formFile = timeOnly ? argv[2] : argv[1];
    try {
        SetBackend(std::make_unique<THeadlessBackend>());
        RegisterStandardControls();
        RegisterMenuClasses();
        RegisterActionClasses();
        RegisterStandardActions();
        RegisterDialogClasses();

        auto start = std::chrono::steady_clock::now();
        TMemoryStream binary;
        ReadFormStream(formFile, binary);

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
        double loaded = MillisecondsSince(start);
        // A document window needs a frame window; alone it is shown as a normal one.
        if (form->FormStyle() == fsMDIChild || form->FormStyle() == fsMDIForm) form->SetFormStyle(fsNormal);
        if (form->WindowState() != wsNormal) form->SetWindowState(wsNormal);
        form->SetPosition(poDesigned);
        form->Show();
        Application->ProcessMessages();
        PumpMessages();
        if (timeOnly) {
            double shown = MillisecondsSince(start);
            auto destroyStart = std::chrono::steady_clock::now();
            form.reset();
            double destroyed = MillisecondsSince(destroyStart);
            std::printf("load %.1f ms, load+show+paint %.1f ms, destroy %.1f ms\n", loaded, shown, destroyed);
            return 0;
        }
        HeadlessBackend()->SaveWindowScreenshot(form->Handle(), argv[2]);

        std::printf("%s: %s, %d x %d; skipped %zu\n", formFile, form->Name().c_str(), form->Width(), form->Height(),
                    skipped.size());
        for (const String& s : skipped) std::printf("  skipped: %s\n", s.c_str());
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "formshot: %s\n", e.what());
        return 1;
    }
}
