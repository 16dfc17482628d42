#include "platform/file_reader.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/error_text.h"
#include "platform/linux/mode_attributes.h"

namespace {

// O_NONBLOCK: a FIFO swapped in after the caller looked must not hang us.
int OpenWithoutWaiting(const std::string& path) {
    return ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
}

}  // namespace

std::optional<Failure> LeadingBytesFile::Open(const std::string& path) {
    Close();
    const int fd = OpenWithoutWaiting(path);
    if (fd < 0) return ErrnoFailure(errno);
    m_handle = fd;
    struct stat info {};
    if (::fstat(fd, &info) != 0) {
        const int error = errno;
        Close();
        return ErrnoFailure(error);
    }
    if (!S_ISREG(info.st_mode)) {
        Close();
        return ErrnoFailure(EINVAL);
    }
    return std::nullopt;
}

std::optional<FileStatus> LeadingBytesFile::OpenListedRegularFile(const std::string& path) {
    Close();
    const int fd = OpenWithoutWaiting(path);
    if (fd < 0) return std::nullopt;
    struct stat info {};
    if (::fstat(fd, &info) != 0) {
        ::close(fd);
        return std::nullopt;
    }
    const FileStatus status{AttributesFromMode(info.st_mode, S_ISDIR(info.st_mode), path), S_ISREG(info.st_mode)};
    if (status.isRegularFile) {
        m_handle = fd;
    } else {
        ::close(fd);
    }
    return status;
}

Result<FileHandle> OpenRegularFileForReading(const std::string& path) {
    // Without O_NONBLOCK, opening a FIFO waits until something writes to it.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) return ErrnoFailure(errno);
    struct stat info {};
    const int flags = ::fcntl(fd, F_GETFL);
    // Blocking again, so a slow disk or network file is read whole, not cut short.
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || flags < 0 ||
        ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0) {
        ::close(fd);
        return Failure{"not a regular file"};
    }
    FileHandle file(::fdopen(fd, "rb"));
    if (!file) {
        const int error = errno;
        ::close(fd);
        return ErrnoFailure(error);
    }
    return file;
}

LeadingBytesFile::~LeadingBytesFile() { Close(); }

void LeadingBytesFile::Close() {
    if (m_handle >= 0) ::close(static_cast<int>(m_handle));
    m_handle = kNoHandle;
}

Result<int> LeadingBytesFile::Read(unsigned char* buffer, int capacity) {
    if (m_handle < 0) return ErrnoFailure(EBADF);
    int total = 0;
    while (total < capacity) {
        const ssize_t got = ::read(static_cast<int>(m_handle), buffer + total, static_cast<size_t>(capacity - total));
        if (got < 0) {
            if (errno == EINTR) continue;
            return ErrnoFailure(errno);
        }
        if (got == 0) break;
        total += static_cast<int>(got);
    }
    return total;
}

Result<int64_t> LeadingBytesFile::ReadAt(int64_t offset, unsigned char* buffer, int64_t capacity) {
    if (m_handle < 0) return ErrnoFailure(EBADF);
    if (offset < 0) return ErrnoFailure(EINVAL);
    int64_t total = 0;
    while (total < capacity) {
        const ssize_t got = ::pread(static_cast<int>(m_handle), buffer + total, static_cast<size_t>(capacity - total),
                                    static_cast<off_t>(offset + total));
        if (got < 0) {
            if (errno == EINTR) continue;
            return ErrnoFailure(errno);
        }
        if (got == 0) break;
        total += got;
    }
    return total;
}

Result<int64_t> LeadingBytesFile::Size() const {
    if (m_handle < 0) return ErrnoFailure(EBADF);
    struct stat info {};
    if (::fstat(static_cast<int>(m_handle), &info) != 0) return ErrnoFailure(errno);
    return static_cast<int64_t>(info.st_size);
}
