#include "framework/controls/graphics/JPEG.h"

#include "framework/controls/graphics/DibFormat.h"
#include "framework/rtl/ScopeGuard.h"

#include <csetjmp>
#include <cstdio>
#include <exception>
#include <functional>

#include <jpeglib.h>
// jerror.h after jpeglib.h: it uses the types jpeglib.h declares.
#include <jerror.h>

namespace dw {

namespace {

// libjpeg reports errors through error_exit, which must not return: it jumps back to the setjmp
// in Run*. Nothing with a destructor lives between that setjmp and the jump (the C++ state is
// in TJpegState, made before), and C++ exceptions never cross libjpeg: callbacks catch them,
// keep them in Pending and jump out; the caller rethrows them after jpeg_destroy.
struct TJpegState {
    jpeg_error_mgr Error{};
    std::jmp_buf Jump;
    char Message[JMSG_LENGTH_MAX] = {};
    bool Truncated = false;
    std::exception_ptr Pending;
    jpeg_progress_mgr Progress{};
    std::function<void(int)> OnProgress;
    int LastPercent = -1;
    TStream* Stream = nullptr;
    JOCTET Buffer[4096];
};

TJpegState* StateOf(j_common_ptr cinfo) {
    return reinterpret_cast<TJpegState*>(cinfo->client_data);
}

[[noreturn]] void ErrorExit(j_common_ptr cinfo) {
    TJpegState* state = StateOf(cinfo);
    (*cinfo->err->format_message)(cinfo, state->Message);
    std::longjmp(state->Jump, 1);
}

void EmitMessage(j_common_ptr cinfo, int level) {
    // A file that ends early is broken, not a warning: the rest of the picture would be grey.
    if (level < 0 && cinfo->err->msg_code == JWRN_JPEG_EOF) {
        StateOf(cinfo)->Truncated = true;
        ErrorExit(cinfo);
    }
    if (level < 0) ++cinfo->err->num_warnings;
}

void OutputMessage(j_common_ptr) {}

[[noreturn]] void FailWithPending(j_common_ptr cinfo, int code) {
    cinfo->err->msg_code = code;
    ErrorExit(cinfo);
}

void ProgressMonitor(j_common_ptr cinfo) {
    TJpegState* state = StateOf(cinfo);
    const jpeg_progress_mgr& p = state->Progress;
    if (!state->OnProgress || p.total_passes <= 0) return;
    double done = p.completed_passes + (p.pass_limit > 0 ? double(p.pass_counter) / double(p.pass_limit) : 0.0);
    int percent = std::clamp(static_cast<int>(done * 100.0 / p.total_passes), 0, 100);
    if (percent == state->LastPercent) return;
    state->LastPercent = percent;
    bool failed = false;
    try {
        state->OnProgress(percent);
    } catch (...) {
        state->Pending = std::current_exception();
        failed = true;
    }
    if (failed) FailWithPending(cinfo, JERR_FILE_READ);
}

// --- Source manager over a TStream ------------------------------------------------------------

void InitSource(j_decompress_ptr) {}

boolean FillInputBuffer(j_decompress_ptr cinfo) {
    TJpegState* state = StateOf(reinterpret_cast<j_common_ptr>(cinfo));
    Int64 n = 0;
    bool failed = false;
    try {
        n = state->Stream->Read(state->Buffer, sizeof state->Buffer);
    } catch (...) {
        state->Pending = std::current_exception();
        failed = true;
    }
    if (failed) FailWithPending(reinterpret_cast<j_common_ptr>(cinfo), JERR_FILE_READ);
    if (n <= 0) {
        WARNMS(cinfo, JWRN_JPEG_EOF);
        // Not reached when EmitMessage fails the read; kept so the manager is complete.
        state->Buffer[0] = 0xFF;
        state->Buffer[1] = JPEG_EOI;
        n = 2;
    }
    cinfo->src->next_input_byte = state->Buffer;
    cinfo->src->bytes_in_buffer = static_cast<size_t>(n);
    return TRUE;
}

void SkipInputData(j_decompress_ptr cinfo, long count) {
    if (count <= 0) return;
    while (count > static_cast<long>(cinfo->src->bytes_in_buffer)) {
        count -= static_cast<long>(cinfo->src->bytes_in_buffer);
        FillInputBuffer(cinfo);
    }
    cinfo->src->next_input_byte += count;
    cinfo->src->bytes_in_buffer -= static_cast<size_t>(count);
}

void TermSource(j_decompress_ptr) {}

// --- Destination manager over a TStream ------------------------------------------------------

void InitDestination(j_compress_ptr cinfo) {
    TJpegState* state = StateOf(reinterpret_cast<j_common_ptr>(cinfo));
    cinfo->dest->next_output_byte = state->Buffer;
    cinfo->dest->free_in_buffer = sizeof state->Buffer;
}

void WriteOut(j_compress_ptr cinfo, size_t count) {
    TJpegState* state = StateOf(reinterpret_cast<j_common_ptr>(cinfo));
    bool failed = false;
    try {
        state->Stream->WriteBuffer(state->Buffer, static_cast<Int64>(count));
    } catch (...) {
        state->Pending = std::current_exception();
        failed = true;
    }
    if (failed) FailWithPending(reinterpret_cast<j_common_ptr>(cinfo), JERR_FILE_WRITE);
}

boolean EmptyOutputBuffer(j_compress_ptr cinfo) {
    TJpegState* state = StateOf(reinterpret_cast<j_common_ptr>(cinfo));
    WriteOut(cinfo, sizeof state->Buffer);
    cinfo->dest->next_output_byte = state->Buffer;
    cinfo->dest->free_in_buffer = sizeof state->Buffer;
    return TRUE;
}

void TermDestination(j_compress_ptr cinfo) {
    TJpegState* state = StateOf(reinterpret_cast<j_common_ptr>(cinfo));
    size_t count = sizeof state->Buffer - cinfo->dest->free_in_buffer;
    if (count) WriteOut(cinfo, count);
}

void SetUp(TJpegState& state, j_common_ptr cinfo) {
    cinfo->err = jpeg_std_error(&state.Error);
    state.Error.error_exit = ErrorExit;
    state.Error.emit_message = EmitMessage;
    state.Error.output_message = OutputMessage;
    // Before jpeg_create_*: an error while creating already needs the state.
    cinfo->client_data = &state;
}

// After jpeg_create_*, which clears everything but the error manager and client data.
void Attach(TJpegState& state, j_common_ptr cinfo) {
    state.Progress.progress_monitor = ProgressMonitor;
    cinfo->progress = &state.Progress;
}

// --- Decoding -------------------------------------------------------------------------------

struct TDecodeJob {
    int ScaleDenom = 1;
    bool Grayscale = false;
    bool Fast = false;
    HBITMAP Result = nullptr;
    int FullWidth = 0;
    int FullHeight = 0;
};

// Returns false when libjpeg jumped out with an error.
bool RunDecode(TJpegState& state, jpeg_decompress_struct& cinfo, jpeg_source_mgr& source, TDecodeJob& job) {
    if (setjmp(state.Jump)) return false;
    jpeg_create_decompress(&cinfo);
    Attach(state, reinterpret_cast<j_common_ptr>(&cinfo));
    source.init_source = InitSource;
    source.fill_input_buffer = FillInputBuffer;
    source.skip_input_data = SkipInputData;
    source.resync_to_restart = jpeg_resync_to_restart;
    source.term_source = TermSource;
    cinfo.src = &source;
    jpeg_read_header(&cinfo, TRUE);
    job.FullWidth = static_cast<int>(cinfo.image_width);
    job.FullHeight = static_cast<int>(cinfo.image_height);
    // libjpeg keeps whole-image buffers for progressive files: refuse absurd sizes up front.
    if (cinfo.image_width > static_cast<JDIMENSION>(TSurface::kMaxDimension) ||
        cinfo.image_height > static_cast<JDIMENSION>(TSurface::kMaxDimension) ||
        std::int64_t(cinfo.image_width) * cinfo.image_height > TSurface::kMaxPixels)
        throw EInvalidGraphic(Format("JPEG image of %u x %u pixels is too large", unsigned(cinfo.image_width),
                                     unsigned(cinfo.image_height)));
    const bool cmyk = cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK;
    cinfo.out_color_space = cmyk ? JCS_CMYK : job.Grayscale ? JCS_GRAYSCALE : JCS_RGB;
    cinfo.scale_num = 1;
    cinfo.scale_denom = static_cast<unsigned>(job.ScaleDenom);
    if (job.Fast) {
        cinfo.dct_method = JDCT_IFAST;
        cinfo.do_fancy_upsampling = FALSE;
    }
    jpeg_start_decompress(&cinfo);
    const int w = static_cast<int>(cinfo.output_width), h = static_cast<int>(cinfo.output_height);
    job.Result = dib::CreateDib(w, h, 0xFF000000u);
    TSurface& surface = *GetBitmapSurface(job.Result);
    const int components = cinfo.output_components;
    const bool adobeInverted = cmyk && cinfo.saw_Adobe_marker;
    JSAMPARRAY row = (*cinfo.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&cinfo), JPOOL_IMAGE,
                                                static_cast<JDIMENSION>(w * components), 1);
    while (cinfo.output_scanline < cinfo.output_height) {
        int y = static_cast<int>(cinfo.output_scanline);
        jpeg_read_scanlines(&cinfo, row, 1);
        TPixel* out = surface.Row(y);
        const JSAMPLE* in = row[0];
        for (int x = 0; x < w; ++x, in += components) {
            int r, g, b;
            if (components == 1) {
                r = g = b = in[0];
            } else if (components == 4) {
                int c = in[0], m = in[1], ye = in[2], k = in[3];
                if (!adobeInverted) {
                    c = 255 - c, m = 255 - m, ye = 255 - ye, k = 255 - k;
                }
                r = c * k / 255, g = m * k / 255, b = ye * k / 255;
            } else {
                r = in[0], g = in[1], b = in[2];
            }
            if (job.Grayscale && components != 1) r = g = b = (r * 299 + g * 587 + b * 114) / 1000;
            out[x] = 0xFF000000u | (TPixel(r) << 16) | (TPixel(g) << 8) | TPixel(b);
        }
    }
    jpeg_finish_decompress(&cinfo);
    return true;
}

// --- Encoding -------------------------------------------------------------------------------

struct TEncodeJob {
    const TSurface* Pixels = nullptr;
    int Quality = 90;
    bool Grayscale = false;
    bool Progressive = false;
    bool Fast = false;
};

bool RunEncode(TJpegState& state, jpeg_compress_struct& cinfo, jpeg_destination_mgr& dest, TEncodeJob& job) {
    if (setjmp(state.Jump)) return false;
    jpeg_create_compress(&cinfo);
    Attach(state, reinterpret_cast<j_common_ptr>(&cinfo));
    dest.init_destination = InitDestination;
    dest.empty_output_buffer = EmptyOutputBuffer;
    dest.term_destination = TermDestination;
    cinfo.dest = &dest;
    const TSurface& s = *job.Pixels;
    cinfo.image_width = static_cast<JDIMENSION>(s.Width());
    cinfo.image_height = static_cast<JDIMENSION>(s.Height());
    cinfo.input_components = job.Grayscale ? 1 : 3;
    cinfo.in_color_space = job.Grayscale ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, job.Quality, TRUE);
    if (job.Progressive) jpeg_simple_progression(&cinfo);
    if (job.Fast) cinfo.dct_method = JDCT_IFAST;
    jpeg_start_compress(&cinfo, TRUE);
    JSAMPARRAY row = (*cinfo.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&cinfo), JPOOL_IMAGE,
                                                static_cast<JDIMENSION>(s.Width() * cinfo.input_components), 1);
    while (cinfo.next_scanline < cinfo.image_height) {
        // Alpha is dropped: pixels are composed over black as they are stored (premultiplied).
        const TPixel* in = s.Row(static_cast<int>(cinfo.next_scanline));
        JSAMPLE* out = row[0];
        for (int x = 0; x < s.Width(); ++x) {
            int r = (in[x] >> 16) & 0xFF, g = (in[x] >> 8) & 0xFF, b = in[x] & 0xFF;
            if (job.Grayscale) {
                *out++ = static_cast<JSAMPLE>((r * 299 + g * 587 + b * 114) / 1000);
            } else {
                *out++ = static_cast<JSAMPLE>(r);
                *out++ = static_cast<JSAMPLE>(g);
                *out++ = static_cast<JSAMPLE>(b);
            }
        }
        jpeg_write_scanlines(&cinfo, row, 1);
    }
    jpeg_finish_compress(&cinfo);
    return true;
}

