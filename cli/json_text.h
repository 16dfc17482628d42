// JSON text for names that may be any bytes: UTF-8 checks, string literals,
// and objects whose names carry their raw bytes beside them.
#pragma once

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
