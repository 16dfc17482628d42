#include "engine/journal_format.h"

#include <vector>

namespace {

constexpr std::string_view kVersionPrefix = "# quorvane renames v";

constexpr char kHex[] = "0123456789ABCDEF";

bool NeedsEscape(unsigned char c) { return c < 0x21 || c == '%' || c >= 0x7F; }

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

std::string EncodeField(std::string_view bytes) {
    std::string text;
    text.reserve(bytes.size());
    for (const char ch : bytes) {
        const auto c = static_cast<unsigned char>(ch);
        if (NeedsEscape(c)) {
            text += '%';
            text += kHex[c >> 4];
            text += kHex[c & 0x0F];
        } else {
            text += ch;
        }
    }
    return text;
}

std::optional<std::string> DecodeField(std::string_view text) {
    std::string bytes;
    bytes.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            if (NeedsEscape(static_cast<unsigned char>(text[i]))) return std::nullopt;
            bytes += text[i];
            continue;
        }
        if (i + 2 >= text.size()) return std::nullopt;
        const int high = HexValue(text[i + 1]);
        const int low = HexValue(text[i + 2]);
        if (high < 0 || low < 0) return std::nullopt;
        bytes += static_cast<char>(high * 16 + low);
        i += 2;
    }
    return bytes;
}

std::vector<std::string_view> SplitTabs(std::string_view line) {
    std::vector<std::string_view> fields;
    size_t start = 0;
    for (size_t tab; (tab = line.find('\t', start)) != std::string_view::npos; start = tab + 1) {
        fields.push_back(line.substr(start, tab - start));
    }
    fields.push_back(line.substr(start));
    return fields;
}

}  // namespace

std::string JournalVersionLine() { return std::string(kVersionPrefix) + std::to_string(kJournalVersion) + "\n"; }

std::optional<int> JournalVersionOf(std::string_view line) {
    if (!line.empty() && line.back() == '\n') line.remove_suffix(1);
    if (!line.starts_with(kVersionPrefix)) return std::nullopt;
    const std::string_view digits = line.substr(kVersionPrefix.size());
    // Nine digits cannot overflow an int.
    if (digits.empty() || digits.size() > 9) return std::nullopt;
    int version = 0;
    for (const char c : digits) {
        if (c < '0' || c > '9') return std::nullopt;
        version = version * 10 + (c - '0');
    }
    return version;
}

bool IsJournalComment(std::string_view line) { return !line.empty() && line.front() == '#'; }

std::string EncodeJournalRecord(const JournalRecord& record) {
    return EncodeField(record.time) + "\t" + EncodeField(record.runId) + "\t" + EncodeField(record.folder) + "\t" +
           EncodeField(record.oldName) + "\t" + EncodeField(record.newName) + "\n";
}

std::optional<JournalRecord> DecodeJournalRecord(std::string_view line) {
    if (!line.empty() && line.back() == '\n') line.remove_suffix(1);
    const std::vector<std::string_view> fields = SplitTabs(line);
    if (fields.size() != 5) return std::nullopt;
    std::optional<std::string> decoded[5];
    for (size_t i = 0; i < 5; ++i) {
        decoded[i] = DecodeField(fields[i]);
        if (!decoded[i]) return std::nullopt;
    }
    return JournalRecord{*decoded[0], *decoded[1], *decoded[2], *decoded[3], *decoded[4]};
}
