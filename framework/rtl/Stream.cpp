#include "framework/rtl/Stream.h"

#include "framework/rtl/ClassInfo.h"
#include "framework/rtl/Exceptions.h"
#include "framework/rtl/FileSave.h"
#include "framework/rtl/Resources.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace dw {

DW_DEFINE_CLASS(TStream) {}
DW_DEFINE_CLASS(TMemoryStream) {}
DW_DEFINE_CLASS(TFileStream) {}
DW_DEFINE_CLASS(TStringStream) {}
DW_DEFINE_CLASS(TResourceStream) {}

namespace {
Int64 SeekIn(Int64 position, Int64 size, Int64 offset, TSeekOrigin origin) {
    Int64 base = origin == TSeekOrigin::soBeginning ? 0 : origin == TSeekOrigin::soCurrent ? position : size;
    Int64 target = base + offset;
    if (target < 0) throw EStreamError(Format("Stream seek to %d is before the start", target));
    return target;
}
} // namespace

void TStream::ReadBuffer(void* buffer, Int64 count) {
    if (count < 0) throw EReadError(Format("Cannot read %d bytes", count));
    if (count > 0 && Read(buffer, count) != count) throw EReadError("Stream read error: unexpected end of stream");
}

void TStream::WriteBuffer(const void* buffer, Int64 count) {
    if (count < 0) throw EWriteError(Format("Cannot write %d bytes", count));
    if (count > 0 && Write(buffer, count) != count) throw EWriteError("Stream write error");
}

Int64 TStream::Size() {
    Int64 pos = Seek(0, TSeekOrigin::soCurrent);
    Int64 size = Seek(0, TSeekOrigin::soEnd);
    Seek(pos, TSeekOrigin::soBeginning);
    return size;
}

void TStream::SetSize(Int64) {
    throw EStreamError(Format("%s cannot change its size", ClassName()));
}

Int64 TStream::CopyFrom(TStream& source, Int64 count) {
    if (count == 0) {
        source.SetPosition(0);
        count = source.Size();
    }
    Int64 total = count;
    Byte buffer[65536];
    while (count > 0) {
        Int64 n = std::min<Int64>(count, sizeof buffer);
        source.ReadBuffer(buffer, n);
        WriteBuffer(buffer, n);
        count -= n;
    }
    return total;
}

std::vector<Byte> TStream::ReadRemaining() {
    Int64 remaining = Size() - Position();
    std::vector<Byte> data(static_cast<size_t>(std::max<Int64>(remaining, 0)));
    ReadBuffer(data.data(), static_cast<Int64>(data.size()));
    return data;
}

// ---------------------------------------------------------------------------------------------

Int64 TMemoryStream::Read(void* buffer, Int64 count) {
    Int64 n = std::clamp<Int64>(Size() - FPosition, 0, std::max<Int64>(count, 0));
    if (n > 0) std::memcpy(buffer, FData.data() + FPosition, static_cast<size_t>(n));
    FPosition += n;
    return n;
}

Int64 TMemoryStream::Write(const void* buffer, Int64 count) {
    if (count <= 0) return 0;
    Int64 end = FPosition + count;
    if (end > Size()) {
        if (static_cast<size_t>(end) > FData.capacity()) FData.reserve(std::max<size_t>(end, FData.capacity() * 2));
        FData.resize(static_cast<size_t>(end));
    }
    std::memcpy(FData.data() + FPosition, buffer, static_cast<size_t>(count));
    FPosition = end;
    return count;
}

Int64 TMemoryStream::Seek(Int64 offset, TSeekOrigin origin) {
    FPosition = SeekIn(FPosition, Size(), offset, origin);
    return FPosition;
}

void TMemoryStream::SetSize(Int64 newSize) {
    if (newSize < 0) throw EStreamError(Format("Invalid stream size %d", newSize));
    FData.resize(static_cast<size_t>(newSize));
    FPosition = std::min(FPosition, newSize);
}

void TMemoryStream::Clear() {
    FData.clear();
    FPosition = 0;
}

void TMemoryStream::LoadFromStream(TStream& stream) {
    stream.SetPosition(0);
    Int64 size = stream.Size();
    SetSize(size);
    stream.ReadBuffer(FData.data(), size);
    FPosition = 0;
}

void TMemoryStream::SaveToStream(TStream& stream) {
    stream.WriteBuffer(FData.data(), Size());
}

