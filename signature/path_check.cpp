#include "signature/path_check.h"

#include "platform/file_status.h"
#include "platform/path_split.h"
#include "signature/matcher.h"

PathVerdict JudgeProbe(const PathProbe& probe, std::string_view path, const FileIdTable& table) {
    PathVerdict result;
    result.error = probe.error;
    result.exists = probe.exists;
    if (!probe.exists) return result;
    // Only a plain folder is a folder: one that is also hidden or read-only is not.
    result.verdict.status = probe.attributes == kAttributeDirectory ? STATUS_FOLDER : STATUS_UNKNOWN;
    result.opened = probe.opened;
    if (!probe.opened || probe.count < 0) return result;
    result.judged = true;
    result.verdict = ClassifyLeadingBytes(table, probe.bytes, probe.count, PathExtension(path));
    result.accepted = AcceptedEntries(table, result.verdict.entryIndex);
    return result;
}

PathVerdict CheckPath(const std::string& path, const FileIdTable& table) {
    return JudgeProbe(ProbePath(path), path, table);
}