[[noreturn]] void RaiseJpegError(TJpegState& state, const char* action) {
    if (state.Pending) std::rethrow_exception(state.Pending);
    if (state.Truncated) throw EInvalidGraphic(Format("JPEG image is truncated: %s", String(state.Message)));
    throw EInvalidGraphic(Format("JPEG image %s: %s", action, String(state.Message)));
}

} // namespace

DW_DEFINE_CLASS(TJPEGImage) {}

TJPEGImage::TJPEGImage() = default;

TJPEGImage::~TJPEGImage() = default;

void TJPEGImage::Assign(const TPersistent* source) {
    if (auto* jpeg = As<TJPEGImage>(source)) {
        if (jpeg == this) return;
        FData = jpeg->FData;
        FBitmap.reset();
        if (jpeg->FBitmap) {
            FBitmap = MakeObject<TBitmap>();
            FBitmap->Assign(jpeg->FBitmap.get());
        }
        FCompressionQuality = jpeg->FCompressionQuality;
        FGrayscale = jpeg->FGrayscale;
        FProgressiveEncoding = jpeg->FProgressiveEncoding;
        FScale = jpeg->FScale;
        FPerformance = jpeg->FPerformance;
        Changed();
        return;
    }
    if (auto* graphic = As<TGraphic>(source)) {
        TObjectPtr<TBitmap> bitmap = MakeObject<TBitmap>();
        bitmap->Assign(graphic);
        if (bitmap->Empty()) {
            FBitmap.reset();
        } else {
            // JPEG has no transparency: pixels with alpha are composed over white.
            if (bitmap->AlphaFormat() != afIgnored) {
                TSurface& s = *bitmap->Surface();
                for (int y = 0; y < s.Height(); ++y)
                    for (TPixel& p : std::span(s.Row(y), static_cast<size_t>(s.Width()))) {
                        TPixel a = p >> 24, inv = 255 - a;
                        auto over = [&](int shift) {
                            return std::min<TPixel>(255, ((p >> shift) & 0xFF) + inv) << shift;
                        };
                        p = 0xFF000000u | over(16) | over(8) | over(0);
                    }
                bitmap->SetAlphaFormat(afIgnored);
            }
            bitmap->SetPixelFormat(pf24bit);
            FBitmap = std::move(bitmap);
        }
        FData.clear();
        FScale = jsFullSize;
        Changed();
        return;
    }
    TGraphic::Assign(source);
}

