#include "platform/win32/system_error.h"

#include <cerrno>

#include "platform/error_text.h"
#include "platform/wide_text.h"

int ErrnoFromWin32(DWORD code) {
    switch (code) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_DRIVE:
        case ERROR_BAD_NETPATH:
        case ERROR_BAD_NET_NAME:
        case ERROR_NO_MORE_FILES: return ENOENT;
        case ERROR_ACCESS_DENIED:
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
        case ERROR_WRITE_PROTECT:
        case ERROR_NETWORK_ACCESS_DENIED: return EACCES;
        case ERROR_FILE_EXISTS:
        case ERROR_ALREADY_EXISTS: return EEXIST;
        case ERROR_INVALID_NAME:
        case ERROR_DIRECTORY:
        case ERROR_INVALID_PARAMETER:
        case ERROR_NO_UNICODE_TRANSLATION: return EINVAL;
        case ERROR_FILENAME_EXCED_RANGE:
        case ERROR_BUFFER_OVERFLOW: return ENAMETOOLONG;
        case ERROR_NOT_SAME_DEVICE: return EXDEV;
        case ERROR_DIR_NOT_EMPTY: return ENOTEMPTY;
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL: return ENOSPC;
        case ERROR_NOT_ENOUGH_MEMORY:
        case ERROR_OUTOFMEMORY: return ENOMEM;
        case ERROR_TOO_MANY_OPEN_FILES: return EMFILE;
        case ERROR_CANT_RESOLVE_FILENAME: return ELOOP;
        case ERROR_NOT_READY:
        case ERROR_BUSY: return EBUSY;
        default: return EIO;
    }
}

std::string Win32ErrorText(DWORD code) {
    wchar_t* text = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code,
        0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    if (length == 0 || !text) return "error " + std::to_string(code);
    std::u16string wide(reinterpret_cast<const char16_t*>(text), length);
    LocalFree(text);
    while (!wide.empty() && (wide.back() == u'\n' || wide.back() == u'\r' || wide.back() == u' ' || wide.back() == u'.'))
        wide.pop_back();
    return Utf8FromWide(wide);
}

Failure Win32Failure(DWORD code) { return Failure{Win32ErrorText(code), ErrnoFromWin32(code)}; }

Failure ErrnoFailureOf(DWORD code) { return ErrnoFailure(ErrnoFromWin32(code)); }
