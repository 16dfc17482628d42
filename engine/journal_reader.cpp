#include "engine/journal_reader.h"

#include <algorithm>
#include <cerrno>
#include <optional>
#include <set>

#include "engine/journal_writer.h"
#include "platform/append_file.h"
#include "platform/path_split.h"

namespace {

constexpr int64_t kBlockBytes = 64 * 1024;
// No record is this long; a longer "line" (a file of zeros) is passed over
// without being held in memory.
constexpr size_t kLongestLine = 1 << 20;

// The lines of a file from its last to its first.
class LinesFromEnd {
public:
    LinesFromEnd(const AppendFile& file, int64_t size) : m_file(file), m_end(size), m_bufferStart(size) {}

    // The line before the last one handed out, without its newline, and the
    // offset it starts at. `cut` when it is the file's last line and no
    // newline ends it; `tooLong` when it is passed over. False at the start
    // of the file or when a read fails (then Failed()).
    bool Previous(std::string& line, int64_t& offset, bool& cut, bool& tooLong) {
        if (m_end == 0 || m_failed) return false;
        if (!Load(m_end - 1)) return false;
        cut = m_first && At(m_end - 1) != '\n';
        m_first = false;
        const int64_t contentEnd = cut ? m_end : m_end - 1;
        int64_t start = contentEnd;
        tooLong = false;
        while (start > 0) {
            if (start - 1 < m_bufferStart) {
                if (static_cast<size_t>(contentEnd - start) > kLongestLine) {
                    // Keep nothing of it: only its start is wanted.
                    tooLong = true;
                    m_buffer.clear();
                    m_bufferStart = start;
                }
                if (!Load(start - 1)) return false;
            }
            if (At(start - 1) == '\n') break;
            --start;
        }
        if (tooLong) {
            line.clear();
        } else {
            line.assign(m_buffer, static_cast<size_t>(start - m_bufferStart), static_cast<size_t>(contentEnd - start));
        }
        offset = start;
        m_end = start;
        m_buffer.resize(static_cast<size_t>(std::max<int64_t>(m_end - m_bufferStart, 0)));
        return true;
    }

    bool Failed() const { return m_failed; }

private:
    char At(int64_t position) const { return m_buffer[static_cast<size_t>(position - m_bufferStart)]; }

    // Makes the byte at `position` part of the buffer, reading a block before it when needed.
    bool Load(int64_t position) {
        while (position < m_bufferStart) {
            const int64_t from = std::max<int64_t>(m_bufferStart - kBlockBytes, 0);
            std::string block(static_cast<size_t>(m_bufferStart - from), '\0');
            const Result<int64_t> count = m_file.ReadAt(from, block.data(), static_cast<int64_t>(block.size()));
            if (!count || *count != static_cast<int64_t>(block.size())) {
                m_failed = true;
                return false;
            }
            if (static_cast<int64_t>(m_buffer.size()) > m_end - m_bufferStart) {
                m_buffer.resize(static_cast<size_t>(m_end - m_bufferStart));
            }
            m_buffer.insert(0, block);
            m_bufferStart = from;
        }
        return true;
    }

    const AppendFile& m_file;
    int64_t m_end;  // the lines before this offset are still to come
    int64_t m_bufferStart;
    std::string m_buffer;  // the file's bytes from m_bufferStart
    bool m_first = true;
    bool m_failed = false;
};

// 1204 as "1,204".
std::string WithThousands(uint64_t number) {
    std::string digits = std::to_string(number);
    for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3) digits.insert(static_cast<size_t>(at), ",");
    return digits;
}

// The line numbers of the lines starting at `offsets` (ascending), counted from 1.
Result<std::vector<uint64_t>> LineNumbersAt(const AppendFile& file, const std::vector<int64_t>& offsets) {
    std::vector<uint64_t> numbers;
    uint64_t newlines = 0;
    int64_t position = 0;
    std::string block(static_cast<size_t>(kBlockBytes), '\0');
    for (const int64_t offset : offsets) {
        while (position < offset) {
            const int64_t wanted = std::min<int64_t>(offset - position, kBlockBytes);
            const Result<int64_t> count = file.ReadAt(position, block.data(), wanted);
            if (!count) return count.GetFailure();
            if (*count == 0) break;
            newlines += static_cast<uint64_t>(std::count(block.begin(), block.begin() + *count, '\n'));
            position += *count;
        }
        numbers.push_back(newlines + 1);
    }
    return numbers;
}

// The search for one run over the journal and its rotated predecessor.
class RunSearch {
public:
    explicit RunSearch(const std::string& runId) : m_wanted(runId) {}

    bool Complete() const { return m_complete; }
    const std::string& Wanted() const { return m_wanted; }
    bool SawRecord() const { return m_sawRecord; }

