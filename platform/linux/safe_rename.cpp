#include "platform/safe_rename.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/error_text.h"
#include "platform/file_io.h"
#include "platform/text_compare.h"

namespace {

// For file systems without an atomic no-replace rename: a hard link fails
// atomically when the target exists; folders and link-less file systems fall
// back to a check right before the rename.
std::optional<Failure> RenameWithoutNoReplaceSupport(const std::string& from, const std::string& to) {
    if (::link(from.c_str(), to.c_str()) == 0) {
        if (::unlink(from.c_str()) == 0) return std::nullopt;
        const int error = errno;
        ::unlink(to.c_str());
        return ErrnoFailure(error);
    }
    if (errno == EEXIST) return ErrnoFailure(EEXIST);
    struct stat info {};
    if (::lstat(to.c_str(), &info) == 0) return ErrnoFailure(EEXIST);
    if (::rename(from.c_str(), to.c_str()) == 0) return std::nullopt;
    return ErrnoFailure(errno);
}

}  // namespace

std::optional<Failure> RenameNoReplace(const std::string& from, const std::string& to) {
    if (from == to) {
        struct stat info {};
        if (::lstat(from.c_str(), &info) == 0) return std::nullopt;
        return ErrnoFailure(errno);
    }
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return std::nullopt;
    const int error = errno;
    if (error == EEXIST) {
        // On a case-insensitive file system the "other" name may be the entry
        // itself. Links are not followed: rename moves the link, and a link
        // that points at the file is still another entry not to replace.
        if (EqualsIgnoreAsciiCase(from, to) && SameFile(from, to, kRenameLinkPolicy)) {
            if (::rename(from.c_str(), to.c_str()) == 0) return std::nullopt;
            return ErrnoFailure(errno);
        }
        return ErrnoFailure(EEXIST);
    }
    if (error == EINVAL || error == ENOSYS || error == ENOTSUP) return RenameWithoutNoReplaceSupport(from, to);
    return ErrnoFailure(error);
}

// renameat2 refuses a name held by a link, whatever the link points to.
const SymbolicLinks kRenameLinkPolicy = SymbolicLinks::DoNotFollow;
