// The texts the status line shows.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "list/undo_offer.h"

std::string AllFileText(int32_t totalFiles);                                   // "All File : %d"
std::string CheckFileText(const std::string& path);                           // "Check file: " + path
std::string CheckSummaryText(int32_t totalFiles, int32_t checkedFiles);       // "All File : %d  CheckFile : %d"
std::string CheckAbortedText(int32_t totalFiles, int32_t checkedFiles);       // "Check Aborted.  All File : ..."

// What a rename run did: "Renamed 27 files, 3 not renamed", "Renamed 1 file".
std::string RenamedText(int64_t renamed, int64_t notRenamed);
// What an undo did: "Took back 27 renames", "Took back 25 renames, 2 not taken back".
std::string TookBackText(int64_t undone, int64_t notUndone);
// Tool > Undo's label for the run it would take back: "&Undo Auto Rename (27 files)";
// without one, "&Undo Last Rename Run".
std::string UndoCommandText(const std::optional<UndoOffer>& offer);
// A rename command found no selected row with a proposed name.
std::string NothingToRenameText();
// The counts after a check, for the status line's second field.
std::string CountsText(int32_t mismatches, int32_t matches, int32_t unknown, int32_t folders, int32_t unreadable);
// The notice for a run whose journal could not be written.
std::string NotJournalledNotice(const std::string& problem);
// What an undo could not be sure of (damaged journal lines, renames taken back
// by name alone), and whether a damaged line may have held a rename of its run.
std::string UndoWarningsText(const std::vector<std::string>& warnings, bool mayBeIncomplete);
// The folders an intake could not read: named when one, counted when several.
std::string UnreadableFoldersNote(const std::vector<std::string>& folders);
