#include "platform/path_probe.h"

#include "platform/file_reader.h"
#include "platform/file_status.h"

PathProbe ProbePath(const std::string& path, const LookInsideFile& look) {
    PathProbe probe;
    const Result<FileStatus> status = GetFileStatus(path);
    if (!status) {
        probe.failure = status.GetFailure();
        return probe;
    }
    probe.exists = true;
    probe.attributes = status->attributes;
    probe.isRegularFile = status->isRegularFile;
    if (!probe.isRegularFile) return probe;

    LeadingBytesFile file;
    if (std::optional<Failure> failure = file.Open(path)) {
        probe.failure = std::move(failure);
        return probe;
    }
    probe.opened = true;
    const Result<int> count = file.Read(probe.bytes, PathProbe::kCapacity);
    if (!count) {
        probe.failure = count.GetFailure();
    } else {
        probe.count = *count;
        if (look) probe.member = look(file, probe);
    }
    return probe;
}
