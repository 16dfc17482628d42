#include "engine/journal_writer.h"

#include <atomic>
#include <chrono>
#include <cstdio>

#include "engine/journal_format.h"
#include "platform/data_location.h"
#include "platform/file_io.h"
#include "platform/path_intake.h"
#include "platform/path_split.h"
#include "platform/process_info.h"

namespace {

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

}  // namespace

std::string DefaultJournalPath() { return UserStateFolder() + "renames.log"; }

std::string RotatedJournalPath(const std::string& journalPath) { return journalPath + ".1"; }

const char* RenameRunKindText(RenameRunKind kind) {
    switch (kind) {
        case RenameRunKind::Auto: return "auto";
        case RenameRunKind::Dialog: return "dialog";
        case RenameRunKind::Undo: return "undo";
        case RenameRunKind::Command: break;
    }
    return "command";
}

RenameRun::RenameRun(std::string journalPath, RenameRunKind kind)
    : m_path(std::move(journalPath)), m_id(NewRunId()), m_kind(kind) {}

void RenameRun::TakesBack(const std::string& runId) {
    m_kind = RenameRunKind::Undo;
    m_undoes = runId;
}

std::optional<std::string> RenameRun::Open() {
    const size_t separator = m_path.find_last_of(kPathSeparators);
    if (separator != std::string::npos) {
        if (std::optional<Failure> failure = CreateFolders(m_path.substr(0, separator))) {
            return "cannot create the folder of " + m_path + ": " + failure->reason;
        }
    }
    // A failed rotation leaves the journal growing, which loses nothing.
    (void)RotateAppendedFile(m_path, RotatedJournalPath(m_path), kJournalRotationBytes);
    Result<AppendFile> file = AppendFile::Open(m_path);
    if (!file) return "cannot open " + m_path + ": " + file.GetFailure().reason;
    m_file = std::move(*file);
    return std::nullopt;
}

void RenameRun::Record(const std::string& folder, const std::string& oldName, const std::string& newName,
                       const std::optional<FileIdentity>& file, const std::optional<FileIdentity>& folderIdentity) {
    if (m_failed) return;
    std::string text;
    if (!m_file.IsOpen()) {
        if (std::optional<std::string> problem = Open()) {
            m_failed = true;
            m_problem = std::move(*problem);
            return;
        }
        // A journal this run creates starts with its version, in the same
        // write as the first record. Two programs creating it at once may both
        // write one; a reader passes over the second.
        const int64_t size = m_file.Size().ValueOr(-1);
        char last = '\n';
        if (size == 0) {
            text = JournalVersionLine();
        } else if (size > 0 && m_file.ReadAt(size - 1, &last, 1).ValueOr(0) == 1 && last != '\n') {
            // A line cut by a failed write ends here, so the first record does not join it.
            text = "\n";
        }
    }
    // An undo may run from another working folder.
    JournalRecord record;
    record.time = UtcNow(false);
    record.runId = m_id;
    record.folder = AbsoluteFolder(folder);
    record.oldName = oldName;
    record.newName = newName;
    record.sequence = ++m_recorded;
    record.kind = RenameRunKindText(m_kind);
    record.undoes = m_undoes;
    record.file = file;
    record.folderIdentity = folderIdentity;
    text += EncodeJournalRecord(record);
    // One write per record, so that two programs appending at once do not interleave.
    if (std::optional<Failure> failure = m_file.AppendWhole(text)) {
        m_failed = true;
        m_problem = "cannot write " + m_path + ": " + failure->reason;
    }
}

std::optional<std::string> RenameRun::TakeJournalProblem() {
    if (!m_failed || m_problemTaken) return std::nullopt;
    m_problemTaken = true;
    return m_problem;
}