void TJPEGImage::AssignTo(TPersistent* dest) const {
    if (auto* bitmap = As<TBitmap>(dest)) {
        bitmap->Assign(FBitmap.get());
        return;
    }
    TGraphic::AssignTo(dest);
}

bool TJPEGImage::Empty() const {
    return FData.empty() && (!FBitmap || FBitmap->Empty());
}

int TJPEGImage::Width() const {
    return FBitmap ? FBitmap->Width() : 0;
}

int TJPEGImage::Height() const {
    return FBitmap ? FBitmap->Height() : 0;
}

void TJPEGImage::SetCompressionQuality(int value) {
    if (value < 1 || value > 100)
        throw EInvalidArgument(Format("JPEG compression quality %d is not between 1 and 100", value));
    FCompressionQuality = value;
}

void TJPEGImage::SetGrayscale(bool value) {
    if (value == FGrayscale) return;
    FGrayscale = value;
    if (!FData.empty()) {
        Decode();
        Changed();
    }
}

void TJPEGImage::SetScale(TJPEGScale value) {
    if (value == FScale) return;
    FScale = value;
    if (!FData.empty()) {
        Decode();
        Changed();
    }
}

void TJPEGImage::SetPerformance(TJPEGPerformance value) {
    if (value == FPerformance) return;
    FPerformance = value;
    if (!FData.empty()) {
        Decode();
        Changed();
    }
}

