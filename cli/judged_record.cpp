#include "cli/judged_record.h"

#include "engine/rename.h"
#include "signature/matcher.h"
#include "platform/path_split.h"

const char* VerdictWord(int32_t status) {
    switch (status) {
        case STATUS_MISMATCH: return "mismatch";
        case STATUS_MATCH: return "match";
        case STATUS_FOLDER: return "folder";
        default: return "unknown";
    }
}

Record JudgedRecord(const std::string& path, const Verdict& verdict, const FileIdTable& table) {
    Judgement judgement;
    if (table.Valid(verdict.entryIndex)) {
        judgement.type = table[verdict.entryIndex].typeName;
        judgement.extension = table[verdict.entryIndex].extension;
    }
    judgement.expectedType = ExpectedTypeText(table, verdict);
    if (verdict.status == STATUS_MISMATCH) {
        judgement.proposedName = ProposedName(FileNameOf(SplitPath(path)), table, verdict);
    }
    return {VerdictWord(verdict.status), path, judgement, std::nullopt, std::nullopt};
}
