#include "platform/file_io.h"

#include <cerrno>

#include "platform/error_text.h"

std::optional<Failure> WriteFlushed(std::FILE* file, std::string_view bytes) {
    errno = 0;
    if (std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size() && std::fflush(file) == 0) return std::nullopt;
    return ErrnoFailure(errno != 0 ? errno : EIO);
}
