// Saving a whole file so that a failure never destroys the one it replaces, and the stamps that
// tell whether someone else changed a file since.
#pragma once

#include "framework/rtl/SysUtils.h"

#include <sys/stat.h>
#include <sys/types.h>

#include <cstdint>
#include <string_view>

namespace dw {

// Enough of a file's identity to notice that someone replaced or changed it.
struct TFileStamp {
    bool Exists = false;
    std::uint64_t Device = 0;
    std::uint64_t Inode = 0;
    Int64 Size = 0;
    Int64 ModifiedNs = 0;
    bool operator==(const TFileStamp&) const = default;
};
TFileStamp FileStampOf(const String& fileName);
// The stamp of a file already looked at (stat, fstat).
TFileStamp FileStampOf(const struct stat& st);

// The one way this program replaces a file: the bytes go to a temporary file in the same folder,
// which is written whole, synced to the disk and closed, every step checked, and only then
// renamed over fileName. A full disk, a signal or a crash leaves the old file as it was (no
// reader ever sees half a file). An existing file keeps its permissions (a symbolic link keeps
// pointing at it); a new one gets newFileMode less the umask. Raises EFCreateError "Cannot write
// file NAME: REASON" (a read-only file counts as one that cannot be written).
TFileStamp SaveFile(const String& fileName, std::string_view bytes, mode_t newFileMode = 0666);

} // namespace dw