void TMemoryStream::LoadFromFile(const String& fileName) {
    TFileStream file(fileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(file);
}

void TMemoryStream::SaveToFile(const String& fileName) {
    SaveFile(fileName, std::string_view(reinterpret_cast<const char*>(FData.data()), static_cast<size_t>(Size())));
}

// ---------------------------------------------------------------------------------------------

TFileStream::TFileStream(const String& fileName, unsigned mode) : FFileName(fileName) {
    if (mode == fmCreate) {
        FHandle = ::open(fileName.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
        if (FHandle < 0)
            throw EFCreateError(Format("Cannot create file \"%s\". %s", fileName, String(std::strerror(errno))));
        return;
    }
    int access = (mode & 3) == fmOpenWrite ? O_WRONLY : (mode & 3) == fmOpenReadWrite ? O_RDWR : O_RDONLY;
    FHandle = ::open(fileName.c_str(), access | O_CLOEXEC);
    if (FHandle < 0) throw EFOpenError(Format("Cannot open file \"%s\". %s", fileName, String(std::strerror(errno))));
    struct stat st;
    if (::fstat(FHandle, &st) == 0 && S_ISDIR(st.st_mode)) {
        ::close(FHandle);
        FHandle = -1;
        throw EFOpenError(Format("Cannot open file \"%s\". It is a directory", fileName));
    }
    unsigned share = mode & 0xF0;
    if (share == fmShareDenyWrite || share == fmShareExclusive) {
        // Readers share the lock; a writer that also locks is kept out while it is held.
        int lock = share == fmShareExclusive || access != O_RDONLY ? LOCK_EX : LOCK_SH;
        if (::flock(FHandle, lock | LOCK_NB) != 0) {
            ::close(FHandle);
            FHandle = -1;
            throw EFOpenError(Format("Cannot open file \"%s\". It is being used by another process", fileName));
        }
    }
}

TFileStream::~TFileStream() {
    if (FHandle >= 0) ::close(FHandle);
}

Int64 TFileStream::Read(void* buffer, Int64 count) {
    Int64 total = 0;
    auto* p = static_cast<char*>(buffer);
    while (total < count) {
        ssize_t n = ::read(FHandle, p + total, static_cast<size_t>(count - total));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        total += n;
    }
    return total;
}

Int64 TFileStream::Write(const void* buffer, Int64 count) {
    Int64 total = 0;
    auto* p = static_cast<const char*>(buffer);
    while (total < count) {
        ssize_t n = ::write(FHandle, p + total, static_cast<size_t>(count - total));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0)
            throw EWriteError(Format("Cannot write to file \"%s\". %s", FFileName, String(std::strerror(errno))));
        total += n;
    }
    return total;
}

Int64 TFileStream::Seek(Int64 offset, TSeekOrigin origin) {
    int whence = origin == TSeekOrigin::soBeginning ? SEEK_SET : origin == TSeekOrigin::soCurrent ? SEEK_CUR : SEEK_END;
    off_t r = ::lseek(FHandle, offset, whence);
    if (r < 0) throw EStreamError(Format("Cannot seek in file \"%s\"", FFileName));
    return r;
}

void TFileStream::SetSize(Int64 newSize) {
    if (::ftruncate(FHandle, newSize) != 0) throw EStreamError(Format("Cannot set the size of file \"%s\"", FFileName));
    if (Position() > newSize) Seek(0, TSeekOrigin::soEnd);
}

// ---------------------------------------------------------------------------------------------

Int64 TStringStream::Read(void* buffer, Int64 count) {
    Int64 n = std::clamp<Int64>(static_cast<Int64>(FData.size()) - FPosition, 0, std::max<Int64>(count, 0));
    if (n > 0) std::memcpy(buffer, FData.data() + FPosition, static_cast<size_t>(n));
    FPosition += n;
    return n;
}

Int64 TStringStream::Write(const void* buffer, Int64 count) {
    if (count <= 0) return 0;
    Int64 end = FPosition + count;
    if (end > static_cast<Int64>(FData.size())) FData.resize(static_cast<size_t>(end));
    std::memcpy(FData.data() + FPosition, buffer, static_cast<size_t>(count));
    FPosition = end;
    return count;
}

Int64 TStringStream::Seek(Int64 offset, TSeekOrigin origin) {
    FPosition = SeekIn(FPosition, static_cast<Int64>(FData.size()), offset, origin);
    return FPosition;
}

void TStringStream::SetSize(Int64 newSize) {
    if (newSize < 0) throw EStreamError(Format("Invalid stream size %d", newSize));
    FData.resize(static_cast<size_t>(newSize));
    FPosition = std::min(FPosition, newSize);
}

String TStringStream::ReadString(Int64 count) {
    Int64 n = std::clamp<Int64>(static_cast<Int64>(FData.size()) - FPosition, 0, std::max<Int64>(count, 0));
    String s = FData.substr(static_cast<size_t>(FPosition), static_cast<size_t>(n));
    FPosition += n;
    return s;
}

// ---------------------------------------------------------------------------------------------

TResourceStream::TResourceStream(const String& name, const String& type) {
    TResourceData res = FindResource(name, type);
    if (!res.Data) throw EResNotFound(Format("Resource %s of type %s not found", name, type));
    FData = res.Data;
    FSize = res.Size;
}

Int64 TResourceStream::Read(void* buffer, Int64 count) {
    Int64 n = std::clamp<Int64>(static_cast<Int64>(FSize) - FPosition, 0, std::max<Int64>(count, 0));
    if (n > 0) std::memcpy(buffer, FData + FPosition, static_cast<size_t>(n));
    FPosition += n;
    return n;
}

Int64 TResourceStream::Write(const void*, Int64) {
    throw EStreamError("Cannot write to a resource stream");
}

Int64 TResourceStream::Seek(Int64 offset, TSeekOrigin origin) {
    FPosition = SeekIn(FPosition, static_cast<Int64>(FSize), offset, origin);
    return FPosition;
}

} // namespace dw
