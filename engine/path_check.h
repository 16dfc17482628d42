// Judging one path against one signature table. No global state: the CLI
// prints what this returns, the check run writes it to a row.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/failure.h"
#include "platform/path_probe.h"
#include "signature/file_id_table.h"
#include "signature/verdict.h"

struct PathVerdict {
    bool exists = false;             // false: the path could not be examined (see `failure`)
    bool opened = false;             // a regular file was opened for reading
    bool judged = false;             // its leading bytes were read and matched
    Verdict verdict;                 // STATUS_FOLDER / STATUS_UNKNOWN from the status, or the matcher's
    std::vector<int32_t> accepted;   // the fitting entry and its alternatives, when one fits
    std::optional<Failure> failure;  // what kept the path from being judged

    // The path could not be judged: it could not be examined, or it is a
    // regular file that could not be read. Folders, pipes and devices are
    // not failures, only not files to read.
    bool Failed() const { return failure.has_value(); }
};

// Pure: the verdict over what the file system told about `path`. A member
// named by the second look decides where the table has a fitting line for it;
// otherwise the leading bytes do.
PathVerdict JudgeProbe(const PathProbe& probe, std::string_view path, const FileIdTable& table);

// Probes `path` for a check: its status, its leading bytes and, with
// `lookInside`, the second look inside containers (a few more reads, bounded).
// Without it every verdict rests on the leading bytes alone. With
// `listedRegularFile` (the folder listing named it a regular file) the status
// comes from the open file instead of a stat before it.
PathProbe ProbeForCheck(const std::string& path, bool lookInside, bool listedRegularFile = false);

// Probes `path` and judges it.
PathVerdict CheckPath(const std::string& path, const FileIdTable& table, bool lookInside);
