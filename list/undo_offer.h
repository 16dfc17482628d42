// The run Tool > Undo would take back.
#pragma once

#include <cstddef>
#include <string>

struct UndoOffer {
    std::string kind;  // what started it: "auto", "dialog", "command"; empty for a journal without notes
    size_t renames = 0;

    bool operator==(const UndoOffer&) const = default;
};
