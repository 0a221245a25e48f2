#include "framework/platform/gdi/FontEngine.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H
#include FT_TRUETYPE_TABLES_H
#include FT_MODULE_H

#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>

namespace dw {

namespace {

// Faces that forms name, and what to use when they are not installed. Tahoma and the old
// "MS Sans Serif" are narrow Verdana-like faces, which DejaVu Sans Condensed matches closely in
// width; Verdana itself is what DejaVu Sans descends from.
struct TClassicFace {
    const char* Name;
    const char* Candidates[4];
};

constexpr TClassicFace kClassicFaces[] = {
    {"MS Sans Serif", {"DejaVu Sans Condensed", "DejaVu Sans", "sans-serif", nullptr}},
    {"Microsoft Sans Serif", {"DejaVu Sans Condensed", "DejaVu Sans", "sans-serif", nullptr}},
    {"MS Shell Dlg", {"DejaVu Sans Condensed", "DejaVu Sans", "sans-serif", nullptr}},
    {"MS Shell Dlg 2", {"DejaVu Sans Condensed", "DejaVu Sans", "sans-serif", nullptr}},
    {"Tahoma", {"DejaVu Sans Condensed", "DejaVu Sans", "sans-serif", nullptr}},
    {"Segoe UI", {"DejaVu Sans Condensed", "DejaVu Sans", "sans-serif", nullptr}},
    {"System", {"DejaVu Sans Condensed", "DejaVu Sans", "sans-serif", nullptr}},
    {"Arial", {"Liberation Sans", "Arimo", "DejaVu Sans Condensed", "sans-serif"}},
    {"Helvetica", {"Liberation Sans", "Arimo", "DejaVu Sans Condensed", "sans-serif"}},
    {"Verdana", {"DejaVu Sans", "sans-serif", nullptr, nullptr}},
    {"Courier New", {"Liberation Mono", "Cousine", "DejaVu Sans Mono", "monospace"}},
    {"Courier", {"Liberation Mono", "Cousine", "DejaVu Sans Mono", "monospace"}},
    {"Fixedsys", {"DejaVu Sans Mono", "monospace", nullptr, nullptr}},
    {"Terminal", {"DejaVu Sans Mono", "monospace", nullptr, nullptr}},
    {"Lucida Console", {"DejaVu Sans Mono", "monospace", nullptr, nullptr}},
    {"Consolas", {"DejaVu Sans Mono", "monospace", nullptr, nullptr}},
    {"Times New Roman", {"Liberation Serif", "Tinos", "DejaVu Serif", "serif"}},
    {"Times", {"Liberation Serif", "Tinos", "DejaVu Serif", "serif"}},
    {"MS Serif", {"Liberation Serif", "Tinos", "DejaVu Serif", "serif"}},
    {"Georgia", {"DejaVu Serif", "serif", nullptr, nullptr}},
};

// A fixed, crisp look at small sizes: full hinting with the classic TrueType interpreter.
constexpr unsigned kInterpreterVersion = 35;

} // namespace

// Realised fonts, keyed by logical font and by face file and size; owns the FreeType library.
class TFontCache {
public:
    TFontCache() {
        FOk = FcInit() && FT_Init_FreeType(&FLibrary) == 0;
        if (FOk) {
            unsigned v = kInterpreterVersion;
            FT_Property_Set(FLibrary, "truetype", "interpreter-version", &v);
        }
    }
    ~TFontCache() {
        FInstances.clear();
        FByLogFont.clear();
        if (FLibrary) FT_Done_FreeType(FLibrary);
        if (FOk) FcFini(); // releases fontconfig's caches, so leak checkers see a clean exit
    }

