// Feeds the matcher and the rename proposal a random table, leading bytes and
// file name: the verdict must name the first entry that fits, and a proposal that is
// not a single name must be refused by the rename before anything is touched.
//
// Input: one byte for the number of leading bytes (at most 64), one for the
// length of the file name, those bytes, that name, then the table's data lines.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/path_split.h"
#include "signature/file_id_table.h"
#include "signature/loader.h"
#include "signature/matcher.h"
#include "engine/journal_writer.h"
#include "engine/rename.h"

namespace {

// A folder that does not exist: a rename the guard let through would fail
// there with another reason instead of touching anything.
const std::string kNoFolder = "/nonexistent-quorvane-fuzz-folder/";
const std::string kGuardReason = "not a single file name in its folder";

void Require(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) return 0;
    size_t at = 2;
    const size_t count = std::min<size_t>(data[0] % (kLeadingBytes + 1), size - at);
    const unsigned char* bytes = data + at;
    at += count;
    const size_t nameLength = std::min<size_t>(data[1], size - at);
    const std::string name(reinterpret_cast<const char*>(data + at), nameLength);
    at += nameLength;

    std::string text = std::string(kHeaderTemplate) + "\n\n";
    text.append(reinterpret_cast<const char*>(data + at), size - at);
    std::FILE* file = fmemopen(text.data(), text.size(), "rb");
    if (!file) return 0;
    FileIdTable table;
    ReadFileIdData(file, kHeaderTemplate, table);
    std::fclose(file);

    const Verdict verdict = ClassifyLeadingBytes(table, bytes, static_cast<int>(count), PathExtension(name));
    // The table's lookups must find what a walk over every entry finds first.
    int32_t firstFitting = -1;
    for (int32_t i = 0; i < table.Count() && firstFitting < 0; ++i) {
        if (EntryFits(table[i], bytes, static_cast<int>(count))) firstFitting = i;
    }
    Require(verdict.entryIndex == firstFitting);
    if (verdict.status == STATUS_UNKNOWN) {
        Require(verdict.entryIndex == -1);
    } else {
        Require(table.Valid(verdict.entryIndex));
        Require(EntryFits(table[verdict.entryIndex], bytes, static_cast<int>(count)));
        Require(AcceptedEntries(table, verdict.entryIndex).front() == verdict.entryIndex);
    }

    const std::string proposed = ProposedName(name, table, verdict);
    if (verdict.status != STATUS_MISMATCH) Require(proposed == name);
    if (!IsSingleName(proposed)) {
        // The guard refuses before anything is renamed, so nothing is journalled either.
        static RenameRun run(std::string(kNoFolder) + "renames.log");
        const std::optional<RenameFailure> failure = RenameInFolder(kNoFolder, name, proposed, run);
        Require(failure.has_value() && failure->reason == kGuardReason);
    }
    return 0;
}
