#include "engine/journal_reader.h"

#include <cerrno>
#include <cstdio>
#include <optional>

#include "platform/append_file.h"

namespace {

// The next line without its newline; false at the end of the file.
bool ReadLine(std::FILE* file, std::string& line) {
    line.clear();
    int c;
    while ((c = std::fgetc(file)) != EOF && c != '\n') line += static_cast<char>(c);
    return c != EOF || !line.empty();
}

}  // namespace

Result<std::vector<JournalRecord>> ReadJournalRun(const std::string& journalPath, const std::string& runId) {
    // Never through a link, never waiting on a pipe or reading a device without end.
    const Result<FileHandle> file = OpenAppendedFileForReading(journalPath);
    if (!file) {
        const Failure& failure = file.GetFailure();
        if (failure.code == ENOENT) return Failure{"no rename has been journalled in " + journalPath, ENOENT};
        return Failure{"cannot read " + journalPath + ": " + failure.reason, failure.code};
    }
    std::vector<JournalRecord> all;
    std::string line;
    for (bool first = true; ReadLine(file->get(), line); first = false) {
        if (first) {
            const std::optional<int> version = JournalVersionOf(line);
            if (version && *version > kJournalVersion) {
                return Failure{"cannot read " + journalPath + ": it is a journal of version " +
                               std::to_string(*version) + ", and this program reads up to version " +
                               std::to_string(kJournalVersion)};
            }
        }
        if (IsJournalComment(line)) continue;
        // A line another program left half written is passed over.
        if (std::optional<JournalRecord> record = DecodeJournalRecord(line)) all.push_back(std::move(*record));
    }
    if (std::ferror(file->get())) return Failure{"cannot read " + journalPath};
    // Two programs may have appended at once: a run's records need not be adjacent.
    const std::string wanted = !runId.empty() ? runId : all.empty() ? std::string() : all.back().runId;
    std::vector<JournalRecord> records;
    for (JournalRecord& record : all) {
        if (record.runId == wanted) records.push_back(std::move(record));
    }
    if (records.empty()) {
        return Failure{runId.empty() ? "no rename run in " + journalPath : "no run " + runId + " in " + journalPath};
    }
    return records;
}
