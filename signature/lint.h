// Finding lines of a signature file that load but are probably mistakes: the
// loader validates no field, so a typo silently makes an entry that never
// fits, fits everything, or hides later entries.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "signature/loader.h"

struct LintWarning {
    int line;          // the file's physical line, counted from 1
    std::string text;  // in English, one line

    bool operator==(const LintWarning&) const = default;
};

// The warnings for a signature file's whole text, read line by line the way
// the loader reads it (CR LF as LF, Ctrl-Z ends, 1023 bytes at a time). Lines
// the loader refuses are left to its own message.
std::vector<LintWarning> LintFileIdText(std::string_view text);

// Loads `fileName` as the checker does; its defect when that fails, else
// nothing and the warnings in `warnings`.
std::optional<TableDefect> LintFileIdData(const std::string& fileName, std::vector<LintWarning>& warnings);
