#include "platform/win32/reading_stream.h"

#include <cerrno>
#include <fcntl.h>
#include <io.h>

#include "platform/error_text.h"

Result<FileHandle> ReadingStreamOf(HANDLE handle) {
    const int descriptor = _open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_RDONLY | _O_BINARY);
    if (descriptor < 0) {
        const int error = errno;
        CloseHandle(handle);
        return ErrnoFailure(error);
    }
    FileHandle file(_fdopen(descriptor, "rb"));
    if (!file) {
        const int error = errno;
        _close(descriptor);
        return ErrnoFailure(error);
    }
    return file;
}
