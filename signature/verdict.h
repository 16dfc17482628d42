// What the check decided about one path, as data. Display texts and the
// proposed name are derived from it where they are shown or used.
#pragma once

#include <cstdint>

// Status values, which are also indices into the list's image list.
enum : int32_t {
    STATUS_UNKNOWN = 0,
    STATUS_MISMATCH = 1,
    STATUS_MATCH = 2,
    STATUS_FOLDER = 3,
};

struct Verdict {
    int32_t status = STATUS_UNKNOWN;
    int32_t entryIndex = -1;  // the first fitting table entry, or -1

    bool operator==(const Verdict&) const = default;
};
