// Streams: the abstract TStream and the memory, file, string and resource streams.
#pragma once

#include "framework/rtl/Object.h"

#include <cstdio>
#include <vector>

namespace dw {

enum class TSeekOrigin { soBeginning, soCurrent, soEnd };

class TStream : public TObject {
    DW_CLASS(TStream, TObject)
    // Read and Write move up to count bytes and return how many moved.
    virtual Int64 Read(void* buffer, Int64 count) = 0;
    virtual Int64 Write(const void* buffer, Int64 count) = 0;
    virtual Int64 Seek(Int64 offset, TSeekOrigin origin) = 0;

    // Exactly count bytes, or EReadError / EWriteError.
    void ReadBuffer(void* buffer, Int64 count);
    void WriteBuffer(const void* buffer, Int64 count);
    Int64 Position() { return Seek(0, TSeekOrigin::soCurrent); }
    void SetPosition(Int64 pos) { Seek(pos, TSeekOrigin::soBeginning); }
    virtual Int64 Size();
    virtual void SetSize(Int64 newSize);
    // Copies count bytes from source (all of it from its start when count is 0).
    Int64 CopyFrom(TStream& source, Int64 count);
    // The bytes from the current position to the end.
    std::vector<Byte> ReadRemaining();
};

class TMemoryStream : public TStream {
    DW_CLASS(TMemoryStream, TStream)
    TMemoryStream() = default;
    Int64 Read(void* buffer, Int64 count) override;
    Int64 Write(const void* buffer, Int64 count) override;
    Int64 Seek(Int64 offset, TSeekOrigin origin) override;
    Int64 Size() override { return static_cast<Int64>(FData.size()); }
    void SetSize(Int64 newSize) override;
    void Clear();
    Byte* Memory() { return FData.data(); }
    const Byte* Memory() const { return FData.data(); }
    const std::vector<Byte>& Bytes() const { return FData; }
    void LoadFromStream(TStream& stream);
    void SaveToStream(TStream& stream);
    void LoadFromFile(const String& fileName);
    void SaveToFile(const String& fileName);

private:
    std::vector<Byte> FData;
    Int64 FPosition = 0;
};

// fmCreate creates or truncates; the open modes combine an access mode with a share mode.
enum TFileMode : unsigned {
    fmOpenRead = 0x0000,
    fmOpenWrite = 0x0001,
    fmOpenReadWrite = 0x0002,
    fmShareCompat = 0x0000,
    fmShareExclusive = 0x0010,
    fmShareDenyWrite = 0x0020,
    fmShareDenyRead = 0x0030,
    fmShareDenyNone = 0x0040,
    fmCreate = 0xFF00,
};

class TFileStream : public TStream {
    DW_CLASS(TFileStream, TStream)
    // Raises EFCreateError or EFOpenError naming the file and the system's reason. With
    // fmShareDenyWrite or fmShareExclusive the file is locked (an advisory lock) against writers.
    TFileStream(const String& fileName, unsigned mode);
    ~TFileStream() override;
    Int64 Read(void* buffer, Int64 count) override;
    Int64 Write(const void* buffer, Int64 count) override;
    Int64 Seek(Int64 offset, TSeekOrigin origin) override;
    void SetSize(Int64 newSize) override;
    const String& FileName() const { return FFileName; }

private:
    String FFileName;
    int FHandle = -1;
};

class TStringStream : public TStream {
    DW_CLASS(TStringStream, TStream)
    explicit TStringStream(String data = "") : FData(std::move(data)) {}
    Int64 Read(void* buffer, Int64 count) override;
    Int64 Write(const void* buffer, Int64 count) override;
    Int64 Seek(Int64 offset, TSeekOrigin origin) override;
    void SetSize(Int64 newSize) override;
    const String& DataString() const { return FData; }
    String ReadString(Int64 count);
    void WriteString(const String& s) { WriteBuffer(s.data(), static_cast<Int64>(s.size())); }

private:
    String FData;
    Int64 FPosition = 0;
};

// A read-only stream over a resource compiled into the program (see Resources.h).
class TResourceStream : public TStream {
    DW_CLASS(TResourceStream, TStream)
    // Raises EResNotFound when no resource of that name and type exists.
    TResourceStream(const String& name, const String& type);
    Int64 Read(void* buffer, Int64 count) override;
    Int64 Write(const void* buffer, Int64 count) override;
    Int64 Seek(Int64 offset, TSeekOrigin origin) override;
    Int64 Size() override { return static_cast<Int64>(FSize); }

private:
    const Byte* FData = nullptr;
    size_t FSize = 0;
    Int64 FPosition = 0;
};

} // namespace dw
