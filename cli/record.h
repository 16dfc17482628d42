// One line of quorvane-check's output, whatever form it is written in.
#pragma once

#include <optional>
#include <string>

// What the check found for a file, folder or other path.
struct Judgement {
    std::optional<std::string> type;       // the fitting line's type name; none when nothing fits
    std::optional<std::string> extension;  // and its extension
    std::string expectedType;              // "Type; ext" when the name does not fit, else empty
    std::optional<std::string> proposedName;  // the name it should carry, when it does not fit
};

// The verdict word leads, the path follows; then what the verdict carries:
// a judgement, a new path (renamed, would-rename, would-fail, undone) and a
// reason (error, would-fail), in that order.
struct Record {
    std::string verdict;
    std::string path;
    std::optional<Judgement> judgement;
    std::optional<std::string> newPath;
    std::optional<std::string> reason;
};
