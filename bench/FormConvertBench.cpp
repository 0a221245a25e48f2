// Converting a large form (10,000 objects with a dozen properties each) between the text and the
// binary form, in bytes of input per second.
#include "framework/rtl/FormConvert.h"

#include <benchmark/benchmark.h>

using namespace dw;

namespace {

// A form of 100 panels holding 99 controls each, with integers, strings, identifiers, sets,
// Booleans, floats, string lists, binary data and collections among the properties.
String LargeFormText() {
    String t = "object MainForm: TMainForm\n  Left = 0\n  Top = 0\n  Caption = 'Large form'\n";
    for (int p = 0; p < 100; ++p) {
        t += Format("  object Panel%d: TPanel\n    Left = %d\n    Top = %d\n    Width = 800\n    Height = 600\n"
                    "    Align = alTop\n    BevelOuter = bvLowered\n    Caption = 'Panel number %d'\n"
                    "    Color = clBtnFace\n    Font.Name = 'MS Sans Serif'\n    Font.Style = [fsBold]\n"
                    "    ParentFont = False\n    TabOrder = %d\n",
                    p, p * 8, p * 600, p, p);
        for (int c = 0; c < 99; ++c) {
            int n = p * 99 + c;
            t +=
                Format("    object Control%d: TButton\n      Left = %d\n      Top = %d\n      Width = 75\n"
                       "      Height = 25\n      Anchors = [akLeft, akTop, akRight]\n"
                       "      Caption = 'Caption of control number %d'\n      Enabled = True\n"
                       "      Font.Height = -11\n      Hint = 'A longer hint text that explains what control %d does'\n"
                       "      ScaleFactor = %d.25\n      TabOrder = %d\n      OnClick = Control%dClick\n",
                       n, c * 80 % 700, c * 30 % 500, n, n, c, c, n);
            if (c % 10 == 0)
                t += "      Items.Strings = (\n        'First item'\n        'Second item'\n        'Third item')\n";
            if (c % 25 == 0)
                t += "      Glyph.Data = {\n"
                     "        000102030405060708090A0B0C0D0E0F101112131415161718191A1B1C1D1E1F\n"
                     "        202122232425262728292A2B2C2D2E2F303132333435363738393A3B3C3D3E3F}\n";
            if (c % 33 == 0)
                t += "      Panels = <\n        item\n          Width = 50\n        end\n        item\n"
                     "          Text = 'Ready'\n          Width = 120\n        end>\n";
            t += "    end\n";
        }
        t += "  end\n";
    }
    t += "end\n";
    return t;
}

struct TForms {
    TMemoryStream Text;
    TMemoryStream Binary;
    TForms() {
        String text = LargeFormText();
        Text.WriteBuffer(text.data(), static_cast<Int64>(text.size()));
        Text.SetPosition(0);
        ObjectTextToBinary(Text, Binary);
    }
};

TForms& Forms() {
    static TForms forms;
    return forms;
}

void BM_TextToBinary(benchmark::State& state) {
    TMemoryStream& text = Forms().Text;
    TMemoryStream out;
    for (auto _ : state) {
        text.SetPosition(0);
        out.SetPosition(0);
        benchmark::DoNotOptimize(ObjectTextToBinary(text, out));
    }
    state.SetBytesProcessed(state.iterations() * text.Size());
    state.counters["text_bytes"] = static_cast<double>(text.Size());
}
BENCHMARK(BM_TextToBinary)->Unit(benchmark::kMillisecond);

void BM_BinaryToText(benchmark::State& state) {
    TMemoryStream& binary = Forms().Binary;
    TMemoryStream out;
    for (auto _ : state) {
        binary.SetPosition(0);
        out.SetPosition(0);
        benchmark::DoNotOptimize(ObjectBinaryToText(binary, out));
    }
    state.SetBytesProcessed(state.iterations() * binary.Size());
    state.counters["binary_bytes"] = static_cast<double>(binary.Size());
}
BENCHMARK(BM_BinaryToText)->Unit(benchmark::kMillisecond);

} // namespace
