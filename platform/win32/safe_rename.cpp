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

bool Move(const std::wstring& from, const std::wstring& to) {
    // Without MOVEFILE_REPLACE_EXISTING the move fails when `to` exists.
    return MoveFileExW(from.c_str(), to.c_str(), 0) != 0;
}

// A change of letter case only: NTFS renames such a name in place, but a file
// system that refuses it as taken gets a stop under a free name in between.
std::optional<Failure> RenameCaseOnly(const std::wstring& from, const std::wstring& to) {
    for (unsigned attempt = 0; attempt < 100; ++attempt) {
        const std::wstring between = from + L".quorvane-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                                     std::to_wstring(attempt);
        if (!Move(from, between)) {
            const DWORD code = GetLastError();
            if (code == ERROR_ALREADY_EXISTS || code == ERROR_FILE_EXISTS) continue;
            return Win32Failure(code);
        }
        if (Move(between, to)) return std::nullopt;
        const DWORD code = GetLastError();
        Move(between, from);
        return Win32Failure(code);
    }
    return Win32Failure(ERROR_ALREADY_EXISTS);
}

}  // namespace

std::optional<Failure> RenameNoReplace(const std::string& from, const std::string& to) {
    const std::optional<std::wstring> wideFrom = WidePath(from);
    const std::optional<std::wstring> wideTo = WidePath(to);
    if (!wideFrom || !wideTo) return ErrnoFailure(EINVAL);
    if (from == to) {
        if (GetFileAttributesW(wideFrom->c_str()) != INVALID_FILE_ATTRIBUTES) return std::nullopt;
        return Win32Failure(GetLastError());
    }
    // A change of case only goes through a name in between at once: a file
    // system may take the move onto the file's own name as done and keep the
    // old case. Links may be followed here: no move below ever replaces, so a
    // link taken for the file it points to costs no file.
    if (EqualsIgnoreAsciiCase(from, to) && SameFile(from, to, kRenameLinkPolicy)) {
        return RenameCaseOnly(*wideFrom, *wideTo);
    }
    if (Move(*wideFrom, *wideTo)) return std::nullopt;
    const DWORD code = GetLastError();
    if (code == ERROR_ALREADY_EXISTS || code == ERROR_FILE_EXISTS) {
        // On a case-blind disk the "other" name may be the file itself.
        if (SameFile(from, to, kRenameLinkPolicy)) return RenameCaseOnly(*wideFrom, *wideTo);
        return ErrnoFailure(EEXIST);
    }
    return Win32Failure(code);
}

const SymbolicLinks kRenameLinkPolicy = SymbolicLinks::Follow;