    bool Installed(const String& family) {
        String key = LowerCase(family);
        auto it = FInstalled.find(key);
        if (it != FInstalled.end()) return it->second;
        bool found = false;
        if (FcPattern* pat = FcPatternCreate()) {
            FcPatternAddString(pat, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
            if (FcObjectSet* os = FcObjectSetBuild(FC_FAMILY, nullptr)) {
                if (FcFontSet* set = FcFontList(nullptr, pat, os)) {
                    found = set->nfont > 0;
                    FcFontSetDestroy(set);
                }
                FcObjectSetDestroy(os);
            }
            FcPatternDestroy(pat);
        }
        FInstalled[key] = found;
        return found;
    }

    // Family names to ask fontconfig for, best first.
    std::vector<String> Families(std::string_view face, BYTE pitchAndFamily) {
        std::vector<String> out;
        String name = Trim(face);
        if (!name.empty()) {
            for (const TClassicFace& c : kClassicFaces)
                if (SameText(name, c.Name)) {
                    if (Installed(name)) out.push_back(name);
                    for (const char* cand : c.Candidates)
                        if (cand && (Installed(cand) || std::strchr(cand, ' ') == nullptr)) out.push_back(cand);
                    return out;
                }
            out.push_back(name);
        }
        BYTE family = pitchAndFamily & 0xF0;
        if ((pitchAndFamily & 0x03) == FIXED_PITCH || family == FF_MODERN)
            out.push_back("monospace");
        else if (family == FF_ROMAN)
            out.push_back("serif");
        else {
            // The default face looks like the rest of the classic interface.
            if (Installed("DejaVu Sans Condensed")) out.push_back("DejaVu Sans Condensed");
            out.push_back("sans-serif");
        }
        return out;
    }

    TFontInstance* Realize(const LOGFONT& lf) {
        if (!FOk) return nullptr;
        String logKey = LowerCase(lf.lfFaceName) + "|" + IntToStr(lf.lfHeight) + "|" + IntToStr(lf.lfWeight) + "|" +
                        IntToStr(lf.lfItalic ? 1 : 0) + "|" + IntToStr(Mono(lf) ? 1 : 0) + "|" +
                        IntToStr(lf.lfPitchAndFamily);
        if (auto it = FByLogFont.find(logKey); it != FByLogFont.end()) return it->second;
        TFontInstance* inst = Build(lf);
        if (!inst && lf.lfFaceName[0]) {
            LOGFONT fallback = lf;
            fallback.lfFaceName[0] = 0;
            inst = Build(fallback);
        }
        FByLogFont[logKey] = inst;
        return inst;
    }

    String Resolve(std::string_view face) {
        std::vector<String> families = Families(face, 0);
        FcPattern* match = Match(families, FW_NORMAL, false, 11);
        String result;
        if (match) {
            result = FamilyOf(match, families);
            FcPatternDestroy(match);
        }
        return result;
    }

private:
    // A face has several family names ("DejaVu Sans", "DejaVu Sans Condensed"); report the one asked
    // for when there is one, else the first.
    static String FamilyOf(FcPattern* match, const std::vector<String>& wanted) {
        std::vector<String> names;
        FcChar8* fam = nullptr;
        for (int i = 0; FcPatternGetString(match, FC_FAMILY, i, &fam) == FcResultMatch; ++i)
            names.push_back(reinterpret_cast<char*>(fam));
        for (const String& w : wanted)
            for (const String& name : names)
                if (SameText(w, name)) return name;
        return names.empty() ? String() : names.front();
    }

    static bool Mono(const LOGFONT& lf) { return lf.lfQuality == NONANTIALIASED_QUALITY; }

    FcPattern* Match(const std::vector<String>& families, int weight, bool italic, double pixelSize) {
        FcPattern* pat = FcPatternCreate();
        if (!pat) return nullptr;
        for (const String& f : families)
            FcPatternAddString(pat, FC_FAMILY, reinterpret_cast<const FcChar8*>(f.c_str()));
        FcPatternAddInteger(pat, FC_WEIGHT, FcWeightFromOpenType(std::clamp(weight, 1, 1000)));
        FcPatternAddInteger(pat, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
        FcPatternAddDouble(pat, FC_PIXEL_SIZE, pixelSize);
        FcPatternAddBool(pat, FC_SCALABLE, FcTrue);
        FcConfigSubstitute(nullptr, pat, FcMatchPattern);
        FcDefaultSubstitute(pat);
        FcResult res;
        FcPattern* match = FcFontMatch(nullptr, pat, &res);
        FcPatternDestroy(pat);
        return match;
    }

    TFontInstance* Build(const LOGFONT& lf) {
        int weight = lf.lfWeight == FW_DONTCARE ? FW_NORMAL : std::clamp<int>(lf.lfWeight, 1, 1000);
        bool italic = lf.lfItalic != 0;
        FcPattern* match = Match(Families(lf.lfFaceName, lf.lfPitchAndFamily), weight, italic, 11);
        if (!match) return nullptr;
        FcChar8* file = nullptr;
        int index = 0, matchedWeight = FC_WEIGHT_REGULAR, matchedSlant = FC_SLANT_ROMAN;
        FcPatternGetString(match, FC_FILE, 0, &file);
        FcPatternGetInteger(match, FC_INDEX, 0, &index);
        FcPatternGetInteger(match, FC_WEIGHT, 0, &matchedWeight);
        FcPatternGetInteger(match, FC_SLANT, 0, &matchedSlant);
        String path = file ? reinterpret_cast<char*>(file) : "";
        String familyName = FamilyOf(match, Families(lf.lfFaceName, lf.lfPitchAndFamily));
        FcPatternDestroy(match);
        if (path.empty()) return nullptr;

        FT_Face face = nullptr;
        if (FT_New_Face(FLibrary, path.c_str(), index, &face) != 0) return nullptr;
        auto inst = std::unique_ptr<TFontInstance>(new TFontInstance());
        inst->FFace = face;
        inst->FFamily = familyName;
        inst->FMono = Mono(lf);
        inst->FWeight = weight;
        inst->FItalic = italic;
        inst->FSynthBold = weight >= FW_SEMIBOLD && matchedWeight < FC_WEIGHT_DEMIBOLD;
        inst->FSynthItalic = italic && matchedSlant == FC_SLANT_ROMAN;
        inst->FFixedPitch = FT_IS_FIXED_WIDTH(face);

        double upem = face->units_per_EM ? face->units_per_EM : 2048;
        double winAscent = face->ascender, winDescent = -face->descender;
        TT_OS2* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
        if (os2 && os2->version != 0xFFFF && os2->usWinAscent + os2->usWinDescent > 0) {
            winAscent = os2->usWinAscent;
            winDescent = os2->usWinDescent;
        }
        // Below zero: character (em) height; above: cell height; zero: 8 points.
        double em = 11;
        if (lf.lfHeight < 0)
            em = -double(lf.lfHeight);
        else if (lf.lfHeight > 0)
            em = lf.lfHeight * upem / (winAscent + winDescent);
        int emPx = std::clamp(static_cast<int>(std::lround(em)), 1, 1024);
        inst->FEm = emPx;
        if (FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(emPx)) != 0) return nullptr;
        double scale = emPx / upem;
        inst->FAscent = static_cast<int>(std::lround(winAscent * scale));
        inst->FDescent = static_cast<int>(std::lround(winDescent * scale));
        if (lf.lfHeight > 0 && std::lround(em) == emPx) {
            // The cell is exactly what was asked for.
            int extra = lf.lfHeight - (inst->FAscent + inst->FDescent);
            inst->FAscent += extra;
        }
        if (inst->FAscent + inst->FDescent < 1) inst->FAscent = 1;
        inst->FMaxCharWidth = static_cast<int>(std::lround(face->max_advance_width * scale));
        if (os2 && os2->xAvgCharWidth > 0)
            inst->FAveCharWidth = static_cast<int>(std::lround(os2->xAvgCharWidth * scale));
        else
            inst->FAveCharWidth = inst->Advance('x');
        if (inst->FSynthBold) {
            inst->FAveCharWidth += 1;
            inst->FMaxCharWidth += 1;
        }
        inst->FUnderlineThickness = std::max(1, static_cast<int>(std::lround(face->underline_thickness * scale)));
        inst->FUnderlineTop =
            std::min(inst->Height() - inst->FUnderlineThickness,
                     inst->FAscent + std::max(1, static_cast<int>(std::lround(-face->underline_position * scale)) -
                                                     inst->FUnderlineThickness / 2));
        double strike = os2 && os2->yStrikeoutPosition > 0 ? os2->yStrikeoutPosition : upem * 0.26;
        inst->FStrikeOutTop = inst->FAscent - static_cast<int>(std::lround(strike * scale));

        String key = path + "|" + IntToStr(index) + "|" + IntToStr(emPx) + "|" + IntToStr(inst->FSynthBold) +
                     IntToStr(inst->FSynthItalic) + IntToStr(inst->FMono) + "|" +
                     IntToStr(lf.lfHeight > 0 ? lf.lfHeight : 0);
        if (auto it = FInstances.find(key); it != FInstances.end()) return it->second.get();
        TFontInstance* raw = inst.get();
        FInstances[key] = std::move(inst);
        return raw;
    }

    bool FOk = false;
    FT_Library FLibrary = nullptr;
    std::map<String, std::unique_ptr<TFontInstance>> FInstances;
    std::map<String, TFontInstance*> FByLogFont;
    std::map<String, bool> FInstalled;
};

namespace {

TFontCache& Cache() {
    static TFontCache cache;
    return cache;
}

} // namespace

TFontInstance::~TFontInstance() {
    if (FFace) FT_Done_Face(static_cast<FT_Face>(FFace));
}

const TGlyph& TFontInstance::Glyph(char32_t cp) {
    if (cp < 128) {
        if (!FAscii[cp]) {
            FAscii[cp] = std::make_unique<TGlyph>();
            Render(cp, *FAscii[cp]);
        }
        return *FAscii[cp];
    }
    auto it = FOther.find(cp);
    if (it != FOther.end()) return *it->second;
    // Bound the cache for texts that wander through many scripts.
    if (FOther.size() >= 4096) FOther.clear();
    auto g = std::make_unique<TGlyph>();
    Render(cp, *g);
    return *FOther.emplace(cp, std::move(g)).first->second;
}

void TFontInstance::Render(char32_t cp, TGlyph& out) {
    out = TGlyph();
    // Control characters take no room and draw nothing.
    if (cp < 0x20 || cp == 0x7F) return;
    FT_Face face = static_cast<FT_Face>(FFace);
    FT_UInt index = FT_Get_Char_Index(face, cp);
    FT_Int32 flags = FT_LOAD_DEFAULT | (FMono ? FT_LOAD_TARGET_MONO : FT_LOAD_TARGET_NORMAL);
    if (FSynthBold || FSynthItalic) flags |= FT_LOAD_NO_BITMAP;
    if (FT_Load_Glyph(face, index, flags) != 0) return;
    FT_GlyphSlot slot = face->glyph;
    int extra = 0;
    if (slot->format == FT_GLYPH_FORMAT_OUTLINE) {
        if (FSynthItalic) {
            FT_Matrix shear{0x10000, 0x0366A, 0, 0x10000}; // about 12 degrees
            FT_Outline_Transform(&slot->outline, &shear);
        }
        if (FSynthBold) {
            FT_Pos strength = std::max<FT_Pos>(64, FEm * 64 / 14);
            FT_Outline_Embolden(&slot->outline, strength);
            extra = static_cast<int>((strength + 32) >> 6);
        }
    }
    out.Advance = static_cast<int>((slot->advance.x + 32) >> 6) + extra;
    if (FT_Render_Glyph(slot, FMono ? FT_RENDER_MODE_MONO : FT_RENDER_MODE_NORMAL) != 0) return;
    const FT_Bitmap& bm = slot->bitmap;
    out.Left = slot->bitmap_left;
    out.Top = slot->bitmap_top;
    out.Width = static_cast<int>(bm.width);
    out.Height = static_cast<int>(bm.rows);
    out.Coverage.assign(std::size_t(out.Width) * out.Height, 0);
    for (int y = 0; y < out.Height; ++y) {
        const unsigned char* row = bm.buffer + std::ptrdiff_t(y) * bm.pitch;
        std::uint8_t* dst = out.Coverage.data() + std::size_t(y) * out.Width;
        if (bm.pixel_mode == FT_PIXEL_MODE_MONO)
            for (int x = 0; x < out.Width; ++x) dst[x] = (row[x >> 3] >> (7 - (x & 7))) & 1 ? 255 : 0;
        else if (bm.pixel_mode == FT_PIXEL_MODE_GRAY)
            std::memcpy(dst, row, std::size_t(out.Width));
    }
}

TFontInstance* RealizeFont(const LOGFONT& font) {
    return Cache().Realize(font);
}

String ResolveFontFamily(std::string_view faceName) {
    return Cache().Resolve(faceName);
}

} // namespace dw
