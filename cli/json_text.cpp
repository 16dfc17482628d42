#include "cli/json_text.h"

#include <cstdio>

namespace {

// Length of the valid UTF-8 sequence at `i`, or 0.
size_t Utf8SequenceAt(std::string_view text, size_t i) {
    const auto byte = [&](size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char c = byte(i);
    size_t length;
    unsigned min;
    if (c < 0x80) return 1;
    if (c >= 0xC2 && c <= 0xDF) {
        length = 2, min = 0x80;
    } else if (c >= 0xE0 && c <= 0xEF) {
        length = 3, min = 0x800;
    } else if (c >= 0xF0 && c <= 0xF4) {
        length = 4, min = 0x10000;
    } else {
        return 0;
    }
    if (i + length > text.size()) return 0;
    unsigned code = c & (0x7F >> length);
    for (size_t k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80) return 0;
        code = (code << 6) | (byte(i + k) & 0x3F);
    }
    // Overlong forms, surrogates and code points past U+10FFFF are not UTF-8.
    if (code < min || (code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF) return 0;
    return length;
}

}  // namespace

bool IsValidUtf8(std::string_view text) {
    for (size_t i = 0; i < text.size();) {
        const size_t length = Utf8SequenceAt(text, i);
        if (length == 0) return false;
        i += length;
    }
    return true;
}

std::string ReplaceInvalidUtf8(std::string_view text) {
    std::string out;
    for (size_t i = 0; i < text.size();) {
        const size_t length = Utf8SequenceAt(text, i);
        if (length == 0) {
            out += "\xEF\xBF\xBD";
            ++i;
        } else {
            out.append(text.substr(i, length));
            i += length;
        }
    }
    return out;
}

std::string HexOf(std::string_view bytes) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::string hex;
    for (const char ch : bytes) {
        const auto c = static_cast<unsigned char>(ch);
        hex += kHex[c >> 4];
        hex += kHex[c & 0x0F];
    }
    return hex;
}

std::string JsonString(std::string_view utf8) {
    std::string out = "\"";
    for (const char ch : utf8) {
        const auto c = static_cast<unsigned char>(ch);
        switch (ch) {
            case '"': out += "\\\""; break;
            case '\\': out += "\\\\"; break;
            case '\n': out += "\\n"; break;
            case '\t': out += "\\t"; break;
            case '\r': out += "\\r"; break;
            default:
                if (c < 0x20 || c == 0x7F) {
                    char escape[8];
                    std::snprintf(escape, sizeof escape, "\\u%04x", c);
                    out += escape;
                } else {
                    out += ch;
                }
        }
    }
    return out + "\"";
}

std::string JsonObject(const std::vector<JsonField>& fields) {
    std::string out = "{";
    for (const JsonField& field : fields) {
        if (out.size() > 1) out += ",";
        out += JsonString(field.key) + ":";
        out += field.value ? JsonString(ReplaceInvalidUtf8(*field.value)) : "null";
        if (field.isName && field.value && !IsValidUtf8(*field.value)) {
            out += "," + JsonString(field.key + "_bytes") + ":" + JsonString(HexOf(*field.value));
        }
    }
    return out + "}";
}
