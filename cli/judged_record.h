// The record of a path the check judged.
#pragma once

#include <string>

#include "cli/record.h"
#include "signature/file_id_table.h"
#include "signature/verdict.h"

// "mismatch", "match", "folder" or "unknown".
const char* VerdictWord(int32_t status);

// The verdict word and what the check found: the fitting line's type and
// extension, and for a name that does not fit the "Type; ext" text and the
// name proposed.
Record JudgedRecord(const std::string& path, const Verdict& verdict, const FileIdTable& table);
