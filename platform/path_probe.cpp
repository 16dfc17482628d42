#include "platform/path_probe.h"

#include "platform/file_reader.h"
#include "platform/file_status.h"

namespace {

void TakeStatus(PathProbe& probe, const FileStatus& status) {
    probe.exists = true;
    probe.attributes = status.attributes;
    probe.isRegularFile = status.isRegularFile;
}

// The leading bytes of the file just opened, and the second look into it.
void ReadOpenedFile(LeadingBytesFile& file, PathProbe& probe, const LookInsideFile& look) {
    probe.opened = true;
    const Result<int> count = file.Read(probe.bytes, PathProbe::kCapacity);
    if (!count) {
        probe.failure = count.GetFailure();
    } else {
        probe.count = *count;
        if (look) probe.member = look(file, probe);
    }
}

}  // namespace

PathProbe ProbePath(const std::string& path, const LookInsideFile& look) {
    PathProbe probe;
    const Result<FileStatus> status = GetFileStatus(path);
    if (!status) {
        probe.failure = status.GetFailure();
        return probe;
    }
    TakeStatus(probe, *status);
    if (!probe.isRegularFile) return probe;

    LeadingBytesFile file;
    if (std::optional<Failure> failure = file.Open(path)) {
        probe.failure = std::move(failure);
        return probe;
    }
    ReadOpenedFile(file, probe, look);
    return probe;
}

PathProbe ProbeListedRegularFile(const std::string& path, const LookInsideFile& look) {
    LeadingBytesFile file;
    const std::optional<FileStatus> status = file.OpenListedRegularFile(path);
    if (!status) return ProbePath(path, look);
    PathProbe probe;
    TakeStatus(probe, *status);
    if (probe.isRegularFile) ReadOpenedFile(file, probe, look);
    return probe;
}