    // Reads one journal file from its end; a failure when it cannot be read.
    std::optional<Failure> Scan(const std::string& path, JournalRun& run) {
        const Result<AppendFile> opened = AppendFile::OpenForReading(path);
        if (!opened) return opened.GetFailure();
        const AppendFile& file = *opened;
        const Result<int64_t> size = file.Size();
        if (!size) return size.GetFailure();
        if (std::optional<Failure> failure = CheckVersion(file, path)) return failure;

        LinesFromEnd lines(file, *size);
        std::optional<JournalRecord> pending;
        std::vector<int64_t> damaged;
        std::string line;
        int64_t offset = 0;
        bool cut = false;
        bool tooLong = false;
        while (!m_complete && lines.Previous(line, offset, cut, tooLong)) {
            if (pending) {
                const bool note = DecodeJournalNote(line, *pending);
                Take(*pending, run);
                pending.reset();
                if (m_complete) break;
                if (note) continue;
            }
            if (!tooLong && (line.empty() || (IsJournalComment(line) && !cut))) continue;
            std::optional<JournalRecord> record = cut || tooLong ? std::nullopt : DecodeJournalRecord(line);
            if (!record) {
                damaged.push_back(offset);
                // A newer run's record could have changed the choice; one naming the run could be one of its own.
                if (!tooLong && (m_wanted.empty() || line.find(m_wanted) != std::string::npos)) {
                    run.mayBeIncomplete = true;
                }
                continue;
            }
            pending = std::move(record);
        }
        if (pending) Take(*pending, run);
        if (lines.Failed()) return Failure{"cannot read " + path, EIO};
        return NameDamage(file, path, damaged, run);
    }

private:
    static std::optional<Failure> CheckVersion(const AppendFile& file, const std::string& path) {
        char head[64];
        const Result<int64_t> count = file.ReadAt(0, head, sizeof head);
        if (!count) return count.GetFailure();
        std::string_view first(head, static_cast<size_t>(*count));
        first = first.substr(0, first.find('\n'));
        const std::optional<int> version = JournalVersionOf(first);
        if (version && *version > kJournalVersion) {
            return Failure{"cannot read " + path + ": it is a journal of version " + std::to_string(*version) +
                           ", and this program reads up to version " + std::to_string(kJournalVersion)};
        }
        return std::nullopt;
    }

    // One record, newest first.
    void Take(JournalRecord& record, JournalRun& run) {
        m_sawRecord = true;
        if (m_wanted.empty()) {
            if (!record.undoes.empty()) {
                m_takenBack.insert(record.undoes);
                return;
            }
            if (m_takenBack.contains(record.runId)) return;
            m_wanted = record.runId;
        }
        if (record.runId != m_wanted) return;
        if (run.records.empty()) run.kind = record.kind;
        m_complete = record.sequence == 1;
        run.records.push_back(std::move(record));
    }

    static std::optional<Failure> NameDamage(const AppendFile& file, const std::string& path,
                                             std::vector<int64_t> offsets, JournalRun& run) {
        if (offsets.empty()) return std::nullopt;
        std::reverse(offsets.begin(), offsets.end());
        const Result<std::vector<uint64_t>> numbers = LineNumbersAt(file, offsets);
        if (!numbers) return Failure{"cannot read " + path + ": " + numbers.GetFailure().reason, EIO};
        const std::string name = FileNameOf(SplitPath(path));
        for (const uint64_t number : *numbers) {
            run.damagedLines.push_back("line " + WithThousands(number) + " of " + name + " is damaged: skipped");
        }
        return std::nullopt;
    }

    std::string m_wanted;
    std::set<std::string> m_takenBack;
    bool m_complete = false;
    bool m_sawRecord = false;
};

}  // namespace

Result<JournalRun> ReadJournalRun(const std::string& journalPath, const std::string& runId) {
    RunSearch search(runId);
    JournalRun run;
    bool journalFound = false;
    for (const std::string& path : {journalPath, RotatedJournalPath(journalPath)}) {
        if (search.Complete()) break;
        if (std::optional<Failure> failure = search.Scan(path, run)) {
            if (failure->code == ENOENT) continue;
            if (failure->reason.starts_with("cannot read ")) return *failure;
            return Failure{"cannot read " + path + ": " + failure->reason, failure->code};
        }
        journalFound = true;
    }
    if (!journalFound) return Failure{"no rename has been journalled in " + journalPath, ENOENT};
    if (run.records.empty()) {
        if (!runId.empty()) return Failure{"no run " + runId + " in " + journalPath};
        return Failure{search.SawRecord() ? "every run in " + journalPath + " has been taken back"
                                          : "no rename run in " + journalPath};
    }
    run.id = search.Wanted();
    std::reverse(run.records.begin(), run.records.end());
    return run;
}
