#include "engine/path_check.h"

#include <algorithm>
#include <utility>

#include "platform/file_status.h"
#include "platform/path_split.h"
#include "signature/inside/file_byte_source.h"
#include "signature/inside/readers.h"
#include "signature/matcher.h"

PathVerdict JudgeProbe(const PathProbe& probe, std::string_view path, const FileIdTable& table) {
    PathVerdict result;
    result.failure = probe.failure;
    result.exists = probe.exists;
    if (!probe.exists) return result;
    // Only a plain folder is a folder: one that is also hidden or read-only is not.
    result.verdict.status = probe.attributes == kAttributeDirectory ? STATUS_FOLDER : STATUS_UNKNOWN;
    result.opened = probe.opened;
    if (!probe.opened || probe.count < 0) return result;
    result.judged = true;
    const std::string extension = PathExtension(path);
    if (probe.member) {
        std::vector<int32_t> entries = MemberEntries(table, probe.bytes, probe.count, *probe.member);
        if (!entries.empty()) {
            result.verdict = MemberVerdict(table, entries, extension);
            result.accepted = std::move(entries);
            return result;
        }
    }
    result.verdict = ClassifyLeadingBytes(table, probe.bytes, probe.count, extension);
    result.accepted = AcceptedEntries(table, result.verdict.entryIndex);
    return result;
}

PathProbe ProbeForCheck(const std::string& path, bool lookInside, bool listedRegularFile) {
    LookInsideFile look;
    if (lookInside) {
        look = [](LeadingBytesFile& file, const PathProbe& probe) {
            FileByteSource source(file);
            return LookInside(source, LeadingBytes(probe.bytes, static_cast<size_t>(std::max(probe.count, 0))));
        };
    }
    return listedRegularFile ? ProbeListedRegularFile(path, look) : ProbePath(path, look);
}

PathVerdict CheckPath(const std::string& path, const FileIdTable& table, bool lookInside) {
    return JudgeProbe(ProbeForCheck(path, lookInside), path, table);
}
