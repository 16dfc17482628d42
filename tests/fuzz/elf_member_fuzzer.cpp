// Feeds the ELF reader any bytes as a whole file.
#include "tests/fuzz/reader_fuzzing.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzReader(ElfMember, data, size, {"", "so"});
    return 0;
}
