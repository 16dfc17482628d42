// Feeds arbitrary bytes to the signature file reader: it must either fill the
// table or name a defect, never read or write out of bounds.
#include <cstdint>
#include <cstdio>

#include "signature/file_id_table.h"
#include "signature/loader.h"
#include "signature/matcher.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::FILE* file = fmemopen(const_cast<uint8_t*>(data), size, "rb");
    if (!file) return 0;
    FileIdTable table;
    ReadFileIdData(file, kHeaderTemplate, table);
    std::fclose(file);
    // The entries it stored must be usable by the matcher.
    const unsigned char leading[kLeadingBytes] = {0};
    ClassifyLeadingBytes(table, leading, size < kLeadingBytes ? int(size) : kLeadingBytes, ".x");
    for (int32_t i = 0; i < table.Count(); ++i) ExpectedTypeText(table[i]);
    return 0;
}