TBitmap* TJPEGImage::Bitmap() {
    return FBitmap.get();
}

const std::vector<Byte>& TJPEGImage::Data() {
    if (FData.empty() && FBitmap && !FBitmap->Empty()) Compress();
    return FData;
}

void TJPEGImage::ReportProgress(TProgressStage stage, int percent) {
    Progress(stage, static_cast<Byte>(percent), false, TRect{0, 0, Width(), Height()}, "");
}

void TJPEGImage::Decode() {
    TMemoryStream source;
    source.WriteBuffer(FData.data(), static_cast<Int64>(FData.size()));
    source.SetPosition(0);

    TJpegState state;
    state.Stream = &source;
    state.OnProgress = [this](int percent) { ReportProgress(psRunning, percent); };
    TDecodeJob job;
    job.ScaleDenom = 1 << static_cast<int>(FScale);
    job.Grayscale = FGrayscale;
    job.Fast = FPerformance == jpBestSpeed;
    jpeg_decompress_struct cinfo{};
    jpeg_source_mgr manager{};
    SetUp(state, reinterpret_cast<j_common_ptr>(&cinfo));

    ReportProgress(psStarting, 0);
    bool ok;
    {
        auto undo = ScopeFail([&] {
            jpeg_destroy_decompress(&cinfo);
            if (job.Result) DeleteObject(job.Result);
        });
        ok = RunDecode(state, cinfo, manager, job);
    }
    jpeg_destroy_decompress(&cinfo);
    if (!ok) {
        if (job.Result) DeleteObject(job.Result);
        RaiseJpegError(state, "is not valid");
    }
    TObjectPtr<TBitmap> bitmap = MakeObject<TBitmap>();
    bitmap->SetHandle(job.Result);
    bitmap->SetPixelFormat(pf24bit);
    FBitmap = std::move(bitmap);
    ReportProgress(psEnding, 100);
}

