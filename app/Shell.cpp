#include "app/Shell.h"

#include "app/MDIChild.h"
#include "app/MDIForm.h"
#include "designer/FormDesigner.h"
#include "environment/Startup.h"
#include "framework/controls/core/PlaceholderControl.h"
#include "framework/controls/forms/Forms.h"
#include "framework/platform/backends/headless/HeadlessBackend.h"
#include "framework/platform/window/MessageQueue.h"
#include "framework/rtl/ClassRegistry.h"
#include "framework/rtl/Exceptions.h"
#include "framework/rtl/SysUtils.h"
#ifdef DW_HAVE_X11
#include "framework/platform/backends/x11/X11Backend.h"
#endif

#include <cstdio>
#include <cstdlib>
#include <optional>

namespace dw {

void InitializeShell() {
    // The registry takes over the registration entries and registers the palette's classes (for
    // the palette and for reading forms), and the designer manager exists before any designer.
    InitDesignEnvironment();
    RegisterDesignerClasses();
    // Saved documents name TMDIChild as their class.
    if (!GetClass(TMDIChild::StaticClass()->ClassName())) RegisterClass(TMDIChild::StaticClass());
    // Controls of classes this program does not have are read into placeholders of this class.
    if (!GetClass(TPlaceholderControl::StaticClass()->ClassName())) RegisterClass(TPlaceholderControl::StaticClass());
}

void FinalizeShell() {
    DoneDesignEnvironment();
}

namespace {

struct TOptions {
    std::optional<String> Screenshot;
    int NewDocuments = 0;
    std::vector<String> Files;
    bool Help = false;
    bool Version = false;
};

const char UsageText[] = "usage: draftwell [--screenshot FILE.png [--new N]] [--help] [--version] [FORM...]\n"
                         "  (no options)          run the designer on the X display\n"
                         "  FORM...               open each form file as a document, as File Open does\n"
                         "  --screenshot FILE.png render the main window without a display and write it as PNG\n"
                         "  --new N               open N new documents first (with --screenshot)\n"
                         "  --help                show this text\n"
                         "  --version             show the version\n";

TOptions ParseOptions(const std::vector<String>& args) {
    TOptions options;
    for (size_t i = 0; i < args.size(); ++i) {
        const String& arg = args[i];
        auto value = [&]() -> const String& {
            if (i + 1 >= args.size()) throw EInvalidArgument(Format("%s needs a value", arg));
            return args[++i];
        };
        if (arg == "--screenshot")
            options.Screenshot = value();
        else if (arg == "--new") {
            const String& count = value();
            int n = StrToIntDef(count, -1);
            if (n < 0 || n > 100)
                throw EInvalidArgument(Format("--new wants a count from 0 to 100, not \"%s\"", count));
            options.NewDocuments = n;
        } else if (arg == "--help" || arg == "-h")
            options.Help = true;
        else if (arg == "--version")
            options.Version = true;
        else if (arg.empty() || arg[0] != '-')
            options.Files.push_back(arg);
        else
            throw EInvalidArgument(Format("unknown option \"%s\"", arg));
    }
    if (options.NewDocuments > 0 && !options.Screenshot) throw EInvalidArgument("--new goes with --screenshot");
    return options;
}

TMDIForm* CreateMainWindow() {
    InitializeShell();
    Application->Initialize();
    TMDIForm* mainForm = nullptr;
    Application->CreateForm(mainForm);
    return mainForm;
}

// The main window and its documents go (with their designers) before the environment does.
void CloseMainWindow() {
    Application->DestroyComponents();
    Application->SetMainForm(nullptr);
    FinalizeShell();
}

// The files given on the command line, each opened as File Open does; a file that cannot be read
// is reported (on the display as Open reports it, else on the standard error), and the others
// still open.
void OpenFiles(TMDIForm* mainForm, const TOptions& options, bool onDisplay) {
    for (const String& fileName : options.Files) {
        try {
            mainForm->OpenFormFile(fileName);
            if (!mainForm->KeptUnread().empty())
                std::fprintf(stderr, "draftwell: %s: %s\n", fileName.c_str(), mainForm->KeptUnread().c_str());
        } catch (const Exception& e) {
            if (onDisplay)
                Application->ShowException(e);
            else
                std::fprintf(stderr, "draftwell: %s: %s\n", fileName.c_str(), e.Message().c_str());
        }
    }
}

int WriteScreenshot(const TOptions& options) {
    SetBackend(std::make_unique<THeadlessBackend>());
    TMDIForm* mainForm = CreateMainWindow();
    mainForm->Show();
    Application->ProcessMessages();
    for (int i = 0; i < options.NewDocuments; ++i) mainForm->FileNew->Execute();
    OpenFiles(mainForm, options, false);
    // Idle processing updates the actions (enabled tool buttons) before the picture is taken.
    Application->ProcessMessages();
    Application->Idle(false);
    PumpMessages();
    HeadlessBackend()->SaveWindowScreenshot(mainForm->Handle(), *options.Screenshot);
    std::printf("draftwell: wrote %s (%d x %d, %d document%s)\n", options.Screenshot->c_str(), mainForm->Width(),
                mainForm->Height(), mainForm->MDIChildCount(), mainForm->MDIChildCount() == 1 ? "" : "s");
    CloseMainWindow();
    return 0;
}

int RunOnDisplay(const TOptions& options) {
#ifdef DW_HAVE_X11
    const char* display = std::getenv("DISPLAY");
    if (!display || !*display) {
        std::fprintf(stderr, "draftwell needs a desktop session (an X display, DISPLAY is not set); to see the main "
                             "window without one, run: draftwell --screenshot main.png --new 2\n");
        return 1;
    }
    SetBackend(std::make_unique<TX11Backend>());
    TMDIForm* mainForm = CreateMainWindow();
    mainForm->Show();
    OpenFiles(mainForm, options, true);
    Application->Run();
    CloseMainWindow();
    return 0;
#else
    (void)options;
    std::fprintf(stderr, "draftwell was built without X11 support and needs a desktop session; to see the main "
                         "window, run: draftwell --screenshot main.png --new 2\n");
    return 1;
#endif
}

} // namespace

int RunDraftwell(const std::vector<String>& args) {
    TOptions options;
    try {
        options = ParseOptions(args);
    } catch (const Exception& e) {
        std::fprintf(stderr, "draftwell: %s\n%s", e.Message().c_str(), UsageText);
        return 2;
    }
    if (options.Help) {
        std::printf("%s", UsageText);
        return 0;
    }
    if (options.Version) {
        std::printf("draftwell %s (Vornix Draftwell, the runtime form designer)\n", DW_VERSION);
        return 0;
    }
    try {
        return options.Screenshot ? WriteScreenshot(options) : RunOnDisplay(options);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "draftwell: %s\n", e.what());
        return 1;
    }
}

} // namespace dw
