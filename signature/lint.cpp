#include "signature/lint.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "platform/file_reader.h"
#include "signature/file_id_table.h"
#include "signature/matcher.h"

namespace {

constexpr size_t kLineBufferBytes = 1023;  // what the loader reads at once, line feed included

// One line as the loader receives it, and the physical line it came from.
struct ReadLine {
    int line;
    std::string text;
};

// Cuts `text` the way the loader's reader does. `cutLines` gets each
// physical line that was too long and so became two lines or more.
std::vector<ReadLine> LoaderLines(std::string_view text, std::vector<int>& cutLines) {
    std::string converted;
    for (size_t i = 0; i < text.size() && text[i] != '\x1A'; ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
        converted += text[i];
    }
    std::vector<ReadLine> lines;
    int physical = 1;
    for (size_t start = 0; start < converted.size();) {
        const size_t feed = converted.find('\n', start);
        const size_t end = feed == std::string::npos ? converted.size() : feed + 1;
        const size_t take = std::min(end - start, kLineBufferBytes);
        lines.push_back({physical, converted.substr(start, take)});
        start += take;
        if (lines.back().text.back() == '\n') {
            ++physical;
        } else if (start < converted.size() && (cutLines.empty() || cutLines.back() != physical)) {
            cutLines.push_back(physical);
        }
    }
    return lines;
}

std::string Quoted(std::string_view text) { return "'" + std::string(text) + "'"; }

bool Covers(const FileIdEntry& earlier, const FileIdEntry& later) {
    for (int32_t k = 0; k < earlier.patternLength; ++k) {
        const int64_t position = int64_t{earlier.offset} + k - later.offset;
        if (position < 0 || position >= later.patternLength || later.pattern[position] != earlier.pattern[k]) {
            return false;
        }
    }
    return true;
}

bool SameSignature(const FileIdEntry& a, const FileIdEntry& b) {
    return a.offset == b.offset && a.patternLength == b.patternLength &&
           std::memcmp(a.pattern, b.pattern, static_cast<size_t>(a.patternLength)) == 0;
}

bool CanFit(const FileIdEntry& entry) {
    return entry.offset >= 0 && int64_t{entry.offset} + entry.patternLength <= kLeadingBytes;
}

struct LintedEntry {
    int line;
    FileIdEntry entry;
};

// The warnings about one data line's own fields; fills `entry` as the loader would.
void LintFields(const ReadLine& read, std::vector<LintWarning>& warnings, FileIdEntry& entry) {
    std::string fields[6];
    int position = -1;
    for (std::string& field : fields) position = ReadField(field, read.text, position + 1);
    std::string& extension = fields[5];
    if (!extension.empty() && extension.back() == '\n') extension.pop_back();
    if (!extension.empty() && extension.back() == '\r') extension.pop_back();
    const std::string& offset = fields[0];
    const std::string& pattern = fields[1];

    entry = FileIdEntry{};
    entry.offset = ParseOffset(offset);
    entry.patternLength = pattern.size() / 2 < sizeof entry.pattern ? HexToBytes(entry.pattern, pattern) : 0;
    std::memcpy(entry.extension, extension.data(), std::min(extension.size(), sizeof entry.extension - 1));

    const auto warn = [&](std::string text) { warnings.push_back({read.line, std::move(text)}); };
    if (entry.offset < 0) {
        warn("offset " + Quoted(offset) + " is negative: the entry never fits");
    } else if (offset.empty() || offset.find_first_not_of("0123456789") != std::string::npos) {
        warn("offset " + Quoted(offset) + " is not a plain decimal number: it reads as " +
             std::to_string(entry.offset));
    }
    if (pattern.find_first_of("abcdef") != std::string::npos) {
        warn("pattern " + Quoted(pattern) + " has lower-case digits, which read as other bytes: write A-F");
    }
    const size_t foreign = pattern.find_first_not_of("0123456789ABCDEFabcdef");
    if (foreign != std::string::npos) {
        warn("pattern " + Quoted(pattern) + " holds " + Quoted(pattern.substr(foreign, 1)) +
             ", which is not a hexadecimal digit");
    }
    if (pattern.size() % 2 != 0) {
        warn("pattern " + Quoted(pattern) + " has an odd number of digits: the last one is ignored");
    }
    if (entry.patternLength == 0) {
        warn("the pattern is empty: the entry fits every file and no later entry is reached");
    } else if (entry.offset >= 0 && !CanFit(entry)) {
        warn("the pattern ends at byte " + std::to_string(int64_t{entry.offset} + entry.patternLength) +
             ", past the " + std::to_string(kLeadingBytes) + " bytes read: the entry never fits");
    }
    const size_t bad = extension.find_first_of("/\\:; \t");
    if (bad != std::string::npos) {
        const char c = extension[bad];
        const std::string what = c == ';' ? "';'" : (c == ' ' || c == '\t') ? "a blank" : "the separator " +
                                                                                   Quoted(std::string(1, c));
        warn("extension " + Quoted(extension) + " holds " + what + ": a renamed file could not carry it");
    }
}

}  // namespace

std::vector<LintWarning> LintFileIdText(std::string_view text) {
    std::vector<LintWarning> warnings;
    std::vector<int> cutLines;
    const std::vector<ReadLine> lines = LoaderLines(text, cutLines);
    for (int line : cutLines) {
        warnings.push_back({line, "the line is longer than the " + std::to_string(kLineBufferBytes) +
                                      " bytes the loader reads at once (line feed included): "
                                      "the rest is read as a line of its own"});
    }

    std::vector<LintedEntry> entries;
    for (size_t i = 2; i < lines.size(); ++i) {  // the first two lines are the header
        const ReadLine& read = lines[i];
        if (read.text[0] == ';' || CountChar(read.text, ',') != 5) continue;
        LintedEntry linted{read.line, {}};
        LintFields(read, warnings, linted.entry);
        for (const LintedEntry& earlier : entries) {
            // An empty or never-fitting entry has its own warning already.
            if (earlier.entry.patternLength == 0 || !CanFit(earlier.entry) || !CanFit(linted.entry)) continue;
            if (!Covers(earlier.entry, linted.entry)) continue;
            // The first entry that covers it fits first; with the same signature it is an alternative.
            if (!SameSignature(earlier.entry, linted.entry)) {
                warnings.push_back({read.line, "never reached: every file it fits fits line " +
                                                   std::to_string(earlier.line) + " (" + earlier.entry.extension +
                                                   ") first"});
            }
            break;
        }
        entries.push_back(std::move(linted));
    }
    std::stable_sort(warnings.begin(), warnings.end(),
                     [](const LintWarning& a, const LintWarning& b) { return a.line < b.line; });
    return warnings;
}

std::optional<TableDefect> LintFileIdData(const std::string& fileName, std::vector<LintWarning>& warnings) {
    warnings.clear();
    FileIdTable table;
    if (std::optional<TableDefect> defect = TryLoadFileIdData(fileName, kHeaderTemplate, table)) return defect;
    const Result<FileHandle> file = OpenRegularFileForReading(fileName);
    std::string text;
    char buffer[4096];
    size_t got = 0;
    while (file && (got = std::fread(buffer, 1, sizeof buffer, file->get())) > 0) text.append(buffer, got);
    if (!file || std::ferror(file->get())) {
        return TableDefect{"ファイル [" + fileName + "] が開けません.", 0, "the file could not be read again"};
    }
    warnings = LintFileIdText(text);
    return std::nullopt;
}