void TJPEGImage::Compress() {
    if (!FBitmap || FBitmap->Empty()) {
        FData.clear();
        return;
    }
    TMemoryStream out;
    TJpegState state;
    state.Stream = &out;
    state.OnProgress = [this](int percent) { ReportProgress(psRunning, percent); };
    TEncodeJob job;
    job.Pixels = FBitmap->Surface();
    job.Quality = FCompressionQuality;
    job.Grayscale = FGrayscale;
    job.Progressive = FProgressiveEncoding;
    job.Fast = FPerformance == jpBestSpeed;
    jpeg_compress_struct cinfo{};
    jpeg_destination_mgr manager{};
    SetUp(state, reinterpret_cast<j_common_ptr>(&cinfo));

    ReportProgress(psStarting, 0);
    bool ok;
    {
        auto restore = ScopeExit([&] { jpeg_destroy_compress(&cinfo); });
        ok = RunEncode(state, cinfo, manager, job);
    }
    if (!ok) RaiseJpegError(state, "cannot be written");
    FData = out.Bytes();
    ReportProgress(psEnding, 100);
}

void TJPEGImage::LoadFromStream(TStream& stream) {
    Int64 size = dib::Remaining(stream);
    if (size <= 0) throw EInvalidGraphic("JPEG image is not valid: the data is empty");
    std::vector<Byte> data(static_cast<size_t>(size));
    dib::ReadExact(stream, data.data(), size, "the JPEG data");
    std::vector<Byte> previous = std::move(FData);
    FData = std::move(data);
    {
        auto undo = ScopeFail([&] { FData = std::move(previous); });
        Decode();
    }
    Changed();
}

void TJPEGImage::SaveToStream(TStream& stream) {
    const std::vector<Byte>& data = Data();
    if (data.empty()) throw EInvalidGraphic("Cannot save an empty JPEG image");
    stream.WriteBuffer(data.data(), static_cast<Int64>(data.size()));
}

void TJPEGImage::Draw(TCanvas* canvas, const TRect& rect) {
    if (FBitmap) FBitmap->Draw(canvas, rect);
}

} // namespace dw
