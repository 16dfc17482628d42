// The rename journal's text: every rename the program performs, one record a
// line, so that a run can be taken back.
//
// A journal this program creates opens with the version line
//   # quorvane renames v1
// and every line after it is a record: five fields separated by tabs, ended
// by a newline:
//   time (UTC, 2026-01-31T12:00:00Z)  run id  folder  old name  new name
// Every byte below 0x21, '%', 0x7F and every byte from 0x80 is written as
// '%' and two upper-case hex digits, so tabs, newlines and names that are
// not UTF-8 survive unchanged and the file stays plain ASCII. A line that
// starts with '#' is no record, nor is an empty one (a cut line's end, see
// RenameRun); a journal without a version line is of version 1.
//
// A record may follow a note line, written in the same write, that tells
// what undo needs beyond the names; its fields are key=value, separated by
// one space, values encoded alike, and a reader passes over keys it does not
// know:
//   #= seq=1 kind=auto file=2049.1234567.5120 folder=2049.1200 undoes=RUN
// (volume.index.size of the file, volume.index of its folder). Programs that
// know no notes read them as comments and the records as ever.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/file_identity.h"

struct JournalRecord {
    std::string time;
    std::string runId;
    std::string folder;  // ends with its separator
    std::string oldName;
    std::string newName;

    // From the note line; unknown (0, empty) for a record without one.
    uint64_t sequence = 0;  // the record's place in its run, from 1
    std::string kind;       // its run's: "auto", "dialog", "command" or "undo"
    std::string undoes;     // an undo run's: the run it takes back
    std::optional<FileIdentity> file;          // the file renamed
    std::optional<FileIdentity> folderIdentity;  // the folder it was renamed in
};

// The version of the journal this program writes, and the newest it reads.
inline constexpr int kJournalVersion = 1;

// The version line of a new journal, newline included.
std::string JournalVersionLine();

// The version a version line names; empty for any other line.
std::optional<int> JournalVersionOf(std::string_view line);

// Whether a line is a comment, the version line among them, and not a record.
bool IsJournalComment(std::string_view line);

// The record's line, after its note line when it has anything to note.
std::string EncodeJournalRecord(const JournalRecord& record);

// Empty when the line (its newline may be left off) is not a whole record.
// The note's fields are left unknown.
std::optional<JournalRecord> DecodeJournalRecord(std::string_view line);

// Whether `line` is a note line; when it is, its fields go into `record`.
bool DecodeJournalNote(std::string_view line, JournalRecord& record);
