#include "engine/journal_format.h"

#include <algorithm>
#include <vector>

namespace {

constexpr std::string_view kVersionPrefix = "# quorvane renames v";
constexpr std::string_view kNotePrefix = "#=";

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

std::vector<std::string_view> Split(std::string_view line, char separator) {
    std::vector<std::string_view> fields;
    size_t start = 0;
    for (size_t tab; (tab = line.find(separator, start)) != std::string_view::npos; start = tab + 1) {
        fields.push_back(line.substr(start, tab - start));
    }
    fields.push_back(line.substr(start));
    return fields;
}

std::optional<uint64_t> DecimalOf(std::string_view digits) {
    if (digits.empty() || digits.size() > 20) return std::nullopt;
    uint64_t value = 0;
    for (const char c : digits) {
        if (c < '0' || c > '9') return std::nullopt;
        const auto digit = static_cast<uint64_t>(c - '0');
        if (value > (UINT64_MAX - digit) / 10) return std::nullopt;
        value = value * 10 + digit;
    }
    return value;
}

// "volume.index.size", or "volume.index" for a folder.
std::string IdentityText(const FileIdentity& identity, bool withSize) {
    std::string text = std::to_string(identity.volume) + "." + std::to_string(identity.index);
    if (withSize) text += "." + std::to_string(identity.size);
    return text;
}

std::optional<FileIdentity> IdentityFromText(std::string_view text, bool withSize) {
    uint64_t numbers[3] = {};
    const size_t count = withSize ? 3 : 2;
    for (size_t i = 0; i < count; ++i) {
        const size_t dot = i + 1 < count ? text.find('.') : text.size();
        if (dot == std::string_view::npos) return std::nullopt;
        const std::optional<uint64_t> number = DecimalOf(text.substr(0, dot));
        if (!number) return std::nullopt;
        numbers[i] = *number;
        text.remove_prefix(std::min(dot + 1, text.size()));
    }
    return FileIdentity{numbers[0], numbers[1], numbers[2]};
}

std::string NoteLine(const JournalRecord& record) {
    std::string note;
    if (record.sequence != 0) note += " seq=" + std::to_string(record.sequence);
    if (!record.kind.empty()) note += " kind=" + EncodeField(record.kind);
    if (record.file) note += " file=" + IdentityText(*record.file, true);
    if (record.folderIdentity) note += " folder=" + IdentityText(*record.folderIdentity, false);
    if (!record.undoes.empty()) note += " undoes=" + EncodeField(record.undoes);
    return note.empty() ? note : std::string(kNotePrefix) + note + "\n";
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
    return NoteLine(record) + EncodeField(record.time) + "\t" + EncodeField(record.runId) + "\t" + EncodeField(record.folder) + "\t" +
           EncodeField(record.oldName) + "\t" + EncodeField(record.newName) + "\n";
}

std::optional<JournalRecord> DecodeJournalRecord(std::string_view line) {
    if (!line.empty() && line.back() == '\n') line.remove_suffix(1);
    const std::vector<std::string_view> fields = Split(line, '\t');
    if (fields.size() != 5) return std::nullopt;
    std::optional<std::string> decoded[5];
    for (size_t i = 0; i < 5; ++i) {
        decoded[i] = DecodeField(fields[i]);
        if (!decoded[i]) return std::nullopt;
    }
    JournalRecord record;
    record.time = std::move(*decoded[0]);
    record.runId = std::move(*decoded[1]);
    record.folder = std::move(*decoded[2]);
    record.oldName = std::move(*decoded[3]);
    record.newName = std::move(*decoded[4]);
    return record;
}

bool DecodeJournalNote(std::string_view line, JournalRecord& record) {
    if (!line.empty() && line.back() == '\n') line.remove_suffix(1);
    // Spaces, never tabs, between its fields: no reader takes it for a record.
    const std::vector<std::string_view> fields = Split(line, ' ');
    if (fields.front() != kNotePrefix) return false;
    for (size_t i = 1; i < fields.size(); ++i) {
        const size_t equals = fields[i].find('=');
        if (equals == std::string_view::npos) continue;
        const std::string_view key = fields[i].substr(0, equals);
        const std::string_view value = fields[i].substr(equals + 1);
        if (key == "seq") {
            record.sequence = DecimalOf(value).value_or(0);
        } else if (key == "kind") {
            record.kind = DecodeField(value).value_or("");
        } else if (key == "file") {
            record.file = IdentityFromText(value, true);
        } else if (key == "folder") {
            record.folderIdentity = IdentityFromText(value, false);
        } else if (key == "undoes") {
            record.undoes = DecodeField(value).value_or("");
        }
    }
    return true;
}
