// How quorvane-check writes its records: tab-separated fields ended by a
// newline or a NUL, or one JSON object per record; and the progress line.
#pragma once

#include <chrono>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct JsonField {
    std::string key;
    std::optional<std::string> value;  // null when empty
    // A file name or path: when it is not valid UTF-8, "<key>_bytes" carries its bytes in hex.
    bool isName = false;
};

bool IsValidUtf8(std::string_view text);
// The text with each byte that is not part of valid UTF-8 replaced by U+FFFD.
std::string ReplaceInvalidUtf8(std::string_view text);
std::string HexOf(std::string_view bytes);
// A JSON string literal, quotes included.
std::string JsonString(std::string_view utf8);
std::string JsonObject(const std::vector<JsonField>& fields);

// A one-line count of files judged on standard error, redrawn at most five
// times a second. Only used when standard error is a terminal.
class ProgressLine {
public:
    // `recordsOnTerminal`: the records go to the same screen, so the line is
    // taken away before each one.
    ProgressLine(bool shown, bool recordsOnTerminal);
    void Count();
    // Before a record is written.
    void BeforeRecord();
    void Clear();

private:
    bool m_shown;
    bool m_recordsOnTerminal;
    bool m_drawn = false;
    long m_count = 0;
    std::chrono::steady_clock::time_point m_start;
    std::chrono::steady_clock::time_point m_lastDraw;
};
