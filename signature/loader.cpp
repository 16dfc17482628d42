#include "signature/loader.h"

#include <cstdio>
#include <cstring>
#include <limits>
#include <memory>

#include "platform/file_reader.h"
#include "signature/file_id_table.h"

namespace {

constexpr int kLineBufferSize = 1024;
constexpr size_t kNumberFieldLimit = 63;
constexpr size_t kPatternFieldLimit = 63;
constexpr size_t kTypeNameLimit = 127;
constexpr size_t kExtensionLimit = 15;  // as read, line feed included
constexpr size_t kHeaderCompareLength = 18;

// Reads the file the way a text-mode stream does: CR LF arrives as LF, a
// Ctrl-Z ends the file, and a line is taken at most 1023 bytes at a time.
class TextLineReader {
public:
    explicit TextLineReader(std::FILE* file) : m_file(file) {}

    bool ReadLine(std::string& line) {
        line.clear();
        while (line.size() < kLineBufferSize - 1) {
            const int c = NextChar();
            if (c == EOF) break;
            line.push_back(static_cast<char>(c));
            if (c == '\n') break;
        }
        return !line.empty();
    }

private:
    int NextChar() {
        if (m_ended) return EOF;
        int c = std::getc(m_file);
        if (c == 0x1A) c = EOF;
        if (c == '\r') {
            const int next = std::getc(m_file);
            if (next == '\n') return '\n';
            if (next != EOF) std::ungetc(next, m_file);
        }
        if (c == EOF) m_ended = true;
        return c;
    }

    std::FILE* m_file;
    bool m_ended = false;
};

// The line feed, and a carriage return left before it by a CR CR LF ending.
void StripLineEnd(std::string& field) {
    if (!field.empty() && field.back() == '\n') field.pop_back();
    if (!field.empty() && field.back() == '\r') field.pop_back();
}

TableDefect DataError(int lineNumber, const std::string& rawLine, std::string reason) {
    return {"プロファイルのデータエラーです.(Line " + std::to_string(lineNumber) + ")\r\n\r\n[" + rawLine + "]\r\n",
            lineNumber, std::move(reason)};
}

// Splits one data line into `entry`; the reason when a field is longer than its buffer.
std::optional<std::string> ParseDataLine(const std::string& line, FileIdEntry& entry) {
    static const char* const kFieldNames[6] = {"offset", "pattern", "second offset", "second pattern", "type name",
                                               "extension"};
    std::string fields[6];
    int position = -1;
    for (std::string& field : fields) position = ReadField(field, line, position + 1);
    const size_t limits[6] = {kNumberFieldLimit, kPatternFieldLimit, kNumberFieldLimit,
                              kPatternFieldLimit, kTypeNameLimit,    kExtensionLimit};
    for (int i = 0; i < 6; ++i) {
        if (fields[i].size() > limits[i]) {
            return "the " + std::string(kFieldNames[i]) + " field is longer than " + std::to_string(limits[i]) +
                   " bytes";
        }
    }
    StripLineEnd(fields[5]);

    entry = FileIdEntry{};
    entry.offset = ParseOffset(fields[0]);
    entry.patternLength = HexToBytes(entry.pattern, fields[1]);
    entry.offset2 = ParseOffset(fields[2]);
    entry.pattern2Length = HexToBytes(entry.pattern2, fields[3]);
    std::memcpy(entry.typeName, fields[4].data(), fields[4].size());
    std::memcpy(entry.extension, fields[5].data(), fields[5].size());
    return std::nullopt;
}

}  // namespace

int32_t ParseOffset(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    int64_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > std::numeric_limits<int32_t>::max()) value = std::numeric_limits<int32_t>::max();
    }
    return static_cast<int32_t>(negative ? -value : value);
}

int CountChar(std::string_view text, char c) {
    int count = 0;
    for (char each : text) count += each == c;
    return count;
}

int ReadField(std::string& destination, std::string_view line, int start) {
    size_t end = static_cast<size_t>(start);
    while (end < line.size() && line[end] != ',') ++end;
    destination.assign(line.substr(static_cast<size_t>(start), end - static_cast<size_t>(start)));
    return static_cast<int>(end);
}

int HexToBytes(unsigned char* destination, std::string_view text) {
    const auto digit = [](char c) { return (c >= 'A' && c <= 'F') ? c - 'A' + 10 : c - '0'; };
    int count = 0;
    for (size_t i = 0; i + 1 < text.size(); i += 2) {
        destination[count++] = static_cast<unsigned char>((digit(text[i]) * 16 + digit(text[i + 1])) & 0xFF);
    }
    destination[count] = 0;
    return count;
}

std::optional<TableDefect> TryLoadFileIdData(const std::string& fileName, const std::string& headerTemplate,
                                             FileIdTable& table) {
    const Result<FileHandle> file = OpenRegularFileForReading(fileName);
    if (!file) return TableDefect{"ファイル [" + fileName + "] が開けません.", 0, file.GetFailure().reason};
    return ReadFileIdData(file->get(), headerTemplate, table);
}

std::optional<TableDefect> ReadFileIdData(std::FILE* file, const std::string& headerTemplate, FileIdTable& table) {
    table = FileIdTable{};
    TextLineReader reader(file);
    const std::string headerStart = headerTemplate.substr(0, kHeaderCompareLength);

    std::string line;
    if (!reader.ReadLine(line)) {
        return TableDefect{"プロファイルのヘッダが読み込めません.", 1, "the file is empty; it must start with a header line"};
    }
    if (line.compare(0, kHeaderCompareLength, headerTemplate, 0, kHeaderCompareLength) != 0) {
        return TableDefect{"プロファイルのヘッダが不正です.", 1, "the header line must start with \"" + headerStart + "\""};
    }
    if (!reader.ReadLine(line)) {
        return TableDefect{"プロファイルのヘッダが不正です.", 2, "the line after the header is missing"};
    }

    for (int lineCounter = 0; reader.ReadLine(line); ++lineCounter) {
        if (line[0] == ';') continue;
        const int lineNumber = lineCounter + 3;
        const int commas = CountChar(line, ',');
        if (commas != 5) {
            return DataError(lineNumber, line, "expected 5 commas, found " + std::to_string(commas));
        }
        FileIdEntry entry;
        if (std::optional<std::string> reason = ParseDataLine(line, entry)) return DataError(lineNumber, line, *reason);
        if (!table.Append(entry)) {
            return DataError(lineNumber, line,
                             "the table holds at most " + std::to_string(kFileIdTableSize) + " entries");
        }
    }
    return std::nullopt;
}

std::string ExplainDefect(const std::string& fileName, const TableDefect& defect) {
    std::string text = fileName.empty() ? std::string("'' (an empty file name)") : fileName;
    if (defect.line > 0) text += ": line " + std::to_string(defect.line);
    return text + ": " + defect.reason;
}
