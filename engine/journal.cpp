#include "engine/journal.h"

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include "platform/data_location.h"
#include "platform/error_text.h"
#include "platform/file_io.h"
#include "platform/path_intake.h"
#include "platform/path_split.h"
#include "platform/process_info.h"

namespace {

constexpr char kHex[] = "0123456789ABCDEF";

bool NeedsEscape(unsigned char c) { return c < 0x21 || c == '%' || c >= 0x7F; }

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// "2026-01-31T12:00:00Z", or with `compact` "20260131T120000Z" for run ids.
std::string UtcNow(bool compact) {
    using namespace std::chrono;
    const auto now = floor<seconds>(system_clock::now());
    const auto day = floor<days>(now);
    const year_month_day date(day);
    const hh_mm_ss time(now - day);
    char text[32];
    std::snprintf(text, sizeof text, compact ? "%04d%02u%02uT%02d%02d%02dZ" : "%04d-%02u-%02uT%02d:%02d:%02dZ",
                  static_cast<int>(date.year()), static_cast<unsigned>(date.month()),
                  static_cast<unsigned>(date.day()), static_cast<int>(time.hours().count()),
                  static_cast<int>(time.minutes().count()), static_cast<int>(time.seconds().count()));
    return text;
}

std::string NewRunId() {
    static std::atomic<unsigned> counter{0};
    return UtcNow(true) + "-" + std::to_string(CurrentProcessId()) + "-" + std::to_string(++counter);
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

std::string DefaultJournalPath() { return UserStateFolder() + "renames.log"; }

std::string EncodeJournalField(std::string_view bytes) {
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

std::optional<std::string> DecodeJournalField(std::string_view text) {
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

std::string EncodeJournalRecord(const JournalRecord& record) {
    return EncodeJournalField(record.time) + "\t" + EncodeJournalField(record.runId) + "\t" +
           EncodeJournalField(record.folder) + "\t" + EncodeJournalField(record.oldName) + "\t" +
           EncodeJournalField(record.newName) + "\n";
}

std::optional<JournalRecord> DecodeJournalRecord(std::string_view line) {
    if (!line.empty() && line.back() == '\n') line.remove_suffix(1);
    const std::vector<std::string_view> fields = SplitTabs(line);
    if (fields.size() != 5) return std::nullopt;
    std::optional<std::string> decoded[5];
    for (size_t i = 0; i < 5; ++i) {
        decoded[i] = DecodeJournalField(fields[i]);
        if (!decoded[i]) return std::nullopt;
    }
    return JournalRecord{*decoded[0], *decoded[1], *decoded[2], *decoded[3], *decoded[4]};
}

RenameRun::RenameRun(std::string journalPath) : m_path(std::move(journalPath)), m_id(NewRunId()) {}

RenameRun::~RenameRun() {
    if (m_file) std::fclose(m_file);
}

void RenameRun::Record(const std::string& folder, const std::string& oldName, const std::string& newName) {
    if (m_failed) return;
    if (!m_file) {
        const size_t separator = m_path.find_last_of(kPathSeparators);
        const int error = separator == std::string::npos ? 0 : CreateFolders(m_path.substr(0, separator));
        if (error != 0) {
            m_failed = true;
            m_problem = "cannot create the folder of " + m_path + ": " + ErrorText(error);
            return;
        }
        m_file = OpenFile(m_path, "ab");
        if (!m_file) {
            m_failed = true;
            m_problem = "cannot open " + m_path + ": " + ErrorText(errno);
            return;
        }
    }
    // An undo may run from another working folder.
    const std::string place = AbsoluteFolder(folder);
    const std::string line = EncodeJournalRecord({UtcNow(false), m_id, place, oldName, newName});
    // One write per record, so that two programs appending at once do not interleave.
    if (std::fwrite(line.data(), 1, line.size(), m_file) != line.size() || std::fflush(m_file) != 0) {
        m_failed = true;
        m_problem = "cannot write " + m_path + ": " + ErrorText(errno);
    }
}

std::optional<std::string> RenameRun::TakeJournalProblem() {
    if (!m_failed || m_problemTaken) return std::nullopt;
    m_problemTaken = true;
    return m_problem;
}

std::vector<JournalRecord> ReadJournalRun(const std::string& journalPath, const std::string& runId,
                                          std::string& error) {
    std::FILE* file = OpenFile(journalPath, "rb");
    if (!file) {
        error = errno == ENOENT ? "no rename has been journalled in " + journalPath
                                : "cannot read " + journalPath + ": " + ErrorText(errno);
        return {};
    }
    std::vector<JournalRecord> all;
    std::string line;
    auto take = [&] {
        // A line another program left half written is passed over.
        if (std::optional<JournalRecord> record = DecodeJournalRecord(line)) all.push_back(std::move(*record));
        line.clear();
    };
    for (int c; (c = std::fgetc(file)) != EOF;) {
        if (c == '\n') {
            take();
        } else {
            line += static_cast<char>(c);
        }
    }
    if (!line.empty()) take();
    const bool readFailed = std::ferror(file) != 0;
    std::fclose(file);
    if (readFailed) {
        error = "cannot read " + journalPath;
        return {};
    }
    // Two programs may have appended at once: a run's records need not be adjacent.
    const std::string wanted = !runId.empty() ? runId : all.empty() ? std::string() : all.back().runId;
    std::vector<JournalRecord> records;
    for (JournalRecord& record : all) {
        if (record.runId == wanted) records.push_back(std::move(record));
    }
    if (records.empty()) {
        error = runId.empty() ? "no rename run in " + journalPath : "no run " + runId + " in " + journalPath;
    }
    return records;
}
