// TClipboard: the platform clipboard as an object (Clipboard() is the program's one instance):
// text, registered formats as global memory handles or byte buffers, and nested Open/Close so
// that several formats can be placed in one go.
#pragma once

#include "framework/platform/window/Clipboard.h"
#include "framework/rtl/Persistent.h"

#include <cstdint>
#include <vector>

namespace dw {

class TClipboard : public TPersistent {
    DW_CLASS(TClipboard, TPersistent)
    TClipboard() = default;
    ~TClipboard() override;

    // Opens the clipboard for a series of operations; nests. Raises EInvalidOperation when the
    // clipboard is open elsewhere. The first format placed after the outermost Open empties the
    // clipboard, so everything placed until Close goes together.
    void Open();
    void Close();
    bool IsOpen() const { return FOpenCount > 0; }
    // Removes every format.
    void Clear();

    bool HasFormat(UINT format) const;
    int FormatCount() const;
    // The formats on the clipboard, in the order the platform lists them; index out of range
    // raises EListError.
    UINT Formats(int index) const;

    // Plain text ("" when there is none).
    String AsText() const;
    void SetAsText(const String& value);

    // The data of a format as a handle the clipboard owns: valid only until Close, so the
    // clipboard must be open (EInvalidOperation otherwise). Null when the format is not there.
    HGLOBAL GetAsHandle(UINT format);
    // Places a handle; the clipboard owns it afterwards, also when placing fails (it is freed
    // and EInvalidOperation raised).
    void SetAsHandle(UINT format, HGLOBAL value);
    // The same with copies of the bytes.
    std::vector<std::uint8_t> GetBuffer(UINT format) const;
    void SetBuffer(UINT format, const void* data, std::size_t size);
    void SetBuffer(UINT format, const std::vector<std::uint8_t>& data) { SetBuffer(format, data.data(), data.size()); }

    // Copies text from a TStrings (its Text) or anything else that can assign to strings.
    void Assign(const TPersistent* source) override;

private:
    // Empties the clipboard before the first format placed in this Open/Close block.
    void Adding();

    int FOpenCount = 0;
    bool FEmptied = false;
};

// The program's clipboard object (made on first use).
TClipboard* Clipboard();

} // namespace dw
