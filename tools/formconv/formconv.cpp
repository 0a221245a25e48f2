// formconv: converts a form file between the text and the binary form, checks form files, or
// loads a form into live components and saves it back as a program that loads and saves forms at
// run time does. Exit status: 0 success, 1 a file that cannot be read, is malformed or would lose
// something in a re-save, 2 bad usage.
#include "formfiles/FormFiles.h"
#include "framework/controls/StdReg.h"
#include "framework/controls/forms/Forms.h"
#include "framework/controls/forms/LoadedRoot.h"
#include "framework/controls/menus/ActnList.h"
#include "framework/controls/menus/Menus.h"
#include "framework/controls/menus/StdActns.h"
#include "framework/platform/backends/headless/HeadlessBackend.h"
#include "framework/rtl/Exceptions.h"
#include "framework/rtl/FormConvert.h"
#include "framework/rtl/ResourceHeader.h"
#include "framework/rtl/StreamFormat.h"

#include <cstdio>
#include <cstring>

using namespace dw;

namespace {

const char kUsage[] = "Usage: formconv [--header] INPUT OUTPUT\n"
                      "       formconv --check FILE...\n"
                      "       formconv --load INPUT OUTPUT\n"
                      "\n"
                      "Converts a form file to the other form: a text form to the binary form, a binary form\n"
                      "(with or without a resource header) to the text form.\n"
                      "  --header  write the binary form behind a resource header named after the root's class\n"
                      "  --check   report for each FILE whether it is well formed, what loading it keeps unread\n"
                      "            (classes and properties this program does not have) and whether saving it\n"
                      "            back would give the same bytes; exit status 0 when nothing would be lost\n"
                      "  --load    read INPUT into live components (placeholders for unknown classes) and write\n"
                      "            them to OUTPUT in INPUT's form and style\n";

int Usage(const char* problem) {
    if (problem) std::fprintf(stderr, "formconv: %s\n", problem);
    std::fputs(kUsage, stderr);
    return 2;
}

// A failure that names the place in the input.
struct TMalformed {
    String Message;
};

int LineAt(const TMemoryStream& stream, Int64 pos) {
    int line = 1;
    const Byte* p = stream.Memory();
    for (Int64 i = 0; i < pos; ++i)
        if (p[i] == '\n' || (p[i] == '\r' && (i + 1 >= pos || p[i + 1] != '\n'))) ++line;
    return line;
}

struct TResult {
    TObjectSummary Summary;
    const char* Kind = "";
};

// Converts the whole input; anything after the root object is an error, since a form file holds
// one form.
TResult Convert(TMemoryStream& input, TMemoryStream& output, bool header) {
    TResult result;
    switch (TestStreamFormat(input)) {
    case TStreamOriginalFormat::sofText: {
        result.Kind = "text form";
        result.Summary = header ? ObjectTextToResource(input, output) : ObjectTextToBinary(input, output);
        for (Int64 pos = input.Position(); pos < input.Size(); ++pos) {
            Byte c = input.Memory()[pos];
            if (c != ' ' && c != '\t' && c != '\r' && c != '\n' && c != '\v' && c != '\f')
                throw TMalformed{Format("Line %d: text after the end of the root object", LineAt(input, pos))};
        }
        break;
    }
    case TStreamOriginalFormat::sofBinary: {
        Int64 end = input.Size();
        if (input.Memory()[0] == 0xFF) {
            result.Kind = "binary form with resource header";
            Int64 length = ReadResourceHeader(input);
            Int64 dataEnd = input.Position() + length;
            if (dataEnd != end)
                throw TMalformed{Format("Offset %d: %d bytes after the resource data", dataEnd, end - dataEnd)};
            // The component data must fill the resource exactly.
            TMemoryStream data;
            data.WriteBuffer(input.Memory(), dataEnd);
            data.SetPosition(input.Position());
            result.Summary = ObjectBinaryToText(data, output);
            if (data.Position() != dataEnd)
                throw TMalformed{Format("Offset %d: data after the root object", data.Position())};
        } else {
            result.Kind = "binary form without resource header";
            result.Summary = ObjectBinaryToText(input, output);
            if (input.Position() != end)
                throw TMalformed{Format("Offset %d: data after the root object", input.Position())};
        }
        break;
    }
    default:
        throw TMalformed{"not a form file: it starts with neither a resource header, the signature TPF0 nor "
                         "the text form's object"};
    }
    return result;
}

void InitComponents() {
    static bool done = [] {
        SetBackend(std::make_unique<THeadlessBackend>());
        RegisterStandardControls();
        RegisterMenuClasses();
        RegisterActionClasses();
        RegisterStandardActions();
        return true;
    }();
    (void)done;
}

// Reads the form file in input into live components and writes them back in its form and style.
void LoadAndSave(TMemoryStream& input, TMemoryStream& output, TKeptSummary& kept) {
    InitComponents();
    input.SetPosition(0);
    TStreamOriginalFormat format = TestStreamFormat(input);
    if (format == TStreamOriginalFormat::sofUnknown) throw EReadError("Unsupported resource format");
    bool text = format == TStreamOriginalFormat::sofText;
    bool header = !text && input.Size() > 0 && input.Memory()[0] == 0xFF;
    // The form reader wants binary behind a header; bare binary gets one for the reading.
    TMemoryStream source;
    Int64 headerSize = 0;
    if (!text && !header) {
        Int64 lengthPos = WriteResourceHeader(source, "FORM");
        source.WriteBuffer(input.Memory(), input.Size());
        FixupResourceHeader(source, lengthPos);
    } else {
        source.WriteBuffer(input.Memory(), input.Size());
    }
    source.SetPosition(0);
    if (!text) headerSize = (ReadResourceHeader(source), source.Position());
    TMemoryStream binary;
    if (text)
        ObjectTextToBinary(source, binary);
    else
        binary.WriteBuffer(source.Memory() + headerSize, source.Size() - headerSize);
    binary.SetPosition(0);
    TObjectPtr<TComponent> root(CreateLoadedRoot(binary));
    source.SetPosition(0);
    TReadKeeping keeping;
    keeping.FreshRoot = true;
    // As the designer's Open: nothing stops the reading, and what is not used is kept.
    ReadFormStream(
        source, root.get(), nullptr, nullptr, [](TReader*, const String&, bool& handled) { handled = true; }, &keeping);
    kept = keeping.Summary;
    if (text) {
        WriteFormStream(output, root.get(), TFormWriteMode::Text);
        return;
    }
    TMemoryStream written;
    WriteFormStream(written, root.get(), TFormWriteMode::BinaryFile);
    written.SetPosition(0);
    Int64 dataStart = (ReadResourceHeader(written), written.Position());
    Int64 dataSize = written.Size() - dataStart;
    if (header) {
        // The input's own header, with the new length.
        output.WriteBuffer(input.Memory(), headerSize - 4);
        auto length = static_cast<std::uint32_t>(dataSize);
        output.WriteBuffer(&length, 4);
    }
    output.WriteBuffer(written.Memory() + dataStart, dataSize);
}

// The line (text) or offset (binary) where two files first differ.
String FirstDifference(TMemoryStream& a, TMemoryStream& b, bool text) {
    Int64 n = std::min(a.Size(), b.Size());
    Int64 at = 0;
    while (at < n && a.Memory()[at] == b.Memory()[at]) ++at;
    return text ? Format("line %d", LineAt(a, at)) : Format("offset %d", at);
}

String KeptReport(const TKeptSummary& kept) {
    if (kept.Empty()) return "nothing kept unread";
    String report = "kept unread:";
    const char* sep = " ";
    for (const auto& [className, count] : kept.Classes) {
        report += Format("%s%s x%d", sep, className, count);
        sep = ", ";
    }
    if (!kept.Properties.empty()) {
        report += Format("%s%d unknown propert%s (", sep, static_cast<int>(kept.Properties.size()),
                         kept.Properties.size() == 1 ? "y" : "ies");
        for (size_t i = 0; i < kept.Properties.size(); ++i) report += (i ? ", " : "") + kept.Properties[i];
        report += ")";
    }
    return report;
}

// --check for one file; true when a re-save loses nothing.
bool CheckFile(const char* fileName) {
    TMemoryStream input;
    input.LoadFromFile(fileName);
    TMemoryStream converted;
    TResult result = Convert(input, converted, false);
    std::printf("ok: %s, %s, root %s%s%s, %d object%s\n", fileName, result.Kind, result.Summary.Name.c_str(),
                result.Summary.Name.empty() ? "" : ": ", result.Summary.ClassName.c_str(), result.Summary.ObjectCount,
                result.Summary.ObjectCount == 1 ? "" : "s");
    TKeptSummary kept;
    TMemoryStream saved;
    LoadAndSave(input, saved, kept);
    std::printf("  %s\n", KeptReport(kept).c_str());
    bool text = TestStreamFormat(input) == TStreamOriginalFormat::sofText;
    bool same = saved.Size() == input.Size() && std::memcmp(saved.Memory(), input.Memory(), input.Size()) == 0;
    if (same)
        std::printf("  a re-save is byte-identical\n");
    else
        std::printf("  a re-save differs from the file from %s on\n", FirstDifference(input, saved, text).c_str());
    return same;
}

} // namespace

