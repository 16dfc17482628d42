#include "platform/safe_rename.h"

#include <windows.h>

#include <cerrno>
#include <string>

#include "platform/error_text.h"
#include "platform/file_io.h"
#include "platform/text_compare.h"
#include "platform/win32/system_error.h"
#include "platform/win32/wide_path.h"

namespace {

RenameOutcome Success() { return RenameOutcome{true, 0, {}}; }

RenameOutcome Failure(DWORD code) { return RenameOutcome{false, ErrnoFromWin32(code), Win32ErrorText(code)}; }

RenameOutcome Failure(int error) { return RenameOutcome{false, error, ErrorText(error)}; }

bool Move(const std::wstring& from, const std::wstring& to) {
    // Without MOVEFILE_REPLACE_EXISTING the move fails when `to` exists.
    return MoveFileExW(from.c_str(), to.c_str(), 0) != 0;
}

// A change of letter case only: NTFS renames such a name in place, but a file
// system that refuses it as taken gets a stop under a free name in between.
RenameOutcome RenameCaseOnly(const std::wstring& from, const std::wstring& to) {
    for (unsigned attempt = 0; attempt < 100; ++attempt) {
        const std::wstring between = from + L".quorvane-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                                     std::to_wstring(attempt);
        if (!Move(from, between)) {
            const DWORD code = GetLastError();
            if (code == ERROR_ALREADY_EXISTS || code == ERROR_FILE_EXISTS) continue;
            return Failure(code);
        }
        if (Move(between, to)) return Success();
        const DWORD code = GetLastError();
        Move(between, from);
        return Failure(code);
    }
    return Failure(static_cast<DWORD>(ERROR_ALREADY_EXISTS));
}

}  // namespace

RenameOutcome RenameNoReplace(const std::string& from, const std::string& to) {
    const std::optional<std::wstring> wideFrom = WidePath(from);
    const std::optional<std::wstring> wideTo = WidePath(to);
    if (!wideFrom || !wideTo) return Failure(EINVAL);
    if (from == to) {
        return GetFileAttributesW(wideFrom->c_str()) != INVALID_FILE_ATTRIBUTES ? Success()
                                                                                : Failure(GetLastError());
    }
    // A change of case only goes through a name in between at once: a file
    // system may take the move onto the file's own name as done and keep the old case.
    if (EqualsIgnoreAsciiCase(from, to) && SameFile(from, to)) return RenameCaseOnly(*wideFrom, *wideTo);
    if (Move(*wideFrom, *wideTo)) return Success();
    const DWORD code = GetLastError();
    if (code == ERROR_ALREADY_EXISTS || code == ERROR_FILE_EXISTS) {
        // On a case-blind disk the "other" name may be the file itself.
        if (SameFile(from, to)) return RenameCaseOnly(*wideFrom, *wideTo);
        return Failure(EEXIST);
    }
    return Failure(code);
}
