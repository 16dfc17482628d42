#include "platform/path_probe.h"

#include <cerrno>

#include "platform/file_reader.h"
#include "platform/file_status.h"

PathProbe ProbePath(const std::string& path, const LookInsideFile& look) {
    PathProbe probe;
    errno = 0;
    const std::optional<FileStatus> status = GetFileStatus(path);
    if (!status) {
        probe.error = errno != 0 ? errno : ENOENT;
        return probe;
    }
    probe.exists = true;
    probe.attributes = status->attributes;
    probe.isRegularFile = status->isRegularFile;
    if (!probe.isRegularFile) return probe;

    errno = 0;
    LeadingBytesFile file(path);
    if (!file.IsOpen()) {
        probe.error = errno != 0 ? errno : EINVAL;
        return probe;
    }
    probe.opened = true;
    probe.count = file.Read(probe.bytes, PathProbe::kCapacity);
    if (probe.count < 0) {
        probe.error = errno != 0 ? errno : EIO;
    } else if (look) {
        probe.member = look(file, probe);
    }
    return probe;
}
