#include "platform/append_file.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/error_text.h"

namespace {

const char* const kSymbolicLink = "a symbolic link, not a regular file";
const char* const kNotRegular = "not a regular file";

// Why `path` is no regular file when an open of it failed with `error`: a
// link refused by O_NOFOLLOW (ELOOP), a FIFO without a reader (ENXIO) or a
// folder (EISDIR) reads better by what it is than by the error's words.
Failure OpenFailure(const std::string& path, int error) {
    struct stat info {};
    if (error != ENOENT && ::lstat(path.c_str(), &info) == 0 && !S_ISREG(info.st_mode)) {
        return Failure{S_ISLNK(info.st_mode) ? kSymbolicLink : kNotRegular, error};
    }
    return ErrnoFailure(error);
}

// Opens `path` with `flags`, never through a final symbolic link and never
// waiting on a FIFO; the descriptor of a regular file, blocking again so that
// a slow disk is read and written whole.
Result<int> OpenRegular(const std::string& path, int flags) {
    const int fd = ::open(path.c_str(), flags | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY, 0644);
    if (fd < 0) return OpenFailure(path, errno);
    struct stat info {};
    if (::fstat(fd, &info) != 0) {
        const int error = errno;
        ::close(fd);
        return ErrnoFailure(error);
    }
    if (!S_ISREG(info.st_mode)) {
        ::close(fd);
        return Failure{kNotRegular, EINVAL};
    }
    const int status = ::fcntl(fd, F_GETFL);
    if (status < 0 || ::fcntl(fd, F_SETFL, status & ~O_NONBLOCK) != 0) {
        const int error = errno;
        ::close(fd);
        return ErrnoFailure(error);
    }
    return fd;
}

}  // namespace

void AppendFile::Close() {
    if (m_handle != kNoHandle) ::close(static_cast<int>(m_handle));
    m_handle = kNoHandle;
}

Result<AppendFile> AppendFile::Open(const std::string& path) {
    const Result<int> fd = OpenRegular(path, O_RDWR | O_APPEND | O_CREAT);
    if (!fd) return fd.GetFailure();
    AppendFile file;
    file.m_handle = *fd;
    return file;
}

Result<AppendFile> AppendFile::OpenForReading(const std::string& path) {
    const Result<int> fd = OpenRegular(path, O_RDONLY);
    if (!fd) return fd.GetFailure();
    AppendFile file;
    file.m_handle = *fd;
    return file;
}

Result<int64_t> AppendFile::ReadAt(int64_t offset, char* buffer, int64_t capacity) const {
    if (!IsOpen()) return ErrnoFailure(EBADF);
    ssize_t count;
    do {
        count = ::pread(static_cast<int>(m_handle), buffer, static_cast<size_t>(capacity), offset);
    } while (count < 0 && errno == EINTR);
    if (count < 0) return ErrnoFailure(errno);
    return static_cast<int64_t>(count);
}

Result<int64_t> AppendFile::Size() const {
    if (!IsOpen()) return ErrnoFailure(EBADF);
    struct stat info {};
    if (::fstat(static_cast<int>(m_handle), &info) != 0) return ErrnoFailure(errno);
    return static_cast<int64_t>(info.st_size);
}

std::optional<Failure> AppendFile::AppendWhole(std::string_view bytes) {
    if (!IsOpen()) return ErrnoFailure(EBADF);
    // One write with O_APPEND: another program's write lands before or after it, never inside.
    ssize_t written;
    do {
        written = ::write(static_cast<int>(m_handle), bytes.data(), bytes.size());
    } while (written < 0 && errno == EINTR);
    if (written < 0) return ErrnoFailure(errno);
    if (static_cast<size_t>(written) != bytes.size()) {
        return Failure{"only " + std::to_string(written) + " of " + std::to_string(bytes.size()) + " bytes written",
                       EIO};
    }
    return std::nullopt;
}

Result<bool> RotateAppendedFile(const std::string& path, const std::string& rotatedPath, int64_t limit) {
    const Result<int> opened = OpenRegular(path, O_RDONLY);
    if (!opened) return opened.GetFailure().code == ENOENT ? Result<bool>(false) : opened.GetFailure();
    const int fd = *opened;
    // Only the holder of the lock rotates, and only the file still at `path`:
    // a second program that locks the moved file afterwards finds another
    // file at `path` and leaves it.
    bool rotated = false;
    std::optional<Failure> failure;
    struct stat held {};
    struct stat named {};
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
        if (::fstat(fd, &held) == 0 && held.st_size >= limit && ::lstat(path.c_str(), &named) == 0 &&
            named.st_dev == held.st_dev && named.st_ino == held.st_ino) {
            if (::rename(path.c_str(), rotatedPath.c_str()) == 0) {
                rotated = true;
            } else {
                failure = ErrnoFailure(errno);
            }
        }
        ::flock(fd, LOCK_UN);
    }
    ::close(fd);
    if (failure) return *failure;
    return rotated;
}
