#include "framework/rtl/FileSave.h"

#include "framework/rtl/Exceptions.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

namespace dw {

namespace {

[[noreturn]] void RaiseCannotWrite(const String& fileName, int error) {
    throw EFCreateError(Format("Cannot write file %s: %s", fileName, std::strerror(error)));
}

mode_t CurrentUmask() {
    mode_t mask = ::umask(0);
    ::umask(mask);
    return mask;
}

// Makes the rename itself last; a folder that cannot be synced (some file systems) is no error.
void SyncFolderOf(const String& fileName) {
    size_t slash = fileName.rfind('/');
    String folder = slash == String::npos ? String(".") : slash == 0 ? String("/") : fileName.substr(0, slash);
    int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

} // namespace

TFileStamp FileStampOf(const struct stat& st) {
    TFileStamp stamp;
    stamp.Exists = true;
    stamp.Device = static_cast<std::uint64_t>(st.st_dev);
    stamp.Inode = static_cast<std::uint64_t>(st.st_ino);
    stamp.Size = static_cast<Int64>(st.st_size);
    stamp.ModifiedNs = static_cast<Int64>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    return stamp;
}

TFileStamp FileStampOf(const String& fileName) {
    struct stat st;
    if (::stat(fileName.c_str(), &st) != 0) return TFileStamp{};
    return FileStampOf(st);
}

TFileStamp SaveFile(const String& fileName, std::string_view bytes, mode_t newFileMode) {
    if (fileName.empty()) throw EFCreateError("Cannot write a file without a name");
    String target = fileName;
    struct stat link;
    if (::lstat(fileName.c_str(), &link) == 0 && S_ISLNK(link.st_mode)) {
        // Replace what the link points at, not the link.
        char resolved[PATH_MAX];
        if (::realpath(fileName.c_str(), resolved)) target = resolved;
    }
    struct stat existing;
    mode_t mode = newFileMode & ~CurrentUmask();
    if (::stat(target.c_str(), &existing) == 0) {
        if (S_ISDIR(existing.st_mode)) RaiseCannotWrite(fileName, EISDIR);
        // Replacing by rename would get past the file's own protection.
        if (::access(target.c_str(), W_OK) != 0) RaiseCannotWrite(fileName, errno);
        mode = existing.st_mode & 07777;
    }
    String tempName = target + ".XXXXXX";
    int fd = ::mkstemp(tempName.data());
    if (fd < 0) RaiseCannotWrite(fileName, errno);
    int error = 0;
    struct stat st {};
    size_t done = 0;
    while (done < bytes.size() && !error) {
        ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n > 0)
            done += static_cast<size_t>(n);
        else if (n == 0)
            error = ENOSPC;
        else if (errno != EINTR)
            error = errno;
    }
    if (!error && ::fchmod(fd, mode) != 0) error = errno;
    if (!error && ::fsync(fd) != 0) error = errno;
    if (!error && ::fstat(fd, &st) != 0) error = errno;
    if (::close(fd) != 0 && !error) error = errno;
    if (!error && ::rename(tempName.c_str(), target.c_str()) != 0) error = errno;
    if (error) {
        ::unlink(tempName.c_str());
        RaiseCannotWrite(fileName, error);
    }
    SyncFolderOf(target);
    return FileStampOf(st);
}

} // namespace dw
