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
// starts with '#' is no record; a journal without a version line is of
// version 1.
#pragma once

#include <optional>
#include <string>
#include <string_view>

struct JournalRecord {
    std::string time;
    std::string runId;
    std::string folder;  // ends with its separator
    std::string oldName;
    std::string newName;
};

// The version of the journal this program writes, and the newest it reads.
inline constexpr int kJournalVersion = 1;

// The version line of a new journal, newline included.
std::string JournalVersionLine();

// The version a version line names; empty for any other line.
std::optional<int> JournalVersionOf(std::string_view line);

// Whether a line is a comment, the version line among them, and not a record.
bool IsJournalComment(std::string_view line);

std::string EncodeJournalRecord(const JournalRecord& record);

// Empty when the line (its newline may be left off) is not a whole record.
std::optional<JournalRecord> DecodeJournalRecord(std::string_view line);