int main(int argc, char** argv) {
    bool check = false;
    bool load = false;
    bool header = false;
    std::vector<const char*> files;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--check") == 0)
            check = true;
        else if (std::strcmp(argv[i], "--load") == 0)
            load = true;
        else if (std::strcmp(argv[i], "--header") == 0)
            header = true;
        else if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::fputs(kUsage, stdout);
            return 0;
        } else if (argv[i][0] == '-' && argv[i][1] != '\0')
            return Usage(Format("unknown option %s", argv[i]).c_str());
        else
            files.push_back(argv[i]);
    }
    if (check && (header || load || files.empty())) return Usage("--check takes files and no other option");
    if (load && (header || files.size() != 2)) return Usage("--load takes INPUT and OUTPUT and no other option");
    if (!check && files.size() != 2) return Usage(nullptr);

    if (check) {
        int status = 0;
        for (const char* fileName : files) {
            try {
                if (!CheckFile(fileName)) status = 1;
            } catch (const TMalformed& e) {
                std::fprintf(stderr, "%s: %s\n", fileName, e.Message.c_str());
                status = 1;
            } catch (const Exception& e) {
                std::fprintf(stderr, "%s: %s\n", fileName, e.Message().c_str());
                status = 1;
            }
        }
        return status;
    }

    const char* inputName = files[0];
    try {
        TMemoryStream input;
        input.LoadFromFile(inputName);
        if (header && TestStreamFormat(input) != TStreamOriginalFormat::sofText)
            return Usage("--header applies to text input only");
        if (load) {
            TKeptSummary kept;
            TMemoryStream saved;
            LoadAndSave(input, saved, kept);
            saved.SaveToFile(files[1]);
            return 0;
        }
        TMemoryStream output;
        Convert(input, output, header);
        output.SaveToFile(files[1]);
        return 0;
    } catch (const TMalformed& e) {
        std::fprintf(stderr, "%s: %s\n", inputName, e.Message.c_str());
    } catch (const Exception& e) {
        std::fprintf(stderr, "%s: %s\n", inputName, e.Message().c_str());
    }
    return 1;
}
