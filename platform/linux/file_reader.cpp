#include "platform/file_reader.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

LeadingBytesFile::LeadingBytesFile(const std::string& path) {
    // O_NONBLOCK: a FIFO swapped in after the caller's status check must not hang us.
    m_handle = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (m_handle < 0) return;
    struct stat info {};
    if (::fstat(static_cast<int>(m_handle), &info) != 0 || !S_ISREG(info.st_mode)) Close();
}

std::FILE* OpenRegularFileForReading(const std::string& path) {
    // Without O_NONBLOCK, opening a FIFO waits until something writes to it.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) return nullptr;
    struct stat info {};
    const int flags = ::fcntl(fd, F_GETFL);
    // Blocking again, so a slow disk or network file is read whole, not cut short.
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || flags < 0 ||
        ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0) {
        ::close(fd);
        errno = 0;  // the file exists: the caller says it is not a regular one
        return nullptr;
    }
    std::FILE* file = ::fdopen(fd, "rb");
    if (!file) ::close(fd);
    return file;
}

LeadingBytesFile::~LeadingBytesFile() { Close(); }

void LeadingBytesFile::Close() {
    if (m_handle >= 0) ::close(static_cast<int>(m_handle));
    m_handle = kNoHandle;
}

int LeadingBytesFile::Read(unsigned char* buffer, int capacity) {
    if (m_handle < 0) return -1;
    int total = 0;
    while (total < capacity) {
        const ssize_t got = ::read(static_cast<int>(m_handle), buffer + total, static_cast<size_t>(capacity - total));
        if (got < 0) {
            if (errno == EINTR) continue;
            return -1;
        }
        if (got == 0) break;
        total += static_cast<int>(got);
    }
    return total;
}

int64_t LeadingBytesFile::ReadAt(int64_t offset, unsigned char* buffer, int64_t capacity) {
    if (m_handle < 0 || offset < 0) return -1;
    int64_t total = 0;
    while (total < capacity) {
        const ssize_t got = ::pread(static_cast<int>(m_handle), buffer + total, static_cast<size_t>(capacity - total),
                                    static_cast<off_t>(offset + total));
        if (got < 0) {
            if (errno == EINTR) continue;
            return -1;
        }
        if (got == 0) break;
        total += got;
    }
    return total;
}

int64_t LeadingBytesFile::Size() const {
    struct stat info {};
    if (m_handle < 0 || ::fstat(static_cast<int>(m_handle), &info) != 0) return -1;
    return static_cast<int64_t>(info.st_size);
}
