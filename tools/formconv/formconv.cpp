// formconv: converts a form file between the text and the binary form, or checks that it is
// well formed. Exit status: 0 success, 1 a file that cannot be read or is malformed, 2 bad usage.
#include "framework/rtl/Exceptions.h"
#include "framework/rtl/FormConvert.h"
#include "framework/rtl/ResourceHeader.h"
#include "framework/rtl/StreamFormat.h"

#include <cstdio>
#include <cstring>

using namespace dw;

namespace {

const char kUsage[] = "Usage: formconv [--header] INPUT OUTPUT\n"
                      "       formconv --check FILE\n"
                      "\n"
                      "Converts a form file to the other form: a text form to the binary form, a binary form\n"
                      "(with or without a resource header) to the text form.\n"
                      "  --header  write the binary form behind a resource header named after the root's class\n"
                      "  --check   report whether FILE is a well-formed form file\n";

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

} // namespace

int main(int argc, char** argv) {
    bool check = false;
    bool header = false;
    std::vector<const char*> files;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--check") == 0)
            check = true;
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
    if (check && (header || files.size() != 1)) return Usage("--check takes one file and no other option");
    if (!check && files.size() != 2) return Usage(nullptr);

    const char* inputName = files[0];
    try {
        TMemoryStream input;
        input.LoadFromFile(inputName);
        if (header && TestStreamFormat(input) != TStreamOriginalFormat::sofText)
            return Usage("--header applies to text input only");
        TMemoryStream output;
        TResult result = Convert(input, output, header);
        if (check) {
            std::printf("ok: %s, %s, root %s%s%s, %d object%s\n", inputName, result.Kind, result.Summary.Name.c_str(),
                        result.Summary.Name.empty() ? "" : ": ", result.Summary.ClassName.c_str(),
                        result.Summary.ObjectCount, result.Summary.ObjectCount == 1 ? "" : "s");
        } else {
            output.SaveToFile(files[1]);
        }
        return 0;
    } catch (const TMalformed& e) {
        std::fprintf(stderr, "%s: %s\n", inputName, e.Message.c_str());
    } catch (const Exception& e) {
        std::fprintf(stderr, "%s: %s\n", inputName, e.Message().c_str());
    }
    return 1;
}
