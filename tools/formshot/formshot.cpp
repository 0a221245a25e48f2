// formshot FORM OUTPUT.png: reads a text or binary form file on the headless screen, creates its
// components through the class registry, shows the form and writes it as a PNG. Whatever the
// reader cannot use (unknown classes, properties, event handlers, bad values) is skipped, counted
// and listed, as a reader with an error hook that handles every error does.
// formshot --time FORM: reads, shows, paints once and destroys the form without writing a PNG,
// and prints how long each step took (the cost a user waits for when a form first opens).
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
        Int64 length = file.Size();
        if (file.Memory()[0] == 0xFF) {
            length = ReadResourceHeader(file);
            if (length == 0) throw EReadError(Format("%s: the resource header gives a data length of 0", fileName));
        }
        // Exactly the resource's data (CopyFrom would take a count of 0 for the whole file).
        binary.WriteBuffer(file.Memory() + file.Position(), length);
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

// The form being shot: a document window or a frame is shown as a normal window at its normal
// size, so its stored style and state are taken note of but not applied (applying them would ask
// for a frame window that is not there).
class TShotForm : public TForm {
    DW_CLASS(TShotForm, TForm)
    using TForm::TForm;
    TFormStyle StoredFormStyle() const { return FStoredFormStyle; }
    void SetStoredFormStyle(TFormStyle value) { FStoredFormStyle = value; }
    TWindowState StoredWindowState() const { return FStoredWindowState; }
    void SetStoredWindowState(TWindowState value) { FStoredWindowState = value; }

private:
    TFormStyle FStoredFormStyle = fsNormal;
    TWindowState FStoredWindowState = wsNormal;
};

} // namespace

DW_DEFINE_CLASS(TShotForm) {
    c.Property("FormStyle", &TShotForm::StoredFormStyle, &TShotForm::SetStoredFormStyle).Default(fsNormal);
    c.Property("WindowState", &TShotForm::StoredWindowState, &TShotForm::SetStoredWindowState).Default(wsNormal);
}

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

        TObjectPtr<TShotForm> form(New<TShotForm>(nullptr, CreateNew));
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
